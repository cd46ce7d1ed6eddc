// Measures starwhirl-capture against ffmpeg encoding the same frames alone,
// from a raw file of them, with the capture's own encoder settings: CPU time
// (user + system, the capture's children included) and wall time, the two
// launched in turn, median of the runs; then the whole show as one video.
// Where the capture spends more than the encoder alone is told step by step:
// the drawing (the same frames drawn, not encoded), the capture's own time
// beyond it (reading frames back and writing them to the pipe), and its ffmpeg
// beside the encoder alone (taking frames from a pipe, next to the drawing).
//
//   starwhirl-capture-bench [--runs N] [--frames N] [--sizes WxH,...] [--whole WxH,...]
//                           [--previous CAPTURE]   (on an X server: make bench-capture)
//
// With --previous, another build of the capture is launched in the same
// alternation, and makes the whole show too.
#include "app/window_size.h"
#include "bench/machine_load.h"
#include "bench/process_run.h"
#include "bench/statistics.h"
#include "platform/standard_streams.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

const std::string captureProgram = STARWHIRL_CAPTURE;
const std::string rawFramesProgram = STARWHIRL_RAW_FRAMES;
const std::string encoderMeter = STARWHIRL_ENCODER_METER;
constexpr double goalRatio = 1.1;

[[noreturn]] void stop(const std::string& message)
{
    std::fprintf(stderr, "starwhirl-capture-bench: %s\n", message.c_str());
    std::exit(1);
}

struct Options {
    int runs = 3;
    int frames = 600;
    std::vector<WindowSize> sizes = {{800, 600}, {1920, 1080}, {3840, 2160}};
    std::vector<WindowSize> whole = {{1920, 1080}};
    std::string previous;  // empty: no previous build to compare with
};

std::vector<WindowSize> parseSizes(const std::string& option, const std::string& list)
{
    std::vector<WindowSize> sizes;
    std::stringstream items(list);
    for (std::string item; std::getline(items, item, ',');) {
        WindowSize size;
        std::string error = parseWindowSize(option, item, size);
        if (!error.empty())
            stop(error);
        sizes.push_back(size);
    }
    return sizes;
}

Options parseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; i += 2) {
        std::string option = argv[i];
        if (i + 1 >= argc)
            stop(option + " needs a value");
        std::string value = argv[i + 1];
        if (option == "--runs")
            options.runs = std::atoi(value.c_str());
        else if (option == "--frames")
            options.frames = std::atoi(value.c_str());
        else if (option == "--sizes")
            options.sizes = parseSizes(option, value);
        else if (option == "--whole")
            options.whole = value == "none" ? std::vector<WindowSize>{} : parseSizes(option, value);
        else if (option == "--previous")
            options.previous = value;
        else
            stop("usage: starwhirl-capture-bench [--runs N] [--frames N] [--sizes WxH,...] [--whole WxH,...|none] "
                 "[--previous CAPTURE]");
    }
    if (options.runs < 1 || options.frames < 1)
        stop("--runs and --frames need a number of at least 1");
    return options;
}

// A folder of the bench's own for the videos and the raw frames, which are
// large: 600 frames at 3840x2160 take 15 GB.
class Scratch {
public:
    Scratch()
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/starwhirl-capture-bench-XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (!mkdtemp(name.data()))
            stop("cannot make a folder for the bench's files: " + pattern + ": " + std::strerror(errno));
        path_ = name.data();
        if (mkdir((path_ + "/meter").c_str(), 0700) != 0 ||
            symlink(encoderMeter.c_str(), (path_ + "/meter/ffmpeg").c_str()) != 0)
            stop("cannot make " + path_ + "/meter/ffmpeg: " + std::strerror(errno));
    }
    ~Scratch()
    {
        for (const char* file : {"/video.mp4", "/frames.rgb", "/errors", "/encoder-cpu", "/meter/ffmpeg"})
            unlink((path_ + file).c_str());
        rmdir((path_ + "/pictures").c_str());
        rmdir((path_ + "/meter").c_str());
        rmdir(path_.c_str());
    }
    std::string operator/(const std::string& file) const { return path_ + "/" + file; }

private:
    std::string path_;
};

struct Cost {
    std::vector<double> cpuS, wallS;
    void add(const ProcessRun& run)
    {
        cpuS.push_back((run.userMs + run.systemMs) / 1000.0);
        wallS.push_back(run.wallMs / 1000.0);
    }
    void addCpu(double seconds) { cpuS.push_back(seconds); }
    double cpu() const { return median(cpuS); }
    double wall() const { return median(wallS); }
};

// Runs a program with its standard error kept aside, shown only if it fails.
ProcessRun runQuietly(const Scratch& scratch, const std::vector<std::string>& argv,
                      const std::vector<std::string>& environment = {})
{
    std::vector<std::string> wrapped = {"sh", "-c", "exec \"$@\" 2>\"$0\"", scratch / "errors"};
    wrapped.insert(wrapped.end(), argv.begin(), argv.end());
    ProcessRun run = runProcess(wrapped, environment);
    if (run.exitStatus != 0) {
        std::ifstream errors(scratch / "errors");
        std::stringstream said;
        said << errors.rdbuf();
        stop(argv.front() + " ended with status " + std::to_string(run.exitStatus) + ": " + said.str());
    }
    return run;
}

std::string pictureName(int frame)
{
    char name[40];
    std::snprintf(name, sizeof name, "pictures/frame-%04d.png", frame);
    return name;
}

std::vector<std::string> captureCommand(const std::string& program, const Scratch& scratch, const WindowSize& size,
                                        int lastFrame)
{
    return {program, "--video", scratch / "video.mp4", "--size", toString(size), "--to", std::to_string(lastFrame)};
}

// ffmpeg as the capture runs it (its rows come bottom-up, as GL reads them),
// reading from the file instead of a pipe.
std::vector<std::string> encoderCommand(const Scratch& scratch, const WindowSize& size)
{
    return {"ffmpeg", "-hide_banner", "-loglevel", "error", "-f", "rawvideo", "-pix_fmt", "rgb24", "-s",
            toString(size), "-r", "60", "-i", scratch / "frames.rgb", "-an", "-vf", "vflip", "-preset", "medium",
            "-crf", "23", "-c:v", "libx264", "-pix_fmt", "yuv420p", "-y", scratch / "video.mp4"};
}

// Runs the capture with its ffmpeg metered; the CPU seconds its ffmpeg runs
// (the one-frame trial and the encoding) took go to `itsEncoder`.
ProcessRun runMetered(const Scratch& scratch, const std::vector<std::string>& argv, Cost& itsEncoder)
{
    const char* path = std::getenv("PATH");
    std::string searched = path ? path : "/usr/bin:/bin";
    std::string log = scratch / "encoder-cpu";
    unlink(log.c_str());
    ProcessRun run = runQuietly(scratch, argv,
                                {"PATH=" + scratch / "meter" + ":" + searched, "STARWHIRL_METER_PATH=" + searched,
                                 "STARWHIRL_METER_LOG=" + log});
    std::ifstream lines(log);
    double seconds = 0.0, total = 0.0;
    while (lines >> seconds)
        total += seconds;
    itsEncoder.addCpu(total);
    return run;
}

struct SizeResult {
    WindowSize size;
    Cost capture, itsEncoder, encoder, drawing, previous;
};

struct WholeResult {
    WindowSize size;
    Cost capture, previous;
};

SizeResult measureSize(const Options& options, const Scratch& scratch, const WindowSize& size)
{
    SizeResult result{size, {}, {}, {}, {}, {}};
    const int last = options.frames - 1;
    std::fprintf(stderr, "%s: writing %d raw frames\n", toString(size).c_str(), options.frames);
    runQuietly(scratch, {rawFramesProgram, toString(size), std::to_string(last), scratch / "frames.rgb"});
    for (int run = 1; run <= options.runs; ++run) {
        std::fprintf(stderr, "%s: run %d of %d: capture, encoder alone, drawing only%s\n", toString(size).c_str(), run,
                     options.runs, options.previous.empty() ? "" : ", previous capture");
        result.capture.add(runMetered(scratch, captureCommand(captureProgram, scratch, size, last), result.itsEncoder));
        result.encoder.add(runQuietly(scratch, encoderCommand(scratch, size)));
        // The same frames drawn, the last one read and written as a picture.
        result.drawing.add(runQuietly(scratch, {captureProgram, "--frames", std::to_string(last), "--out",
                                                scratch / "pictures", "--size", toString(size)}));
        unlink((scratch / pictureName(last)).c_str());
        if (!options.previous.empty())
            result.previous.add(runQuietly(scratch, captureCommand(options.previous, scratch, size, last)));
    }
    unlink((scratch / "frames.rgb").c_str());
    return result;
}

WholeResult measureWhole(const Options& options, const Scratch& scratch, const WindowSize& size)
{
    WholeResult result{size, {}, {}};
    std::fprintf(stderr, "%s: the whole show%s\n", toString(size).c_str(),
                 options.previous.empty() ? "" : ", this capture and the previous one");
    result.capture.add(runQuietly(scratch, captureCommand(captureProgram, scratch, size, 4199)));
    if (!options.previous.empty())
        result.previous.add(runQuietly(scratch, captureCommand(options.previous, scratch, size, 4199)));
    return result;
}

std::vector<double> differences(const std::vector<double>& a, const std::vector<double>& b)
{
    std::vector<double> result;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
        result.push_back(a[i] - b[i]);
    return result;
}

std::string times(double a, double b)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", b > 0.0 ? a / b : 0.0);
    return text;
}

}  // namespace

static int measure(int argc, char** argv)
{
    Options options = parseOptions(argc, argv);
    if (!std::getenv("DISPLAY"))
        stop("needs an X display; run it with `make bench-capture`");
    Scratch scratch;
    double loadBefore = loadAverage();
    std::vector<SizeResult> sizes;
    for (const WindowSize& size : options.sizes)
        sizes.push_back(measureSize(options, scratch, size));
    std::vector<WholeResult> whole;
    for (const WindowSize& size : options.whole)
        whole.push_back(measureWhole(options, scratch, size));
    double loadAfter = loadAverage();
    bool withPrevious = !options.previous.empty();

    std::printf("\nstarwhirl-capture against ffmpeg encoding the same %d frames alone (libx264, medium, crf 23), "
                "launched in turn; median of %d runs each; CPU is user + system seconds\n\n",
                options.frames, options.runs);
    std::printf("| size | capture CPU s | encoder alone CPU s | capture / encoder | capture wall s | encoder wall s |%s\n",
                withPrevious ? " previous capture CPU s | this / previous |" : "");
    std::printf("|---|---:|---:|---:|---:|---:|%s\n", withPrevious ? "---:|---:|" : "");
    for (const SizeResult& r : sizes) {
        std::printf("| %s | %.2f | %.2f | %s | %.2f | %.2f |", toString(r.size).c_str(), r.capture.cpu(),
                    r.encoder.cpu(), times(r.capture.cpu(), r.encoder.cpu()).c_str(), r.capture.wall(),
                    r.encoder.wall());
        if (withPrevious)
            std::printf(" %.2f | %s |", r.previous.cpu(), times(r.capture.cpu(), r.previous.cpu()).c_str());
        std::printf("\n");
    }
    std::printf("\nWhere the capture spends more than the encoder alone, CPU s (medians, so the steps need not add "
                "up exactly):\n\n");
    std::printf("| size | capture - encoder alone | drawing | reading back and writing to the pipe | "
                "its ffmpeg - encoder alone |\n|---|---:|---:|---:|---:|\n");
    for (const SizeResult& r : sizes) {
        double own = median(differences(r.capture.cpuS, r.itsEncoder.cpuS));
        std::printf("| %s | %.2f | %.2f | %.2f | %.2f |\n", toString(r.size).c_str(),
                    r.capture.cpu() - r.encoder.cpu(), r.drawing.cpu(), own - r.drawing.cpu(),
                    r.itsEncoder.cpu() - r.encoder.cpu());
    }
    std::printf("\nDrawing: the capture drawing the same frames (start-up included) and writing the last as a "
                "picture. Reading back and writing: the capture's own time beyond the drawing, its ffmpeg's left "
                "out (the closing ffprobe check is in it). Its ffmpeg: the one-frame trial and the encoding from the pipe, beside the drawing.\n");
    if (!whole.empty()) {
        std::printf("\nThe whole show (4200 frames) as one video, one run each:\n\n");
        std::printf("| size | capture CPU s | capture wall s |%s\n|---|---:|---:|%s\n",
                    withPrevious ? " previous CPU s | previous wall s | this / previous CPU |" : "",
                    withPrevious ? "---:|---:|---:|" : "");
        for (const WholeResult& r : whole) {
            std::printf("| %s | %.1f | %.1f |", toString(r.size).c_str(), r.capture.cpu(), r.capture.wall());
            if (withPrevious)
                std::printf(" %.1f | %.1f | %s |", r.previous.cpu(), r.previous.wall(),
                            times(r.capture.cpu(), r.previous.cpu()).c_str());
            std::printf("\n");
        }
    }

    std::printf("\nMachine: load average %.2f before the runs and %.2f after, %ld cores. CPU times hold on a busy "
                "machine better than wall times do.\n",
                loadBefore, loadAfter, coreCount());
    std::printf("\nGoals:\n");
    for (const SizeResult& r : sizes) {
        double ratio = r.capture.cpu() / r.encoder.cpu();
        std::printf("- capture at most %.1f times the encoder alone in CPU time at %s: %s (%.2f times)\n", goalRatio,
                    toString(r.size).c_str(), ratio <= goalRatio ? "met" : "NOT MET", ratio);
    }
    for (const WholeResult& r : whole) {
        if (!withPrevious)
            continue;
        double ratio = r.capture.cpu() / r.previous.cpu();
        std::printf("- the whole show at %s in at most half the previous build's CPU time: %s (%.2f times)\n",
                    toString(r.size).c_str(), ratio <= 0.5 ? "met" : "NOT MET", ratio);
    }
    return 0;
}

int main(int argc, char** argv)
{
    platform::reopenClosedStandardStreams();
    try {
        return measure(argc, argv);
    } catch (const std::exception& error) {
        stop(error.what());
    }
}
