#pragma once

#include <GL/gl.h>

#include <cstdarg>
#include <string>

namespace platform {
class FontContext;
class SystemFont;
}  // namespace platform

// One glyph's outline metrics in units of the em square (em = 1.0). Text
// advances by gmfCellIncX; the others describe the glyph's black box.
struct GlyphMetricsFloat {
    float gmfBlackBoxX;
    float gmfBlackBoxY;
    struct {
        float x, y;
    } gmfptGlyphOrigin;
    float gmfCellIncX;
    float gmfCellIncY;
};

// The text interface: a system font and a block of 256 display lists, one per
// 8-bit character code, so that a string of bytes draws with one list call.
// Construct only while a GL context is current.
class Font {
public:
    // Looks the face up by name; on failure says why on stderr and exits
    // with status 1.
    Font(platform::FontContext& fontContext, const char* faceName, int height, bool bold,
         bool italic);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // Each returns the number of characters drawn.
    virtual int print(const char* format, ...) __attribute__((format(printf, 2, 3))) = 0;
    virtual int printCentered(const char* format, ...) __attribute__((format(printf, 2, 3))) = 0;
    virtual void drawGlyph(char c) = 0;

    // Calls the list of every character of the formatted text.
    int renderText(const char* format, va_list arguments);

    // Held until the derived font has drawn its glyphs, then released.
    platform::SystemFont* systemFont;
    GLuint listBase;

protected:
    // Formatted texts are cut at this many bytes, the terminating zero included.
    static constexpr int textBufferSize = 256;
    // Formats into `buffer` (textBufferSize bytes); returns the characters kept.
    static int formatText(char* buffer, const char* format, va_list arguments);

    void releaseSystemFont();
    [[noreturn]] static void fail(const std::string& message);
};

// A font drawn as textured quads from one mipmapped atlas of all 256 codes.
class TextureFont : public Font {
public:
    TextureFont(platform::FontContext& fontContext, const char* faceName, int height, bool bold,
                bool italic);

    // Draws at the current position and leaves the model-view matrix moved to
    // the end of the text; blending is left off.
    int print(const char* format, ...) override __attribute__((format(printf, 2, 3)));
    // Draws centred on the current position; the matrix is left unchanged.
    int printCentered(const char* format, ...) override __attribute__((format(printf, 2, 3)));
    void drawGlyph(char c) override;

    // The advance of the formatted text in font units.
    float measure(const char* format, ...) __attribute__((format(printf, 2, 3)));

    GlyphMetricsFloat glyphMetrics[256];
    GLuint atlasTexture;

private:
    void beginText();
    void endText();
    float widthOf(const char* text) const;
};
