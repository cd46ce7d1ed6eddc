#pragma once

#include "platform/presentation.h"

namespace platform {

// How a frame that is presented more than once goes on showing itself.
enum class KeepRule {
    presentAgain,  // a swap leaves the frame in the back buffer: swap again
    askAge,        // keep a copy; put it back unless the system says the back buffer still holds the frame
    keepCopy,      // keep a copy and always put it back
};

// `forced` keeps copies whatever the system says, for systems it misjudges.
KeepRule keepRuleFor(SwapModel model, bool forced);

// What to do before a swap.
enum class BeforeSwap { nothing, keep, restore };

// Before the swap that presents a frame for the time numbered `presented`
// (0 for the first) of `presentations`. `backBufferAge` tells, after a swap,
// how old the back buffer is (1: it holds the frame just presented, 0: the
// system cannot tell); it is asked only under `askAge`, and only once a
// copy was kept.
BeforeSwap beforeSwap(KeepRule rule, int presented, int presentations, int (*backBufferAge)());

struct TextureSize {
    int width;
    int height;
};

// The texture a copy of `width` × `height` pixels is kept in: the one it has
// (`current`) while that is large enough, else the smallest one with sides
// that are powers of two, as OpenGL 1.1 asks.
TextureSize keptTextureSize(TextureSize current, int width, int height);

}  // namespace platform
