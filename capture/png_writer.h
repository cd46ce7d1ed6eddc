#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// Writes 8-bit RGB pixels, rows bottom-up as GL reads them, as a PNG into `file`, which it
// closes; `name` is the file's name for messages. Returns an empty string on
// success, else what went wrong.
std::string writePng(std::FILE* file, const std::string& name, int width, int height,
                     const std::uint8_t* rgbBottomUp);
