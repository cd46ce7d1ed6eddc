#pragma once

#include <string>
#include <vector>

// One program whose start-up is timed: launch to its first console line.
struct StartupProgram {
    std::string name;
    std::vector<std::string> argv;
    std::vector<double> firstLineMs;
};

// Launches each program in turn, `rounds` times, one second apart, each ended
// after its first line; so every launch follows another program's run, as on
// a desktop in use, and no program is timed only after itself.
void alternateStartups(std::vector<StartupProgram>& programs, int rounds);

// Median, smallest, largest and spread of each, and its median over `bare`'s.
void printStartups(const std::vector<StartupProgram>& programs, const StartupProgram& bare);
