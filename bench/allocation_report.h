#pragma once

#include <map>
#include <string>

// What the preloaded allocation counter reports for one run: "presentations",
// "between_second_and_last_presentation", and "by WHO" for each first caller
// outside the C and C++ runtimes ("by program" for our own code).
using AllocationCounts = std::map<std::string, unsigned long>;

// Runs `program` once, line-buffered, with `counterLibrary` preloaded, and
// reads its report. Throws std::runtime_error when the run or the report
// fails.
AllocationCounts countAllocations(const std::string& program, const std::string& counterLibrary);

unsigned long allocationsBy(const AllocationCounts& counts, const std::string& who);
