#include "app/capture.h"

#include "app/capture_options.h"
#include "app/offscreen_frame.h"
#include "app/png_writer.h"
#include "app/progress.h"
#include "app/shell.h"
#include "app/video_encoder.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr int width = 800;
constexpr int height = 600;

volatile std::sig_atomic_t interruption = 0;

void noteInterruption(int signal)
{
    interruption = signal;
}

std::vector<std::uint8_t> flipRows(const std::vector<std::uint8_t>& bottomUp)
{
    std::vector<std::uint8_t> topDown(bottomUp.size());
    const std::size_t row = std::size_t(width) * 3;
    for (int y = 0; y < height; ++y)
        std::memcpy(&topDown[std::size_t(y) * row], &bottomUp[std::size_t(height - 1 - y) * row], row);
    return topDown;
}

std::string pictureName(const std::string& dir, int frame)
{
    char name[32];
    std::snprintf(name, sizeof name, "frame-%04d.png", frame);
    return dir + "/" + name;
}

void fail(const std::string& message)
{
    std::fprintf(stderr, "starwhirl-capture: %s\n", message.c_str());
}

}  // namespace

int renderShow(int lastFrame, const std::function<bool(int frame)>& wanted,
               const std::function<bool(int frame, const std::vector<std::uint8_t>& rgb)>& onFrame)
{
    reshape(width, height);
    OffscreenFrame offscreen(width, height);
    offscreen.bind();
    int rendered = 0;
    for (int frame = 0; frame <= lastFrame; ++frame) {
        frameCount = float(frame);
        display();
        ++rendered;
        if (wanted(frame) && !onFrame(frame, flipRows(offscreen.readRgb())))
            break;
    }
    offscreen.release();
    return rendered;
}

int runCapture(const CaptureOptions& options)
{
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        std::signal(signal, noteInterruption);
    // A dead ffmpeg shows up as a failed write, not as a fatal signal.
    std::signal(SIGPIPE, SIG_IGN);

    std::string error;
    std::unique_ptr<VideoEncoder> video;
    if (options.wantsVideo()) {
        video = VideoEncoder::start(options.videoPath, width, height, options.fps, error);
        if (!video) {
            fail(error);
            return 1;
        }
    }

    const int total = options.lastFrame() + 1;
    Progress progress(total);
    int pictures = 0;
    auto wanted = [&](int frame) {
        progress.update(frame + 1);
        if (interruption)
            return true;  // lets onFrame stop the run
        bool inVideo = video && frame >= options.from && frame <= options.to;
        return inVideo || std::binary_search(options.frames.begin(), options.frames.end(), frame);
    };
    auto onFrame = [&](int frame, const std::vector<std::uint8_t>& rgb) {
        if (interruption)
            return false;
        if (video && frame >= options.from && frame <= options.to && !video->write(rgb.data(), error))
            return false;
        if (std::binary_search(options.frames.begin(), options.frames.end(), frame)) {
            std::string path = pictureName(options.outDir, frame);
            std::string partial = path + ".partial";
            error = writePng(partial, width, height, rgb.data());
            if (error.empty() && std::rename(partial.c_str(), path.c_str()) != 0)
                error = "cannot rename " + partial + " to " + path + ": " + std::strerror(errno);
            if (!error.empty()) {
                std::remove(partial.c_str());
                return false;
            }
            ++pictures;
        }
        return true;
    };
    int rendered = renderShow(options.lastFrame(), wanted, onFrame);
    progress.finish();

    if (interruption) {
        if (video)
            video->abandon();
        fail("interrupted at frame " + std::to_string(rendered - 1) + "; unfinished files were removed");
        return 128 + int(interruption);
    }
    if (!error.empty() || (video && !video->finish(error))) {
        if (video)
            video->abandon();
        fail(error);
        return 1;
    }
    if (pictures > 0)
        std::fprintf(stderr, "wrote %d picture%s to %s\n", pictures, pictures == 1 ? "" : "s",
                     options.outDir.c_str());
    if (video)
        std::fprintf(stderr, "wrote %s (frames %d to %d at %d frames/s)\n", options.videoPath.c_str(),
                     options.from, options.to, options.fps);
    return 0;
}
