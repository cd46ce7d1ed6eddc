#include "platform/window_system.h"

namespace platform {

// freeglut on X asks for GLX itself and names the display that lacks it.
std::string prepareWindowSystem()
{
    return {};
}

}  // namespace platform
