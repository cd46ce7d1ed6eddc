#include "bench/process_run.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

ProcessRun runProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment)
{
    std::vector<char*> arguments;
    for (const std::string& argument : argv)
        arguments.push_back(const_cast<char*>(argument.c_str()));
    arguments.push_back(nullptr);

    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));

    ProcessRun run;
    Clock::time_point start = Clock::now();
    pid_t child = fork();
    if (child < 0)
        throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        for (const std::string& variable : environment)
            putenv(const_cast<char*>(variable.c_str()));
        execvp(arguments[0], arguments.data());
        std::fprintf(stderr, "starwhirl-bench: cannot run %s: %s\n", arguments[0], std::strerror(errno));
        _exit(127);
    }
    close(pipeEnds[1]);

    std::string pending;
    char chunk[4096];
    for (;;) {
        ssize_t got = read(pipeEnds[0], chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        double now = millisecondsSince(start);
        pending.append(chunk, size_t(got));
        std::size_t end;
        while ((end = pending.find('\n')) != std::string::npos) {
            run.lines.push_back(pending.substr(0, end));
            run.lineArrivalMs.push_back(now);
            pending.erase(0, end + 1);
        }
    }
    close(pipeEnds[0]);

    int status = 0;
    rusage usage{};
    while (wait4(child, &status, 0, &usage) < 0) {
        if (errno != EINTR)
            throw std::runtime_error(std::string("wait4: ") + std::strerror(errno));
    }
    run.wallMs = millisecondsSince(start);
    run.peakResidentKiB = usage.ru_maxrss;
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}
