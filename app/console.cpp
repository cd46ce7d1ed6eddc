#include "app/console.h"

#include "platform/process_end.h"
#include "platform/standard_streams.h"

#include <cerrno>
#include <cstdio>

namespace {

bool counterLinesLost = false;

// The window is the show; the counter lines are a log of it. A reader that
// has gone away (SIGPIPE ignored, or we would already be dead) ends the show,
// as nothing can see the log any more; any other failure, such as a full
// disk, is said once and the show goes on, but it no longer ends with 0.
void counterNotWritten(const platform::WriteFailure& failure)
{
    if (failure.readerGone) {
        std::fprintf(stderr, "starwhirl: standard output was closed (%s); ending the show\n", failure.reason.c_str());
        platform::endProcess(1);
    }
    if (!counterLinesLost)
        std::fprintf(stderr, "starwhirl: cannot write the frame counter to standard output (%s); the show goes on\n",
                     failure.reason.c_str());
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
    // Some C runtimes report a failed write only through ferror.
    if (std::printf("%f\n", double(frame)) < 0 || std::ferror(stdout))
        counterNotWritten(platform::lastWriteFailure(errno));
}

void endShow()
{
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        counterNotWritten(platform::lastWriteFailure(errno));
    platform::endProcess(counterLinesLost ? 1 : 0);
}
