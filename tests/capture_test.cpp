#include "capture/capture.h"
#include "capture/frame_reader.h"
#include "app/show.h"
#include "platform/font_system.h"
#include "tests/gl_test.h"

#include <algorithm>
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
    std::map<int, Picture> kept;
    int rendered = renderShow(
        show, showWindowSize, 701,
        [&](int frame, const OffscreenFrame& picture) {
            visited.push_back(frame);
            if (frame == 350 || frame == 700 || frame == 701)
                kept[frame] = Picture::of(picture);
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

    EXPECT_EQ(kept[700].inkCount(), 0);
    // The scrolling text stands in the lower band.
    const Picture& text = kept[350];
    EXPECT_GT(text.inkCount(0, 420, 800, 545), 1000);
    EXPECT_EQ(text.inkCount(0, 0, 800, 400), 0);
    EXPECT_GT(kept[701].inkCount(250, 150, 550, 450), 1000) << "the spinner";
}

// Both ways of reading hand over every frame asked for, in order, each with
// the pixels of its own frame (not the one drawn after it), from one buffer
// or two reused for every frame.
TEST_F(CaptureTest, FrameReaderHandsOverEachFrameItsOwnPixelsInOrder)
{
    for (FrameReader::Method method : {FrameReader::Method::pixelBuffers, FrameReader::Method::plainBuffer}) {
        SCOPED_TRACE(method == FrameReader::Method::pixelBuffers ? "pixel buffers" : "plain buffer");
        std::string error;
        std::unique_ptr<Show> show = Show::create(platform::FontContext::screen(), error);
        ASSERT_TRUE(show) << error;
        FrameReader reader(showWindowSize.width, showWindowSize.height, method);
        EXPECT_EQ(reader.usesPixelBuffers(), method == FrameReader::Method::pixelBuffers);
        std::map<int, std::vector<std::uint8_t>> expected;
        std::vector<int> delivered;
        std::vector<const std::uint8_t*> places;
        auto check = [&](FrameReader::Frame ready) {
            delivered.push_back(ready.number);
            places.push_back(ready.rgb);
            ASSERT_EQ(expected.count(ready.number), 1u);
            EXPECT_TRUE(std::equal(expected[ready.number].begin(), expected[ready.number].end(), ready.rgb))
                << "frame " << ready.number;
        };
        // Frames of the spinner, each unlike the one before.
        renderShow(
            *show, showWindowSize, 706,
            [&](int frame, const OffscreenFrame& picture) {
                if (frame < 701 || frame == 703)
                    return true;
                expected[frame] = picture.readRgb();
                FrameReader::Frame ready = reader.read(frame, error);
                if (ready.rgb)
                    check(ready);
                return true;
            },
            error);
        ASSERT_EQ(error, "");
        FrameReader::Frame last = reader.rest(error);
        EXPECT_EQ(last.rgb != nullptr, reader.usesPixelBuffers());
        if (last.rgb)
            check(last);
        EXPECT_EQ(delivered, (std::vector<int>{701, 702, 704, 705, 706}));
        EXPECT_NE(expected[705], expected[706]);
        std::sort(places.begin(), places.end());
        places.erase(std::unique(places.begin(), places.end()), places.end());
        EXPECT_EQ(places.size(), reader.usesPixelBuffers() ? 2u : 1u) << "buffers set aside once";
        EXPECT_EQ(reader.rest(error).rgb, nullptr) << "a frame handed over twice";
    }
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
