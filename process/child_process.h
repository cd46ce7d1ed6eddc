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

    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts argv[0] with `environment` ("NAME=value") put over ours.
    // Returns false and says why in `error` when it cannot be started; a
    // program that is not on PATH says so in words.
    bool start(const std::vector<std::string>& argv, Pipe pipe, std::string& error,
               const std::vector<std::string>& environment = {});
    ~ChildProcess();  // closes our end and waits, if wait() was not called

    // Our end of the pipe.
    int pipe() const { return pipe_; }
    pid_t pid() const { return pid_; }
    void closePipe();
    // Closes our end and waits for the program to end. Returns its wait
    // status; `usage` receives what it used, when given.
    int wait(rusage* usage = nullptr);
    void kill(int signal);

private:
    pid_t pid_ = -1;
    int pipe_ = -1;
};
