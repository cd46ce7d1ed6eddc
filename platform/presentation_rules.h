#pragma once

#include "platform/presentation.h"

namespace platform {

// How a frame that is presented more than once goes on showing itself.
enum class KeepRule {
    presentAgain,  // a swap leaves the frame in the back buffer: swap again
    askAge,        // keep a copy; put it back unless the system says the back buffer still holds the frame
    keepCopy,      // keep a copy and always put it back
};

// What the system's answers come to: a copying swap needs no age.
SwapModel swapModelOf(SwapFacts facts);

// `forced` keeps copies whatever the system says, for systems it misjudges.
KeepRule keepRuleFor(SwapModel model, bool forced);

// What to do before a swap.
enum class BeforeSwap { nothing, keep, restore };

// Counts the presentations of each frame and says what each one needs
// before its swap.
class FramePresentations {
public:
    explicit FramePresentations(KeepRule rule) : rule_(rule) {}

    // A new frame, to be presented `presentations` times.
    void begin(int presentations)
    {
        presentations_ = presentations;
        presented_ = 0;
    }
    // What the next presentation of the frame needs, counting it.
    // `backBufferAge` tells, after a swap, how old the back buffer is (1: it
    // holds the frame just presented, 0: the system cannot tell); it is
    // asked only under `askAge`, and only once a copy was kept.
    BeforeSwap next(int (*backBufferAge)());

private:
    KeepRule rule_;
    int presentations_ = 1;
    int presented_ = 0;
};

struct TextureSize {
    int width;
    int height;
};

// The texture a copy of `width` × `height` pixels is kept in: the one it has
// (`current`) while that is large enough, else the smallest one with sides
// that are powers of two, as OpenGL 1.1 asks.
TextureSize keptTextureSize(TextureSize current, int width, int height);

}  // namespace platform
