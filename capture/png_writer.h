#pragma once

#include <cstdint>
#include <string>

// Writes 8-bit RGB pixels, rows top-down, as a PNG file. Returns an empty
// string on success, else what went wrong.
std::string writePng(const std::string& path, int width, int height, const std::uint8_t* rgbTopDown);
