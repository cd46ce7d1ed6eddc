#pragma once

#include "capture/offscreen_frame.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

using Matrix = std::array<GLfloat, 16>;

constexpr double pi = 3.14159265358979323846;

Matrix currentMatrix(GLenum which);  // GL_MODELVIEW_MATRIX or GL_PROJECTION_MATRIX
std::array<GLfloat, 4> currentColour();

// Expects two column-major matrices to agree element by element.
void expectMatrixNear(const Matrix& actual, const Matrix& expected, float tolerance);
Matrix translation(float x, float y, float z);

// A picture read back from an OffscreenFrame, addressed top-down as on screen.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // bottom row first, as GL reads

    static Picture of(const OffscreenFrame& frame);
    const std::uint8_t* at(int x, int yFromTop) const;
    bool isInk(int x, int yFromTop) const;  // any channel above a faint threshold
    int inkCount(int x0, int y0, int x1, int y1) const;  // half-open, top-down
    int inkCount() const { return inkCount(0, 0, width, height); }
};

// Every GL test runs in the one window of its test process. It starts from the
// window's initial GL state with the projection and model-view that
// reshape(800, 600) sets, and must end with no GL error and both matrix stacks
// at depth 1.
class GlTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};
