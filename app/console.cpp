#include "app/console.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool counterLinesLost = false;

// The window is the show; the counter lines are a log of it. A reader that
// has gone away (SIGPIPE ignored, or we would already be dead) ends the show,
// as nothing can see the log any more; any other failure, such as a full
// disk, is said once and the show goes on, but it no longer ends with 0.
void counterNotWritten(int error)
{
    if (error == EPIPE) {
        std::fprintf(stderr, "starwhirl: standard output was closed (%s); ending the show\n",
                     std::strerror(error));
        std::exit(1);
    }
    if (!counterLinesLost)
        std::fprintf(stderr, "starwhirl: cannot write the frame counter to standard output (%s); the show goes on\n",
                     std::strerror(error));
    counterLinesLost = true;
    std::clearerr(stdout);
}

}  // namespace

void noteOutputClosed()
{
    std::fprintf(stderr, "starwhirl: standard output is closed; the frame counter is not written, the show goes on\n");
    counterLinesLost = true;
}

void logFrame(float frame)
{
    if (std::printf("%f\n", double(frame)) < 0)
        counterNotWritten(errno);
}

void endShow()
{
    if (std::fflush(stdout) != 0)
        counterNotWritten(errno);
    std::exit(counterLinesLost ? 1 : 0);
}
