#pragma once

struct FT_LibraryRec_;
struct _FcConfig;

namespace platform {

// What fonts are opened through: fontconfig's configuration and a FreeType
// library. It takes the place of a screen drawing context.
class FontContext {
public:
    // Loads fontconfig's configuration as the environment selects it
    // (FONTCONFIG_FILE included) and starts FreeType.
    FontContext();
    ~FontContext();
    FontContext(const FontContext&) = delete;
    FontContext& operator=(const FontContext&) = delete;

    // The one context the program uses, created on first use.
    static FontContext& screen();

private:
    friend class SystemFont;
    FT_LibraryRec_* library_ = nullptr;
    _FcConfig* config_ = nullptr;
};

}  // namespace platform
