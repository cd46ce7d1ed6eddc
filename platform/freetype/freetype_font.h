#pragma once

// Fonts drawn with FreeType, shared by the systems that have no font
// service of their own to draw with (Linux, the web): a FreeType face behind
// each font. How a face is found is each system's own. Only the platform
// folders, and tests of them, include this header.

#include "platform/font_system.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct FT_LibraryRec_;
struct FT_FaceRec_;

namespace platform {

// The FreeType library a font context opens its faces with, started with the
// context and ended with it.
class FreetypeLibrary {
public:
    FreetypeLibrary();
    ~FreetypeLibrary();
    FreetypeLibrary(const FreetypeLibrary&) = delete;
    FreetypeLibrary& operator=(const FreetypeLibrary&) = delete;
    // Null when FreeType could not start.
    FT_LibraryRec_* get() const { return library_; }

private:
    FT_LibraryRec_* library_ = nullptr;
};

// The context's FreeType library; null when FreeType could not start.
FT_LibraryRec_* freetypeLibrary(FontContext& context);

struct SystemFont::Native : FontMeasures {
    Native() { scaledAdvance.fill(-1); }
    ~Native();
    unsigned glyphIndex(unsigned char code) const;
    // Loads the glyph hinted at this size, with any synthetic style applied.
    bool loadScaled(unsigned char code) const;
    void noteGlyphError(unsigned char code, const std::string& reason) const;

    FT_FaceRec_* face = nullptr;
    std::string file, family, style;
    bool emboldened = false;  // synthetic bold applied
    bool slanted = false;     // synthetic italic applied
    // Hinted advances in pixels, -1 until the glyph is first loaded: the
    // atlas measures each character right after drawing it, and hinting a
    // glyph at this size costs more than drawing it.
    mutable std::array<int, 256> scaledAdvance;
};

// Opens one face of a font file; bold and italic are drawn synthetically
// when asked for.
std::unique_ptr<SystemFont> openFontFile(FontContext& context, const std::string& path, int faceIndex,
                                         int height, bool emboldened, bool slanted, std::string& error);
// The same from a face file's bytes, which must outlive the font; `name`
// says what they are in errors.
std::unique_ptr<SystemFont> openFontData(FontContext& context, const std::string& name, const unsigned char* data,
                                         std::size_t size, int faceIndex, int height, bool emboldened,
                                         bool slanted, std::string& error);

// A rendered glyph: 8-bit coverage, rows top-down, placed relative to the pen
// position on the baseline.
struct GlyphCoverage {
    int left = 0;  // from the pen to the first column
    int top = 0;   // from the baseline up to the first row
    int width = 0;
    int rows = 0;
    std::vector<std::uint8_t> coverage;  // width × rows
};

// Antialiased, hinted at the font's size. A code with no glyph in the face
// gives the face's missing glyph.
GlyphCoverage renderGlyph(const SystemFont& font, unsigned char code);

}  // namespace platform
