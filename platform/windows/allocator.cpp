#include "platform/allocator.h"

namespace platform {

// Windows' heap has nothing to tune for this: large blocks come straight from
// VirtualAlloc whatever is set, and large pages need a privilege a user's
// program does not hold.
HeapReserve prepareAllocator()
{
    return {};
}

}  // namespace platform
