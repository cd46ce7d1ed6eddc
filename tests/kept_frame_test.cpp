#include "platform/kept_frame.h"
#include "tests/gl_test.h"

#include <GL/glut.h>

namespace {

class KeptFrameTest : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        frame.bind();
    }
    void TearDown() override
    {
        frame.release();
        GlTest::TearDown();
    }

    // A lit sphere over a clear colour: smooth shading, so neighbouring
    // pixels differ and a copy shifted by one shows.
    void drawSomething(float red)
    {
        glClearColor(red, 0.2f, 0.3f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        glutSolidSphere(1.5, 32, 32);
    }

    void overwrite()
    {
        glClearColor(1.0f / 255, 254.0f / 255, 3.0f / 255, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    OffscreenFrame frame{800, 600};
    platform::KeptFrame kept;
};

TEST_F(KeptFrameTest, PutsBackEveryPixelAndTheDrawingStateAsTheyWere)
{
    drawSomething(0.1f);
    Picture drawn = Picture::of(frame);

    // State of the kind the show keeps from frame to frame.
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glEnable(GL_BLEND);
    glEnable(GL_COLOR_MATERIAL);
    glColor3f(0.25f, 0.5f, 0.75f);
    glViewport(10, 20, 300, 200);
    glMatrixMode(GL_PROJECTION);
    Matrix projection = currentMatrix(GL_PROJECTION_MATRIX);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(1.0f, 2.0f, 3.0f);
    Matrix modelView = currentMatrix(GL_MODELVIEW_MATRIX);

    kept.keep(800, 600);
    overwrite();
    kept.restore();
    EXPECT_TRUE(Picture::of(frame).rgb == drawn.rgb) << "the frame put back differs from the frame kept";

    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    GLint bound = 0, mode = 0, viewport[4] = {};
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(GLuint(bound), texture);
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 10);
    EXPECT_EQ(viewport[3], 200);
    auto colour = currentColour();
    EXPECT_EQ(colour[0], 0.25f);
    EXPECT_EQ(colour[2], 0.75f);
    expectMatrixNear(currentMatrix(GL_MODELVIEW_MATRIX), modelView, 0.0f);
    expectMatrixNear(currentMatrix(GL_PROJECTION_MATRIX), projection, 0.0f);

    glDeleteTextures(1, &texture);
}

TEST_F(KeptFrameTest, AWindowThatGrowsBetweenFramesIsKeptWhole)
{
    drawSomething(0.1f);
    kept.keep(400, 300);
    kept.restore();

    drawSomething(0.6f);
    Picture drawn = Picture::of(frame);
    kept.keep(800, 600);
    overwrite();
    kept.restore();
    EXPECT_TRUE(Picture::of(frame).rgb == drawn.rgb) << "the frame put back differs from the frame kept";
}

}  // namespace
