#include "app/decimal_number.h"

bool readDecimal(const std::string& text, std::size_t& pos, long largest, long& value)
{
    std::size_t start = pos;
    value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos)
        if (value <= largest)
            value = value * 10 + (text[pos] - '0');
    if (value > largest)
        value = largest + 1;
    return pos > start;
}

bool parseDecimal(const std::string& text, long largest, long& value)
{
    std::size_t pos = 0;
    return readDecimal(text, pos, largest, value) && pos == text.size();
}
