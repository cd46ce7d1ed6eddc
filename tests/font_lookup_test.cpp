// A face that fontconfig cannot find: Linux only, since Windows' GDI never
// fails a lookup by name but substitutes the closest face it has.
#include "tests/gl_test.h"
#include "text/font.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

using TextureFontTest = GlTest;

TEST_F(TextureFontTest, AFaceThatCannotBeFoundEndsWithAClearMessage)
{
    char path[] = "/tmp/starwhirl-no-fonts-XXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    const char config[] = "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n";
    ASSERT_EQ(write(fd, config, sizeof config - 1), ssize_t(sizeof config - 1));
    close(fd);
    EXPECT_EXIT(
        {
            setenv("FONTCONFIG_FILE", path, 1);
            platform::FontContext noFonts;
            TextureFont font(noFonts, "verdana", 128, false, false);
        },
        ::testing::ExitedWithCode(1), "starwhirl: cannot find font \"verdana\"");
    std::remove(path);
}

}  // namespace
