#include "platform/font_context.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace platform {

FontContext::FontContext()
{
    config_ = FcInitLoadConfigAndFonts();
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) == 0)
        library_ = library;
}

FontContext::~FontContext()
{
    if (library_)
        FT_Done_FreeType(library_);
    if (config_)
        FcConfigDestroy(config_);
}

FontContext& FontContext::screen()
{
    // Never destroyed: the program's fonts live until the process ends.
    static FontContext* context = new FontContext;
    return *context;
}

}  // namespace platform
