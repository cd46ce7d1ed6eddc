#pragma once

namespace platform {
class FramePresenter;
}

// Where the spinner stands and how it looks for one draw; pure arithmetic.
struct SpinnerPose {
    float angleX, angleY, angleZ;  // degrees about x, then y, then z
    float color[3];                // may be negative: only emission is coloured
    float offset[3];               // Lissajous drift after the rotations
    float size;                    // cube edge and sphere radius; negative mirrors
};

SpinnerPose spinnerPose(float time, float speed);

// A solid cube inside a sphere of the same size, tumbling, drifting and
// pulsing. Draws at the current model-view matrix, leaves it moved, and
// presents the frame.
class Spinner {
public:
    // Presents its frames through `presenter`.
    explicit Spinner(platform::FramePresenter& presenter) : presenter(presenter) {}

    void draw(float time, float speed);

    float phase;  // time × speed of the last draw

private:
    platform::FramePresenter& presenter;
};
