#include "app/timeline.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(SceneFor, FramesMapToTheirScenesWithBlankFramesAtTheBoundaries)
{
    struct {
        float frame;
        Scene scene;
    } cases[] = {
        {0, Scene::intro},          {1, Scene::intro},         {699, Scene::intro},
        {699.5f, Scene::intro},     {700, Scene::reset},       {700.5f, Scene::release},
        {701, Scene::release},      {1899, Scene::release},    {1900, Scene::reset},
        {1901, Scene::outro},       {2500, Scene::outro},      {2999, Scene::outro},
        {3000, Scene::reset},       {3001, Scene::greetings},  {4199, Scene::greetings},
        {4200, Scene::end},         {4201, Scene::end},        {1e9f, Scene::end},
        {-1, Scene::intro},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sceneFor(c.frame), c.scene) << "frame " << c.frame;
}

TEST(ScrollerBefore, FollowsTheScrollerOfAShowPlayedFromTheStart)
{
    float scroller = 100.0f;
    for (int frame = 0; frame < endFrame; ++frame) {
        if (sceneFor(float(frame)) == Scene::reset) {
            scroller = 90.0f;
            continue;
        }
        ASSERT_EQ(scrollerBefore(float(frame)), scroller) << "frame " << frame;
        scroller -= 1.0f;
    }
    EXPECT_EQ(scrollerBefore(701.0f), 90.0f);
    EXPECT_EQ(scrollerBefore(4199.0f), 90.0f - (4199.0f - 3001.0f));
}

TEST(SceneTexts, AreWhatTheViewerReadsWithinTheFontsBuffer)
{
    // The font formats into a 256-byte buffer: a text of 256 bytes or more
    // would lose its end.
    EXPECT_EQ(std::strlen(introText), 70u);
    EXPECT_EQ(std::strlen(releaseText), 150u);
    EXPECT_EQ(std::strlen(outroText), 139u);
    EXPECT_EQ(std::strlen(greetingsText), 138u);
}

}  // namespace
