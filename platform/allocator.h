#pragma once

#include "platform/heap_reserve.h"

namespace platform {

// Sets the process's memory allocator up for the few large buffers of the
// show's start-up (the atlas texture, its mipmap levels); call once, first
// thing in main, before any thread starts. What it returns holds the heap
// those buffers will take, for warming beside the window's opening; empty
// where the system has nothing to gain from that.
HeapReserve prepareAllocator();

}  // namespace platform
