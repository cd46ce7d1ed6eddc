#include "app/shell.h"

#include "app/console.h"
#include "app/show.h"
#include "platform/font_system.h"

#include <GL/freeglut.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char* programName = "starwhirl";

// GLUT's own words first, as it would print them, then what to do about it.
// GLUT's errors are fatal, and with a handler of ours GLUT leaves the ending
// to us.
void glutFailed(const char* format, va_list arguments)
{
    std::fprintf(stderr, "freeglut (%s): ", programName);
    std::vfprintf(stderr, format, arguments);
    std::fputc('\n', stderr);
    if (std::strncmp(format, "failed to open display", 22) == 0)
        std::fprintf(stderr, "starwhirl: the show needs an X display: set DISPLAY to one, or start it with "
                             "`make run`, which plays it on a private virtual X server (Xvfb) when there is none\n");
    std::exit(1);
}

// GLUT's callbacks carry no pointer of ours. Not destroyed at exit: the GL
// context its font lives in may already be gone by then.
Show* show = nullptr;

}  // namespace

void openWindow(int* argc, char** argv)
{
    if (*argc > 0)
        programName = argv[0];
    glutInitErrorFunc(glutFailed);
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(800, 600);
    glutInitWindowPosition(200, 100);
    glutCreateWindow("starwhirl");
}

void initScene()
{
    delete show;
    show = new Show(platform::FontContext::screen());
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
