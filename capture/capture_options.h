#pragma once

#include "app/window_size.h"
#include "capture/encoder_settings.h"

#include <string>
#include <vector>

// What starwhirl-capture was asked to do.
struct CaptureOptions {
    bool help = false;
    bool version = false;
    std::vector<int> frames;  // pictures to write, ascending, no repeats
    std::string outDir = ".";
    std::string videoPath;
    int fps = 60;
    int from = 0;  // first and last frame of the video
    int to = -1;
    // The window the frames are drawn for, and so the pictures' and the
    // video's size.
    WindowSize size = showWindowSize;
    EncoderSettings encoder;

    bool wantsPictures() const { return !frames.empty(); }
    bool wantsVideo() const { return !videoPath.empty(); }
    // The last frame that must be rendered to produce everything asked for.
    int lastFrame() const;
};

// Reads the arguments after the program name. Returns an empty string when
// they make sense, else one line saying what is wrong with them.
std::string parseCaptureOptions(const std::vector<std::string>& args, CaptureOptions& options);

extern const char captureUsage[];
