#include "text/font.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

Font::Font(platform::FontContext& fontContext, const char* faceName, int height, bool bold,
           bool italic)
{
    listBase_ = glGenLists(256);
    std::string error;
    systemFont_ = platform::SystemFont::open(fontContext, faceName, height, bold, italic, error);
    if (!systemFont_)
        fail(error);
}

Font::~Font()
{
    glDeleteLists(listBase_, 256);
}

void Font::fail(const std::string& message)
{
    std::fprintf(stderr, "starwhirl: %s\n", message.c_str());
    std::exit(1);
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
