// Stands in for ffmpeg when the capture bench runs the capture: runs the real
// ffmpeg with the same arguments and appends the CPU seconds it used
// (user + system) as a line to the file STARWHIRL_METER_LOG names, so that the
// bench can tell the capture's own time from its encoder's.
//
//   ffmpeg ARGS...   (a link to this program, first in PATH; STARWHIRL_METER_PATH
//                     holds the PATH in which the real ffmpeg is found)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int, char** argv)
{
    const char* log = std::getenv("STARWHIRL_METER_LOG");
    const char* path = std::getenv("STARWHIRL_METER_PATH");
    if (!log || !path) {
        std::fprintf(stderr, "starwhirl-encoder-meter: run only by starwhirl-capture-bench "
                             "(STARWHIRL_METER_LOG and STARWHIRL_METER_PATH are not set)\n");
        return 1;
    }
    setenv("PATH", path, 1);
    pid_t child = fork();
    if (child < 0) {
        std::fprintf(stderr, "starwhirl-encoder-meter: cannot start ffmpeg: %s\n", std::strerror(errno));
        return 1;
    }
    if (child == 0) {
        execvp("ffmpeg", argv);
        std::fprintf(stderr, "starwhirl-encoder-meter: cannot run ffmpeg: %s\n", std::strerror(errno));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    while (wait4(child, &status, 0, &usage) < 0) {
        if (errno != EINTR) {
            std::fprintf(stderr, "starwhirl-encoder-meter: lost ffmpeg: %s\n", std::strerror(errno));
            return 1;
        }
    }
    auto seconds = [](const timeval& time) { return double(time.tv_sec) + double(time.tv_usec) / 1e6; };
    FILE* file = std::fopen(log, "a");
    if (!file || std::fprintf(file, "%.3f\n", seconds(usage.ru_utime) + seconds(usage.ru_stime)) < 0 ||
        std::fclose(file) != 0) {
        std::fprintf(stderr, "starwhirl-encoder-meter: cannot write %s: %s\n", log, std::strerror(errno));
        return 1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
