// Start-up and frame costs, measured on the real GL stack. Prints medians;
// run with `make bench`.
#include "app/offscreen_frame.h"
#include "app/shell.h"
#include "app/timeline.h"
#include "platform/glyph_canvas.h"
#include "platform/system_font.h"
#include "text/atlas_geometry.h"
#include "text/font.h"
#include "text/glyph_list.h"

#include <GL/glu.h>
#include <GL/glut.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace {

double millisecondsOf(const std::function<void()>& work)
{
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

void report(const char* what, std::vector<double> samples)
{
    std::printf("  %-44s %9.2f ms   (min %.2f, max %.2f, %zu runs)\n", what, median(samples),
                *std::min_element(samples.begin(), samples.end()),
                *std::max_element(samples.begin(), samples.end()), samples.size());
}

void benchFontConstruction(int runs)
{
    std::printf("Texture font construction (\"verdana\", 128 px), median of %d:\n", runs);
    std::vector<double> context, lookup, metrics, rasterise, alpha, mipmaps, lists, whole;
    for (int run = 0; run < runs; ++run) {
        std::unique_ptr<platform::FontContext> fonts;
        context.push_back(millisecondsOf([&] { fonts = std::make_unique<platform::FontContext>(); }));

        std::string error;
        std::unique_ptr<platform::SystemFont> font;
        lookup.push_back(millisecondsOf([&] {
            font = platform::SystemFont::open(*fonts, "verdana", 128, false, false, error);
        }));
        if (!font) {
            std::fprintf(stderr, "starwhirl-bench: %s\n", error.c_str());
            std::exit(1);
        }
        metrics.push_back(millisecondsOf([&] {
            for (int code = 0; code < 256; ++code)
                font->outlineMetrics(static_cast<unsigned char>(code));
        }));

        auto canvas = platform::GlyphCanvas::create(atlasSize, atlasSize, error);
        std::vector<platform::CharExtent> extents(256);
        rasterise.push_back(millisecondsOf([&] {
            for (int code = 0; code < 256; ++code) {
                CellOrigin origin = cellOrigin(code, false);
                canvas->drawCharacter(*font, static_cast<unsigned char>(code), origin.x, origin.y);
                extents[code] = font->extent(static_cast<unsigned char>(code));
            }
        }));

        std::vector<std::uint8_t> buffer(atlasByteCount);
        alpha.push_back(millisecondsOf([&] {
            std::memcpy(buffer.data(), canvas->pixels(), atlasByteCount);
            deriveAlpha(buffer.data(), atlasPixelCount);
        }));

        GLuint texture = 0;
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        mipmaps.push_back(millisecondsOf([&] {
            gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, atlasSize, atlasSize, GL_RGBA, GL_UNSIGNED_BYTE,
                              buffer.data());
            glFinish();
        }));
        glDeleteTextures(1, &texture);

        GLuint base = glGenLists(256);
        lists.push_back(millisecondsOf([&] {
            for (int code = 0; code < 256; ++code) {
                GlyphQuad q = glyphQuad(cellOrigin(code, false), extents[code].cx, extents[code].cy, 128);
                compileGlyphList(base + GLuint(code), q, 0.5f);
            }
            glFinish();
        }));
        glDeleteLists(base, 256);

        whole.push_back(millisecondsOf([&] {
            TextureFont textureFont(*fonts, "verdana", 128, false, false);
            glFinish();
            glDeleteTextures(1, &textureFont.atlasTexture);
        }));
    }
    report("fontconfig configuration and FreeType start", context);
    report("font lookup, open and sizing", lookup);
    report("outline metrics of 256 codes", metrics);
    report("rasterising and measuring 256 codes", rasterise);
    report("copy and alpha sweep (4,194,304 pixels)", alpha);
    report("gluBuild2DMipmaps (2048 x 2048, 12 levels)", mipmaps);
    report("compiling 256 display lists", lists);
    report("whole TextureFont constructor", whole);
}

void benchFrames(int framesPerScene)
{
    std::printf("Frames through the show's own frame routine, 800 x 600 offscreen, median of %d:\n",
                framesPerScene);
    initScene();
    reshape(800, 600);
    OffscreenFrame offscreen(800, 600);
    offscreen.bind();
    struct {
        const char* name;
        float first;
    } scenes[] = {{"scene 1 (text)", 300}, {"scene 2 (text, spinner)", 1000},
                  {"scene 3 (text, solar system)", 2300}, {"scene 4 (text, solar system)", 3300}};
    for (const auto& scene : scenes) {
        std::vector<double> samples;
        for (int i = 0; i < framesPerScene; ++i) {
            frameCount = scene.first + float(i);
            samples.push_back(millisecondsOf([] {
                display();
                glFinish();
            }));
        }
        report(scene.name, samples);
    }
    offscreen.release();
}

}  // namespace

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(800, 600);
    glutCreateWindow("starwhirl-bench");
    std::printf("GL renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    benchFontConstruction(7);
    benchFrames(300);
    return 0;
}
