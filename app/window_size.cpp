#include "app/window_size.h"

#include "app/decimal_number.h"

#include <algorithm>
#include <cstddef>

namespace {

bool readSide(const std::string& text, std::size_t& pos, int& side)
{
    long value = 0;
    bool read = readDecimal(text, pos, largestWindowSide, value);
    side = int(value);
    return read;
}

bool inRange(int side)
{
    return side >= 1 && side <= largestWindowSide;
}

const std::string sideRange = "each side from 1 to " + std::to_string(largestWindowSide) + " pixels";

}  // namespace

std::string parseWindowSize(const std::string& option, const std::string& text, WindowSize& size)
{
    std::size_t pos = 0;
    WindowSize read;
    bool wellFormed = readSide(text, pos, read.width) && pos < text.size() && (text[pos] == 'x' || text[pos] == 'X') &&
                      readSide(text, ++pos, read.height) && pos == text.size();
    if (!wellFormed || !inRange(read.width) || !inRange(read.height))
        return option + " expects WIDTHxHEIGHT, " + sideRange + " (e.g. 1920x1080), not \"" + text + "\"";
    size = read;
    return {};
}

std::string toString(const WindowSize& size)
{
    return std::to_string(size.width) + "x" + std::to_string(size.height);
}

std::string checkSizeFitsDriver(const std::string& option, const WindowSize& size, const WindowSize& largest)
{
    if (size.width <= largest.width && size.height <= largest.height)
        return {};
    return option + " " + toString(size) + " is larger than this OpenGL driver can draw: at most " + toString(largest);
}

std::string parseGeometry(const std::string& option, const std::string& text, Geometry& geometry)
{
    Geometry read;
    std::size_t pos = !text.empty() && text[0] == '=' ? 1 : 0;
    // X reads a width unless the text goes on with a sign or a small x.
    bool wellFormed = pos < text.size();
    if (wellFormed && text[pos] != '+' && text[pos] != '-' && text[pos] != 'x')
        wellFormed = readSide(text, pos, read.size.width) && inRange(read.size.width);
    if (wellFormed && pos < text.size() && (text[pos] == 'x' || text[pos] == 'X'))
        wellFormed = readSide(text, ++pos, read.size.height) && inRange(read.size.height);
    read.place = text.substr(std::min(pos, text.size()));
    int offset = 0;
    for (int i = 0; i < 2 && wellFormed && pos < text.size() && (text[pos] == '+' || text[pos] == '-'); ++i)
        wellFormed = readSide(text, ++pos, offset);
    if (!wellFormed || pos != text.size())
        return option + " expects [WIDTHxHEIGHT][{+-}X{+-}Y], " + sideRange + " (e.g. 640x480+0+0), not \"" +
               text + "\"";
    geometry = read;
    return {};
}
