#include "capture/capture.h"
#include "app/show.h"
#include "platform/font_system.h"
#include "tests/gl_test.h"

#include <map>

namespace {

using CaptureTest = GlTest;

TEST_F(CaptureTest, RendersEveryFrameInOrderFromZeroAsTheShowDoes)
{
    std::string error;
    std::unique_ptr<Show> made = Show::create(platform::FontContext::screen(), error);
    ASSERT_TRUE(made) << error;
    Show& show = *made;
    std::vector<int> visited;
    std::map<int, std::vector<std::uint8_t>> kept;
    int rendered = renderShow(
        show, showWindowSize, 701,
        [&](int frame, const OffscreenFrame& picture) {
            visited.push_back(frame);
            if (frame == 350 || frame == 700 || frame == 701)
                kept[frame] = readTopDown(picture);
            return true;
        },
        error);

    EXPECT_EQ(error, "");
    EXPECT_EQ(rendered, 702);
    ASSERT_EQ(visited.size(), 702u);
    for (int i = 0; i < 702; ++i)
        ASSERT_EQ(visited[i], i);
    // The scroller stands exactly where the show leaves it after frame 701.
    EXPECT_EQ(show.scroll(), 89.0f);

    auto picture = [](const std::vector<std::uint8_t>& topDown) {
        Picture p{800, 600, {}};
        // Picture keeps rows bottom-up, as GL reads them.
        p.rgb.resize(topDown.size());
        for (int y = 0; y < 600; ++y)
            std::copy_n(&topDown[std::size_t(y) * 2400], 2400, &p.rgb[std::size_t(599 - y) * 2400]);
        return p;
    };
    EXPECT_EQ(picture(kept[700]).inkCount(), 0);
    // Rows come top-down: the scrolling text stands in the lower band.
    Picture text = picture(kept[350]);
    EXPECT_GT(text.inkCount(0, 420, 800, 545), 1000);
    EXPECT_EQ(text.inkCount(0, 0, 800, 400), 0);
    EXPECT_GT(picture(kept[701]).inkCount(250, 150, 550, 450), 1000) << "the spinner";
}

TEST_F(CaptureTest, StopsWhenTheVisitorSaysSo)
{
    std::string error;
    std::unique_ptr<Show> show = Show::create(platform::FontContext::screen(), error);
    ASSERT_TRUE(show) << error;
    int rendered = renderShow(*show, showWindowSize, 100, [](int frame, const OffscreenFrame&) { return frame < 12; }, error);
    EXPECT_EQ(rendered, 13);
}

}  // namespace
