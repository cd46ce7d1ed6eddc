#include "platform/linux/font_context.h"

#include <fontconfig/fontconfig.h>

namespace platform {

FontContext::Native::~Native()
{
    if (config)
        FcConfigDestroy(config);
}

// FONTCONFIG_FILE and the other variables fontconfig honours select the
// configuration.
FontContext::FontContext() : native_(std::make_unique<Native>())
{
    native_->config = FcInitLoadConfigAndFonts();
}

FontContext::~FontContext() = default;

FT_LibraryRec_* freetypeLibrary(FontContext& context)
{
    return context.native().freetype.get();
}

}  // namespace platform
