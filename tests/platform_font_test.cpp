#include "platform/freetype/code_page.h"
#include "platform/freetype/freetype_font.h"
#include "text/atlas_geometry.h"
#include "tests/no_fonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H

#include <gtest/gtest.h>

#include <iconv.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

using platform::FontContext;
using platform::GlyphCanvas;
using platform::SystemFont;

std::unique_ptr<SystemFont> openOrFail(const char* face, int height, bool bold, bool italic)
{
    std::string error;
    auto font = SystemFont::open(FontContext::screen(), face, height, bold, italic, error);
    EXPECT_TRUE(font) << error;
    return font;
}

TEST(SystemFont, VerdanaResolvesToAnInstalledFaceAndHonoursWeightAndSlant)
{
    auto regular = openOrFail("verdana", 128, false, false);
    auto bold = openOrFail("verdana", 128, true, false);
    auto italic = openOrFail("verdana", 128, false, true);
    ASSERT_TRUE(regular && bold && italic);

    EXPECT_FALSE(regular->native().family.empty());
    EXPECT_NE(regular->native().file, bold->native().file);
    EXPECT_NE(regular->native().file, italic->native().file);
    // Either the face itself is bold or italic, or it is drawn so.
    EXPECT_TRUE(bold->native().style.find("Bold") != std::string::npos || bold->native().emboldened) << bold->native().style;
    EXPECT_TRUE(italic->native().style.find("Italic") != std::string::npos ||
                italic->native().style.find("Oblique") != std::string::npos || italic->native().slanted)
        << italic->native().style;
    EXPECT_EQ(regular->native().style.find("Bold"), std::string::npos);
    EXPECT_FALSE(regular->native().emboldened || regular->native().slanted);
}

TEST(SystemFont, CellHeightIsTheRequestedHeight)
{
    for (int height : {12, 40, 128, 200}) {
        auto font = openOrFail("verdana", height, false, false);
        ASSERT_TRUE(font);
        EXPECT_NEAR(font->cellHeight(), height, 1) << "height " << height;
        EXPECT_GT(font->ascent(), font->cellHeight() / 2);
        EXPECT_LT(font->ascent(), font->cellHeight());
        EXPECT_EQ(font->extent('A').cy, font->cellHeight());
    }
}

TEST(SystemFont, AdvancesInEmUnitsAreFreeTypesUnscaledAdvances)
{
    auto font = openOrFail("verdana", 128, false, false);
    ASSERT_TRUE(font);

    FT_Library library;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    FT_Face face;
    ASSERT_EQ(FT_New_Face(library, font->native().file.c_str(), 0, &face), 0);
    FT_Fixed advance = 0;
    ASSERT_EQ(FT_Get_Advance(face, FT_Get_Char_Index(face, 'A'), FT_LOAD_NO_SCALE, &advance), 0);
    EXPECT_FLOAT_EQ(font->outlineMetrics('A').cellIncX, float(advance) / float(face->units_per_EM));
    FT_Done_Face(face);
    FT_Done_FreeType(library);

    platform::OutlineMetrics a = font->outlineMetrics('A');
    EXPECT_GT(a.blackBoxX, 0.5f);
    EXPECT_GT(a.blackBoxY, 0.5f);
    EXPECT_LE(a.blackBoxX, a.cellIncX);
    EXPECT_NEAR(a.originY, a.blackBoxY, 0.01f) << "'A' stands on the baseline";
    EXPECT_EQ(a.cellIncY, 0.0f);
    EXPECT_EQ(font->outlineMetrics(' ').blackBoxX, 0.0f);

    // Hinted pixel advances follow the em advances at this size.
    float emPixels = font->extent('M').cx / font->outlineMetrics('M').cellIncX;
    EXPECT_NEAR(font->extent('i').cx, font->outlineMetrics('i').cellIncX * emPixels, 2.0f);
}

// Against the C library's own converter, which knows the code page.
TEST(CodePage, CodesAreWindows1252CharactersAsIconvConvertsThem)
{
    iconv_t converter = iconv_open("UTF-32LE", "CP1252");
    ASSERT_NE(converter, iconv_t(-1)) << "this C library cannot convert from CP1252";
    for (int code = 0; code < 256; ++code) {
        char in = char(code);
        unsigned char out[4] = {};
        char* inPtr = &in;
        char* outPtr = reinterpret_cast<char*>(out);
        std::size_t inLeft = 1, outLeft = sizeof out;
        // Undefined in the code page: kept as the C1 control code.
        char32_t expected = char32_t(code);
        if (iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) != std::size_t(-1))
            expected = char32_t(out[0] | out[1] << 8 | out[2] << 16 | out[3] << 24);
        EXPECT_EQ(platform::windows1252ToUnicode(static_cast<unsigned char>(code)), expected) << "code " << code;
    }
    iconv_close(converter);
}

TEST(GlyphCanvas, StartsZeroedAndStoresRowsBottomUp)
{
    std::string error;
    auto canvas = GlyphCanvas::create(64, 32, error);
    ASSERT_TRUE(canvas) << error;
    for (std::size_t i = 0; i < canvas->byteCount(); ++i)
        ASSERT_EQ(canvas->pixels()[i], 0);
    // The top row is the last row in memory.
    EXPECT_EQ(canvas->pixel(0, 0), canvas->pixels() + 31 * 64 * 4);
    EXPECT_EQ(canvas->pixel(5, 31), canvas->pixels() + 5 * 4);
}

TEST(GlyphCanvas, DrawsWhiteGlyphsInsideTheCellAndClipsAtTheEdges)
{
    auto font = openOrFail("verdana", 128, false, false);
    ASSERT_TRUE(font);
    std::string error;
    auto canvas = GlyphCanvas::create(512, 384, error);
    ASSERT_TRUE(canvas) << error;

    const int x = 130, y = 128;
    canvas->drawCharacter(*font, 'W', x, y);
    int ink = 0, minX = 512, maxX = -1, minY = 384, maxY = -1, solid = 0;
    for (int py = 0; py < 384; ++py)
        for (int px = 0; px < 512; ++px) {
            const std::uint8_t* p = canvas->pixel(px, py);
            ASSERT_TRUE(p[0] == p[1] && p[1] == p[2]) << px << "," << py;
            ASSERT_EQ(p[3], 0);
            if (p[0] == 0)
                continue;
            ++ink;
            solid += p[0] == 255;
            minX = std::min(minX, px), maxX = std::max(maxX, px);
            minY = std::min(minY, py), maxY = std::max(maxY, py);
        }
    EXPECT_GT(ink, 500);
    EXPECT_GT(solid, 100) << "glyph interiors are solid white";
    EXPECT_LT(solid, ink) << "edges are antialiased";
    EXPECT_GE(minX, x - 4);
    EXPECT_LE(maxX, x + font->extent('W').cx + 4);
    EXPECT_GE(minY, y);
    EXPECT_LE(maxY, y + font->ascent()) << "'W' sits on the baseline";
    EXPECT_GT(maxY, y + font->ascent() - 4);

    // Half off the edges: the part inside is drawn, the rest clipped.
    auto inkIn = [&](int x0, int y0, int x1, int y1) {
        int count = 0;
        for (int py = y0; py < y1; ++py)
            for (int px = x0; px < x1; ++px)
                count += canvas->pixel(px, py)[0] != 0;
        return count;
    };
    canvas->drawCharacter(*font, 'W', -40, -60);
    canvas->drawCharacter(*font, 'W', 470, 330);
    EXPECT_GT(inkIn(0, 0, 100, 50), 100);
    EXPECT_GT(inkIn(460, 330, 512, 384), 100);

    // A space writes nothing.
    auto blank = GlyphCanvas::create(256, 256, error);
    blank->drawCharacter(*font, ' ', 10, 10);
    for (std::size_t i = 0; i < blank->byteCount(); ++i)
        ASSERT_EQ(blank->pixels()[i], 0);
}

TEST(GlyphCanvas, OverlappingInkIsBlendedNeverDarkened)
{
    auto font = openOrFail("verdana", 128, false, false);
    ASSERT_TRUE(font);
    std::string error;
    auto once = GlyphCanvas::create(256, 256, error);
    auto twice = GlyphCanvas::create(256, 256, error);
    ASSERT_TRUE(once && twice) << error;
    once->drawCharacter(*font, 'O', 20, 20);
    twice->drawCharacter(*font, 'O', 20, 20);
    twice->drawCharacter(*font, 'O', 20, 20);
    int brighter = 0;
    for (int py = 0; py < 256; ++py)
        for (int px = 0; px < 256; ++px) {
            int first = once->pixel(px, py)[0], second = twice->pixel(px, py)[0];
            ASSERT_GE(second, first) << px << "," << py;
            ASSERT_EQ(first == 0, second == 0) << px << "," << py;
            brighter += second > first;
        }
    EXPECT_GT(brighter, 50) << "antialiased edges add up";
}

TEST(GlyphCanvas, AnImageThatCannotBeAllocatedIsAnErrorNotACrash)
{
    std::string error;
    EXPECT_FALSE(GlyphCanvas::create(1 << 20, 1 << 20, error));
    EXPECT_NE(error.find("cannot allocate"), std::string::npos) << error;
}

TEST(SystemFont, AFontThatCannotBeFoundOrOpenedSaysWhy)
{
    std::string error;
    EXPECT_FALSE(platform::openFontFile(FontContext::screen(), "/nonexistent/verdana.ttf", 0, 128,
                                      false, false, error));
    EXPECT_NE(error.find("/nonexistent/verdana.ttf"), std::string::npos) << error;

    // A file that exists but is no font.
    error.clear();
    EXPECT_FALSE(platform::openFontFile(FontContext::screen(), "/etc/hostname", 0, 128, false, false, error));
    EXPECT_NE(error.find("/etc/hostname"), std::string::npos) << error;

    // A fontconfig that knows no fonts at all.
    NoFonts noFonts;
    FontContext empty;
    error.clear();
    EXPECT_FALSE(SystemFont::open(empty, "verdana", 128, false, false, error));
    EXPECT_NE(error.find("\"verdana\""), std::string::npos) << error;
}

std::uint32_t bigEndian32(const std::vector<char>& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = value << 8 | std::uint8_t(bytes[at + i]);
    return value;
}

TEST(SystemFont, AFontThatOpensButHasDamagedGlyphsSaysWhich)
{
    std::string error;
    auto font = openOrFail("verdana", 128, false, false);
    ASSERT_TRUE(font);
    std::ifstream in(font->native().file, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 12u);

    // Overwrite the glyph outlines; the tables that opening reads stay whole.
    int tables = std::uint8_t(bytes[4]) << 8 | std::uint8_t(bytes[5]);
    bool damaged = false;
    for (int i = 0; i < tables && !damaged; ++i) {
        std::size_t entry = 12 + 16 * std::size_t(i);
        if (std::string(&bytes[entry], 4) != "glyf")
            continue;
        std::uint32_t offset = bigEndian32(bytes, entry + 8), length = bigEndian32(bytes, entry + 12);
        ASSERT_LE(std::size_t(offset) + length, bytes.size());
        std::fill(bytes.begin() + offset, bytes.begin() + offset + length, char(0xFF));
        damaged = true;
    }
    ASSERT_TRUE(damaged) << font->native().file << " has no glyf table";
    char path[] = "/tmp/starwhirl-damaged-font-XXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    close(fd);

    auto broken = platform::openFontFile(FontContext::screen(), path, 0, 128, false, false, error);
    ASSERT_TRUE(broken) << error;
    EXPECT_EQ(broken->glyphError(), "");
    platform::renderGlyph(*broken, 'A');
    EXPECT_EQ(broken->glyphError().rfind("cannot load the glyph for code 65 from " + std::string(path) + ": ", 0), 0u)
        << broken->glyphError();
    std::string first = broken->glyphError();
    broken->outlineMetrics('B');
    EXPECT_EQ(broken->glyphError(), first) << "the first failure is the one told";

    for (int code = 0; code < 256; ++code)
        platform::renderGlyph(*font, static_cast<unsigned char>(code));
    EXPECT_EQ(font->glyphError(), "") << "every code of the installed face loads";
    std::remove(path);
}

// The page carries the face cut down to the western codes' glyphs; the show
// must look the same as with the whole face, so every metric the text layer
// reads and every pixel of the atlas must match. The cut face is opened from
// memory, as the page opens it.
TEST(WesternFace, DrawsTheSameAtlasWithTheSameMetricsAsTheFullFace)
{
    std::string error;
    auto full = platform::openFontFile(FontContext::screen(), STARWHIRL_FULL_FACE, 0, 128, false, false, error);
    ASSERT_TRUE(full) << error;
    std::ifstream in(STARWHIRL_WESTERN_FACE, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(bytes.empty()) << STARWHIRL_WESTERN_FACE;
    EXPECT_LT(bytes.size() * 10, std::ifstream(STARWHIRL_FULL_FACE, std::ios::binary | std::ios::ate).tellg())
        << "the cut face should be a small part of the full one";
    auto western = platform::openFontData(FontContext::screen(), "the western face", bytes.data(), bytes.size(), 0,
                                          128, false, false, error);
    ASSERT_TRUE(western) << error;

    EXPECT_EQ(western->ascent(), full->ascent());
    EXPECT_EQ(western->cellHeight(), full->cellHeight());
    auto fullAtlas = GlyphCanvas::create(atlasSize, atlasSize, error);
    auto westernAtlas = GlyphCanvas::create(atlasSize, atlasSize, error);
    ASSERT_TRUE(fullAtlas && westernAtlas) << error;
    for (int code = 0; code < 256; ++code) {
        auto character = static_cast<unsigned char>(code);
        platform::OutlineMetrics a = full->outlineMetrics(character), b = western->outlineMetrics(character);
        EXPECT_TRUE(a.blackBoxX == b.blackBoxX && a.blackBoxY == b.blackBoxY && a.originX == b.originX &&
                    a.originY == b.originY && a.cellIncX == b.cellIncX && a.cellIncY == b.cellIncY)
            << "outline metrics of code " << code;
        EXPECT_EQ(full->extent(character).cx, western->extent(character).cx) << "advance of code " << code;
        CellOrigin origin = cellOrigin(code, false);
        fullAtlas->drawCharacter(*full, character, origin.x, origin.y);
        westernAtlas->drawCharacter(*western, character, origin.x, origin.y);
    }
    EXPECT_EQ(western->glyphError(), "");
    std::size_t differing = 0;
    for (std::size_t i = 0; i < fullAtlas->byteCount(); ++i)
        differing += fullAtlas->pixels()[i] != westernAtlas->pixels()[i];
    EXPECT_EQ(differing, 0u) << "bytes of the atlas differ";
}

}  // namespace
