// The application icons in package/icons, as menus and task bars show them:
// over whatever background the desktop has.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

struct Icon {
    int size = 0;
    std::vector<std::uint8_t> rgba;
    const std::uint8_t* at(int x, int y) const { return &rgba[(std::size_t(y) * size + x) * 4]; }
};

Icon readIcon(int size)
{
    std::string path = std::string(STARWHIRL_ICONS) + "/" + std::to_string(size) + "x" + std::to_string(size) +
                       "/starwhirl.png";
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    Icon icon;
    EXPECT_TRUE(png_image_begin_read_from_file(&image, path.c_str())) << path << ": " << image.message;
    EXPECT_EQ(image.width, unsigned(size)) << path;
    EXPECT_EQ(image.height, unsigned(size)) << path;
    EXPECT_TRUE(image.format & PNG_FORMAT_FLAG_ALPHA) << path << " has no alpha channel";
    if (image.width != unsigned(size) || image.height != unsigned(size))
        return icon;
    image.format = PNG_FORMAT_RGBA;
    icon.rgba.resize(PNG_IMAGE_SIZE(image));
    EXPECT_TRUE(png_image_finish_read(&image, nullptr, icon.rgba.data(), 0, nullptr)) << path << ": " << image.message;
    icon.size = size;
    return icon;
}

TEST(Icons, TheSunStandsOpaqueOnATransparentSquareAndItsEdgeFadesOutBright)
{
    for (int size : {16, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE("the " + std::to_string(size) + " pixel icon");
        Icon icon = readIcon(size);
        ASSERT_EQ(icon.size, size);
        int last = size - 1;
        for (auto [x, y] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}})
            EXPECT_EQ(icon.at(x, y)[3], 0) << "corner (" << x << ", " << y << ")";
        EXPECT_EQ(icon.at(size / 2, size / 2)[3], 255) << "the centre";

        // Where the Sun covers a pixel only in part, the pixel is the Sun's
        // colour, partly transparent: a dark pixel would be a black rim on
        // a light desktop.
        int partial = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const std::uint8_t* p = icon.at(x, y);
                if (p[3] > 0 && p[3] < 255)
                    ++partial;
                if (p[3] >= 32) {
                    EXPECT_GE(std::max({p[0], p[1], p[2]}), 200) << "pixel (" << x << ", " << y << ") is dark";
                }
            }
        EXPECT_GT(partial, 0) << "the edge does not fade";
    }
}

}  // namespace
