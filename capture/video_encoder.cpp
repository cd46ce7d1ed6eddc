#include "capture/video_encoder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const char ffmpegMissing[] = "the ffmpeg program is not installed (Debian package ffmpeg); --video needs it";

std::size_t nameStart(const std::string& path)
{
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? 0 : slash + 1;
}

// The file name's extension with its dot (".mp4"), or "" for a name without
// one; a leading dot (".mp4" alone) starts no extension.
std::string extensionOf(const std::string& path)
{
    std::size_t dot = path.rfind('.');
    return dot != std::string::npos && dot > nameStart(path) ? path.substr(dot) : "";
}

std::string folderOf(const std::string& path)
{
    std::size_t start = nameStart(path);
    return start == 0 ? "." : start == 1 ? "/" : path.substr(0, start - 1);
}

// A FIFO or a device such as /dev/null, which whoever names it means to be
// written into; a rename would replace it.
bool isStream(const struct stat& info)
{
    return S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode);
}

bool isStream(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && isStream(info);
}

// The arguments after which ffmpeg writes its video to `output`, whose name
// (extension) chooses the container. The file: prefix makes any name a file
// name, even one that starts with "-". A stream cannot be gone back over to
// write an MP4's index at its start; fragmented MP4 needs no going back, and
// other containers ignore the flags.
std::vector<std::string> outputArguments(const std::string& output, bool stream)
{
    std::vector<std::string> args = {"-c:v", "libx264", "-pix_fmt", "yuv420p"};
    if (extensionOf(output).empty())
        args.insert(args.end(), {"-f", "mp4"});
    if (stream)
        args.insert(args.end(), {"-movflags", "+frag_keyframe+empty_moov"});
    args.insert(args.end(), {"-y", "file:" + output});
    return args;
}

void replaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); !from.empty() && at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// A folder of ours for ffmpeg's trial, removed with whatever ffmpeg left in
// it: a container that writes more files than the one named leaves them
// here, not beside the user's files.
class TrialFolder {
public:
    bool create(std::string& error)
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/starwhirl-capture-XXXXXX";
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (!mkdtemp(buffer.data())) {
            error = "cannot make a folder in " + pattern.substr(0, pattern.rfind('/')) +
                    " for ffmpeg's trial: " + std::strerror(errno);
            return false;
        }
        path_ = buffer.data();
        return true;
    }
    ~TrialFolder()
    {
        for (const std::string& name : files())
            unlink((path_ + "/" + name).c_str());
        if (!path_.empty())
            rmdir(path_.c_str());
    }
    const std::string& path() const { return path_; }
    std::vector<std::string> files() const
    {
        std::vector<std::string> names;
        if (DIR* dir = path_.empty() ? nullptr : opendir(path_.c_str())) {
            while (dirent* entry = readdir(dir))
                if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
                    names.push_back(entry->d_name);
            closedir(dir);
        }
        return names;
    }

private:
    std::string path_;
};

// The lines of ffmpeg's log (run with -loglevel level+...) at error level or
// worse, without their "[name @ 0x...] [error] " tags.
std::string firstError(const std::string& log)
{
    std::size_t start = 0;
    while (start < log.size()) {
        std::size_t end = std::min(log.find('\n', start), log.size());
        std::string line = log.substr(start, end - start);
        start = end + 1;
        bool serious = line.find("[error] ") != std::string::npos || line.find("[fatal] ") != std::string::npos;
        if (!serious)
            continue;
        while (line.size() > 1 && line[0] == '[' && line.find("] ") != std::string::npos)
            line.erase(0, line.find("] ") + 2);
        return line;
    }
    return {};
}

// The name of the format ffmpeg chose: "Output #0, mp4, to '...'".
std::string formatName(const std::string& log)
{
    const std::string opening = "Output #0, ";
    std::size_t at = log.find(opening);
    if (at == std::string::npos)
        return {};
    at += opening.size();
    return log.substr(at, log.find(", to ", at) - at);
}

}  // namespace

std::string VideoEncoder::checkTarget(const std::string& path)
{
    if (!path.empty() && path.back() == '/')
        return "--video " + path + " names a folder; give a file name such as " + path + "show.mp4";
    std::string target = followLinks(path);
    if (target.empty())
        return "cannot write " + path + ": " + std::strerror(errno);
    struct stat info;
    bool exists = stat(target.c_str(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode))
        return "--video " + path + " is a folder; give a file name such as " + path + "/show.mp4";
    bool stream = exists && isStream(info);
    if (exists && !stream && !S_ISREG(info.st_mode))
        return "--video " + path + " is neither a file, a FIFO nor a character device; give a file name";
    if (stream && access(target.c_str(), W_OK) != 0)
        return "cannot write to " + path + ": " + std::strerror(errno);
    if (!stream) {
        std::string error = checkFolder(folderOf(target));
        if (!error.empty())
            return error;
    }

    std::string error;
    TrialFolder trial;
    if (!trial.create(error))
        return error;
    std::string trialFile = trial.path() + "/trial" + extensionOf(target);
    std::vector<std::string> args = {"ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "level+info",
                                     "-f", "lavfi", "-i", "color=size=16x16:duration=0.04", "-frames:v", "1"};
    std::vector<std::string> output = outputArguments(trialFile, stream);
    args.insert(args.end(), output.begin(), output.end());
    ChildProcess ffmpeg;
    if (!ffmpeg.start(args, ChildProcess::Pipe::fromItsOutputAndErrors, error))
        return error.find("not installed") != std::string::npos ? ffmpegMissing : error;
    std::string said;
    char chunk[4096];
    ssize_t got;
    while ((got = read(ffmpeg.pipe(), chunk, sizeof chunk)) > 0 || (got < 0 && errno == EINTR))
        said.append(chunk, std::size_t(std::max<ssize_t>(got, 0)));
    int status = ffmpeg.wait();
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        // One picture per frame, named by a pattern: the frames would
        // overwrite each other or fail from the second on.
        if (formatName(said) == "image2")
            return "--video " + path + " names a picture, not a video; use --frames for pictures";
        if (trial.files().size() != 1)
            return "ffmpeg writes a video named " + path + " as many files (its " + formatName(said) +
                   " format); give a single-file video such as show.mp4 or show.mkv";
        return {};
    }
    // ffmpeg speaks of the trial file; the user knows the name they gave.
    std::string reason = firstError(said);
    replaceAll(reason, "file:" + trialFile, path);
    replaceAll(reason, trialFile, path);
    return "ffmpeg cannot write a video named " + path + (reason.empty() ? "" : " (it says: " + reason + ")");
}

std::unique_ptr<VideoEncoder> VideoEncoder::start(const std::string& path, int width, int height, int fps,
                                                  int frames, const EncoderSettings& settings, std::string& error)
{
    std::unique_ptr<VideoEncoder> encoder(new VideoEncoder);
    encoder->path_ = path;
    encoder->frameBytes_ = std::size_t(width) * height * 3;
    std::string output = followLinks(path);
    bool stream = isStream(output);
    if (!stream) {
        if (!encoder->partial_.create(path, error))
            return nullptr;
        close(encoder->partial_.releaseFd());
        output = encoder->partial_.path();
    }

    std::string size = std::to_string(width) + "x" + std::to_string(height);
    std::string rate = std::to_string(fps);
    // Frames come bottom row first, as GL reads them; ffmpeg's vflip turns
    // them over without a copy of its own.
    std::vector<std::string> args = {"ffmpeg", "-hide_banner", "-loglevel", "error", "-f", "rawvideo",
                                     "-pix_fmt", "rgb24", "-s", size, "-r", rate, "-i", "-"};
    if (settings.audioPath.empty()) {
        args.insert(args.end(), {"-an"});
    } else {
        // Cut to the video's length, or padded with silence up to it.
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.6f", double(frames) / fps);
        std::string length = seconds;
        args.insert(args.end(), {"-i", "file:" + settings.audioPath, "-map", "0:v:0", "-map", "1:a:0", "-c:a", "aac",
                                 "-af", "atrim=duration=" + length + ",apad=whole_dur=" + length});
    }
    args.insert(args.end(), {"-vf", "vflip", "-preset", settings.preset, "-crf", std::to_string(settings.crf)});
    std::vector<std::string> outputArgs = outputArguments(output, stream);
    args.insert(args.end(), outputArgs.begin(), outputArgs.end());
    if (!encoder->ffmpeg_.start(args, ChildProcess::Pipe::toItsInput, error)) {
        if (error.find("not installed") != std::string::npos)
            error = ffmpegMissing;
        return nullptr;
    }
    // A pipe of a megabyte (Linux's largest without privileges) rather than
    // 64 KiB takes a frame in a few large writes instead of many wake-ups;
    // where it cannot grow, the small one still works.
    fcntl(encoder->ffmpeg_.pipe(), F_SETPIPE_SZ, 1 << 20);
    return encoder;
}

VideoEncoder::~VideoEncoder()
{
    abandon();
}

bool VideoEncoder::write(const std::uint8_t* rgbBottomUp, std::string& error)
{
    std::size_t written = 0;
    while (written < frameBytes_) {
        ssize_t n = ::write(ffmpeg_.pipe(), rgbBottomUp + written, frameBytes_ - written);
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
    return partial_.path().empty() || partial_.keep(error);
}

void VideoEncoder::abandon()
{
    ffmpeg_.kill(SIGTERM);
    ffmpeg_.wait();
    partial_.remove();
}
