#include "app/show.h"
#include "app/timeline.h"
#include "platform/font_system.h"
#include "tests/gl_test.h"

#include <GL/glut.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

// Every test starts from a new show: its GL state and a new cast.
class TimelineTest : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        std::string error;
        show = Show::create(platform::FontContext::screen(), error);
        ASSERT_TRUE(show) << error;
    }

    void TearDown() override
    {
        show.reset();
        GlTest::TearDown();
    }

    // Draws frame `frame` through the show's own frame wrapper into an
    // offscreen frame and returns the picture.
    Picture showFrame(float frame)
    {
        offscreen.bind();
        show->display(frame);
        Picture picture = Picture::of(offscreen);
        offscreen.release();
        return picture;
    }

    // Where the first text quad of a frame starts, in eye coordinates: the
    // frame is drawn in feedback mode under a projection wide enough that
    // nothing is clipped, and the quad's lower-left corner is read back.
    std::pair<float, float> textOrigin(float frame)
    {
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glOrtho(-400, 400, -300, 300, -1000, 1000);  // one unit per pixel
        glMatrixMode(GL_MODELVIEW);

        std::vector<GLfloat> feedback(1 << 20);
        glFeedbackBuffer(GLsizei(feedback.size()), GL_3D, feedback.data());
        glRenderMode(GL_FEEDBACK);
        show->display(frame);
        GLint used = glRenderMode(GL_RENDER);

        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);

        EXPECT_GT(used, 11) << "frame " << frame << " drew nothing";
        if (used <= 11 || feedback[0] != GL_POLYGON_TOKEN)
            return {NAN, NAN};
        // The first glyph quad's first triangle: its smallest x and y are the
        // quad's lower-left corner.
        float x = std::min({feedback[2], feedback[5], feedback[8]});
        float y = std::min({feedback[3], feedback[6], feedback[9]});
        return {x - 400.0f, y - 300.0f};
    }

    OffscreenFrame offscreen{800, 600};
    std::unique_ptr<Show> show;
};

TEST_F(TimelineTest, TheScrollerStartsEachTextAtItsPlaceAndMovesItLeft)
{
    auto [x0, y0] = textOrigin(0);
    EXPECT_NEAR(x0, 5.0f, 1e-4);
    EXPECT_NEAR(y0, -2.0f, 1e-4);
    EXPECT_EQ(show->scroll(), 99.0f);
    EXPECT_NEAR(textOrigin(1).first, 4.95f, 1e-4);
    EXPECT_EQ(show->scroll(), 98.0f);

    Picture blank = showFrame(700);
    EXPECT_EQ(show->scroll(), 90.0f);
    EXPECT_EQ(blank.inkCount(), 0);

    auto [x1, y1] = textOrigin(701);
    EXPECT_NEAR(x1, 6.0f, 1e-4);
    EXPECT_NEAR(y1, -2.0f, 1e-4);
    EXPECT_EQ(show->scroll(), 89.0f);
}

TEST_F(TimelineTest, EachResetFrameIsBlankAndRewindsTheScroller)
{
    for (float frame : {700.0f, 1900.0f, 3000.0f}) {
        show->seek(frame - 1.0f);
        showFrame(frame - 1.0f);
        Picture picture = showFrame(frame);
        EXPECT_EQ(picture.inkCount(), 0) << "frame " << frame;
        EXPECT_EQ(show->scroll(), 90.0f) << "frame " << frame;
        EXPECT_NEAR(textOrigin(frame + 1.0f).first, 6.0f, 1e-4) << "frame " << frame + 1.0f;
    }
}

TEST_F(TimelineTest, AMissedResetFrameLeavesTheScrollerRunning)
{
    show->seek(699.0f);
    float before = show->scroll();
    EXPECT_NEAR(textOrigin(702).first, before * 0.06666667f, 1e-4);
    EXPECT_EQ(show->scroll(), before - 1.0f);
}

TEST_F(TimelineTest, SceneOneShowsTheWelcomeLineOnlyInTheLowerBand)
{
    show->seek(300.0f);
    Picture picture = showFrame(300);

    // The text's quads span 1 to 2 units below the centre, 6 units away.
    double pixelsPerUnit = 300.0 / std::tan(pi / 8.0) / 6.0;
    int top = int(300 + 1.0 * pixelsPerUnit) - 3;
    int bottom = int(300 + 2.0 * pixelsPerUnit) + 3;
    EXPECT_GT(picture.inkCount(0, top, 800, bottom), 2000);
    EXPECT_EQ(picture.inkCount(0, 0, 800, top), 0);
    EXPECT_EQ(picture.inkCount(0, bottom, 800, 600), 0);
}

TEST_F(TimelineTest, SceneTwoShowsTheSpinnerNearTheCentre)
{
    show->seek(999.0f);
    showFrame(999);
    Picture picture = showFrame(1000);
    EXPECT_GT(picture.inkCount(250, 150, 550, 450), 5000);
    EXPECT_GT(picture.inkCount(0, 420, 800, 545), 1000) << "the release note";
}

TEST_F(TimelineTest, ScenesThreeAndFourShowTheSunAndWhiteText)
{
    for (float frame : {2300.0f, 3500.0f}) {
        SCOPED_TRACE(frame);
        show->seek(frame - 1.0f);
        showFrame(frame - 1.0f);
        Picture picture = showFrame(frame);
        EXPECT_TRUE(picture.isInk(400, 300)) << "the Sun at the centre";

        int white = 0;
        for (int y = 430; y < 540; ++y)
            for (int x = 0; x < 800; ++x) {
                const std::uint8_t* p = picture.at(x, y);
                white += p[0] > 230 && p[1] > 230 && p[2] > 230;
            }
        EXPECT_GT(white, 1000);
    }
}

TEST_F(TimelineTest, TheSameFrameFromTheSameStateGivesTheSamePixels)
{
    for (float frame : {300.0f, 1000.0f, 2500.0f, 3500.0f}) {
        SCOPED_TRACE(frame);
        // The frame before sets the colour that scene 2's text takes.
        show->seek(frame - 1.0f);
        showFrame(frame - 1.0f);
        Picture first = showFrame(frame);
        show->seek(frame - 1.0f);
        showFrame(frame - 1.0f);
        Picture second = showFrame(frame);
        EXPECT_GT(first.inkCount(), 1000);
        EXPECT_TRUE(first.rgb == second.rgb);
    }
}

TEST_F(TimelineTest, FromTheLastFrameOnTheShowIsOverAndNothingIsDrawnOrPresented)
{
    offscreen.bind();
    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_TRUE(show->display(4199.0f));
    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    for (float frame : {4200.0f, 4201.0f, 1e9f})
        EXPECT_FALSE(show->display(frame)) << frame;
    Picture picture = Picture::of(offscreen);
    offscreen.release();
    EXPECT_NEAR(picture.at(400, 300)[0], 128, 1) << "a frame past the end must not clear or draw";
    EXPECT_EQ(show->scroll(), 100.0f - 1.0f);
}

}  // namespace
