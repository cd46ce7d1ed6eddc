#include "bench/startup_breakdown.h"

#include "app/show.h"
#include "app/window_size.h"
#include "platform/font_system.h"
#include "text/atlas_geometry.h"
#include "text/glyph_list.h"

#include <GL/glu.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

namespace {

// glFinish, so that work the driver defers is counted where it was asked for.
double millisecondsOf(const std::function<void()>& work)
{
    auto start = std::chrono::steady_clock::now();
    work();
    glFinish();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

[[noreturn]] void stop(const std::string& error)
{
    std::fprintf(stderr, "starwhirl-bench: %s\n", error.c_str());
    std::exit(1);
}

}  // namespace

std::vector<TimedStep> timeStartupOnce()
{
    std::vector<TimedStep> steps;
    auto time = [&](const char* name, const std::function<void()>& work) {
        steps.push_back({name, millisecondsOf(work)});
    };

    std::unique_ptr<platform::FontContext> fonts;
    time("fontconfig configuration and FreeType start", [&] { fonts = std::make_unique<platform::FontContext>(); });
    std::string error;
    std::unique_ptr<platform::SystemFont> font;
    time("font lookup, open and sizing",
         [&] { font = platform::SystemFont::open(*fonts, "verdana", 128, false, false, error); });
    if (!font)
        stop(error);
    time("outline advances of 256 codes", [&] {
        for (int code = 0; code < 256; ++code)
            font->outlineMetrics(static_cast<unsigned char>(code));
    });
    std::unique_ptr<platform::GlyphCanvas> canvas;
    time("mapping the 2048 x 2048 atlas image",
         [&] { canvas = platform::GlyphCanvas::create(atlasSize, atlasSize, error); });
    if (!canvas)
        stop(error);
    std::vector<platform::CharExtent> extents(256);
    time("rasterising and measuring 256 codes", [&] {
        for (int code = 0; code < 256; ++code) {
            CellOrigin origin = cellOrigin(code, false);
            canvas->drawCharacter(*font, static_cast<unsigned char>(code), origin.x, origin.y);
            extents[code] = font->extent(static_cast<unsigned char>(code));
        }
    });
    time("alpha sweep (4,194,304 pixels)", [&] { deriveAlpha(canvas->pixels(), atlasPixelCount); });

    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    time("mipmap build (gluBuild2DMipmaps, 12 levels)", [&] {
        gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, atlasSize, atlasSize, GL_RGBA, GL_UNSIGNED_BYTE, canvas->pixels());
    });
    glDeleteTextures(1, &texture);
    canvas.reset();

    GLuint base = glGenLists(256);
    time("compiling 256 display lists", [&] {
        for (int code = 0; code < 256; ++code)
            compileGlyphList(base + GLuint(code), glyphQuad(cellOrigin(code, false), extents[code].cx,
                                                            extents[code].cy, 128), 0.5f);
    });
    glDeleteLists(base, 256);

    Show::reshape(showWindowSize.width, showWindowSize.height);
    std::unique_ptr<Show> show;
    time("initScene: fixed state and the whole cast, font included",
         [&] { show = std::make_unique<Show>(*fonts); });
    time("first frame through display (scene 1)", [&] { show->display(0.0f); });
    time("second frame through display", [&] { show->display(1.0f); });
    return steps;
}
