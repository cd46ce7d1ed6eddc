#pragma once

namespace platform {

// The Windows-1252 (western ANSI) character of an 8-bit code. Codes that
// code page leaves undefined keep their own value, a C1 control code point.
char32_t windows1252ToUnicode(unsigned char code);

}  // namespace platform
