#pragma once

// What a Linux font context keeps: fontconfig's configuration, to look faces
// up by name, and the FreeType library that opens them.

#include "platform/font_system.h"

struct FT_LibraryRec_;
struct _FcConfig;

namespace platform {

struct FontContext::Native {
    ~Native();
    FT_LibraryRec_* library = nullptr;  // null when FreeType could not start
    _FcConfig* config = nullptr;        // null when fontconfig found no configuration
};

}  // namespace platform
