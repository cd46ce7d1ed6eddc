#include "platform/memory_room.h"

#include <windows.h>

namespace platform {

MemoryRoom memoryRoom()
{
    MemoryRoom room;
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (GlobalMemoryStatusEx(&status)) {
        room.addressLimit = status.ullTotalVirtual;
        room.addressUsed = status.ullTotalVirtual - status.ullAvailVirtual;
        room.available = status.ullAvailPhys;
    }
    return room;
}

}  // namespace platform
