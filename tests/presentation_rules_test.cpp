#include "platform/presentation_rules.h"

#include "platform/extension_list.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using platform::BeforeSwap;
using platform::KeepRule;
using platform::SwapModel;
using platform::TextureSize;

// What the system reports after a swap, as a driver would.
int ageUnknown() { return 0; }
int ageOne() { return 1; }
int ageTwo() { return 2; }

// The steps taken before each swap of one frame presented `presentations` times.
std::vector<BeforeSwap> frame(KeepRule rule, int presentations, int (*age)())
{
    platform::FramePresentations counted(rule);
    counted.begin(presentations);
    std::vector<BeforeSwap> steps;
    for (int presented = 0; presented < presentations; ++presented)
        steps.push_back(counted.next(age));
    return steps;
}

const BeforeSwap nothing = BeforeSwap::nothing;
const BeforeSwap keep = BeforeSwap::keep;
const BeforeSwap restore = BeforeSwap::restore;

TEST(PresentationRules, TheSystemsAnswersChooseTheRuleUnlessCopiesAreForced)
{
    using platform::swapModelOf;
    EXPECT_EQ(swapModelOf({true, false}), SwapModel::copies);
    EXPECT_EQ(swapModelOf({true, true}), SwapModel::copies);
    EXPECT_EQ(swapModelOf({false, true}), SwapModel::reportsAge);
    EXPECT_EQ(swapModelOf({false, false}), SwapModel::unknown);
    EXPECT_EQ(platform::keepRuleFor(SwapModel::copies, false), KeepRule::presentAgain);
    EXPECT_EQ(platform::keepRuleFor(SwapModel::reportsAge, false), KeepRule::askAge);
    EXPECT_EQ(platform::keepRuleFor(SwapModel::unknown, false), KeepRule::keepCopy);
    for (SwapModel model : {SwapModel::copies, SwapModel::reportsAge, SwapModel::unknown})
        EXPECT_EQ(platform::keepRuleFor(model, true), KeepRule::keepCopy);
}

TEST(PresentationRules, ATwicePresentedFrameIsKeptAndPutBackWhereTheSwapMayLoseIt)
{
    // A swap that copies leaves the frame where it was.
    EXPECT_EQ(frame(KeepRule::presentAgain, 2, ageUnknown), (std::vector{nothing, nothing}));
    EXPECT_EQ(frame(KeepRule::keepCopy, 2, ageUnknown), (std::vector{keep, restore}));
    EXPECT_EQ(frame(KeepRule::keepCopy, 3, ageOne), (std::vector{keep, restore, restore}));
    // Age 1: the back buffer still holds the frame just presented.
    EXPECT_EQ(frame(KeepRule::askAge, 2, ageOne), (std::vector{keep, nothing}));
    // Age 2 holds the frame before it (two buffers taking turns); 0 is a
    // system that cannot tell this time.
    EXPECT_EQ(frame(KeepRule::askAge, 2, ageTwo), (std::vector{keep, restore}));
    EXPECT_EQ(frame(KeepRule::askAge, 2, ageUnknown), (std::vector{keep, restore}));
}

TEST(PresentationRules, AFramePresentedOnceIsNeverCopied)
{
    for (KeepRule rule : {KeepRule::presentAgain, KeepRule::askAge, KeepRule::keepCopy})
        EXPECT_EQ(frame(rule, 1, ageTwo), (std::vector{nothing}));
}

TEST(PresentationRules, TheKeptTextureGrowsToPowersOfTwoWhenTheWindowOutgrowsIt)
{
    auto expectSize = [](TextureSize size, int width, int height) {
        EXPECT_EQ(size.width, width);
        EXPECT_EQ(size.height, height);
    };
    TextureSize first = platform::keptTextureSize(TextureSize{0, 0}, 800, 600);
    expectSize(first, 1024, 1024);
    // Resized between two frames: a smaller window fits the texture it has.
    expectSize(platform::keptTextureSize(first, 640, 480), 1024, 1024);
    expectSize(platform::keptTextureSize(first, 1024, 1024), 1024, 1024);
    // A wider one needs a new texture, as wide as the next power of two.
    expectSize(platform::keptTextureSize(first, 1100, 600), 2048, 1024);
    expectSize(platform::keptTextureSize(first, 800, 1025), 1024, 2048);
    expectSize(platform::keptTextureSize(TextureSize{0, 0}, 1, 1), 1, 1);
}

TEST(ListsExtension, FindsWholeNamesOnly)
{
    const char* list = "GL_EXT_buffer_age_x GL_ARB_framebuffer_object GLX_EXT_buffer_age";
    EXPECT_TRUE(platform::listsExtension(list, "GL_ARB_framebuffer_object"));
    EXPECT_TRUE(platform::listsExtension(list, "GLX_EXT_buffer_age"));
    EXPECT_FALSE(platform::listsExtension(list, "GL_EXT_buffer_age"));
    EXPECT_FALSE(platform::listsExtension(list, "ARB_framebuffer_object"));
    EXPECT_FALSE(platform::listsExtension(nullptr, "GLX_EXT_buffer_age"));
}

}  // namespace
