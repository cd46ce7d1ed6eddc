#pragma once

#include "app/window_size.h"

#include <string>
#include <vector>

// What the show was asked for on its command line.
struct ShowOptions {
    bool help = false;
    bool version = false;
    bool fullscreen = false;
    // The window's size: the show's own, --window's, or -geometry's.
    WindowSize window = showWindowSize;
    // The option that gave it ("--window", "-geometry"), or nothing.
    std::string windowOption;
    // What glutInit is to read: the program's name, then GLUT's own options
    // in their order. A -geometry that leaves a side out gets it from
    // `window`, since freeglut would take that side from uninitialised memory.
    std::vector<std::string> glutArguments;
};

// Reads the whole command line, the program's name first, before anything
// opens a display. Returns an empty string when it makes sense, else one
// line naming what is wrong and pointing at --help.
std::string parseShowOptions(const std::vector<std::string>& args, ShowOptions& options);

// The --help text: the options, GLUT's own, the keys, the exit statuses and
// the environment.
extern const char showUsage[];
