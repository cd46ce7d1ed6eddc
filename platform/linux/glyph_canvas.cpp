#include "platform/linux/freetype_font.h"

#include <sys/mman.h>

#include <algorithm>

namespace platform {

struct GlyphCanvas::Native {
    void* mapping;
    std::size_t bytes;
    ~Native() { munmap(mapping, bytes); }
};

std::unique_ptr<GlyphCanvas> GlyphCanvas::create(int width, int height, std::string& error)
{
    if (width <= 0 || height <= 0) {
        error = "image size " + std::to_string(width) + " x " + std::to_string(height) + " is empty";
        return nullptr;
    }
    std::size_t bytes = std::size_t(width) * std::size_t(height) * 4;
    // Mapped zeroed and populated at once: nearly every page gets ink, and
    // faulting them in one at a time while drawing costs twice as long.
    void* pixels = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (pixels == MAP_FAILED) {
        error = "cannot allocate " + std::to_string(bytes) + " bytes for a " + std::to_string(width) +
                " x " + std::to_string(height) + " image";
        return nullptr;
    }
    return std::make_unique<GlyphCanvas>(width, height, static_cast<std::uint8_t*>(pixels),
                                         std::unique_ptr<Native>(new Native{pixels, bytes}));
}

GlyphCanvas::GlyphCanvas(int width, int height, std::uint8_t* pixels, std::unique_ptr<Native> native)
    : width_(width), height_(height), pixels_(pixels), native_(std::move(native))
{
}

GlyphCanvas::~GlyphCanvas() = default;

void GlyphCanvas::drawCharacter(const SystemFont& font, unsigned char code, int x, int y)
{
    GlyphCoverage glyph = renderGlyph(font, code);
    int left = x + glyph.left;
    int top = y + font.ascent() - glyph.top;
    int firstColumn = std::max(0, -left);
    int endColumn = std::min(glyph.width, width_ - left);
    if (firstColumn >= endColumn)
        return;
    for (int row = 0; row < glyph.rows; ++row) {
        int py = top + row;
        if (py < 0 || py >= height_)
            continue;
        const std::uint8_t* coverage = glyph.coverage.data() + std::size_t(row) * glyph.width;
        std::uint8_t* p = pixelAt(left + firstColumn, py);
        for (int column = firstColumn; column < endColumn; ++column, p += 4) {
            unsigned c = coverage[column];
            if (c == 0)
                continue;
            // White over what is there, so a neighbour's spill is blended,
            // not overwritten.
            unsigned value = p[0] == 0 ? c : (p[0] * (255 - c) + 255 * c + 127) / 255;
            p[0] = p[1] = p[2] = std::uint8_t(value);
        }
    }
}

}  // namespace platform
