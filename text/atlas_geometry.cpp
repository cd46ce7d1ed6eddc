#include "text/atlas_geometry.h"

#include <cstring>

CellOrigin cellOrigin(int code, bool italic)
{
    int start = italic ? 4 : 2;
    return CellOrigin{start + atlasCellPitch * (code % atlasCellsPerRow),
                      atlasCellPitch * (code / atlasCellsPerRow)};
}

GlyphQuad glyphQuad(CellOrigin origin, int cx, int cy, int fontHeight)
{
    const float texel = 1.0f / float(atlasSize);
    GlyphQuad quad;
    quad.width = float(cx) / float(fontHeight);
    quad.height = float(cy) / float(fontHeight);
    quad.u0 = float(origin.x) * texel;
    quad.u1 = float(origin.x + cx) * texel;
    quad.vTop = 1.0f - float(origin.y) * texel;
    quad.vBottom = 1.0f - float(origin.y + cy) * texel;
    return quad;
}

void deriveAlpha(std::uint8_t* pixels, std::size_t pixelCount)
{
    // Most of an atlas is blank, and a blank pixel's alpha is already 0, so
    // the sweep looks at two pixels at a time and skips blank pairs.
    std::uint8_t* end = pixels + pixelCount * 4;
    std::uint8_t* p = pixels;
    for (; p + 8 <= end; p += 8) {
        std::uint64_t pair;
        std::memcpy(&pair, p, 8);
        if (pair == 0)
            continue;
        p[3] = std::uint8_t((p[0] + p[1] + p[2]) / 3);
        p[7] = std::uint8_t((p[4] + p[5] + p[6]) / 3);
    }
    if (p != end)
        p[3] = std::uint8_t((p[0] + p[1] + p[2]) / 3);
}
