#include "platform/freetype/code_page.h"

namespace platform {

namespace {

// Where Windows-1252 departs from Latin-1: the characters of codes 0x80-0x9F.
// A table rather than iconv: the same answer on every C library (the web's
// converter would bring along 140 KB of East Asian tables to a page that
// needs these 32 entries).
constexpr char32_t windows1252Upper[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

}  // namespace

char32_t windows1252ToUnicode(unsigned char code)
{
    if (code >= 0x80 && code < 0xA0)
        return windows1252Upper[code - 0x80];
    return char32_t(code);
}

}  // namespace platform
