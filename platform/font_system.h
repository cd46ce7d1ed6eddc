#pragma once

// The seam between the show and the system's fonts. Text code includes only
// this header; each system implements it in a folder of its own, chosen by
// CMake (linux/: fontconfig and FreeType; windows/: GDI; web/: FreeType over
// a face built into the page). What crosses the seam is plain
// data: advances in em units, pixel extents, and pixels in a canvas. Each
// class keeps what its system needs in a `Native` record that only that
// system's folder defines.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

// A character's extent as a text layout measures it, in whole pixels.
struct CharExtent {
    int cx;  // hinted advance width
    int cy;  // the font's cell height
};

// The outline metrics of one glyph, in units of the face's em square (1.0).
struct OutlineMetrics {
    float blackBoxX, blackBoxY;
    float originX, originY;  // top-left corner of the black box
    float cellIncX, cellIncY;
};

// What fonts are looked up and opened through; it takes the place of the
// screen's drawing context.
class FontContext {
public:
    // Reads the system's font configuration as the environment selects it.
    FontContext();
    ~FontContext();
    FontContext(const FontContext&) = delete;
    FontContext& operator=(const FontContext&) = delete;

    // The one context the program uses, created on first use and kept until
    // the process ends, as the program's fonts are.
    static FontContext& screen();

    struct Native;
    Native& native() const { return *native_; }

private:
    std::unique_ptr<Native> native_;
};

// What a font of every system measures and remembers; each system's
// SystemFont::Native is one of these with its own handles beside.
struct FontMeasures {
    int ascent = 0;
    int cellHeight = 0;
    // Set while drawing, which does not change what the font is.
    mutable std::string glyphError;
};

// A scalable face at a given cell height, addressed by 8-bit codes of the
// western (Windows-1252) code page.
class SystemFont {
public:
    // Looks the face up by name, taking the system's closest match; weight
    // bold or normal, italic or upright; `height` is the cell height (ascent
    // plus descent) in pixels. Returns null and says why in `error` when no
    // usable font is found.
    static std::unique_ptr<SystemFont> open(FontContext& context, const std::string& faceName, int height,
                                            bool bold, bool italic, std::string& error);

    struct Native;
    explicit SystemFont(std::unique_ptr<Native> native);
    ~SystemFont();
    SystemFont(const SystemFont&) = delete;
    SystemFont& operator=(const SystemFont&) = delete;

    // Pixels from the cell's top to the baseline, and the whole cell height.
    int ascent() const { return measures_.ascent; }
    int cellHeight() const { return measures_.cellHeight; }

    // From the outline, unhinted: what text advances by, in em units.
    OutlineMetrics outlineMetrics(unsigned char code) const;
    CharExtent extent(unsigned char code) const;
    // Why the first glyph that could not be loaded or drawn failed, naming
    // its code; empty while every glyph asked for has worked. A font file can
    // open and still be damaged inside.
    const std::string& glyphError() const { return measures_.glyphError; }

    Native& native() const { return *native_; }

private:
    std::unique_ptr<Native> native_;
    const FontMeasures& measures_;  // *native_, seen as what every system has
};

// A zeroed image of 32-bit pixels (blue, green, red, and a fourth byte that
// drawing leaves 0), rows stored bottom-up, so that a pixel drawn at (x, y)
// counted from the top sits at texture coordinates (x / width, 1 − y / height).
class GlyphCanvas {
public:
    // Returns null and says why in `error` when the pixels cannot be had.
    static std::unique_ptr<GlyphCanvas> create(int width, int height, std::string& error);

    struct Native;
    ~GlyphCanvas();
    GlyphCanvas(const GlyphCanvas&) = delete;
    GlyphCanvas& operator=(const GlyphCanvas&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    const std::uint8_t* pixels() const { return pixels_; }
    std::uint8_t* pixels() { return pixels_; }
    std::size_t byteCount() const { return std::size_t(width_) * height_ * 4; }
    // The pixel at (x, y), y counted from the top.
    const std::uint8_t* pixel(int x, int y) const { return pixelAt(x, y); }

    // Draws one character, antialiased in white, with its cell's top-left
    // corner at (x, y); only the glyph's own pixels are touched, and whatever
    // falls outside the image is clipped. Every drawing is in the pixels when
    // this returns.
    void drawCharacter(const SystemFont& font, unsigned char code, int x, int y);

private:
    // Never shared: a shared_ptr takes its deleter where it is made, where
    // each system's Native is complete, so that Native's destructor releases
    // what holds the pixels without a deleter of every system's own.
    using NativePointer = std::shared_ptr<Native>;

    GlyphCanvas(int width, int height, std::uint8_t* pixels, NativePointer native);
    // Each system's own: zeroed pixels for an image of this (non-empty)
    // size, and what holds them. Null, with the reason in `error`, when they
    // cannot be had.
    static NativePointer allocate(int width, int height, std::uint8_t*& pixels, std::string& error);

    std::uint8_t* pixelAt(int x, int y) const
    {
        return pixels_ + (std::size_t(height_ - 1 - y) * width_ + x) * 4;
    }

    int width_;
    int height_;
    std::uint8_t* pixels_;
    NativePointer native_;
};

}  // namespace platform
