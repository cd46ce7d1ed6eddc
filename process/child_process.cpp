#include "process/child_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

extern char** environ;

namespace {

// Ours, with every variable that `extra` sets replaced by its value there.
std::vector<std::string> mergedEnvironment(const std::vector<std::string>& extra)
{
    std::vector<std::string> merged;
    for (char** variable = environ; *variable; ++variable) {
        std::string entry = *variable;
        std::string name = entry.substr(0, entry.find('=') + 1);
        bool replaced = false;
        for (const std::string& e : extra)
            replaced = replaced || e.compare(0, name.size(), name) == 0;
        if (!replaced)
            merged.push_back(entry);
    }
    merged.insert(merged.end(), extra.begin(), extra.end());
    return merged;
}

std::vector<char*> pointers(std::vector<std::string>& strings)
{
    std::vector<char*> result;
    for (std::string& s : strings)
        result.push_back(s.data());
    result.push_back(nullptr);
    return result;
}

}  // namespace

ChildProcess::Start ChildProcess::start(const std::vector<std::string>& argv, Pipe direction, std::string& error,
                                        const std::vector<std::string>& environment, int errorsTo)
{
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) {
        error = "cannot make a pipe to " + argv[0] + ": " + std::strerror(errno);
        return Start::failed;
    }
    bool toInput = direction == Pipe::toItsInput;
    int theirs = toInput ? ends[0] : ends[1];
    int ours = toInput ? ends[1] : ends[0];

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // dup2 clears close-on-exec on the copy; the originals close at exec.
    posix_spawn_file_actions_adddup2(&actions, theirs, toInput ? STDIN_FILENO : STDOUT_FILENO);
    if (direction == Pipe::fromItsOutputAndErrors)
        posix_spawn_file_actions_adddup2(&actions, theirs, STDERR_FILENO);
    else if (errorsTo >= 0)
        posix_spawn_file_actions_adddup2(&actions, errorsTo, STDERR_FILENO);

    std::vector<std::string> args = argv;
    std::vector<std::string> env = mergedEnvironment(environment);
    int status = posix_spawnp(&pid_, args[0].c_str(), &actions, nullptr, pointers(args).data(),
                              pointers(env).data());
    posix_spawn_file_actions_destroy(&actions);
    close(theirs);
    if (status != 0) {
        close(ours);
        pid_ = -1;
        if (status == ENOENT) {
            error = "the " + argv[0] + " program is not installed or not on PATH";
            return Start::notInstalled;
        }
        error = "cannot run " + argv[0] + ": " + std::strerror(status);
        return Start::failed;
    }
    pipe_ = ours;
    return Start::started;
}

ChildProcess::~ChildProcess()
{
    if (pid_ > 0)
        wait();
}

void ChildProcess::closePipe()
{
    if (pipe_ >= 0)
        close(pipe_);
    pipe_ = -1;
}

int ChildProcess::wait(rusage* usage)
{
    closePipe();
    int status = -1;
    if (pid_ > 0) {
        rusage ignored{};
        while (wait4(pid_, &status, 0, usage ? usage : &ignored) < 0 && errno == EINTR) {
        }
    }
    pid_ = -1;
    return status;
}

bool ChildProcess::ended(int& status)
{
    if (pid_ <= 0)
        return true;
    pid_t got;
    while ((got = waitpid(pid_, &status, WNOHANG)) < 0 && errno == EINTR) {
    }
    if (got == 0)
        return false;
    pid_ = -1;
    return true;
}

int ChildProcess::stop(int graceMs)
{
    closePipe();
    int status = -1;
    kill(SIGTERM);
    for (int waited = 0; waited < graceMs; waited += 10) {
        if (ended(status))
            return status;
        usleep(10 * 1000);
    }
    kill(SIGKILL);
    return wait();
}

void ChildProcess::kill(int signal)
{
    if (pid_ > 0)
        ::kill(pid_, signal);
}
