#include "app/video_encoder.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

std::string findProgram(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t colon = dirs.find(':', start);
        std::string dir = dirs.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
        std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
        struct stat info;
        if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(candidate.c_str(), X_OK) == 0)
            return candidate;
        if (colon == std::string::npos)
            break;
        start = colon + 1;
    }
    return {};
}

namespace {

// Where the file name's extension starts, or npos for a name without one (a
// leading dot, as in ".mp4", does not start an extension).
std::size_t extensionStart(const std::string& path)
{
    std::size_t slash = path.rfind('/');
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash) || dot == slash + 1)
        return std::string::npos;
    return dot;
}

// "show.mp4" -> "show.partial.mp4": ffmpeg still sees the container from the
// extension, and the name says the file is not finished.
std::string partialName(const std::string& path)
{
    std::size_t dot = extensionStart(path);
    if (dot == std::string::npos)
        return path + ".partial";
    return path.substr(0, dot) + ".partial" + path.substr(dot);
}

}  // namespace

std::unique_ptr<VideoEncoder> VideoEncoder::start(const std::string& path, int width, int height, int fps,
                                                  std::string& error)
{
    std::string ffmpeg = findProgram("ffmpeg");
    if (ffmpeg.empty()) {
        error = "the ffmpeg program is not installed (Debian package ffmpeg); --video needs it";
        return nullptr;
    }
    std::unique_ptr<VideoEncoder> encoder(new VideoEncoder);
    encoder->path_ = path;
    encoder->partialPath_ = partialName(path);
    encoder->frameBytes_ = std::size_t(width) * height * 3;

    std::string size = std::to_string(width) + "x" + std::to_string(height);
    std::string rate = std::to_string(fps);
    std::vector<std::string> args = {"ffmpeg", "-hide_banner", "-loglevel", "error", "-y",
                                     "-f", "rawvideo", "-pix_fmt", "rgb24", "-s", size, "-r", rate,
                                     "-i", "-", "-an", "-c:v", "libx264", "-pix_fmt", "yuv420p"};
    if (extensionStart(path) == std::string::npos)
        args.insert(args.end(), {"-f", "mp4"});
    args.push_back(encoder->partialPath_);
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    int fds[2];
    if (pipe(fds) != 0) {
        error = std::string("cannot make a pipe to ffmpeg: ") + std::strerror(errno);
        return nullptr;
    }
    pid_t child = fork();
    if (child < 0) {
        error = std::string("cannot start ffmpeg: ") + std::strerror(errno);
        close(fds[0]);
        close(fds[1]);
        return nullptr;
    }
    if (child == 0) {
        dup2(fds[0], STDIN_FILENO);
        close(fds[0]);
        close(fds[1]);
        execv(ffmpeg.c_str(), argv.data());
        std::fprintf(stderr, "starwhirl-capture: cannot run %s: %s\n", ffmpeg.c_str(), std::strerror(errno));
        _exit(127);
    }
    close(fds[0]);
    encoder->pipe_ = fds[1];
    encoder->child_ = child;
    return encoder;
}

VideoEncoder::~VideoEncoder()
{
    abandon();
}

bool VideoEncoder::write(const std::uint8_t* rgbTopDown, std::string& error)
{
    std::size_t written = 0;
    while (written < frameBytes_) {
        ssize_t n = ::write(pipe_, rgbTopDown + written, frameBytes_ - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = "ffmpeg stopped taking frames (" + std::string(std::strerror(errno)) + ")";
            return false;
        }
        written += std::size_t(n);
    }
    return true;
}

int VideoEncoder::closeAndWait()
{
    if (pipe_ >= 0)
        close(pipe_);
    pipe_ = -1;
    int status = -1;
    if (child_ > 0) {
        while (waitpid(child_, &status, 0) < 0 && errno == EINTR) {
        }
    }
    child_ = -1;
    return status;
}

bool VideoEncoder::finish(std::string& error)
{
    int status = closeAndWait();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        error = "ffmpeg could not encode " + path_ + " (see its message above)";
        std::remove(partialPath_.c_str());
        partialPath_.clear();
        return false;
    }
    if (std::rename(partialPath_.c_str(), path_.c_str()) != 0) {
        error = "cannot rename " + partialPath_ + " to " + path_ + ": " + std::strerror(errno);
        std::remove(partialPath_.c_str());
        partialPath_.clear();
        return false;
    }
    partialPath_.clear();
    return true;
}

void VideoEncoder::abandon()
{
    if (child_ > 0)
        kill(child_, SIGTERM);
    closeAndWait();
    if (!partialPath_.empty())
        std::remove(partialPath_.c_str());
    partialPath_.clear();
}
