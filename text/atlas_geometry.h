#pragma once

#include <cstddef>
#include <cstdint>

// The glyph atlas: all 256 codes in one square image, a 16 × 16 grid of cells.
constexpr int atlasSize = 2048;
constexpr int atlasCellPitch = 128;
constexpr int atlasCellsPerRow = 16;
constexpr std::size_t atlasPixelCount = std::size_t(atlasSize) * atlasSize;
constexpr std::size_t atlasByteCount = atlasPixelCount * 4;

// Where a code's character is drawn, y counted down from the image's top.
// Italic glyphs lean right, so their row starts a little further in.
struct CellOrigin {
    int x;
    int y;
};
CellOrigin cellOrigin(int code, bool italic);

// A glyph's quad in font units (cell height = 1 per `fontHeight` pixels) and
// the part of the atlas it shows, for a character measured cx × cy pixels.
struct GlyphQuad {
    float width, height;
    float u0, u1;
    float vTop, vBottom;
};
GlyphQuad glyphQuad(CellOrigin origin, int cx, int cy, int fontHeight);

// Gives every 4-byte pixel an alpha (its fourth byte) equal to the mean of its
// three colour bytes, rounded down.
void deriveAlpha(std::uint8_t* pixels, std::size_t pixelCount);
