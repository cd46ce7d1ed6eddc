#pragma once

#include <cstddef>
#include <string>

// Reads the decimal digits from `pos` on, leaving `pos` after them, as a
// number; false when there are none. A number above `largest` reads as
// largest + 1, so that any length of digits is safe and still out of range.
bool readDecimal(const std::string& text, std::size_t& pos, long largest, long& value);

// The whole of `text` as such a number: digits and nothing else.
bool parseDecimal(const std::string& text, long largest, long& value);
