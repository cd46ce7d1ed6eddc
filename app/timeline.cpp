#include "app/timeline.h"

#include "app/shell.h"
#include "platform/font_context.h"
#include "scene/solar_system.h"
#include "scene/spinner.h"
#include "text/font.h"

#include <GL/gl.h>

#include <cmath>

float scrollX = 100.0f;

SolarSystem* theSolarSystem = nullptr;
Spinner* theSpinner = nullptr;
Font* theFont = nullptr;

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

// Scenes 2 to 4: the text goes under the scene's object. With depth testing
// off it writes no depth, so the object drawn next covers it where they meet.
void drawScrollingText(const char* text)
{
    glPushMatrix();
    glTranslatef(scrollX * 0.06666667f, -2.0f, -1.0f);
    scrollX -= 1.0f;
    glDisable(GL_DEPTH_TEST);
    theFont->print(text);
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
}

}  // namespace

Scene sceneFor(float frame)
{
    if (frame < 700.0f)
        return Scene::intro;
    if (frame == 700.0f)
        return Scene::reset;
    if (frame < 1900.0f)
        return Scene::release;
    if (frame == 1900.0f)
        return Scene::reset;
    if (frame < 3000.0f)
        return Scene::outro;
    if (frame == 3000.0f)
        return Scene::reset;
    if (frame < float(endFrame))
        return Scene::greetings;
    return Scene::end;
}

void createCast()
{
    theSolarSystem = new SolarSystem;
    theSpinner = new Spinner;
    theFont = new TextureFont(platform::FontContext::screen(), "verdana", 128, false, false);
}

void drawFrame()
{
    const float f = frameCount;
    switch (sceneFor(f)) {
    case Scene::intro:
        glPushMatrix();
        glColor3f(float(std::sin(0.05 * f)), float(std::cos(0.01 * f)), float(std::sin(0.03 * f)));
        glTranslatef(scrollX * 0.05f, -2.0f, -1.0f);
        scrollX -= 1.0f;
        theFont->print(introText);
        glPopMatrix();
        break;
    case Scene::reset:
        scrollX = 90.0f;
        break;
    case Scene::release:
        // No colour of its own: the text takes the spinner's from the last frame.
        drawScrollingText(releaseText);
        glTranslatef(0.0f, 0.0f, -1.0f);
        theSpinner->draw(f, 0.5f);
        break;
    case Scene::outro:
    case Scene::greetings:
        drawScrollingText(sceneFor(f) == Scene::outro ? outroText : greetingsText);
        glTranslatef(0.0f, 0.0f, -20.0f);
        theSolarSystem->draw(f, 1.0f);
        break;
    case Scene::end:
        endShow();
    }
}
