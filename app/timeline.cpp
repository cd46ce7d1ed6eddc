#include "app/timeline.h"

constexpr char introText[] = "Put on your headphones and your favorite tune.....Ready?.....Let's go!";
constexpr char releaseText[] =
    "Combined Demo released @ Grindvale 2003 by tovik   This is my first OpenGL demo made with "
    "GLUT and inspired by Quelmar's 3D Coding tutorial yesterday.";
constexpr char outroText[] =
    "'nuff said because the demo is just about to end. and I had no more time coding anyway. "
    "oh....I almost forgot something......the greetz....";
constexpr char greetingsText[] =
    "Pendro, vek, Ashfern, Tiku, lurva, ziro, Quelmar, v0idw4lk, Rel7 ,KRXSignal, GV Crew, "
    "#midnightpixelpusherclub       WHOOOOOOOOOOOOOOOOOA!";

namespace {

// The texts are handed to print as formats, so a '%' would read arguments
// that are not there.
constexpr bool hasNoConversions(const char* text)
{
    return *text == '\0' || (*text != '%' && hasNoConversions(text + 1));
}
static_assert(hasNoConversions(introText) && hasNoConversions(releaseText) &&
              hasNoConversions(outroText) && hasNoConversions(greetingsText));

}  // namespace

Scene sceneFor(float frame)
{
    if (frame < resetFrames[0])
        return Scene::intro;
    if (frame == resetFrames[0])
        return Scene::reset;
    if (frame < resetFrames[1])
        return Scene::release;
    if (frame == resetFrames[1])
        return Scene::reset;
    if (frame < resetFrames[2])
        return Scene::outro;
    if (frame == resetFrames[2])
        return Scene::reset;
    if (frame < float(endFrame))
        return Scene::greetings;
    return Scene::end;
}

float scrollerBefore(float frame)
{
    float start = 100.0f;
    float firstText = 0.0f;
    for (float reset : resetFrames)
        if (frame > reset) {
            start = 90.0f;
            firstText = reset + 1.0f;
        }
    return start - (frame - firstText);
}

int presentationsFor(Scene scene)
{
    switch (scene) {
    case Scene::intro:
    case Scene::reset:
        return 1;
    case Scene::release:
    case Scene::outro:
    case Scene::greetings:
        return 2;
    case Scene::end:
        break;
    }
    return 0;
}
