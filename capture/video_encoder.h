#pragma once

#include "capture/encoder_settings.h"
#include "capture/temporary_file.h"
#include "process/child_process.h"

#include <cstdint>
#include <memory>
#include <string>

// Feeds raw RGB frames to the ffmpeg program, which encodes them as H.264
// (yuv420p), with an AAC soundtrack when one is given. A video file is written under a temporary name of its own and
// only renamed to its own when finish() succeeds, so a failed or interrupted
// capture never leaves a file that looks complete, nor touches anyone
// else's. A FIFO or a character device (a reader's pipe, /dev/null) cannot
// be replaced that way and is written into directly, as a stream.
class VideoEncoder {
public:
    // An empty string when a video can be written at `path`: it names a file
    // in a folder we can write in, or a FIFO or character device we can write
    // to, and ffmpeg, asked with a one-frame trial in a folder of our own,
    // knows a video container for its name that writes one file. Else one
    // line saying why not.
    static std::string checkTarget(const std::string& path);

    // A video of `frames` frames, whose soundtrack, if any, is cut or padded
    // to their length. Returns null and says why in `error` when ffmpeg
    // cannot be started.
    static std::unique_ptr<VideoEncoder> start(const std::string& path, int width, int height, int fps, int frames,
                                               const EncoderSettings& settings, std::string& error);
    ~VideoEncoder();  // abandons the video unless finish() succeeded
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;

    // One frame of width × height RGB pixels, rows bottom-up as GL reads them. A signal that
    // arrives while ffmpeg is slow to take it makes this fail.
    bool write(const std::uint8_t* rgbBottomUp, std::string& error);
    bool finish(std::string& error);
    void abandon();

private:
    VideoEncoder() = default;

    std::string path_;
    TemporaryFile partial_;  // unused for a stream
    std::size_t frameBytes_ = 0;
    ChildProcess ffmpeg_;
};
