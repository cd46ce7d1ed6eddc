#include "platform/window_system.h"

#include <windows.h>

#include <cstdlib>

namespace platform {

std::string prepareWindowSystem()
{
    // freeglut on Windows takes DISPLAY, as on X, for the name of the screen
    // to measure (CreateDC), and warns when no screen answers to it. Windows
    // sets no such variable; where one is set it is an X display's name
    // (Wine copies the host's, users of X servers for Windows set their
    // own), which Windows does not know. `-display` still names a screen.
    _putenv("DISPLAY=");

    // freeglut opens a window without a GL context when no pixel format
    // suits it, and the first GL call then crashes; so ask first, as it will.
    HDC screen = GetDC(nullptr);
    PIXELFORMATDESCRIPTOR wanted{};
    wanted.nSize = sizeof wanted;
    wanted.nVersion = 1;
    wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    wanted.iPixelType = PFD_TYPE_RGBA;
    wanted.cColorBits = 24;
    wanted.cDepthBits = 24;
    int format = screen ? ChoosePixelFormat(screen, &wanted) : 0;
    PIXELFORMATDESCRIPTOR found{};
    bool drawsGl = format > 0 && DescribePixelFormat(screen, format, sizeof found, &found) &&
                   (found.dwFlags & PFD_SUPPORT_OPENGL) && found.iPixelType == PFD_TYPE_RGBA;
    if (screen)
        ReleaseDC(nullptr, screen);
    if (!drawsGl)
        return "the system offers no OpenGL window: no pixel format of the screen draws OpenGL in RGB "
               "(under Wine, the X server needs the GLX extension)";
    return {};
}

}  // namespace platform
