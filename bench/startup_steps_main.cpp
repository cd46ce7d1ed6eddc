// Opens the show's window and prints the GL renderer's name, then
// "milliseconds<TAB>step" for each start-up step, timed once in this fresh
// process. starwhirl-bench runs it several times and takes the medians.
#include "app/shell.h"
#include "app/window.h"
#include "bench/startup_breakdown.h"
#include "platform/standard_streams.h"

#include <GL/gl.h>

#include <cstdio>

int main(int, char** argv)
{
    platform::reopenClosedStandardStreams();
    WindowRequest window;
    window.glutArguments = {argv[0]};
    if (auto failure = openWindow(window)) {
        std::fprintf(stderr, "%s\n", failure->line(argv[0]).c_str());
        return 1;
    }
    std::printf("%s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    for (const TimedStep& step : timeStartupOnce())
        std::printf("%.3f\t%s\n", step.ms, step.name.c_str());
    return 0;
}
