#include "text/font.h"

#include <algorithm>
#include <cstdio>

Font::Font(std::unique_ptr<platform::SystemFont> systemFont)
    : listBase_(glGenLists(256)), systemFont_(std::move(systemFont))
{
}

Font::~Font()
{
    glDeleteLists(listBase_, 256);
}

int Font::formatText(char* buffer, const char* format, va_list arguments)
{
    int produced = std::vsnprintf(buffer, textBufferSize, format, arguments);
    if (produced < 0) {
        buffer[0] = '\0';
        return 0;
    }
    return std::min(produced, textBufferSize - 1);
}

int Font::renderText(const char* format, va_list arguments)
{
    char text[textBufferSize];
    int count = formatText(text, format, arguments);
    glPushAttrib(GL_LIST_BIT);
    glListBase(listBase_);
    glCallLists(count, GL_UNSIGNED_BYTE, text);
    glPopAttrib();
    return count;
}
