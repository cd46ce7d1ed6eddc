#pragma once

namespace platform {

// Where the page's one face lies in its virtual file system; the build
// embeds it there (web/CMakeLists.txt).
constexpr const char* bundledFontPath = "/fonts/face.ttf";

}  // namespace platform
