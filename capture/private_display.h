#pragma once

#include "process/child_process.h"

#include <memory>
#include <string>

// A virtual X server (Xvfb) of this process's own, on a display number the
// server picks itself (-displayfd), so it never clashes with another. While
// it lives DISPLAY names it; it is stopped when this is destroyed, and ends
// by itself when the process does.
class PrivateDisplay {
public:
    // Returns null and says why in `error` when no server could be started;
    // what the server itself said on its way out is then in `serverSaid`.
    static std::unique_ptr<PrivateDisplay> start(std::string& error, std::string& serverSaid);
    ~PrivateDisplay();

private:
    PrivateDisplay() = default;
    ChildProcess server_;
};
