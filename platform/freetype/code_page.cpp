#include "platform/freetype/code_page.h"

#include <iconv.h>

#include <array>
#include <cwchar>

namespace platform {

namespace {

std::array<char32_t, 256> buildWindows1252Table()
{
    // Without iconv's CP1252 module the codes fall back to Latin-1, which
    // differs only in 0x80-0x9F.
    std::array<char32_t, 256> table;
    iconv_t converter = iconv_open("WCHAR_T", "CP1252");
    for (int code = 0; code < 256; ++code) {
        table[code] = char32_t(code);
        if (converter == iconv_t(-1))
            continue;
        char in = char(code);
        wchar_t out = 0;
        char* inPtr = &in;
        char* outPtr = reinterpret_cast<char*>(&out);
        std::size_t inLeft = 1;
        std::size_t outLeft = sizeof out;
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
        if (iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) != std::size_t(-1) && outLeft == 0)
            table[code] = char32_t(out);
    }
    if (converter != iconv_t(-1))
        iconv_close(converter);
    return table;
}

}  // namespace

char32_t windows1252ToUnicode(unsigned char code)
{
    static const std::array<char32_t, 256> table = buildWindows1252Table();
    return table[code];
}

}  // namespace platform
