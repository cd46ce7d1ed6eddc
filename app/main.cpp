#include "app/command_line.h"
#include "app/console.h"
#include "app/copyright.h"
#include "app/shell.h"
#include "app/window.h"
#include "platform/allocator.h"
#include "platform/standard_streams.h"

#include <GL/glut.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

int printText(const char* text)
{
    if (std::fputs(text, stdout) < 0 || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "starwhirl: cannot write to standard output: %s\n", std::strerror(errno));
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    ShowOptions options;
    std::string error = parseShowOptions({argv, argv + argc}, options);
    if (!error.empty()) {
        std::fprintf(stderr, "starwhirl: %s\n", error.c_str());
        return 2;
    }
    if (options.help)
        return printText(showUsage);
    if (options.version)
        return printText((std::string("starwhirl " STARWHIRL_VERSION "\n") + copyrightNotice).c_str());

    platform::prepareAllocator();
    if (platform::reopenClosedStandardStreams().output)
        noteOutputClosed();
    prepareScene();
    WindowRequest window;
    window.size = options.window;
    window.fullscreen = options.fullscreen;
    window.glutArguments = options.glutArguments;
    if (auto failure = openWindow(window)) {
        std::fprintf(stderr, "%s\n", failure->line(argc > 0 ? argv[0] : "starwhirl").c_str());
        if (failure->noDisplay)
            std::fprintf(stderr, "starwhirl: the show needs an X display: set DISPLAY to one, or play it on a "
                                 "virtual X server with `xvfb-run starwhirl`\n");
        return 1;
    }

    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutIdleFunc(idle);
    glutKeyboardFunc(keyboard);
    glutWindowStatusFunc(windowStatus);

    initScene();
    glutMainLoop();
    return 0;
}
