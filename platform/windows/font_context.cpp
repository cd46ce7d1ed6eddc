#include "platform/windows/gdi_font.h"

namespace platform {

FontContext::Native::~Native()
{
    if (screen)
        ReleaseDC(nullptr, screen);
}

FontContext::FontContext() : native_(std::make_unique<Native>())
{
    native_->screen = GetDC(nullptr);
}

FontContext::~FontContext() = default;

}  // namespace platform
