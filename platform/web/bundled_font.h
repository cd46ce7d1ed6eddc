#pragma once

#include <cstddef>

namespace platform {

// The page's one face, carried in the program itself: the page has no file
// system. The build cuts it down to the western codes' glyphs and makes it
// into data (platform/CMakeLists.txt).
extern const unsigned char bundledFace[];
extern const std::size_t bundledFaceSize;

}  // namespace platform
