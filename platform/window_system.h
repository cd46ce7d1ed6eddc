#pragma once

#include <string>

namespace platform {

// Readies the process for GLUT's window, before glutInit. Returns why the
// system offers no OpenGL window for the show (double-buffered RGB with a
// depth buffer), in words for one line, or nothing when it does or when
// GLUT will say so itself.
std::string prepareWindowSystem();

}  // namespace platform
