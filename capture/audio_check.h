#pragma once

#include <string>

// An empty string when ffmpeg can take a soundtrack from `path`: a file we
// can read that holds an audio stream. Else one line saying why not. A pipe
// is refused: probing it would eat what the encoder must read.
std::string checkAudio(const std::string& path);
