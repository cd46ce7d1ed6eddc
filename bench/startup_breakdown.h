#pragma once

#include <string>
#include <vector>

struct TimedStep {
    std::string name;
    std::vector<double> samplesMs;
};

// Times each step of building the show's texture font, the same calls the
// constructor makes, one after another; needs a current GL context.
std::vector<TimedStep> timeFontStartup(int runs);
