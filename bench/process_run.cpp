#include "bench/process_run.h"

#include "process/child_process.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <stdexcept>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void startChild(ChildProcess& child, const std::vector<std::string>& argv,
                const std::vector<std::string>& environment)
{
    std::string error;
    if (child.start(argv, ChildProcess::Pipe::fromItsOutput, error, environment) != ChildProcess::Start::started)
        throw std::runtime_error(error);
}

// Reads the child's lines as they come, until it closes its output or has
// written `wanted` lines (0: no limit).
void readLines(ChildProcess& child, Clock::time_point start, std::size_t wanted, ProcessRun& run)
{
    std::string pending;
    char chunk[4096];
    for (;;) {
        ssize_t got = read(child.pipe(), chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return;
        double now = millisecondsSince(start);
        pending.append(chunk, size_t(got));
        std::size_t end;
        while ((end = pending.find('\n')) != std::string::npos) {
            run.lines.push_back(pending.substr(0, end));
            run.lineArrivalMs.push_back(now);
            pending.erase(0, end + 1);
        }
        if (wanted > 0 && run.lines.size() >= wanted)
            return;
    }
}

}  // namespace

ProcessRun runProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment)
{
    ProcessRun run;
    Clock::time_point start = Clock::now();
    ChildProcess child;
    startChild(child, argv, environment);
    readLines(child, start, 0, run);

    rusage usage{};
    int status = child.wait(&usage);
    run.wallMs = millisecondsSince(start);
    run.peakResidentKiB = usage.ru_maxrss;
    run.minorFaults = usage.ru_minflt;
    auto ms = [](const timeval& time) { return double(time.tv_sec) * 1000.0 + double(time.tv_usec) / 1000.0; };
    run.userMs = ms(usage.ru_utime);
    run.systemMs = ms(usage.ru_stime);
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

ProcessRun runToFirstLine(const std::vector<std::string>& argv)
{
    ProcessRun run;
    Clock::time_point start = Clock::now();
    ChildProcess child;
    startChild(child, argv, {});
    readLines(child, start, 1, run);
    int status = child.stop(2000);
    run.wallMs = millisecondsSince(start);
    // Ended by us once it has spoken: only a program that ended before its
    // first line failed.
    run.exitStatus = run.lines.empty() ? (WIFEXITED(status) ? WEXITSTATUS(status) : -1) : 0;
    return run;
}
