// The show started the plain way, what its start-up is measured against: the
// font's atlas drawn on the one thread once the window is open, and the
// memory allocator left as the C library sets it up.
//
//   starwhirl-straight   (on an X server; starwhirl-bench ends it after its first line)
#include "app/console.h"
#include "app/shell.h"
#include "app/show.h"
#include "app/startup.h"
#include "app/window.h"
#include "platform/standard_streams.h"

#include <cstdio>
#include <optional>
#include <string>

int main(int, char** argv)
{
    if (platform::reopenClosedStandardStreams().output)
        noteOutputClosed();
    StartupActions startup;
    startup.openWindow = [argv] {
        WindowRequest window;
        window.glutArguments = {argv[0]};
        std::optional<WindowFailure> failure = openWindow(window);
        return failure ? failure->line(argv[0]) : std::string();
    };
    startup.fontStart = PendingGlyphAtlas::Start::whenTaken;
    std::string error;
    std::unique_ptr<Show> show = startShow(startup, error, [](StartupStep step, const std::function<void()>& work) {
        if (step != StartupStep::allocator)
            work();
    });
    if (!show) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    playShow(std::move(show));
    return 0;
}
