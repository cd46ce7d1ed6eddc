#include "platform/freetype/freetype_font.h"

#include <algorithm>

namespace platform {

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
