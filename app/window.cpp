#include "app/window.h"

#include "platform/window_system.h"

#include <GL/freeglut.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

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

}  // namespace

void openWindow(int* argc, char** argv)
{
    if (*argc > 0)
        programName = argv[0];
    std::string problem = platform::prepareWindowSystem();
    if (!problem.empty()) {
        std::fprintf(stderr, "starwhirl: %s\n", problem.c_str());
        std::exit(1);
    }
    glutInitErrorFunc(glutFailed);
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(800, 600);
    glutInitWindowPosition(200, 100);
    glutCreateWindow("starwhirl");
}
