#include "app/show.h"
#include "platform/font_system.h"
#include "tests/gl_test.h"
#include "text/atlas_geometry.h"
#include "text/font.h"
#include "text/glyph_atlas.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const FontRequest verdana = Show::fontRequest();

std::unique_ptr<TextureFont> makeFont()
{
    std::string error;
    std::unique_ptr<TextureFont> font =
        TextureFont::create(GlyphAtlas::draw(platform::FontContext::screen(), verdana, error), error);
    EXPECT_TRUE(font) << error;
    return font;
}

TextureFont& showFont()
{
    static TextureFont* font = makeFont().release();
    return *font;
}

// The atlas drawn as the font draws it, before its alpha, apart from the
// texture.
std::unique_ptr<GlyphAtlas> referenceAtlas()
{
    std::string error;
    auto atlas = GlyphAtlas::open(platform::FontContext::screen(), verdana, error);
    EXPECT_TRUE(atlas && atlas->drawGlyphs(error)) << error;
    return atlas;
}

float modelViewX()
{
    return currentMatrix(GL_MODELVIEW_MATRIX)[12];
}

using TextureFontTest = GlTest;

TEST_F(TextureFontTest, ConstructionLeavesTheAtlasBoundWithTexturingOff)
{
    glDisable(GL_TEXTURE_2D);
    std::unique_ptr<TextureFont> font = makeFont();
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(GLuint(bound), font->atlasTexture());
    EXPECT_NE(font->atlasTexture(), 0u);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(font->holdsSystemFont()) << "the system font is released once the atlas is drawn";
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[0] + clear[1] + clear[2] + clear[3], 0.0f);
}

TEST_F(TextureFontTest, AFontReleasesItsTextureAndListsWhenDestroyed)
{
    GLuint texture = 0, lists = 0;
    {
        std::unique_ptr<TextureFont> font = makeFont();
        texture = font->atlasTexture();
        lists = font->listBase();
        EXPECT_TRUE(glIsTexture(texture));
        EXPECT_TRUE(glIsList(lists) && glIsList(lists + 255));
    }
    EXPECT_FALSE(glIsTexture(texture));
    EXPECT_FALSE(glIsList(lists) || glIsList(lists + 255));
}

TEST_F(TextureFontTest, AtlasIsAFullyMipmappedClampedTexture)
{
    TextureFont& font = showFont();
    glBindTexture(GL_TEXTURE_2D, font.atlasTexture());
    for (int level = 0; level <= 11; ++level) {
        GLint width = 0, height = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &height);
        EXPECT_EQ(width, 2048 >> level) << "level " << level;
        EXPECT_EQ(height, 2048 >> level) << "level " << level;
    }
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR_MIPMAP_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &value);
    EXPECT_EQ(value, GL_CLAMP);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &value);
    EXPECT_EQ(value, GL_CLAMP);
}

TEST_F(TextureFontTest, AtlasHoldsTheDrawnGlyphsWithAlphaFromTheirBrightnessInMemoryOrder)
{
    // Glyphs are grey, so the space's cell (column 0, row 2, counted from
    // the top) is coloured, a channel apart from the others, to tell the
    // channels apart: the bytes go up in memory order, the first as red.
    std::string error;
    auto atlas = GlyphAtlas::open(platform::FontContext::screen(), verdana, error);
    ASSERT_TRUE(atlas && atlas->drawGlyphs(error)) << error;
    for (int y = 256; y < 384; ++y)
        for (int x = 0; x < 128; ++x) {
            std::uint8_t* pixel = atlas->image().pixels() + ((std::size_t(2047 - y) * 2048) + x) * 4;
            pixel[0] = 30, pixel[1] = 120, pixel[2] = 240;
        }
    atlas->deriveAlpha();
    std::vector<std::uint8_t> uploaded(atlas->image().pixels(), atlas->image().pixels() + atlasByteCount);
    std::unique_ptr<TextureFont> font = TextureFont::create(std::move(atlas), error);
    ASSERT_TRUE(font) << error;
    std::vector<std::uint8_t> texels(atlasByteCount);
    glBindTexture(GL_TEXTURE_2D, font->atlasTexture());
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());

    std::size_t mismatches = 0, inked = 0;
    for (std::size_t i = 0; i < atlasPixelCount; ++i) {
        const std::uint8_t* t = &texels[i * 4];
        mismatches += std::memcmp(t, &uploaded[i * 4], 4) != 0 || t[3] != (t[0] + t[1] + t[2]) / 3;
        inked += t[3] != 0;
    }
    EXPECT_EQ(mismatches, 0u);
    EXPECT_GT(inked, 100000u);
    const std::uint8_t* space = &texels[((std::size_t(2047 - 300) * 2048) + 60) * 4];
    EXPECT_EQ(space[0], 30);
    EXPECT_EQ(space[1], 120);
    EXPECT_EQ(space[2], 240);
    EXPECT_EQ(space[3], 130);
}

TEST_F(TextureFontTest, EachListShowsItsOwnCellOfTheAtlas)
{
    TextureFont& font = showFont();
    auto reference = referenceAtlas();

    OffscreenFrame frame(800, 600);
    frame.bind();
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDisable(GL_BLEND);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, font.atlasTexture());
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);

    for (unsigned char code : {'A', 'g', '@', '~', '\xC8'}) {
        SCOPED_TRACE(std::string(1, char(code)));
        platform::CharExtent extent = reference->font().extent(code);
        CellOrigin origin = cellOrigin(code, false);
        // One screen pixel per atlas pixel: the quad is cx × cy font pixels.
        glClear(GL_COLOR_BUFFER_BIT);
        glViewport(0, 0, extent.cx, extent.cy);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, extent.cx / 128.0, 0, extent.cy / 128.0, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glCallList(font.listBase() + code);

        Picture picture = Picture::of(frame);
        int mismatches = 0, ink = 0;
        for (int row = 0; row < extent.cy; ++row) {
            for (int column = 0; column < extent.cx; ++column) {
                int drawnRow = picture.height - 1 - row;  // Picture::at counts from the top
                std::uint8_t shown = picture.at(column, drawnRow)[0];
                std::uint8_t drawn = reference->image().pixel(origin.x + column, origin.y + extent.cy - 1 - row)[0];
                mismatches += shown != drawn;
                ink += shown != 0;
            }
        }
        EXPECT_EQ(mismatches, 0);
        EXPECT_GT(ink, 200);
    }
    glPopAttrib();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    frame.release();
    glMatrixMode(GL_MODELVIEW);
}

TEST_F(TextureFontTest, EveryListAdvancesByItsOutlineWidth)
{
    TextureFont& font = showFont();
    for (int code = 0; code < 256; ++code) {
        glLoadIdentity();
        glCallList(font.listBase() + code);
        Matrix m = currentMatrix(GL_MODELVIEW_MATRIX);
        EXPECT_EQ(m[12], font.glyphMetrics(code).gmfCellIncX) << "code " << code;
        EXPECT_EQ(m[13], 0.0f);
    }
    EXPECT_GT(font.glyphMetrics('W').gmfCellIncX, font.glyphMetrics('i').gmfCellIncX);
    EXPECT_GT(font.glyphMetrics(' ').gmfCellIncX, 0.0f);
}

TEST_F(TextureFontTest, PrintDrawsTheFormattedTextAndMovesByItsAdvances)
{
    TextureFont& font = showFont();
    auto g = [&](unsigned char code) { return font.glyphMetrics(code); };

    float x = modelViewX();
    EXPECT_EQ(font.print("%s", ""), 0);
    EXPECT_EQ(modelViewX(), x);
    EXPECT_EQ(font.measure("%s", ""), 0.0f);

    glLoadIdentity();
    EXPECT_EQ(font.print("%d", 42), 2);
    EXPECT_FLOAT_EQ(modelViewX(), g('4').gmfCellIncX + g('2').gmfCellIncX);

    // Code 200 is list listBase + 200, whether printed or drawn alone.
    glLoadIdentity();
    EXPECT_EQ(font.print("\xC8"), 1);
    EXPECT_FLOAT_EQ(modelViewX(), g(200).gmfCellIncX);
    glLoadIdentity();
    font.drawGlyph(char(200));
    EXPECT_FLOAT_EQ(modelViewX(), g(200).gmfCellIncX);
    EXPECT_FLOAT_EQ(font.measure("\xC8"), g(200).gmfCellIncX);

    double sum = 0;
    for (const char* c = "Hello, world 7"; *c; ++c)
        sum += g(static_cast<unsigned char>(*c)).gmfCellIncX;
    EXPECT_EQ(font.measure("Hello, %s %d", "world", 7), float(sum));
    glLoadIdentity();
    font.print("Hello, %s %d", "world", 7);
    EXPECT_NEAR(modelViewX(), sum, 1e-5);
    glLoadIdentity();
}

TEST_F(TextureFontTest, TextAtOrPastTheBuffersEndIsCutAt255Characters)
{
    TextureFont& font = showFont();
    const std::string a253(253, 'a'), a254(254, 'a'), a255(255, 'a'), a256(256, 'a'),
        tenThousand(10000, 'x');
    struct Case {
        std::string format;
        const char* argument;  // for one %s, or null
        int number;            // for one %d
        std::string drawn;     // what must be drawn
    } cases[] = {
        {"%s", a255.c_str(), 0, a255},
        {"%s", a256.c_str(), 0, a255},
        {"%s", tenThousand.c_str(), 0, tenThousand.substr(0, 255)},
        {a253 + "%d", nullptr, 12345, a253 + "12"},
        {a254 + "%%", nullptr, 0, a254 + "%"},
        {a255 + "%%", nullptr, 0, a255},
        {a254 + "%s", "xyz", 0, a254 + "x"},
        {"%.300d", nullptr, 7, std::string(255, '0')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format.substr(c.format.size() > 8 ? c.format.size() - 8 : 0));
        float advance = font.measure("%s", c.drawn.c_str());
        glLoadIdentity();
        int drawn = c.argument ? font.print(c.format.c_str(), c.argument) : font.print(c.format.c_str(), c.number);
        EXPECT_EQ(drawn, int(c.drawn.size()));
        EXPECT_NEAR(modelViewX(), advance, 1e-3);
        EXPECT_FLOAT_EQ(c.argument ? font.measure(c.format.c_str(), c.argument) : font.measure(c.format.c_str(), c.number),
                        advance);
        int centred = c.argument ? font.printCentered(c.format.c_str(), c.argument)
                                 : font.printCentered(c.format.c_str(), c.number);
        EXPECT_EQ(centred, int(c.drawn.size()));
    }
    glLoadIdentity();
}

TEST_F(TextureFontTest, TextOperationsRestoreTexturingAndLeaveBlendingOff)
{
    TextureFont& font = showFont();
    GLuint other = 0;
    glGenTextures(1, &other);
    glBindTexture(GL_TEXTURE_2D, other);
    for (bool texturing : {false, true}) {
        texturing ? glEnable(GL_TEXTURE_2D) : glDisable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ZERO);
        glPushMatrix();
        font.print("Abc");
        font.printCentered("Abc");
        font.drawGlyph('Z');
        glPopMatrix();
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
        EXPECT_EQ(bool(glIsEnabled(GL_TEXTURE_2D)), texturing);
        GLint bound = 0, src = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(GLuint(bound), other);
        glGetIntegerv(GL_BLEND_SRC, &src);
        EXPECT_EQ(src, GL_ONE) << "the blend function comes back";
        GLint listBase = -1;
        glGetIntegerv(GL_LIST_BASE, &listBase);
        EXPECT_EQ(listBase, 0);
    }
    glDisable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDeleteTextures(1, &other);
}

TEST_F(TextureFontTest, PrintCenteredStartsHalfTheWidthToTheLeftAndKeepsTheMatrix)
{
    TextureFont& font = showFont();
    OffscreenFrame frame(800, 600);
    frame.bind();
    // 100 pixels per font unit, the origin at the centre.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-4, 4, -3, 3, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3f(1, 1, 1);

    auto leftmostInk = [&](const Picture& p) {
        for (int x = 0; x < p.width; ++x)
            if (p.inkCount(x, 0, x + 1, p.height) > 0)
                return x;
        return -1;
    };
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    font.print("HIH");
    int plainLeft = leftmostInk(Picture::of(frame));

    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Matrix before = currentMatrix(GL_MODELVIEW_MATRIX);
    EXPECT_EQ(font.printCentered("H%sH", "I"), 3);
    expectMatrixNear(currentMatrix(GL_MODELVIEW_MATRIX), before, 0.0f);
    int centredLeft = leftmostInk(Picture::of(frame));

    ASSERT_GE(plainLeft, 400);
    EXPECT_NEAR(plainLeft - centredLeft, 50.0 * font.measure("HIH"), 1.5);
    frame.release();
    glColor3f(1, 1, 1);
}

}  // namespace
