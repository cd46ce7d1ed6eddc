#include "platform/freetype/freetype_font.h"

namespace platform {

// A page has no font service: the one face it uses travels with it and is
// opened by path, so a context is only the FreeType library.
struct FontContext::Native {
    FreetypeLibrary freetype;
};

FontContext::FontContext() : native_(std::make_unique<Native>()) {}

FontContext::~FontContext() = default;

FT_LibraryRec_* freetypeLibrary(FontContext& context)
{
    return context.native().freetype.get();
}

}  // namespace platform
