#pragma once

namespace platform {

// Whether a space-separated list of extension names, as OpenGL and GLX
// report them, holds `name` as a whole word. Null lists nothing.
bool listsExtension(const char* extensions, const char* name);

}  // namespace platform
