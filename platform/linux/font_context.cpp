#include "platform/linux/font_context.h"

#include "platform/freetype/freetype_font.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace platform {

FontContext::Native::~Native()
{
    if (library)
        FT_Done_FreeType(library);
    if (config)
        FcConfigDestroy(config);
}

// FONTCONFIG_FILE and the other variables fontconfig honours select the
// configuration.
FontContext::FontContext() : native_(std::make_unique<Native>())
{
    native_->config = FcInitLoadConfigAndFonts();
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
