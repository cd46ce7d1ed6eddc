#include "capture/video_encoder.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

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
    if (!encoder->ffmpeg_.start(args, ChildProcess::Pipe::toItsInput, error)) {
        if (error.find("not installed") != std::string::npos)
            error = "the ffmpeg program is not installed (Debian package ffmpeg); --video needs it";
        return nullptr;
    }
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
        ssize_t n = ::write(ffmpeg_.pipe(), rgbTopDown + written, frameBytes_ - written);
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

bool VideoEncoder::finish(std::string& error)
{
    int status = ffmpeg_.wait();
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
    ffmpeg_.kill(SIGTERM);
    ffmpeg_.wait();
    if (!partialPath_.empty())
        std::remove(partialPath_.c_str());
    partialPath_.clear();
}
