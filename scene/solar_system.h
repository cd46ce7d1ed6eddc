#pragma once

namespace platform {
class FramePresenter;
}

#include <array>

struct Planet {
    float orbitAngle;  // degrees about the Sun's z axis
    float distance;    // from the Sun's centre
    float tilt;        // axial tilt, degrees about the planet's x axis
    float spinAngle;   // degrees about the planet's own z axis
    float radius;
    float color[3];
};

constexpr int planetCount = 4;
constexpr float sunRadius = 3.0f;
constexpr float sunDegreesPerDay = 0.074074075f;

// The four inner planets on a given day, rebuilt from constants every time.
std::array<Planet, planetCount> planetsOnDay(float days);

// The Sun and four planets, orbits seen edge-on. Draws at the current
// model-view matrix and presents the frame.
class SolarSystem {
public:
    // Presents its frames through `presenter`.
    explicit SolarSystem(platform::FramePresenter& presenter) : presenter(presenter) {}

    void draw(float time, float speed);
    void drawPlanet(const Planet& planet);

    float days;  // time × speed of the last draw

private:
    platform::FramePresenter& presenter;
};
