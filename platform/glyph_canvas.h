#pragma once

#include "platform/system_font.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

// A zeroed image of 32-bit pixels (blue, green, red, and a fourth byte that
// drawing leaves 0), rows stored bottom-up, so that a pixel drawn at (x, y)
// counted from the top sits at texture coordinates (x / width, 1 − y / height).
class GlyphCanvas {
public:
    // Returns null and says why in `error` when the pixels cannot be had.
    static std::unique_ptr<GlyphCanvas> create(int width, int height, std::string& error);
    ~GlyphCanvas();
    GlyphCanvas(const GlyphCanvas&) = delete;
    GlyphCanvas& operator=(const GlyphCanvas&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    const std::uint8_t* pixels() const { return pixels_; }
    std::uint8_t* pixels() { return pixels_; }
    std::size_t byteCount() const { return std::size_t(width_) * height_ * 4; }
    // The pixel at (x, y), y counted from the top.
    const std::uint8_t* pixel(int x, int y) const;

    // Draws one character in white with its cell's top-left corner at (x, y),
    // baseline at y + ascent; only the glyph's own pixels are touched, and
    // whatever falls outside the image is clipped.
    void drawCharacter(const SystemFont& font, unsigned char code, int x, int y);

private:
    GlyphCanvas(int width, int height, std::uint8_t* pixels);
    // Rows are stored bottom-up; y counts from the top.
    std::uint8_t* pixelAt(int x, int y) const;

    int width_;
    int height_;
    std::uint8_t* pixels_;
};

}  // namespace platform
