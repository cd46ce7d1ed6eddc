#include "capture/capture.h"

#include "app/show.h"
#include "capture/capture_options.h"
#include "capture/complaint.h"
#include "capture/display_errors.h"
#include "capture/frame_reader.h"
#include "capture/interruption.h"
#include "capture/offscreen_frame.h"
#include "capture/png_writer.h"
#include "capture/progress.h"
#include "capture/temporary_file.h"
#include "capture/video_encoder.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>

namespace {

// The memory a frame of `size` takes: the driver's colour and depth
// buffers, 4 bytes a pixel each, and the two RGB buffers it is read into, 3 each.
std::string frameMemory(const WindowSize& size)
{
    double bytes = double(size.width) * size.height * 14;
    char text[32];
    if (bytes >= 1024.0 * 1024 * 1024)
        std::snprintf(text, sizeof text, "%.1f GiB", bytes / (1024.0 * 1024 * 1024));
    else
        std::snprintf(text, sizeof text, "%.0f MiB", bytes / (1024.0 * 1024));
    return text;
}

}  // namespace

std::string pictureName(const std::string& dir, int frame)
{
    char name[32];
    std::snprintf(name, sizeof name, "frame-%04d.png", frame);
    return dir + "/" + name;
}

int renderShow(Show& show, const WindowSize& size, int lastFrame,
               const std::function<bool(int frame, const OffscreenFrame& picture)>& visit, std::string& error)
{
    Show::reshape(size.width, size.height);
    OffscreenFrame offscreen(size.width, size.height);
    if (!offscreen.error().empty()) {
        error = offscreen.error();
        return 0;
    }
    offscreen.bind();
    int rendered = 0;
    for (int frame = 0; frame <= lastFrame; ++frame) {
        show.display(float(frame));
        ++rendered;
        if (!visit(frame, offscreen))
            break;
    }
    offscreen.release();
    return rendered;
}

int runCapture(Show& show, const CaptureOptions& options)
{
    // A dead ffmpeg shows up as a failed write, not as a fatal signal.
    std::signal(SIGPIPE, SIG_IGN);

    std::string error = displayError();
    if (!error.empty())
        return complain(error, 1);
    std::unique_ptr<VideoEncoder> video;
    if (options.wantsVideo()) {
        auto waiting = [&] { complain("waiting for a program to read the FIFO " + options.videoPath, 0); };
        VideoProblem problem;
        video = VideoEncoder::start(options.videoPath, options.size.width, options.size.height, options.fps,
                                    options.to - options.from + 1, options.encoder, waiting, problem);
        if (problem.kind == VideoProblem::Kind::interrupted)
            return complain("interrupted before the first frame; nothing was written", 128 + interruption());
        if (!video)
            return complain(problem.message, 1);
    }

    const int total = options.lastFrame() + 1;
    Progress progress(total);
    int pictures = 0;
    // Pictures and video frames leave in the order they were drawn; with
    // pixel buffers, each one frame after it was drawn.
    auto deliver = [&](FrameReader::Frame ready) {
        bool inVideo = video && ready.number >= options.from && ready.number <= options.to;
        if (inVideo && !video->write(ready.rgb, error))
            return false;
        if (!std::binary_search(options.frames.begin(), options.frames.end(), ready.number))
            return true;
        std::string path = pictureName(options.outDir, ready.number);
        TemporaryFile partial;
        if (!partial.create(path, error))
            return false;
        std::FILE* file = fdopen(partial.fd(), "wb");
        if (file)
            partial.releaseFd();
        error = file ? writePng(file, path, options.size.width, options.size.height, ready.rgb)
                     : "cannot write " + path + ": " + std::strerror(errno);
        if (!error.empty() || !partial.keep(error))
            return false;
        ++pictures;
        return true;
    };
    // Made once the offscreen frame has its memory, inside the check for
    // a shortage of it.
    std::unique_ptr<FrameReader> reader;
    auto visit = [&](int frame, const OffscreenFrame&) {
        progress.update(frame + 1);
        if (interruption())
            return false;
        if (!(error = displayError()).empty())
            return false;
        bool inVideo = video && frame >= options.from && frame <= options.to;
        bool asPicture = std::binary_search(options.frames.begin(), options.frames.end(), frame);
        if (!inVideo && !asPicture)
            return true;
        if (!reader)
            reader = std::make_unique<FrameReader>(options.size.width, options.size.height);
        FrameReader::Frame ready = reader->read(frame, error);
        return error.empty() && (!ready.rgb || deliver(ready));
    };
    int rendered = 0;
    try {
        rendered = renderShow(show, options.size, options.lastFrame(), visit, error);
        FrameReader::Frame last = reader && error.empty() && !interruption() ? reader->rest(error) : FrameReader::Frame{};
        if (last.rgb)
            deliver(last);
    } catch (const std::bad_alloc&) {
        if (video)
            video->abandon();
        return complain("not enough memory for frames of " + toString(options.size) + ": each needs about " +
                            frameMemory(options.size) + " (the offscreen frame and copies of it); try a smaller --size",
                        1);
    }
    if (rendered > 0)
        progress.finish();

    bool finished = error.empty() && !interruption() && (!video || video->finish(options.to - options.from + 1, error));
    if (interruption()) {
        if (video)
            video->abandon();
        return complain((rendered > 0 ? "interrupted at frame " + std::to_string(rendered - 1)
                                      : std::string("interrupted before the first frame")) +
                            "; unfinished files were removed",
                        128 + interruption());
    }
    if (!finished) {
        if (video)
            video->abandon();
        return complain(error, 1);
    }
    if (pictures > 0)
        std::fprintf(stderr, "wrote %d picture%s to %s\n", pictures, pictures == 1 ? "" : "s",
                     options.outDir.c_str());
    if (video)
        std::fprintf(stderr, "wrote %s (frames %d to %d at %d frames/s)\n",
                     options.videoPath == "-" ? "the video to standard output" : options.videoPath.c_str(),
                     options.from, options.to, options.fps);
    return 0;
}
