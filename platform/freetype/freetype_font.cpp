#include "platform/freetype/code_page.h"
#include "platform/freetype/freetype_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace platform {

namespace {

// FreeType's table of error texts, compiled in here because the library
// itself is usually built without it.
#undef FTERRORS_H_
#define FT_ERRORDEF(e, v, s) {v, s},
#define FT_ERROR_START_LIST {
#define FT_ERROR_END_LIST {0, nullptr}};
const struct {
    int code;
    const char* text;
} freetypeErrorTexts[] =
#include FT_ERRORS_H

std::string freetypeError(FT_Error code)
{
    char number[32];
    std::snprintf(number, sizeof number, "FreeType error 0x%02x", unsigned(code));
    for (const auto& entry : freetypeErrorTexts) {
        if (entry.text && entry.code == code)
            return std::string(entry.text) + " (" + number + ")";
    }
    return number;
}

// 26.6 fixed point to whole pixels, rounding halves up.
int roundPixels(FT_Pos value)
{
    return int((value + 32) >> 6);
}

}  // namespace

FreetypeLibrary::FreetypeLibrary()
{
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) == 0)
        library_ = library;
}

FreetypeLibrary::~FreetypeLibrary()
{
    if (library_)
        FT_Done_FreeType(library_);
}

namespace {

// `path` names the face in what is said about it: a file's path, or what
// the bytes in memory are.
std::unique_ptr<SystemFont> openFace(FontContext& context, const FT_Open_Args& source, const std::string& path,
                                     int faceIndex, int height, bool emboldened, bool slanted, std::string& error)
{
    FT_Library library = freetypeLibrary(context);
    if (!library) {
        error = "FreeType could not be started";
        return nullptr;
    }
    auto font = std::make_unique<SystemFont::Native>();
    FT_Error status = FT_Open_Face(library, &source, faceIndex, &font->face);
    if (status != 0) {
        font->face = nullptr;
        error = "cannot open " + path + ": " + freetypeError(status);
        return nullptr;
    }
    FT_Face face = font->face;
    if (!FT_IS_SCALABLE(face)) {
        error = path + " is not a scalable (outline) font";
        return nullptr;
    }
    if (height <= 0) {
        error = "cell height " + std::to_string(height) + " is not a positive number of pixels";
        return nullptr;
    }
    FT_Select_Charmap(face, FT_ENCODING_UNICODE);

    // A cell height, not an em size: scale so that the Windows ascent and
    // descent (or, without them, the horizontal header's) span `height`.
    FT_Long ascentUnits = face->ascender;
    FT_Long descentUnits = -face->descender;
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        ascentUnits = os2->usWinAscent;
        descentUnits = os2->usWinDescent;
    }
    if (ascentUnits + descentUnits <= 0) {
        error = path + " has no usable ascent and descent";
        return nullptr;
    }
    double emPixels = double(height) * face->units_per_EM / double(ascentUnits + descentUnits);
    status = FT_Set_Char_Size(face, 0, FT_F26Dot6(std::lround(emPixels * 64.0)), 72, 72);
    if (status != 0) {
        error = "cannot size " + path + " to " + std::to_string(height) + " pixels: " + freetypeError(status);
        return nullptr;
    }
    font->ascent = roundPixels(FT_MulFix(ascentUnits, face->size->metrics.y_scale));
    font->cellHeight = font->ascent + roundPixels(FT_MulFix(descentUnits, face->size->metrics.y_scale));

    font->file = path;
    font->family = face->family_name ? face->family_name : "";
    font->style = face->style_name ? face->style_name : "";
    font->emboldened = emboldened;
    font->slanted = slanted;
    return std::make_unique<SystemFont>(std::move(font));
}

}  // namespace

std::unique_ptr<SystemFont> openFontFile(FontContext& context, const std::string& path, int faceIndex,
                                         int height, bool emboldened, bool slanted, std::string& error)
{
    FT_Open_Args source{};
    source.flags = FT_OPEN_PATHNAME;
    source.pathname = const_cast<char*>(path.c_str());
    return openFace(context, source, path, faceIndex, height, emboldened, slanted, error);
}

std::unique_ptr<SystemFont> openFontData(FontContext& context, const std::string& name, const unsigned char* data,
                                         std::size_t size, int faceIndex, int height, bool emboldened,
                                         bool slanted, std::string& error)
{
    FT_Open_Args source{};
    source.flags = FT_OPEN_MEMORY;
    source.memory_base = data;
    source.memory_size = FT_Long(size);
    return openFace(context, source, name, faceIndex, height, emboldened, slanted, error);
}

SystemFont::Native::~Native()
{
    if (face)
        FT_Done_Face(face);
}

SystemFont::SystemFont(std::unique_ptr<Native> native) : native_(std::move(native)), measures_(*native_) {}

SystemFont::~SystemFont() = default;

unsigned SystemFont::Native::glyphIndex(unsigned char code) const
{
    return FT_Get_Char_Index(face, windows1252ToUnicode(code));
}

OutlineMetrics SystemFont::outlineMetrics(unsigned char code) const
{
    const Native& font = *native_;
    OutlineMetrics metrics{};
    unsigned glyph = font.glyphIndex(code);
    float em = float(font.face->units_per_EM);
    FT_Fixed advance = 0;
    FT_Error status = FT_Get_Advance(font.face, glyph, FT_LOAD_NO_SCALE, &advance);
    if (status != 0) {
        font.noteGlyphError(code, freetypeError(status));
        return metrics;
    }
    metrics.cellIncX = float(advance) / em;
    status = FT_Load_Glyph(font.face, glyph, FT_LOAD_NO_SCALE);
    if (status != 0) {
        font.noteGlyphError(code, freetypeError(status));
        return metrics;
    }
    const FT_Glyph_Metrics& m = font.face->glyph->metrics;
    metrics.blackBoxX = float(m.width) / em;
    metrics.blackBoxY = float(m.height) / em;
    metrics.originX = float(m.horiBearingX) / em;
    metrics.originY = float(m.horiBearingY) / em;
    return metrics;
}

bool SystemFont::Native::loadScaled(unsigned char code) const
{
    FT_Error status = FT_Load_Glyph(face, glyphIndex(code), FT_LOAD_DEFAULT);
    if (status != 0) {
        noteGlyphError(code, freetypeError(status));
        return false;
    }
    if (slanted)
        FT_GlyphSlot_Oblique(face->glyph);
    if (emboldened)
        FT_GlyphSlot_Embolden(face->glyph);
    scaledAdvance[code] = roundPixels(face->glyph->advance.x);
    return true;
}

void SystemFont::Native::noteGlyphError(unsigned char code, const std::string& reason) const
{
    if (glyphError.empty())
        glyphError = "cannot load the glyph for code " + std::to_string(code) + " from " + file + ": " + reason;
}

CharExtent SystemFont::extent(unsigned char code) const
{
    const Native& font = *native_;
    if (font.scaledAdvance[code] < 0 && !font.loadScaled(code))
        return CharExtent{0, font.cellHeight};
    return CharExtent{font.scaledAdvance[code], font.cellHeight};
}

GlyphCoverage renderGlyph(const SystemFont& systemFont, unsigned char code)
{
    const SystemFont::Native& font = systemFont.native();
    GlyphCoverage glyph;
    if (!font.loadScaled(code))
        return glyph;
    FT_Error status = FT_Render_Glyph(font.face->glyph, FT_RENDER_MODE_NORMAL);
    if (status != 0) {
        font.noteGlyphError(code, freetypeError(status));
        return glyph;
    }
    const FT_Bitmap& bitmap = font.face->glyph->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) {
        font.noteGlyphError(code, "drawn without grey levels");
        return glyph;
    }
    glyph.left = font.face->glyph->bitmap_left;
    glyph.top = font.face->glyph->bitmap_top;
    glyph.width = int(bitmap.width);
    glyph.rows = int(bitmap.rows);
    glyph.coverage.resize(std::size_t(glyph.width) * glyph.rows);
    int levels = bitmap.num_grays > 1 ? bitmap.num_grays - 1 : 255;
    for (int row = 0; row < glyph.rows; ++row) {
        const unsigned char* source = bitmap.buffer + std::ptrdiff_t(row) * bitmap.pitch;
        std::uint8_t* target = glyph.coverage.data() + std::size_t(row) * glyph.width;
        if (levels == 255) {
            std::copy(source, source + glyph.width, target);
            continue;
        }
        for (int column = 0; column < glyph.width; ++column)
            target[column] = std::uint8_t(source[column] * 255 / levels);
    }
    return glyph;
}

}  // namespace platform
