#include "capture/video_encoder.h"

#include "capture/interruption.h"
#include "capture/path_parts.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const char ffmpegMissing[] = "the ffmpeg program is not installed (Debian package ffmpeg); --video needs it";

// How long a program whose answer we no longer wait for is given to end by
// itself before it is killed: one that hangs never ends.
constexpr int stopGraceMs = 2000;
// ffmpeg's one-frame trial takes well under a second; one that takes this
// long is hanging.
constexpr int trialLimitSeconds = 20;
// Counting the packets of even a long video reads only its container.
constexpr int countLimitSeconds = 60;

// A FIFO or a device such as /dev/null, which whoever names it means to be
// written into; a rename would replace it.
bool isStream(const struct stat& info)
{
    return S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode);
}

// The arguments after which ffmpeg writes its video to `output` ("-" for
// our standard output) in the container that the extension of `named`, the
// name the user gave, chooses: the trial and the run write under other
// names. The file: prefix makes any name a file name, even one that starts
// with "-". A stream cannot be gone back over to write an MP4's index at its
// start; fragmented MP4 needs no going back, and other containers ignore the
// flags.
std::vector<std::string> outputArguments(const std::string& named, const std::string& output, bool stream)
{
    std::vector<std::string> args = {"-c:v", "libx264", "-pix_fmt", "yuv420p"};
    if (splitPath(named).extension.empty())
        args.insert(args.end(), {"-f", "mp4"});
    if (stream)
        args.insert(args.end(), {"-movflags", "+frag_keyframe+empty_moov"});
    args.insert(args.end(), {"-y", output == "-" ? "pipe:1" : "file:" + output});
    return args;
}

enum class Ending { ended, timedOut, interrupted };

// Collects what `program` says on its pipe until it ends, leaving its wait
// status in `status`. A program still running after `limitSeconds`, or when
// a signal asks the capture to stop, is stopped.
Ending runToEnd(ChildProcess& program, int limitSeconds, std::string& said, int& status)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(limitSeconds);
    for (;;) {
        if (interruption()) {
            status = program.stop(stopGraceMs);
            return Ending::interrupted;
        }
        long left = long(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count());
        if (left <= 0) {
            status = program.stop(stopGraceMs);
            return Ending::timedOut;
        }
        if (program.pipe() < 0) {
            if (program.ended(status))
                return Ending::ended;
            usleep(10 * 1000);
            continue;
        }
        // A signal ends the poll early, and the loop looks at it.
        pollfd ready = {program.pipe(), POLLIN, 0};
        if (poll(&ready, 1, int(std::min(left, 1000L))) <= 0)
            continue;
        char chunk[4096];
        ssize_t got = read(program.pipe(), chunk, sizeof chunk);
        if (got > 0)
            said.append(chunk, std::size_t(got));
        else if (got == 0 || errno != EINTR)
            program.closePipe();
    }
}

// Whether the folder at `dir` has too little room left for even a tiny
// file, in bytes or in files.
bool isFull(const std::string& dir)
{
    struct statvfs room;
    return statvfs(dir.c_str(), &room) == 0 &&
           (std::uint64_t(room.f_bavail) * room.f_frsize < 1024 * 1024 || room.f_favail == 0);
}

// Whether the finished video at `path` holds `frames` frames, as ffprobe
// counts its packets; without ffprobe, whether it holds anything. `found`
// says what it holds.
bool holdsFrames(const std::string& path, int frames, std::string& found)
{
    ChildProcess ffprobe;
    std::string error;
    ChildProcess::Start started =
        ffprobe.start({"ffprobe", "-v", "error", "-count_packets", "-select_streams", "v:0",
                       "-show_entries", "stream=nb_read_packets", "-of", "csv=p=0", "file:" + path},
                      ChildProcess::Pipe::fromItsOutput, error);
    if (started == ChildProcess::Start::notInstalled) {
        struct stat info;
        bool holdsSomething = stat(path.c_str(), &info) == 0 && info.st_size > 0;
        found = "nothing";
        return holdsSomething;
    }
    if (started != ChildProcess::Start::started) {
        found = "frames that could not be counted (" + error + ")";
        return false;
    }
    std::string said;
    int status = 0;
    if (runToEnd(ffprobe, countLimitSeconds, said, status) != Ending::ended) {
        found = "frames that ffprobe did not finish counting";
        return false;
    }
    int counted = std::atoi(said.c_str());
    found = std::to_string(counted) + " of the " + std::to_string(frames) + " frames";
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 && counted == frames;
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
        parent_ = pattern.substr(0, pattern.rfind('/'));
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
    const std::string& parent() const { return parent_; }
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
    std::string parent_;
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

VideoProblem VideoEncoder::checkTarget(const std::string& path)
{
    auto unusable = [](const std::string& message) { return VideoProblem{VideoProblem::Kind::unusableTarget, message}; };
    auto cannotEncode = [](const std::string& message) { return VideoProblem{VideoProblem::Kind::cannotEncode, message}; };
    bool stream = path == "-";
    if (stream && isatty(STDOUT_FILENO))
        return unusable("--video - writes the video to standard output, which is a terminal here; send it to a "
                        "program or a file (--video - | ffplay -), or give a file name");
    if (!stream) {
        if (!path.empty() && path.back() == '/')
            return unusable("--video " + path + " names a folder; give a file name such as " + path + "show.mp4");
        std::string target = followLinks(path);
        if (target.empty())
            return unusable("cannot write " + path + ": " + std::strerror(errno));
        struct stat info;
        bool exists = stat(target.c_str(), &info) == 0;
        if (exists && S_ISDIR(info.st_mode))
            return unusable("--video " + path + " is a folder; give a file name such as " + path + "/show.mp4");
        stream = exists && isStream(info);
        if (exists && !stream && !S_ISREG(info.st_mode))
            return unusable("--video " + path + " is neither a file, a FIFO nor a character device; give a file name");
        if (stream && access(target.c_str(), W_OK) != 0)
            return unusable("cannot write to " + path + ": " + std::strerror(errno));
        std::string error;
        if (!stream && (!(error = checkFolder(folderOf(target))).empty() || !(error = checkReplaceable(target)).empty()))
            return unusable(error);
    }

    std::string error;
    TrialFolder trial;
    if (!trial.create(error))
        return cannotEncode(error);
    std::string trialFile = trial.path() + "/trial" + splitPath(path).extension;
    std::vector<std::string> args = {"ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "level+info",
                                     "-f", "lavfi", "-i", "color=size=16x16:duration=0.04", "-frames:v", "1"};
    std::vector<std::string> output = outputArguments(path, trialFile, stream);
    args.insert(args.end(), output.begin(), output.end());
    ChildProcess ffmpeg;
    ChildProcess::Start started = ffmpeg.start(args, ChildProcess::Pipe::fromItsOutputAndErrors, error);
    if (started != ChildProcess::Start::started)
        return cannotEncode(started == ChildProcess::Start::notInstalled ? ffmpegMissing : error);
    std::string said;
    int status = 0;
    switch (runToEnd(ffmpeg, trialLimitSeconds, said, status)) {
    case Ending::interrupted:
        return {VideoProblem::Kind::interrupted, "interrupted during ffmpeg's one-frame trial"};
    case Ending::timedOut:
        return cannotEncode("ffmpeg's one-frame trial for " + path + " did not end within " +
                            std::to_string(trialLimitSeconds) + " s, so it was stopped; ffmpeg seems to hang " +
                            "(does `ffmpeg -version` answer?)");
    case Ending::ended:
        break;
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        // One picture per frame, named by a pattern: the frames would
        // overwrite each other or fail from the second on.
        std::string format = formatName(said);
        if (format == "image2")
            return unusable("--video " + path + " names a picture, not a video; use --frames for pictures");
        std::size_t files = trial.files().size();
        if (files == 0)
            return cannotEncode("ffmpeg ended its one-frame trial for " + path + " without an error but wrote " +
                                "nothing; it seems broken (does `ffmpeg -version` answer?)");
        if (files > 1)
            return unusable("ffmpeg writes a video named " + path + " as many files" +
                            (format.empty() ? "" : " (its " + format + " format)") +
                            "; give a single-file video such as show.mp4 or show.mkv");
        return {};
    }
    if (isFull(trial.parent()))
        return cannotEncode("the folder for ffmpeg's trial, " + trial.parent() + ", is full; make room there, " +
                            "or name a folder with room in TMPDIR");
    // ffmpeg speaks of the trial file; the user knows the name they gave.
    std::string reason = firstError(said);
    replaceAll(reason, "file:" + trialFile, path);
    replaceAll(reason, trialFile, path);
    return unusable("ffmpeg cannot write a video named " + path + (reason.empty() ? "" : " (it says: " + reason + ")"));
}

std::unique_ptr<VideoEncoder> VideoEncoder::start(const std::string& path, int width, int height, int fps,
                                                  int frames, const EncoderSettings& settings,
                                                  const std::function<void()>& waiting, VideoProblem& problem)
{
    std::unique_ptr<VideoEncoder> encoder(new VideoEncoder);
    encoder->path_ = path;
    encoder->frameBytes_ = std::size_t(width) * height * 3;
    std::string output = path == "-" ? path : followLinks(path);
    struct stat info;
    bool stream = path == "-" || (stat(output.c_str(), &info) == 0 && isStream(info));
    if (path != "-" && stream && S_ISFIFO(info.st_mode)) {
        // Held open until ffmpeg is done, so ffmpeg never waits for the
        // reader unseen, and the reader sees the end only after ffmpeg's.
        int fd = interruption() ? -1 : open(output.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0 && errno == ENXIO) {
            waiting();
            fd = interruption() ? -1 : open(output.c_str(), O_WRONLY | O_CLOEXEC);
        }
        if (fd < 0) {
            problem = interruption() ? VideoProblem{VideoProblem::Kind::interrupted, "interrupted"}
                                     : VideoProblem{VideoProblem::Kind::cannotEncode,
                                                    "cannot open the FIFO " + path + ": " + std::strerror(errno)};
            return nullptr;
        }
        encoder->reader_ = fd;
    }
    std::string error;
    if (!stream) {
        if (!encoder->partial_.create(path, error)) {
            problem = {VideoProblem::Kind::cannotEncode, error};
            return nullptr;
        }
        close(encoder->partial_.releaseFd());
        output = encoder->partial_.path();
    }

    std::string size = std::to_string(width) + "x" + std::to_string(height);
    std::string rate = std::to_string(fps);
    // Frames come bottom row first, as GL reads them; ffmpeg's vflip turns
    // them over without a copy of its own.
    std::vector<std::string> args = {"ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "error", "-f", "rawvideo",
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
    std::vector<std::string> outputArgs = outputArguments(path, output, stream);
    args.insert(args.end(), outputArgs.begin(), outputArgs.end());
    ChildProcess::Start started = encoder->ffmpeg_.start(args, ChildProcess::Pipe::toItsInput, error);
    if (started != ChildProcess::Start::started) {
        problem = {VideoProblem::Kind::cannotEncode, started == ChildProcess::Start::notInstalled ? ffmpegMissing : error};
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
        // A signal in the middle of a frame cuts the write short without
        // an error; the next one would block again.
        if (interruption()) {
            error = "interrupted while ffmpeg was taking a frame";
            return false;
        }
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

bool VideoEncoder::finish(int frames, std::string& error)
{
    ffmpeg_.closePipe();
    int status = 0;
    while (!ffmpeg_.ended(status)) {
        if (interruption()) {
            error = "interrupted while ffmpeg was finishing " + path_;
            abandon();
            return false;
        }
        usleep(10 * 1000);
    }
    if (reader_ >= 0)
        close(reader_);
    reader_ = -1;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        error = "ffmpeg could not encode " + path_ + " (see its message above)";
        partial_.remove();
        return false;
    }
    if (partial_.path().empty())
        return true;
    std::string found;
    if (!holdsFrames(partial_.path(), frames, found)) {
        error = "ffmpeg ended without an error, but its video holds " + found + "; " + path_ + " was left as it was";
        partial_.remove();
        return false;
    }
    return partial_.keep(error);
}

void VideoEncoder::abandon()
{
    // What ffmpeg has written is thrown away, so it is not given time to
    // end well: at the end of its input it would go on to open and flush
    // the encoder, which for a large frame takes long and may itself fail.
    ffmpeg_.stop(0);
    if (reader_ >= 0)
        close(reader_);
    reader_ = -1;
    partial_.remove();
}
