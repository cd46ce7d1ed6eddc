#pragma once

#include <string>
#include <vector>

struct TimedStep {
    std::string name;
    double ms = 0.0;
};

// Times, once each and in a process that has done none of it before, the
// steps the show takes from an open window to its second frame: each step of
// building the texture font (the same calls its constructor makes), then the
// show's own initScene and its first two frames. Needs a current GL context
// in an 800 x 600 window.
std::vector<TimedStep> timeStartupOnce();
