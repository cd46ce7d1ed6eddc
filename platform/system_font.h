#pragma once

// The only door to fontconfig and FreeType. Everything that leaves this layer
// is plain data: code points, metrics in em units, pixel extents, coverage.

#include "platform/font_context.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct FT_FaceRec_;

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

// A rendered glyph: 8-bit coverage, rows top-down, placed relative to the pen
// position on the baseline.
struct GlyphCoverage {
    int left = 0;  // from the pen to the first column
    int top = 0;   // from the baseline up to the first row
    int width = 0;
    int rows = 0;
    std::vector<std::uint8_t> coverage;  // width × rows
};

// A scalable face at a given cell height, addressed by 8-bit ANSI codes.
class SystemFont {
public:
    // Looks the face up by name through fontconfig, taking its closest match;
    // weight bold or normal, italic or upright. Returns null and says why in
    // `error` when no usable font is found.
    static std::unique_ptr<SystemFont> open(FontContext& context, const std::string& faceName,
                                            int height, bool bold, bool italic,
                                            std::string& error);

    // Opens one face of a font file; bold and italic are drawn synthetically
    // when asked for.
    static std::unique_ptr<SystemFont> openFile(FontContext& context, const std::string& path,
                                                int faceIndex, int height, bool emboldened,
                                                bool slanted, std::string& error);
    ~SystemFont();
    SystemFont(const SystemFont&) = delete;
    SystemFont& operator=(const SystemFont&) = delete;

    const std::string& file() const { return file_; }
    const std::string& family() const { return family_; }
    const std::string& style() const { return style_; }
    bool isEmboldened() const { return emboldened_; }  // synthetic bold applied
    bool isSlanted() const { return slanted_; }        // synthetic italic applied

    // Pixels from the cell's top to the baseline, and the whole cell height.
    int ascent() const { return ascent_; }
    int cellHeight() const { return cellHeight_; }

    // Unhinted, from the outline: what text advances by in em units.
    OutlineMetrics outlineMetrics(unsigned char code) const;
    CharExtent extent(unsigned char code) const;
    // Antialiased, hinted at this size. A code with no glyph in the face
    // gives the face's missing glyph.
    GlyphCoverage render(unsigned char code) const;
    // Why the first glyph that could not be loaded or drawn failed, naming
    // its code; empty while every glyph asked for has worked. A font file
    // can open and still be damaged inside.
    const std::string& glyphError() const { return glyphError_; }

private:
    SystemFont() { scaledAdvance_.fill(-1); }
    unsigned glyphIndex(unsigned char code) const;
    bool loadScaled(unsigned char code) const;
    void noteGlyphError(unsigned char code, const std::string& reason) const;

    FT_FaceRec_* face_ = nullptr;
    std::string file_, family_, style_;
    bool emboldened_ = false;
    bool slanted_ = false;
    int ascent_ = 0;
    int cellHeight_ = 0;
    // Hinted advances in pixels, -1 until the glyph is first loaded: the
    // atlas measures each character right after drawing it, and hinting a
    // glyph at this size costs more than drawing it.
    mutable std::array<int, 256> scaledAdvance_;
    mutable std::string glyphError_;
};

}  // namespace platform
