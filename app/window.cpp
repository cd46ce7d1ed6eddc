#include "app/window.h"

#include "platform/window_system.h"

#include <GL/freeglut.h>
#include <GL/glext.h>

#include <algorithm>
#include <csetjmp>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int windowX = 200;
constexpr int windowY = 100;

std::jmp_buf* opening = nullptr;
char glutMessage[512];

// GLUT's errors are fatal: when a handler returns, GLUT carries on as if
// nothing happened and crashes. While the window is being opened, a failure
// goes back to openWindow, which returns it; only GLUT's own C frames are
// left behind, and nothing in them needs undoing.
void glutFailed(const char* format, va_list arguments)
{
    std::vsnprintf(glutMessage, sizeof glutMessage, format, arguments);
    std::longjmp(*opening, 1);
}

}  // namespace

std::optional<WindowFailure> openWindow(const WindowRequest& request)
{
    std::string problem = platform::prepareWindowSystem();
    if (!problem.empty())
        return WindowFailure{"", false, request.title + ": " + problem};

    std::vector<std::string> arguments = request.glutArguments;
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    int argc = int(arguments.size());

    std::jmp_buf back;
    opening = &back;
    if (setjmp(back) != 0) {
        glutInitErrorFunc(nullptr);
        return WindowFailure{glutMessage, std::strncmp(glutMessage, "failed to open display", 22) == 0, ""};
    }
    glutInitErrorFunc(glutFailed);
    glutInitWindowSize(request.size.width, request.size.height);
    // freeglut fills the screen by moving the window to minus its offset in
    // its parent, meant for a window manager's frame; on an X server without
    // one the parent is the screen, so only a window at (0, 0) ends up on it.
    if (request.fullscreen)
        glutInitWindowPosition(0, 0);
    else
        glutInitWindowPosition(windowX, windowY);
    glutInit(&argc, argv.data());
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    int window = glutCreateWindow(request.title.c_str());
    // A screen-filling window is as large as the screen, which every driver
    // draws. Beyond its limits a driver may draw nothing for minutes or take
    // the X connection down with its first frame.
    std::string tooLarge = request.fullscreen ? "" : checkSizeFitsDriver(request.sizeOption, request.size, largestDrawable());
    if (!tooLarge.empty()) {
        glutDestroyWindow(window);
        glutInitErrorFunc(nullptr);
        return WindowFailure{"", false, request.title + ": " + tooLarge, 2};
    }
    if (request.fullscreen)
        glutFullScreen();
    // From here on an error of GLUT's ends the program the way GLUT ends it:
    // its line on stderr and status 1.
    glutInitErrorFunc(nullptr);
    return std::nullopt;
}

WindowSize largestDrawable()
{
    GLint viewport[2] = {0, 0};
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
    WindowSize largest{viewport[0], viewport[1]};
    // Drivers without framebuffer objects (OpenGL 1.x) leave it 0 and note
    // an error, which is theirs to note, not the show's.
    GLint renderbuffer = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &renderbuffer);
    if (renderbuffer == 0)
        glGetError();
    if (renderbuffer > 0)
        largest = {std::min(largest.width, int(renderbuffer)), std::min(largest.height, int(renderbuffer))};
    return largest;
}
