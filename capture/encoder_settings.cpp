#include "capture/encoder_settings.h"

#include <cstring>

const char x264Presets[] = "ultrafast, superfast, veryfast, faster, fast, medium, slow, slower, veryslow, placebo";

bool isX264Preset(const std::string& name)
{
    const char* at = name.empty() ? nullptr : std::strstr(x264Presets, name.c_str());
    for (; at; at = std::strstr(at + 1, name.c_str())) {
        char after = at[name.size()];
        if ((at == x264Presets || at[-1] == ' ') && (after == ',' || after == '\0'))
            return true;
    }
    return false;
}
