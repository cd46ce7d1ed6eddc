#pragma once

#include <string>

// A fontconfig configuration that knows no fonts at all, in FONTCONFIG_FILE
// for as long as it lives; font contexts made meanwhile find no face.
class NoFonts {
public:
    NoFonts();
    ~NoFonts();
    NoFonts(const NoFonts&) = delete;
    NoFonts& operator=(const NoFonts&) = delete;

private:
    std::string path_;
};
