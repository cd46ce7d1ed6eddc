#include "platform/freetype/freetype_font.h"
#include "platform/linux/font_context.h"

#include <fontconfig/fontconfig.h>

namespace platform {

namespace {

std::string patternString(FcPattern* pattern, const char* object)
{
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch || !value)
        return {};
    return reinterpret_cast<const char*>(value);
}

int patternInteger(FcPattern* pattern, const char* object, int fallback)
{
    int value = fallback;
    FcPatternGetInteger(pattern, object, 0, &value);
    return value;
}

}  // namespace

std::unique_ptr<SystemFont> SystemFont::open(FontContext& context, const std::string& faceName,
                                             int height, bool bold, bool italic,
                                             std::string& error)
{
    FcConfig* config = context.native().config;
    if (!config) {
        error = "cannot look up font \"" + faceName + "\": fontconfig could not load its configuration";
        return nullptr;
    }
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(faceName.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) {
        error = "cannot find font \"" + faceName + "\": fontconfig knows no font that could stand in for it";
        return nullptr;
    }

    std::string path = patternString(match, FC_FILE);
    int index = patternInteger(match, FC_INDEX, 0);
    // Draw what the matched face lacks, as Windows does for a family without
    // a bold or italic member.
    bool emboldened = bold && patternInteger(match, FC_WEIGHT, FC_WEIGHT_REGULAR) < FC_WEIGHT_DEMIBOLD;
    bool slanted = italic && patternInteger(match, FC_SLANT, FC_SLANT_ROMAN) == FC_SLANT_ROMAN;
    FcPatternDestroy(match);

    if (path.empty()) {
        error = "cannot find font \"" + faceName + "\": fontconfig matched a font without a file";
        return nullptr;
    }
    std::unique_ptr<SystemFont> font = openFontFile(context, path, index, height, emboldened, slanted, error);
    if (!font)
        error = "cannot use font \"" + faceName + "\": " + error;
    return font;
}

}  // namespace platform
