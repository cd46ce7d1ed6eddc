#include "text/atlas_geometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(AtlasGeometry, CellsRunSixteenToARowFromTheStartColumn)
{
    EXPECT_EQ(cellOrigin(0, false).x, 2);
    EXPECT_EQ(cellOrigin(0, true).x, 4);
    EXPECT_EQ(cellOrigin(15, false).x, 2 + 1920);
    EXPECT_EQ(cellOrigin(15, true).x, 4 + 1920);
    EXPECT_EQ(cellOrigin(15, false).y, 0);
    EXPECT_EQ(cellOrigin(16, false).x, 2);
    EXPECT_EQ(cellOrigin(16, false).y, 128);
    EXPECT_EQ(cellOrigin('A', false).x, 2 + 128);  // column 1
    EXPECT_EQ(cellOrigin('A', false).y, 512);      // row 4
    EXPECT_EQ(cellOrigin(255, false).x, 1922);
    EXPECT_EQ(cellOrigin(255, false).y, 1920);
}

TEST(AtlasGeometry, QuadsAreCellHighInFontUnitsAndPointAtTheirPixels)
{
    GlyphQuad q = glyphQuad(CellOrigin{130, 512}, 88, 128, 128);
    EXPECT_FLOAT_EQ(q.width, 88.0f / 128.0f);
    EXPECT_FLOAT_EQ(q.height, 1.0f);
    EXPECT_FLOAT_EQ(q.u0, 130.0f / 2048.0f);
    EXPECT_FLOAT_EQ(q.u1, 218.0f / 2048.0f);
    // Texture rows run bottom-up, so the cell's top is the larger v.
    EXPECT_FLOAT_EQ(q.vTop, 1.0f - 512.0f / 2048.0f);
    EXPECT_FLOAT_EQ(q.vBottom, 1.0f - 640.0f / 2048.0f);

    // A glyph in the last column that runs past the image's edge.
    GlyphQuad wide = glyphQuad(cellOrigin(255, false), 140, 128, 128);
    EXPECT_GT(wide.u1, 1.0f);
    EXPECT_FLOAT_EQ(glyphQuad(cellOrigin(255, false), 10, 128, 128).vBottom, 0.0f);
}

TEST(AtlasGeometry, AlphaIsTheMeanOfTheColourBytesRoundedDown)
{
    std::vector<std::uint8_t> pixels = {
        255, 255, 255, 0,  // solid
        1, 1, 0, 9,        // 2 / 3 rounds to 0, whatever was there
        0, 0, 0, 0,        // nothing drawn
        10, 20, 31, 0,     // 61 / 3 = 20
        128, 128, 128, 7,
        0, 0, 0, 5,        // black with a stray fourth byte
        3, 3, 3, 0,        // an odd count: the last pixel has no pair
    };
    deriveAlpha(pixels.data(), 7);
    EXPECT_EQ(pixels[3], 255);
    EXPECT_EQ(pixels[7], 0);
    EXPECT_EQ(pixels[11], 0);
    EXPECT_EQ(pixels[15], 20);
    EXPECT_EQ(pixels[19], 128);
    EXPECT_EQ(pixels[23], 0);
    EXPECT_EQ(pixels[27], 3);
    EXPECT_EQ(pixels[12], 10) << "colour bytes are left alone";
}

}  // namespace
