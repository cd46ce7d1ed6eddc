#pragma once

#include <cstdint>

namespace platform {

// How much room this process has left to grow into, as far as the system
// tells; 0 where it tells nothing.
struct MemoryRoom {
    // The process's limit on its address space (ulimit -v), and how much of
    // it is taken.
    std::uint64_t addressLimit = 0;
    std::uint64_t addressUsed = 0;
    // Memory the system could still hand out without swapping.
    std::uint64_t available = 0;
};

MemoryRoom memoryRoom();

}  // namespace platform
