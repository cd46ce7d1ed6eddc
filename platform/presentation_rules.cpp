#include "platform/presentation_rules.h"

namespace platform {

namespace {

int powerOfTwoAtLeast(int pixels)
{
    int side = 1;
    while (side < pixels)
        side *= 2;
    return side;
}

}  // namespace

SwapModel swapModelOf(SwapFacts facts)
{
    if (facts.copies)
        return SwapModel::copies;
    return facts.reportsAge ? SwapModel::reportsAge : SwapModel::unknown;
}

KeepRule keepRuleFor(SwapModel model, bool forced)
{
    if (forced)
        return KeepRule::keepCopy;
    switch (model) {
    case SwapModel::copies:
        return KeepRule::presentAgain;
    case SwapModel::reportsAge:
        return KeepRule::askAge;
    case SwapModel::unknown:
        break;
    }
    return KeepRule::keepCopy;
}

BeforeSwap FramePresentations::next(int (*backBufferAge)())
{
    int presented = presented_++;
    if (rule_ == KeepRule::presentAgain || presentations_ < 2)
        return BeforeSwap::nothing;
    if (presented == 0)
        return BeforeSwap::keep;
    if (rule_ == KeepRule::askAge && backBufferAge() == 1)
        return BeforeSwap::nothing;
    return BeforeSwap::restore;
}

TextureSize keptTextureSize(TextureSize current, int width, int height)
{
    if (width <= current.width && height <= current.height)
        return current;
    return TextureSize{powerOfTwoAtLeast(width), powerOfTwoAtLeast(height)};
}

}  // namespace platform
