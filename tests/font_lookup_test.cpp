// A face that fontconfig cannot find: Linux only, since Windows' GDI never
// fails a lookup by name but substitutes the closest face it has.
#include "app/show.h"
#include "tests/gl_test.h"
#include "tests/no_fonts.h"

namespace {

using TextureFontTest = GlTest;

// The atlas is drawn beside the window's opening; its failure must reach the
// show's creation as the reason, neither hang it nor leave a font half made.
TEST_F(TextureFontTest, AFaceThatCannotBeFoundIsToldToTheShowsCreator)
{
    NoFonts noFontsAtAll;
    std::unique_ptr<platform::FontContext> noFonts;
    for (auto start : {PendingGlyphAtlas::Start::beside, PendingGlyphAtlas::Start::whenTaken}) {
        std::string error;
        auto fonts = [&]() -> platform::FontContext& {
            if (!noFonts)
                noFonts = std::make_unique<platform::FontContext>();
            return *noFonts;
        };
        EXPECT_FALSE(Show::create(Show::font(fonts, start), error));
        EXPECT_EQ(error, "cannot find font \"verdana\": fontconfig knows no font that could stand in for it");
    }
}

}  // namespace
