#include "app/show.h"

#include "app/timeline.h"
#include "platform/font_system.h"

#include <GL/glut.h>

#include <algorithm>
#include <cmath>

PendingGlyphAtlas Show::font(PendingGlyphAtlas::FontContextSource fonts, PendingGlyphAtlas::Start start,
                             std::function<void()> afterwards)
{
    return PendingGlyphAtlas(std::move(fonts), fontRequest(), start, std::move(afterwards));
}

std::unique_ptr<Show> Show::create(PendingGlyphAtlas font, std::string& error)
{
    std::unique_ptr<Show> show(new Show);
    std::unique_ptr<GlyphAtlas> atlas = font.take(error);
    if (!atlas)
        return nullptr;
    show->theFont = TextureFont::create(std::move(atlas), error);
    if (!show->theFont)
        return nullptr;
    return show;
}

std::unique_ptr<Show> Show::create(platform::FontContext& fonts, std::string& error)
{
    return create(font([&fonts]() -> platform::FontContext& { return fonts; }, PendingGlyphAtlas::Start::whenTaken),
                  error);
}

Show::Show()
{
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);

    // The enable must come before the selection: at the enable the default
    // tracking (ambient and diffuse) takes the still-white current colour, so
    // both stay white for the whole run and glColor later sets only emission.
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT, GL_EMISSION);

    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);

    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glEnable(GL_LINE_SMOOTH);

    theSolarSystem = std::make_unique<SolarSystem>(presenter);
    theSpinner = std::make_unique<Spinner>(presenter);
}

void Show::reshape(int width, int height)
{
    glViewport(0, 0, width, height);

    // A minimised window reports 0 × 0 or w × 0; counting each side as at
    // least one pixel keeps the aspect ratio, and so the projection, finite.
    double aspect = double(std::max(width, 1)) / double(std::max(height, 1));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, aspect, 1.0, 300.0);

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -5.0f);
}

void Show::seek(float frame)
{
    frameCount = frame;
    scrollX = scrollerBefore(frame);
}

bool Show::display(float frame)
{
    Scene scene = sceneFor(frame);
    if (scene == Scene::end)
        return false;
    presenter.beginFrame(presentationsFor(scene));
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    drawFrame(frame, scene);
    glPopMatrix();
    presenter.present();
    return true;
}

// Scenes 2 to 4: the text goes under the scene's object. With depth testing
// off it writes no depth, so the object drawn next covers it where they meet.
void Show::drawScrollingText(const char* text)
{
    glPushMatrix();
    glTranslatef(scrollX * 0.06666667f, -2.0f, -1.0f);
    scrollX -= 1.0f;
    glDisable(GL_DEPTH_TEST);
// The show's texts are print's format, as they always were; each is checked
// at compile time to hold no conversion (app/timeline.cpp).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-security"
    theFont->print(text);
#pragma GCC diagnostic pop
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
}

void Show::drawFrame(float f, Scene scene)
{
    switch (scene) {
    case Scene::intro:
        glPushMatrix();
        glColor3f(float(std::sin(0.05 * f)), float(std::cos(0.01 * f)), float(std::sin(0.03 * f)));
        glTranslatef(scrollX * 0.05f, -2.0f, -1.0f);
        scrollX -= 1.0f;
// As above: a text checked to hold no conversion, handed to print as its format.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-security"
        theFont->print(introText);
#pragma GCC diagnostic pop
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
        drawScrollingText(scene == Scene::outro ? outroText : greetingsText);
        glTranslatef(0.0f, 0.0f, -20.0f);
        theSolarSystem->draw(f, 1.0f);
        break;
    case Scene::end:
        break;
    }
}
