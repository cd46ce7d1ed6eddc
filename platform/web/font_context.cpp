#include "platform/freetype/freetype_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H

namespace platform {

// A page has no font service: the one face it uses travels with it and is
// opened by path, so a context is only the FreeType library.
struct FontContext::Native {
    ~Native()
    {
        if (library)
            FT_Done_FreeType(library);
    }
    FT_Library library = nullptr;
};

FontContext::FontContext() : native_(std::make_unique<Native>())
{
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) == 0)
        native_->library = library;
}

FontContext::~FontContext() = default;

FT_Library freetypeLibrary(FontContext& context)
{
    return context.native().library;
}

FontContext& FontContext::screen()
{
    static FontContext* context = new FontContext;
    return *context;
}

}  // namespace platform
