#pragma once

#include <sys/resource.h>
#include <sys/types.h>

#include <string>
#include <vector>

// A program started with posix_spawnp, found on PATH as a shell would find
// it, with one of its standard streams connected to a pipe of ours. Not
// copied: its one owner waits for the program, and a copy would wait for a
// process that another already reaped, or one with its number reused.
class ChildProcess {
public:
    enum class Pipe { toItsInput, fromItsOutput, fromItsOutputAndErrors };
    // Why a program did not start, for callers that act on it; the words
    // for people go into the `error` text.
    enum class Start { started, notInstalled, failed };

    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts argv[0] with `environment` ("NAME=value") put over ours, and
    // its standard error on `errorsTo` when that is a descriptor (else
    // ours). Says why in `error` when it does not start.
    Start start(const std::vector<std::string>& argv, Pipe pipe, std::string& error,
                const std::vector<std::string>& environment = {}, int errorsTo = -1);
    ~ChildProcess();  // closes our end and waits, if wait() was not called

    // Our end of the pipe.
    int pipe() const { return pipe_; }
    pid_t pid() const { return pid_; }
    void closePipe();
    // Closes our end and waits for the program to end. Returns its wait
    // status; `usage` receives what it used, when given.
    int wait(rusage* usage = nullptr);
    // Whether the program has ended, without waiting; its wait status then
    // goes to `status`.
    bool ended(int& status);
    void kill(int signal);
    // Closes our end, asks the program to end (SIGTERM) and, if it has not
    // within `graceMs`, kills it. Returns its wait status.
    int stop(int graceMs);

private:
    pid_t pid_ = -1;
    int pipe_ = -1;
};
