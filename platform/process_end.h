#pragma once

namespace platform {

// Ends the program with this exit status, flushing the standard streams.
[[noreturn]] void endProcess(int status);

}  // namespace platform
