#pragma once

#include <string>

// A window's or a picture's size in pixels.
struct WindowSize {
    int width = 0;
    int height = 0;
};

inline bool operator==(const WindowSize& a, const WindowSize& b)
{
    return a.width == b.width && a.height == b.height;
}

// The size the show is made for: its window, and the capture program's
// pictures unless asked for another.
constexpr WindowSize showWindowSize{800, 600};

// X window coordinates are signed 16-bit numbers, so no window side can be
// longer; freeglut passes any positive size on to the system. The OpenGL
// driver's own limit is often lower, and known only once its context is.
constexpr int largestWindowSide = 32767;

// Reads "WIDTHxHEIGHT" (or "WIDTHXHEIGHT"), each side a whole decimal number
// from 1 to largestWindowSide, given for `option`. Returns an empty string,
// or one line saying what is wrong and what would be right.
std::string parseWindowSize(const std::string& option, const std::string& text, WindowSize& size);

// "800x600".
std::string toString(const WindowSize& size);

// An empty string when an OpenGL driver whose framebuffers and viewports are
// at most `largest` can draw `size`, given for `option`; else one line saying
// what would work.
std::string checkSizeFitsDriver(const std::string& option, const WindowSize& size, const WindowSize& largest);

// An X geometry, [=][WIDTH][{xX}HEIGHT][{+-}X[{+-}Y]], as X and freeglut read
// it: the size it gives, 0 for a side it leaves out, and the rest of it, the
// window's place.
struct Geometry {
    WindowSize size;
    std::string place;
};

// Reads an X geometry given for `option`, each number a whole decimal
// number and each side from 1 to largestWindowSide. Returns an empty string,
// or one line saying what is wrong and what would be right.
std::string parseGeometry(const std::string& option, const std::string& text, Geometry& geometry);
