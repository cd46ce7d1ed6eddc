#include "platform/presentation.h"

#include <windows.h>

namespace platform {

SwapFacts swapFacts()
{
    // A pixel format may promise that SwapBuffers copies the back buffer and
    // leaves it as it was; most promise nothing, and WGL has no buffer age.
    HDC dc = wglGetCurrentDC();
    int format = dc ? GetPixelFormat(dc) : 0;
    PIXELFORMATDESCRIPTOR description{};
    SwapFacts facts;
    facts.copies = format > 0 && DescribePixelFormat(dc, format, sizeof description, &description) &&
                   (description.dwFlags & PFD_SWAP_COPY);
    return facts;
}

int backBufferAge()
{
    return 0;
}

}  // namespace platform
