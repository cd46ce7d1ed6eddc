#include "scene/solar_system.h"

#include "platform/frame_presenter.h"

#include <GL/glut.h>

namespace {

// Mercury, Venus, Earth and Mars: orbit in degrees per day, distance in units
// of about ten million kilometres, spin in turns per day (negative for Venus,
// which turns backwards).
struct PlanetConstants {
    float orbitDegreesPerDay;
    float distance;
    float tilt;
    float turnsPerDay;
    float radius;
    float color[3];
};

constexpr PlanetConstants planetTable[planetCount] = {
    {4.0923505f, 5.7f, 0.0f, 0.017051404f, 0.3f, {1.0f, 0.0f, 0.0f}},
    {1.602129f, 10.8f, 177.36f, -0.0041149096f, 0.8f, {0.0f, 0.5f, 1.0f}},
    {0.98561007f, 15.0f, 23.45f, 1.0027375f, 0.9f, {0.1f, 0.6f, 0.1f}},
    {0.5240327f, 22.8f, 25.19f, 0.97469974f, 0.4f, {1.0f, 0.1f, 0.1f}},
};

}  // namespace

std::array<Planet, planetCount> planetsOnDay(float days)
{
    std::array<Planet, planetCount> planets;
    for (int i = 0; i < planetCount; ++i) {
        const PlanetConstants& k = planetTable[i];
        planets[i] = Planet{days * k.orbitDegreesPerDay,
                            k.distance,
                            k.tilt,
                            days * 360.0f * k.turnsPerDay,
                            k.radius,
                            {k.color[0], k.color[1], k.color[2]}};
    }
    return planets;
}

void SolarSystem::draw(float time, float speed)
{
    days = time * speed;
    std::array<Planet, planetCount> planets = planetsOnDay(days);

    glPushMatrix();
    // The planets orbit in the Sun's xy plane; turning it about x lays the
    // orbits flat through the line of sight, seen edge-on.
    glRotatef(90.0f, 3.0f, 0.0f, 0.0f);
    glRotatef(days * sunDegreesPerDay, 0.0f, 0.0f, 1.0f);
    glColor3f(1.0f, 0.7f, 0.2f);
    glutSolidSphere(sunRadius, 8, 8);

    // Inside the Sun's turn, so it adds to every planet's orbit angle.
    for (const Planet& planet : planets) {
        glPushMatrix();
        drawPlanet(planet);
        glPopMatrix();
    }
    glPopMatrix();

    presenter.present();
}

void SolarSystem::drawPlanet(const Planet& planet)
{
    glRotatef(planet.orbitAngle, 0.0f, 0.0f, 1.0f);
    glTranslatef(planet.distance, 0.0f, 0.0f);
    glRotatef(planet.tilt, 3.0f, 0.0f, 0.0f);
    glRotatef(planet.spinAngle, 0.0f, 0.0f, 1.0f);
    glColor3fv(planet.color);
    glutSolidSphere(planet.radius, 8, 8);
}
