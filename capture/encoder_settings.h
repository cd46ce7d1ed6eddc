#pragma once

#include <string>

// How a video is encoded beyond its size and rate: x264's quality and speed,
// and a soundtrack to lay under it.
struct EncoderSettings {
    int crf = 23;  // 0 (lossless) to 51 (smallest); x264's own default
    std::string preset = "medium";
    std::string audioPath;  // empty: a silent video
};

// x264's presets, fastest first, as one line for messages and help.
extern const char x264Presets[];

// Whether `name` is one of them.
bool isX264Preset(const std::string& name);
