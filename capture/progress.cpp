#include "capture/progress.h"

#include <cmath>
#include <cstdio>
#include <unistd.h>

std::string progressLine(int done, int total, double elapsedSeconds)
{
    double percent = total > 0 ? 100.0 * done / total : 100.0;
    char line[160];
    if (done <= 0 || elapsedSeconds <= 0.0) {
        std::snprintf(line, sizeof line, "frames %d/%d (%.1f%%)", done, total, percent);
        return line;
    }
    double rate = done / elapsedSeconds;
    long left = std::lround((total - done) / rate);
    std::snprintf(line, sizeof line, "frames %d/%d (%.1f%%), %.1f frames/s, %ld s left", done, total,
                  percent, rate, left);
    return line;
}

Progress::Progress(int total)
    : total_(total), terminal_(isatty(STDERR_FILENO) != 0), start_(Clock::now()), lastReport_(start_)
{
}

double Progress::secondsSince(Clock::time_point then) const
{
    return std::chrono::duration<double>(Clock::now() - then).count();
}

void Progress::update(int done)
{
    lastDone_ = done;
    double sinceReport = secondsSince(lastReport_);
    if (sinceReport < (terminal_ ? 0.2 : 5.0))
        return;
    lastReport_ = Clock::now();
    std::string line = progressLine(done, total_, secondsSince(start_));
    if (terminal_)
        std::fprintf(stderr, "\r%s\033[K", line.c_str());
    else
        std::fprintf(stderr, "%s\n", line.c_str());
}

void Progress::finish()
{
    std::string line = progressLine(lastDone_, total_, secondsSince(start_));
    std::fprintf(stderr, terminal_ ? "\r%s\033[K\n" : "%s\n", line.c_str());
}
