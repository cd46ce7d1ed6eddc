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

TEST(SceneTexts, AreExactlyTheShowsWordsWithTheirSpacing)
{
    EXPECT_EQ(std::strlen(introText), 70u);
    EXPECT_EQ(std::strlen(releaseText), 150u);
    EXPECT_EQ(std::strlen(outroText), 139u);
    EXPECT_EQ(std::strlen(greetingsText), 138u);

    // Runs of spaces and the space before a comma are part of the texts.
    EXPECT_STREQ(introText, "Put on your headphones and your favorite tune.....Ready?.....Let's go!");
    EXPECT_STREQ(releaseText,
                 "Combined Demo released @ Grindvale 2003 by tovik   This is my first OpenGL demo "
                 "made with GLUT and inspired by Quelmar's 3D Coding tutorial yesterday.");
    EXPECT_STREQ(outroText,
                 "'nuff said because the demo is just about to end. and I had no more time coding "
                 "anyway. oh....I almost forgot something......the greetz....");
    EXPECT_STREQ(greetingsText,
                 "Pendro, vek, Ashfern, Tiku, lurva, ziro, Quelmar, v0idw4lk, Rel7 ,KRXSignal, GV "
                 "Crew, #midnightpixelpusherclub       WHOOOOOOOOOOOOOOOOOA!");
}

}  // namespace
