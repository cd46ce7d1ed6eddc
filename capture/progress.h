#pragma once

#include <chrono>
#include <string>

// "frames 120/4200 (2.9%), 480.0 frames/s, 9 s left"
std::string progressLine(int done, int total, double elapsedSeconds);

// Reports progress on stderr: on a terminal as one line rewritten in place,
// otherwise as a new line every few seconds, so logs stay short.
class Progress {
public:
    explicit Progress(int total);
    void update(int done);
    void finish();

private:
    using Clock = std::chrono::steady_clock;
    double secondsSince(Clock::time_point then) const;

    int total_;
    bool terminal_;
    Clock::time_point start_;
    Clock::time_point lastReport_;
    int lastDone_ = 0;
};
