#include "app/shell.h"
#include "app/show.h"
#include "app/timeline.h"
#include "platform/font_system.h"
#include "tests/gl_test.h"

#include <GL/glut.h>

#include <cmath>
#include <string>

namespace {

using ShellTest = GlTest;

// The show on the test's window, for the callbacks to drive.
void initScene()
{
    std::string error;
    std::unique_ptr<Show> show = Show::create(platform::FontContext::screen(), error);
    ASSERT_TRUE(show) << error;
    adoptShow(std::move(show));
}

Matrix perspective(double fovyDegrees, double aspect, double zNear, double zFar)
{
    double f = 1.0 / std::tan(fovyDegrees * pi / 360.0);
    Matrix m{};
    m[0] = float(f / aspect);
    m[5] = float(f);
    m[10] = float((zFar + zNear) / (zNear - zFar));
    m[11] = -1.0f;
    m[14] = float(2.0 * zFar * zNear / (zNear - zFar));
    return m;
}

TEST_F(ShellTest, InitSceneSetsTheFixedState)
{
    initScene();

    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_LINE_SMOOTH));

    GLint value = 0;
    glGetIntegerv(GL_COLOR_MATERIAL_FACE, &value);
    EXPECT_EQ(value, GL_FRONT);
    glGetIntegerv(GL_COLOR_MATERIAL_PARAMETER, &value);
    EXPECT_EQ(value, GL_EMISSION);
    glGetIntegerv(GL_BLEND_SRC, &value);
    EXPECT_EQ(value, GL_SRC_ALPHA);
    glGetIntegerv(GL_BLEND_DST, &value);
    EXPECT_EQ(value, GL_ONE_MINUS_SRC_ALPHA);
    glGetIntegerv(GL_DEPTH_BITS, &value);
    EXPECT_GT(value, 0);

    GLfloat clear[4] = {1, 1, 1, 1};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    for (GLfloat c : clear)
        EXPECT_EQ(c, 0.0f);

    // Ambient and diffuse took GL's initial white at the enable (their own
    // defaults are 0.2 and 0.8); from then on a colour sets only emission.
    glColor3f(0.25f, 0.5f, -0.5f);
    GLfloat m[4];
    for (GLenum which : {GL_AMBIENT, GL_DIFFUSE}) {
        glGetMaterialfv(GL_FRONT, which, m);
        EXPECT_FLOAT_EQ(m[0], 1.0f);
        EXPECT_FLOAT_EQ(m[1], 1.0f);
        EXPECT_FLOAT_EQ(m[2], 1.0f);
    }
    glGetMaterialfv(GL_FRONT, GL_EMISSION, m);
    EXPECT_FLOAT_EQ(m[0], 0.25f);
    EXPECT_FLOAT_EQ(m[1], 0.5f);
    EXPECT_FLOAT_EQ(m[2], -0.5f);
}

TEST_F(ShellTest, ReshapeSetsViewportProjectionAndBaseTranslation)
{
    for (auto [w, h] : {std::pair{800, 600}, std::pair{640, 640}, std::pair{1200, 300}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        reshape(w, h);

        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[0], 0);
        EXPECT_EQ(viewport[1], 0);
        EXPECT_EQ(viewport[2], w);
        EXPECT_EQ(viewport[3], h);

        expectMatrixNear(currentMatrix(GL_PROJECTION_MATRIX),
                         perspective(45.0, double(w) / h, 1.0, 300.0), 1e-5f);
        expectMatrixNear(currentMatrix(GL_MODELVIEW_MATRIX), translation(0, 0, -5), 0.0f);

        GLint mode = 0;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        EXPECT_EQ(mode, GL_MODELVIEW);
    }
}

TEST_F(ShellTest, ReshapeToZeroHeightOrWidthKeepsTheProjectionFinite)
{
    for (auto [w, h] : {std::pair{800, 0}, std::pair{0, 0}, std::pair{0, 600}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        reshape(w, h);
        for (GLfloat v : currentMatrix(GL_PROJECTION_MATRIX))
            EXPECT_TRUE(std::isfinite(v));
    }
    reshape(800, 0);
    expectMatrixNear(currentMatrix(GL_PROJECTION_MATRIX), perspective(45.0, 800.0, 1.0, 300.0), 1e-5f);
}

TEST_F(ShellTest, IdleCountsOneFramePerTickAndPrintsEachCount)
{
    initScene();
    theShow().seek(0.0f);
    ::testing::internal::CaptureStdout();
    idle();
    idle();
    idle();
    std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "1.000000\n2.000000\n3.000000\n");
    EXPECT_EQ(theShow().frame(), 3.0f);

    theShow().seek(4199.0f);
    ::testing::internal::CaptureStdout();
    idle();
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "4200.000000\n");
}

TEST_F(ShellTest, KeysOtherThanEscapeChangeNothing)
{
    initScene();
    theShow().seek(123.0f);
    Matrix before = currentMatrix(GL_MODELVIEW_MATRIX);
    ::testing::internal::CaptureStdout();
    for (int key = 0; key < 256; ++key)
        if (key != 27)
            keyboard(static_cast<unsigned char>(key), 10, 20);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(theShow().frame(), 123.0f);
    expectMatrixNear(currentMatrix(GL_MODELVIEW_MATRIX), before, 0.0f);
}

TEST_F(ShellTest, EscapeExitsWithStatusZero)
{
    EXPECT_EXIT(keyboard(27, 0, 0), ::testing::ExitedWithCode(0), "");
}

TEST_F(ShellTest, DisplayClearsAndLeavesTheBaseMatrix)
{
    initScene();
    OffscreenFrame frame(800, 600);
    frame.bind();
    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);

    display();
    Picture picture = Picture::of(frame);
    frame.release();

    // Frame 0's text starts 5 units right of centre, outside the view.
    EXPECT_EQ(picture.inkCount(), 0);
    expectMatrixNear(currentMatrix(GL_MODELVIEW_MATRIX), translation(0, 0, -5), 0.0f);
}

TEST_F(ShellTest, DisplayAtTheEndOfTheShowExitsWithStatusZero)
{
    initScene();
    theShow().seek(4200.0f);
    EXPECT_EXIT(display(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
