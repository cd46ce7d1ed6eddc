#pragma once

#include "app/window_size.h"

#include <optional>
#include <string>
#include <vector>

// How a program wants its window: the show's by default.
struct WindowRequest {
    std::string title = "starwhirl";
    WindowSize size = showWindowSize;
    // What gave the size, for a refusal: "--window", "-geometry".
    std::string sizeOption = "the window";
    bool fullscreen = false;
    // What glutInit reads its own options from, the program's name first.
    std::vector<std::string> glutArguments;
};

// Why a window could not be opened: in GLUT's own words, or in ours when the
// system offers no OpenGL window before GLUT is asked for one.
struct WindowFailure {
    std::string glutMessage;  // e.g. "failed to open display ':9'"
    bool noDisplay = false;
    std::string systemLine;  // e.g. "starwhirl: the system offers no OpenGL window: ..."
    // 2 when the size asked for cannot be drawn: nothing was shown.
    int status = 1;

    // The line to print: GLUT's as GLUT itself would print it ("freeglut
    // (PROGRAM): MESSAGE"), or ours.
    std::string line(const std::string& program) const
    {
        return glutMessage.empty() ? systemLine : "freeglut (" + program + "): " + glutMessage;
    }
};

// Initialises GLUT and opens a double-buffered RGB window with depth at
// (200, 100), or where -geometry says, and makes its GL context current; a
// full-screen window is asked to fill the screen once it is shown. The size
// and place are set before GLUT reads its options, so -geometry can change
// them. A window larger than the driver can draw is closed again before
// anything is drawn in it. Returns what went wrong, if anything; GLUT is then
// unusable.
std::optional<WindowFailure> openWindow(const WindowRequest& request);

// The largest frame the current context's driver can draw: its viewports'
// limits and, where it has framebuffer objects, its renderbuffers'.
WindowSize largestDrawable();
