#pragma once

#include <string>

// Samples one whole run of `program` with perf and returns the share (%) of
// its CPU samples in the program itself, where our code is linked, or a
// negative value when perf cannot sample on this machine. `report` receives
// perf's samples by library, one line each.
double ownCpuShare(const std::string& program, std::string& report);
