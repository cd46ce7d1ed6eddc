#pragma once

#include <string>
#include <vector>

// One run of a program, timed from just before it is started.
struct ProcessRun {
    double wallMs = 0.0;                // start to exit
    std::vector<std::string> lines;     // its standard output, line by line
    std::vector<double> lineArrivalMs;  // when each line was read, from start
    long peakResidentKiB = 0;
    long minorFaults = 0;               // page faults served without reading a file
    double userMs = 0.0;                // CPU time, its own and its children's
    double systemMs = 0.0;
    int exitStatus = -1;                // -1 when it did not exit normally
};

// Runs `argv` with `environment` ("NAME=value") added to ours, reading its
// standard output as it comes; its standard error goes to ours.
ProcessRun runProcess(const std::vector<std::string>& argv,
                      const std::vector<std::string>& environment = {});

// Runs `argv` until its first line of standard output, then ends it
// (SIGTERM); only the time of that line is measured.
ProcessRun runToFirstLine(const std::vector<std::string>& argv);
