#include "app/shell.h"

#include "app/console.h"
#include "app/memory_shortage.h"
#include "app/show.h"
#include "platform/font_system.h"
#include "platform/memory_room.h"
#include "platform/process_end.h"

#include <GL/glut.h>

#include <cstdio>
#include <optional>
#include <string>

namespace {

// GLUT's callbacks carry no pointer of ours. Not destroyed at exit: the GL
// context its font lives in may already be gone by then.
Show* show = nullptr;
// The font prepareScene started, until initScene takes it.
std::optional<PendingGlyphAtlas> pendingFont;

}  // namespace

void prepareScene()
{
    pendingFont.emplace(Show::font(platform::FontContext::screen, PendingGlyphAtlas::Start::beside));
}

void initScene()
{
    PendingGlyphAtlas font = pendingFont ? std::move(*pendingFont)
                                         : Show::font(platform::FontContext::screen, PendingGlyphAtlas::Start::whenTaken);
    pendingFont.reset();
    std::string error;
    std::unique_ptr<Show> made = Show::create(std::move(font), error);
    if (!made) {
        std::fprintf(stderr, "starwhirl: %s\n", error.c_str());
        std::string shortage = shortOfMemory("the show could not start", platform::memoryRoom());
        if (!shortage.empty())
            std::fprintf(stderr, "starwhirl: %s\n", shortage.c_str());
        platform::endProcess(1);
    }
    delete show;
    show = made.release();
}

Show& theShow()
{
    return *show;
}

void display()
{
    if (!show->display())
        endShow();
}

void reshape(int width, int height)
{
    Show::reshape(width, height);
}

void idle()
{
    float frame = show->tick();
    glutPostRedisplay();
    logFrame(frame);
}

void windowStatus(int state)
{
    // GLUT does not call display for a window that is unmapped, minimised or
    // wholly covered. A clock left running would count frames nobody sees, as
    // fast as the CPU allows, and pass the end without noticing; so the show
    // waits until the window can be seen again.
    bool unseen = state == GLUT_HIDDEN || state == GLUT_FULLY_COVERED;
    glutIdleFunc(unseen ? nullptr : idle);
}

void keyboard(unsigned char key, int, int)
{
    if (key == 27)
        endShow();
}
