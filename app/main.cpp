#include "app/command_line.h"
#include "app/console.h"
#include "app/memory_shortage.h"
#include "app/copyright.h"
#include "app/shell.h"
#include "app/show.h"
#include "app/startup.h"
#include "app/window.h"
#include "platform/memory_room.h"
#include "platform/standard_streams.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
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

    if (platform::reopenClosedStandardStreams().output)
        noteOutputClosed();
    std::optional<WindowFailure> failure;
    StartupActions startup;
    startup.openWindow = [&] {
        WindowRequest window;
        window.size = options.window;
        if (!options.windowOption.empty())
            window.sizeOption = options.windowOption;
        window.fullscreen = options.fullscreen;
        window.glutArguments = options.glutArguments;
        failure = openWindow(window);
        return failure ? failure->line(argc > 0 ? argv[0] : "starwhirl") : std::string();
    };
    std::unique_ptr<Show> show = startShow(startup, error);
    if (failure) {
        std::fprintf(stderr, "%s\n", error.c_str());
        if (failure->noDisplay)
            std::fprintf(stderr, "starwhirl: the show needs an X display: set DISPLAY to one, or play it on a "
                                 "virtual X server with `xvfb-run starwhirl`\n");
        std::string shortage = shortOfMemory("OpenGL could not start", platform::memoryRoom());
        if (failure->status == 1 && !failure->noDisplay && !shortage.empty())
            std::fprintf(stderr, "starwhirl: %s\n", shortage.c_str());
        return failure->status;
    }
    if (!show) {
        std::fprintf(stderr, "starwhirl: %s\n", error.c_str());
        std::string shortage = shortOfMemory("the show could not start", platform::memoryRoom());
        if (!shortage.empty())
            std::fprintf(stderr, "starwhirl: %s\n", shortage.c_str());
        return 1;
    }
    playShow(std::move(show));
    return 0;
}
