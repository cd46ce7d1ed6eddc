// Prints what the show is made of on this system, for comparing systems:
//   starwhirl-show-report --font         ascent, cell height, then one line per
//                                        code: code, pixel advance, em advance
//   starwhirl-show-report --atlas        the drawn atlas: pixels with ink, and
//                                        how many grey levels they take
//   starwhirl-show-report --frames DIR   frames 350, 1000, 2400 and 3500 as
//                                        DIR/frame-NNNN.ppm, played from frame 0
#include "app/show.h"
#include "app/window.h"
#include "capture/offscreen_frame.h"
#include "platform/font_system.h"
#include "text/atlas_geometry.h"
#include "text/glyph_atlas.h"

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

int reportFont()
{
    std::string error;
    auto font = platform::SystemFont::open(platform::FontContext::screen(), Show::fontRequest().faceName,
                                           Show::fontRequest().height, false, false, error);
    if (!font) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::printf("ascent %d\ncell %d\n", font->ascent(), font->cellHeight());
    for (int code = 0; code < 256; ++code) {
        auto c = static_cast<unsigned char>(code);
        std::printf("%d %d %.5f\n", code, font->extent(c).cx, double(font->outlineMetrics(c).cellIncX));
    }
    return 0;
}

int reportAtlas()
{
    std::string error;
    auto atlas = GlyphAtlas::open(platform::FontContext::screen(), Show::fontRequest(), error);
    if (!atlas || !atlas->drawGlyphs(error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::set<int> levels;
    std::size_t inked = 0;
    for (std::size_t i = 0; i < atlasPixelCount; ++i) {
        int value = atlas->image().pixels()[i * 4];
        if (value != 0) {
            ++inked;
            levels.insert(value);
        }
    }
    std::printf("inked %zu\nlevels %zu\n", inked, levels.size());
    return 0;
}

int writeFrames(const std::string& dir)
{
    const int wanted[] = {350, 1000, 2400, 3500};
    std::string error;
    std::unique_ptr<Show> show = Show::create(platform::FontContext::screen(), error);
    if (!show) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const WindowSize size = showWindowSize;
    Show::reshape(size.width, size.height);
    OffscreenFrame offscreen(size.width, size.height);
    offscreen.bind();
    int next = 0;
    for (int frame = 0; frame <= wanted[3]; ++frame) {
        show->display(float(frame));
        if (frame != wanted[next])
            continue;
        std::vector<std::uint8_t> rgb = offscreen.readRgb();
        char name[32];
        std::snprintf(name, sizeof name, "/frame-%04d.ppm", frame);
        std::FILE* out = std::fopen((dir + name).c_str(), "wb");
        if (!out) {
            std::perror((dir + name).c_str());
            return 1;
        }
        // PPM rows run top-down; GL's bottom-up.
        std::fprintf(out, "P6\n%d %d\n255\n", size.width, size.height);
        const std::size_t rowBytes = std::size_t(size.width) * 3;
        for (int row = size.height - 1; row >= 0; --row)
            std::fwrite(&rgb[row * rowBytes], 1, rowBytes, out);
        std::fclose(out);
        ++next;
    }
    offscreen.release();
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    WindowRequest window;
    window.title = "starwhirl-show-report";
    window.glutArguments = {argv[0]};
    if (auto failure = openWindow(window)) {
        std::fprintf(stderr, "%s\n", failure->line(argv[0]).c_str());
        return 1;
    }
    if (argc == 2 && std::strcmp(argv[1], "--font") == 0)
        return reportFont();
    if (argc == 2 && std::strcmp(argv[1], "--atlas") == 0)
        return reportAtlas();
    if (argc == 3 && std::strcmp(argv[1], "--frames") == 0)
        return writeFrames(argv[2]);
    std::fprintf(stderr, "usage: starwhirl-show-report --font | --atlas | --frames DIR\n");
    return 2;
}
