#include "bench/startup_breakdown.h"

#include "platform/font_context.h"
#include "platform/glyph_canvas.h"
#include "platform/system_font.h"
#include "text/atlas_geometry.h"
#include "text/font.h"
#include "text/glyph_list.h"

#include <GL/glu.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

namespace {

double millisecondsOf(const std::function<void()>& work)
{
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

[[noreturn]] void stop(const std::string& error)
{
    std::fprintf(stderr, "starwhirl-bench: %s\n", error.c_str());
    std::exit(1);
}

}  // namespace

std::vector<TimedStep> timeFontStartup(int runs)
{
    std::vector<TimedStep> steps = {
        {"fontconfig configuration and FreeType start", {}},
        {"font lookup, open and sizing", {}},
        {"outline advances of 256 codes", {}},
        {"rasterising and measuring 256 codes", {}},
        {"alpha sweep (4,194,304 pixels)", {}},
        {"mipmap build (gluBuild2DMipmaps, 12 levels)", {}},
        {"compiling 256 display lists", {}},
        {"whole texture font constructor", {}},
    };
    for (int run = 0; run < runs; ++run) {
        std::unique_ptr<platform::FontContext> fonts;
        steps[0].samplesMs.push_back(millisecondsOf([&] { fonts = std::make_unique<platform::FontContext>(); }));

        std::string error;
        std::unique_ptr<platform::SystemFont> font;
        steps[1].samplesMs.push_back(millisecondsOf([&] {
            font = platform::SystemFont::open(*fonts, "verdana", 128, false, false, error);
        }));
        if (!font)
            stop(error);
        steps[2].samplesMs.push_back(millisecondsOf([&] {
            for (int code = 0; code < 256; ++code)
                font->outlineMetrics(static_cast<unsigned char>(code));
        }));

        auto canvas = platform::GlyphCanvas::create(atlasSize, atlasSize, error);
        if (!canvas)
            stop(error);
        std::vector<platform::CharExtent> extents(256);
        steps[3].samplesMs.push_back(millisecondsOf([&] {
            for (int code = 0; code < 256; ++code) {
                CellOrigin origin = cellOrigin(code, false);
                canvas->drawCharacter(*font, static_cast<unsigned char>(code), origin.x, origin.y);
                extents[code] = font->extent(static_cast<unsigned char>(code));
            }
        }));
        steps[4].samplesMs.push_back(millisecondsOf([&] { deriveAlpha(canvas->pixels(), atlasPixelCount); }));

        GLuint texture = 0;
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        steps[5].samplesMs.push_back(millisecondsOf([&] {
            gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, atlasSize, atlasSize, GL_RGBA, GL_UNSIGNED_BYTE,
                              canvas->pixels());
            glFinish();
        }));
        glDeleteTextures(1, &texture);

        GLuint base = glGenLists(256);
        steps[6].samplesMs.push_back(millisecondsOf([&] {
            for (int code = 0; code < 256; ++code) {
                GlyphQuad quad = glyphQuad(cellOrigin(code, false), extents[code].cx, extents[code].cy, 128);
                compileGlyphList(base + GLuint(code), quad, 0.5f);
            }
            glFinish();
        }));
        glDeleteLists(base, 256);

        steps[7].samplesMs.push_back(millisecondsOf([&] {
            TextureFont textureFont(*fonts, "verdana", 128, false, false);
            glFinish();
            glDeleteTextures(1, &textureFont.atlasTexture);
        }));
    }
    return steps;
}
