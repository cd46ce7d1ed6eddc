#pragma once

namespace platform {

// Sets the process's memory allocator up for the few large buffers of the
// show's start-up (the atlas texture, its mipmap levels); call once, first
// thing in main, before any thread starts.
void prepareAllocator();

}  // namespace platform
