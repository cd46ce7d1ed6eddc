#include "capture/video_encoder.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <vector>

namespace {

const char ffmpegMissing[] = "the ffmpeg program is not installed (Debian package ffmpeg); --video needs it";

bool hasExtension(const std::string& path)
{
    std::size_t slash = path.rfind('/');
    std::size_t dot = path.rfind('.');
    std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    return dot != std::string::npos && dot > nameStart;
}

// The arguments after which ffmpeg writes its video to `partial`. The file:
// prefix makes any name a file name, even one that starts with "-".
std::vector<std::string> outputArguments(const std::string& target, const std::string& partial)
{
    std::vector<std::string> args = {"-an", "-c:v", "libx264", "-pix_fmt", "yuv420p"};
    if (!hasExtension(target))
        args.insert(args.end(), {"-f", "mp4"});
    args.insert(args.end(), {"-y", "file:" + partial});
    return args;
}

void replaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); !from.empty() && at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

}  // namespace

std::string VideoEncoder::checkTarget(const std::string& path)
{
    struct stat info;
    if (!path.empty() && path.back() == '/')
        return "--video " + path + " names a folder; give a file name such as " + path + "show.mp4";
    if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        return "--video " + path + " is a folder; give a file name such as " + path + "/show.mp4";

    std::string error;
    TemporaryFile trial;
    if (!trial.create(path, error))
        return error;
    std::vector<std::string> args = {"ffmpeg", "-hide_banner", "-loglevel", "error", "-f", "lavfi",
                                     "-i", "color=size=16x16:duration=0.04", "-frames:v", "1"};
    std::vector<std::string> output = outputArguments(path, trial.path());
    args.insert(args.end(), output.begin(), output.end());
    ChildProcess ffmpeg;
    if (!ffmpeg.start(args, ChildProcess::Pipe::fromItsOutputAndErrors, error))
        return error.find("not installed") != std::string::npos ? ffmpegMissing : error;
    std::string said;
    char chunk[512];
    ssize_t got;
    while ((got = read(ffmpeg.pipe(), chunk, sizeof chunk)) > 0 || (got < 0 && errno == EINTR))
        said.append(chunk, std::size_t(std::max<ssize_t>(got, 0)));
    int status = ffmpeg.wait();
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return {};
    // ffmpeg speaks of the trial file; the user knows the name they gave.
    replaceAll(said, "file:" + trial.path(), path);
    replaceAll(said, trial.path(), path);
    // Its first line says what is wrong; the rest say what failed after.
    std::string reason = said.substr(0, said.find('\n'));
    if (reason.size() > 1 && reason[0] == '[' && reason.find("] ") != std::string::npos)
        reason.erase(0, reason.find("] ") + 2);
    return "ffmpeg cannot write a video named " + path + (reason.empty() ? "" : " (it says: " + reason + ")");
}

std::unique_ptr<VideoEncoder> VideoEncoder::start(const std::string& path, int width, int height, int fps,
                                                  std::string& error)
{
    std::unique_ptr<VideoEncoder> encoder(new VideoEncoder);
    encoder->path_ = path;
    encoder->frameBytes_ = std::size_t(width) * height * 3;
    if (!encoder->partial_.create(path, error))
        return nullptr;
    close(encoder->partial_.releaseFd());

    std::string size = std::to_string(width) + "x" + std::to_string(height);
    std::string rate = std::to_string(fps);
    std::vector<std::string> args = {"ffmpeg", "-hide_banner", "-loglevel", "error",
                                     "-f", "rawvideo", "-pix_fmt", "rgb24", "-s", size, "-r", rate, "-i", "-"};
    std::vector<std::string> output = outputArguments(path, encoder->partial_.path());
    args.insert(args.end(), output.begin(), output.end());
    if (!encoder->ffmpeg_.start(args, ChildProcess::Pipe::toItsInput, error)) {
        if (error.find("not installed") != std::string::npos)
            error = ffmpegMissing;
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
        if (n < 0 && errno == EINTR) {
            error = "interrupted while ffmpeg was taking a frame";
            return false;
        }
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
        partial_.remove();
        return false;
    }
    return partial_.keep(error);
}

void VideoEncoder::abandon()
{
    ffmpeg_.kill(SIGTERM);
    ffmpeg_.wait();
    partial_.remove();
}
