// Prints the GL renderer's name, then "milliseconds<TAB>minor faults<TAB>step"
// for each step, timed once in this fresh process. starwhirl-bench runs it
// several times and takes the medians.
//
//   starwhirl-startup-steps          the show's start-up, as its main does it
//   starwhirl-startup-steps --font   the font's steps one after another
#include "bench/startup_breakdown.h"
#include "platform/standard_streams.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    platform::reopenClosedStandardStreams();
    bool fontSteps = argc > 1 && std::strcmp(argv[1], "--font") == 0;
    std::string error;
    std::vector<TimedStep> steps = fontSteps ? timeFontStepsOnce(argv[0], error) : timeStartupOnce(argv[0], error);
    if (!error.empty()) {
        std::fprintf(stderr, "starwhirl-startup-steps: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    for (const TimedStep& step : steps)
        std::printf("%.3f\t%.0f\t%s\n", step.ms, step.minorFaults, step.name.c_str());
    return 0;
}
