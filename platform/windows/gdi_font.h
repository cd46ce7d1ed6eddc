#pragma once

// What the Windows fonts keep behind the seam: GDI handles. Only this
// folder, and tests of it, include this header.

#include "platform/font_system.h"

#include <windows.h>

#include <array>
#include <string>

namespace platform {

// The calling thread's last Windows error, for a line saying what failed.
inline std::string windowsError()
{
    return "Windows error " + std::to_string(GetLastError());
}

struct FontContext::Native {
    ~Native();
    HDC screen = nullptr;  // the whole screen's drawing context
};

struct SystemFont::Native : FontMeasures {
    ~Native();
    // Selected into a drawing context only while it is used there, so that
    // releasing it always takes effect.
    HFONT font = nullptr;
    HDC screen = nullptr;
    std::string face;  // the face GDI chose for the name asked for
    std::array<CharExtent, 256> extents{};
    // wglUseFontOutlinesA's metrics, read at the first call: they need a
    // current GL context.
    bool outlinesRead = false;
    std::array<OutlineMetrics, 256> outlines{};
};

}  // namespace platform
