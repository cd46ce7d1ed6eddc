#pragma once

// What a Linux font context keeps: fontconfig's configuration, to look faces
// up by name, and the FreeType library that opens them.

#include "platform/freetype/freetype_font.h"

struct _FcConfig;

namespace platform {

struct FontContext::Native {
    ~Native();
    FreetypeLibrary freetype;
    _FcConfig* config = nullptr;  // null when fontconfig found no configuration
};

}  // namespace platform
