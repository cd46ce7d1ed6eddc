#include "platform/allocator.h"

namespace platform {

// A page's memory is one growing block that is never given back and has no
// pages to fault in; there is nothing to tune.
HeapReserve prepareAllocator()
{
    return {};
}

}  // namespace platform
