#pragma once

#include "process/child_process.h"

#include <cstdint>
#include <memory>
#include <string>

// Feeds raw RGB frames to the ffmpeg program, which encodes them as H.264
// (yuv420p). The video is written under a temporary name and only renamed to
// its own when finish() succeeds, so a failed or interrupted capture never
// leaves a file that looks complete.
class VideoEncoder {
public:
    // Returns null and says why in `error` when ffmpeg cannot be started.
    static std::unique_ptr<VideoEncoder> start(const std::string& path, int width, int height, int fps,
                                               std::string& error);
    ~VideoEncoder();  // abandons the video unless finish() succeeded
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;

    // One frame of width × height RGB pixels, rows top-down.
    bool write(const std::uint8_t* rgbTopDown, std::string& error);
    bool finish(std::string& error);
    void abandon();

    const std::string& partialPath() const { return partialPath_; }

private:
    VideoEncoder() = default;

    std::string path_;
    std::string partialPath_;
    std::size_t frameBytes_ = 0;
    ChildProcess ffmpeg_;
};
