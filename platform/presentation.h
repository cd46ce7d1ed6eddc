#pragma once

// What the system says about presenting the window's frames: after a buffer
// swap the back buffer's contents are undefined unless the system says
// otherwise. Each system answers in its own folder; asked with the window's
// GL context current.

namespace platform {

enum class SwapModel {
    copies,       // a swap copies the back buffer out and leaves it as it was
    reportsAge,   // the system tells, after each swap, how old the back buffer is
    unknown,      // nothing is known: the back buffer may hold anything
};

// What the system tells about its swaps, each answer asked of it every time.
struct SwapFacts {
    bool copies = false;      // its swaps copy the back buffer out and leave it as it was
    bool reportsAge = false;  // it tells, after each swap, how old the back buffer is
};

SwapFacts swapFacts();

// After a swap: 1 when the back buffer holds the frame just presented, 0
// when the system cannot tell.
int backBufferAge();

}  // namespace platform
