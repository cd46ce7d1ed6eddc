#pragma once

#include <string>
#include <vector>

struct TimedStep {
    std::string name;
    double ms = 0.0;
    double minorFaults = 0.0;  // page faults served without reading a file
};

// Times the show's start-up as its main does it, in a process that has done
// none of it before: the allocator set up, the window opened while the
// font's atlas is drawn beside it, the wait for the atlas, initScene and the
// first two frames.
// Stops at the first step that fails, with the reason in `error`.
std::vector<TimedStep> timeStartupOnce(const char* program, std::string& error);

// Times the font's own steps one after another on one thread, in a process
// that has done none of them before: what the show's start-up does beside
// the window's opening, then the font's GL work once a window is open.
std::vector<TimedStep> timeFontStepsOnce(const char* program, std::string& error);
