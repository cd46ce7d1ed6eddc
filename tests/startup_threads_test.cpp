// The show's start-up with its two threads, built with ThreadSanitizer (see
// CMakeLists.txt): the atlas drawn while the window opens, then handed to
// the font. Any race the sanitizer sees ends the test process with status 66.
#include "app/shell.h"
#include "app/show.h"
#include "app/startup.h"
#include "app/window.h"
#include "tests/no_fonts.h"
#include "text/pending_glyph_atlas.h"

#include <GL/glut.h>
#include <gtest/gtest.h>

namespace {

TEST(StartupThreads, TheShowStartsAndDrawsAsItsMainDoesIt)
{
    StartupActions startup;
    startup.openWindow = [] {
        WindowRequest window;
        window.glutArguments = {"starwhirl"};
        if (openWindow(window))
            return "no window";
        Show::reshape(showWindowSize.width, showWindowSize.height);
        return "";
    };
    startup.firstFrame = [](Show& show) { EXPECT_TRUE(show.display(0.0f)); };
    std::string error;
    std::unique_ptr<Show> show = startShow(startup, error);
    ASSERT_TRUE(show) << error;
    adoptShow(std::move(show));
    idle();
    EXPECT_TRUE(theShow().display(1.0f));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// The failure is made on the drawing's thread and read on the taker's.
TEST(StartupThreads, AFaceThatCannotBeFoundIsHandedOverWhole)
{
    NoFonts noFontsAtAll;
    std::unique_ptr<platform::FontContext> noFonts;
    PendingGlyphAtlas pending = Show::font(
        [&]() -> platform::FontContext& {
            noFonts = std::make_unique<platform::FontContext>();
            return *noFonts;
        },
        PendingGlyphAtlas::Start::beside);
    std::string error;
    EXPECT_FALSE(pending.take(error));
    EXPECT_EQ(error, "cannot find font \"verdana\": fontconfig knows no font that could stand in for it");
    EXPECT_FALSE(pending.take(error)) << "one atlas to take";
}

// A drawn atlas read on the taker's thread: every pixel and extent the
// drawing wrote, and the face it leaves, now used by the taker alone.
TEST(StartupThreads, TheDrawnAtlasIsTheTakersWhole)
{
    PendingGlyphAtlas pending = Show::font(platform::FontContext::screen, PendingGlyphAtlas::Start::beside);
    std::string error;
    std::unique_ptr<GlyphAtlas> atlas = pending.take(error);
    ASSERT_TRUE(atlas) << error;
    const platform::GlyphCanvas& image = atlas->image();
    std::size_t inked = 0;
    for (std::size_t i = 0; i < image.byteCount(); i += 4)
        inked += image.pixels()[i + 3] != 0;
    EXPECT_GT(inked, 100000u);
    EXPECT_GT(atlas->extent('W').cx, atlas->extent('i').cx);
    EXPECT_GT(atlas->font().outlineMetrics('W').cellIncX, 0.5f);
}

}  // namespace
