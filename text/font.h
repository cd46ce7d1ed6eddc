#pragma once

#include "platform/font_system.h"

#include <GL/gl.h>

#include <cstdarg>
#include <memory>
#include <string>

class GlyphAtlas;

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

// The text interface: a block of 256 display lists, one per 8-bit character
// code, so that a string of bytes draws with one list call, and the system
// font they are made from, which the derived font lets go once it has made
// them. Construct only while a GL context is current.
class Font {
public:
    // Takes a face already looked up; makes the block of lists.
    explicit Font(std::unique_ptr<platform::SystemFont> systemFont);
    // Virtual: the show owns its font through this interface.
    virtual ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // Each returns the number of characters drawn.
    virtual int print(const char* format, ...) __attribute__((format(printf, 2, 3))) = 0;
    virtual int printCentered(const char* format, ...) __attribute__((format(printf, 2, 3))) = 0;
    virtual void drawGlyph(char c) = 0;

    // Calls the list of every character of the formatted text.
    int renderText(const char* format, va_list arguments);

    // The list of character code c is listBase() + c.
    GLuint listBase() const { return listBase_; }
    // False once the derived font has drawn its glyphs and let it go.
    bool holdsSystemFont() const { return systemFont_ != nullptr; }

protected:
    // Formatted texts are cut at this many bytes, the terminating zero included.
    static constexpr int textBufferSize = 256;
    // Formats into `buffer` (textBufferSize bytes); returns the characters kept.
    static int formatText(char* buffer, const char* format, va_list arguments);

    const platform::SystemFont& systemFont() const { return *systemFont_; }
    void releaseSystemFont() { systemFont_.reset(); }

private:
    GLuint listBase_;
    std::unique_ptr<platform::SystemFont> systemFont_;
};

// A font drawn as textured quads from one mipmapped atlas of all 256 codes
// (text/texture_font.cpp).
class TextureFont : public Font {
public:
    // Makes the font of a drawn atlas: its lists, from the face's outline
    // metrics and the extents the atlas measured, and its texture. Needs a
    // current GL context. Null, with the reason in `error`, when the outlines
    // cannot be read or the texture cannot be made.
    static std::unique_ptr<TextureFont> create(std::unique_ptr<GlyphAtlas> atlas, std::string& error);
    ~TextureFont() override;

    // Draws at the current position and leaves the model-view matrix moved to
    // the end of the text; blending is left off.
    int print(const char* format, ...) override __attribute__((format(printf, 2, 3)));
    // Draws centred on the current position; the matrix is left unchanged.
    int printCentered(const char* format, ...) override __attribute__((format(printf, 2, 3)));
    void drawGlyph(char c) override;

    // The advance of the formatted text in font units.
    float measure(const char* format, ...) __attribute__((format(printf, 2, 3)));

    const GlyphMetricsFloat& glyphMetrics(unsigned char code) const { return glyphMetrics_[code]; }
    GLuint atlasTexture() const { return atlasTexture_; }

private:
    explicit TextureFont(std::unique_ptr<platform::SystemFont> systemFont);
    bool build(const GlyphAtlas& atlas, std::string& error);
    void beginText();
    void endText();
    float widthOf(const char* text) const;

    GlyphMetricsFloat glyphMetrics_[256];
    GLuint atlasTexture_ = 0;
};
