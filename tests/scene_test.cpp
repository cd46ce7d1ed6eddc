#include "platform/frame_presenter.h"
#include "scene/solar_system.h"
#include "scene/spinner.h"
#include "tests/gl_test.h"

#include <GL/glu.h>

#include <cmath>

namespace {

class SceneTest : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        frame.bind();
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
    }
    void TearDown() override
    {
        frame.release();
        GlTest::TearDown();
    }

    Picture drawSpinner(Spinner& spinner, float time)
    {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glPushMatrix();
        glTranslatef(0, 0, -1);
        spinner.draw(time, 0.5f);
        glPopMatrix();
        return Picture::of(frame);
    }

    OffscreenFrame frame{800, 600};
    platform::FramePresenter presenter;
};

TEST_F(SceneTest, SpinnerAtTimeZeroDrawsNothingAndLeavesCyan)
{
    Spinner spinner(presenter);
    Picture picture = drawSpinner(spinner, 0.0f);
    EXPECT_EQ(picture.inkCount(), 0);
    auto c = currentColour();
    EXPECT_EQ(c[0], 0.0f);
    EXPECT_EQ(c[1], 1.0f);
    EXPECT_EQ(c[2], 1.0f);
    EXPECT_EQ(spinner.phase, 0.0f);
}

TEST_F(SceneTest, SpinnerDrawsTheSamePictureForTheSameArguments)
{
    Spinner spinner(presenter);
    Picture first = drawSpinner(spinner, 1000.0f);
    float phase = spinner.phase;
    drawSpinner(spinner, 1234.0f);
    Picture second = drawSpinner(spinner, 1000.0f);
    EXPECT_GT(first.inkCount(), 1000);
    EXPECT_EQ(first.rgb, second.rgb);
    EXPECT_EQ(spinner.phase, phase);
    EXPECT_EQ(phase, 500.0f);
}

TEST_F(SceneTest, SpinnerWithNegativeSizeStillDraws)
{
    ASSERT_LT(spinnerPose(200.0f, 0.5f).size, -0.5f);
    Spinner spinner(presenter);
    Picture picture = drawSpinner(spinner, 200.0f);
    EXPECT_GT(picture.inkCount(), 1000);
}

TEST_F(SceneTest, SpinnerMovesTheMatrixWithoutPushing)
{
    Spinner spinner(presenter);
    Matrix before = currentMatrix(GL_MODELVIEW_MATRIX);
    spinner.draw(1000.0f, 0.5f);
    Matrix after = currentMatrix(GL_MODELVIEW_MATRIX);
    EXPECT_NE(before, after);
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
}

TEST_F(SceneTest, SolarSystemLeavesTheFourthPlanetsColourAndTheMatrixItFound)
{
    SolarSystem solarSystem(presenter);
    Matrix before = currentMatrix(GL_MODELVIEW_MATRIX);
    solarSystem.draw(2500.0f, 1.0f);
    EXPECT_EQ(solarSystem.days, 2500.0f);
    auto c = currentColour();
    EXPECT_FLOAT_EQ(c[0], 1.0f);
    EXPECT_FLOAT_EQ(c[1], 0.1f);
    EXPECT_FLOAT_EQ(c[2], 0.1f);
    expectMatrixNear(currentMatrix(GL_MODELVIEW_MATRIX), before, 0.0f);
}

TEST_F(SceneTest, SolarSystemAtDayZeroShowsTheSunAndTheFirstPlanetWhereTheProjectionPutsThem)
{
    SolarSystem solarSystem(presenter);
    glPushMatrix();
    glTranslatef(0, 0, -20);  // 25 units from the eye, as the show draws it
    solarSystem.draw(0.0f, 1.0f);
    glPopMatrix();
    Picture picture = Picture::of(frame);

    // Where a point of the Sun's equator plane lands on screen: it sits
    // 25 units in front of the eye, on the horizontal through the centre.
    auto screenX = [](double x) {
        double f = 1.0 / std::tan(pi / 8.0);
        return 400.0 + 400.0 * (f / (800.0 / 600.0)) * x / 25.0;
    };
    EXPECT_TRUE(picture.isInk(400, 300)) << "the Sun covers the centre";
    EXPECT_TRUE(picture.isInk(int(screenX(2.5)), 300));
    EXPECT_FALSE(picture.isInk(int(screenX(4.5)), 300)) << "gap between Sun and first planet";

    int planetX = int(std::lround(screenX(5.7)));
    int nearby = picture.inkCount(planetX - 3, 297, planetX + 4, 304);
    EXPECT_GE(nearby, 20) << "first planet expected around x = " << planetX;
    // Its radius of 0.3 units is about 9 pixels at this distance.
    EXPECT_EQ(picture.inkCount(planetX + 12, 290, planetX + 40, 310), 0);
}

}  // namespace
