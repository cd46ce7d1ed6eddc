#pragma once

#include "capture/encoder_settings.h"
#include "capture/temporary_file.h"
#include "process/child_process.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// What keeps a video from being written, by kind, so that the program can
// choose its exit status; the message is for people.
struct VideoProblem {
    enum class Kind {
        none,
        unusableTarget,  // the name or the place cannot work: change the command
        cannotEncode,    // ffmpeg missing, failing or hanging, or no room for its trial
        interrupted,     // a signal asked the capture to stop
    };
    Kind kind = Kind::none;
    std::string message;
    explicit operator bool() const { return kind != Kind::none; }
};

// Feeds raw RGB frames to the ffmpeg program, which encodes them as H.264
// (yuv420p), with an AAC soundtrack when one is given. A video file is written under a temporary name of its own and
// only renamed to its own when finish() has checked it, so a failed or
// interrupted capture never leaves a file that looks complete, nor touches
// anyone else's. A FIFO or a character device (a reader's pipe, /dev/null)
// cannot be replaced that way and is written into directly, as a stream;
// so is standard output, named "-". The container follows the extension of
// the name the user gave (MP4 for a name without one).
class VideoEncoder {
public:
    // Nothing when a video can be written at `path`: it names a file in a
    // folder we can write in and may replace it, or a FIFO or character
    // device we can write to, and ffmpeg, asked with a one-frame trial in a
    // folder of our own, writes one file of a video container for its name.
    static VideoProblem checkTarget(const std::string& path);

    // A video of `frames` frames, whose soundtrack, if any, is cut or padded
    // to their length. Returns null and says why in `problem` when ffmpeg
    // cannot be started. A FIFO is opened first: while it has no reader,
    // `waiting` is told.
    static std::unique_ptr<VideoEncoder> start(const std::string& path, int width, int height, int fps, int frames,
                                               const EncoderSettings& settings, const std::function<void()>& waiting,
                                               VideoProblem& problem);
    ~VideoEncoder();  // abandons the video unless finish() succeeded
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;

    // One frame of width × height RGB pixels, rows bottom-up as GL reads them. A signal that
    // arrives while ffmpeg is slow to take it makes this fail.
    bool write(const std::uint8_t* rgbBottomUp, std::string& error);
    // Waits for ffmpeg and, for a file, checks that it holds `frames`
    // frames before it takes the target's name; otherwise the target is
    // left as it was.
    bool finish(int frames, std::string& error);
    void abandon();

private:
    VideoEncoder() = default;

    std::string path_;
    TemporaryFile partial_;  // unused for a stream
    int reader_ = -1;        // a FIFO held open from its reader's arrival to the end
    std::size_t frameBytes_ = 0;
    ChildProcess ffmpeg_;
};
