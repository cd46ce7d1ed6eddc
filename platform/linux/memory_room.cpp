#include "platform/memory_room.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>

namespace platform {

MemoryRoom memoryRoom()
{
    MemoryRoom room;
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        room.addressLimit = limit.rlim_cur;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        unsigned long long pages = 0;
        if (std::fscanf(statm, "%llu", &pages) == 1)
            room.addressUsed = pages * std::uint64_t(sysconf(_SC_PAGESIZE));
        std::fclose(statm);
    }
    if (std::FILE* meminfo = std::fopen("/proc/meminfo", "r")) {
        char line[128];
        unsigned long long kibibytes = 0;
        while (std::fgets(line, sizeof line, meminfo))
            if (std::sscanf(line, "MemAvailable: %llu kB", &kibibytes) == 1)
                room.available = kibibytes * 1024;
        std::fclose(meminfo);
    }
    return room;
}

}  // namespace platform
