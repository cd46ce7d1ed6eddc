#include "bench/startup_breakdown.h"

#include "app/show.h"
#include "app/window.h"
#include "platform/allocator.h"
#include "platform/font_system.h"
#include "text/glyph_atlas.h"

#include <GL/gl.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

namespace {

long minorFaults()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// Records the time and the process's minor page faults of each step;
// glFinish (once a context exists), so that work the driver defers is
// counted where it was asked for.
class StepTimer {
public:
    void time(const char* name, const std::function<void()>& work)
    {
        long faultsBefore = minorFaults();
        auto start = std::chrono::steady_clock::now();
        work();
        if (glContext)
            glFinish();
        double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        steps.push_back({name, ms, double(minorFaults() - faultsBefore)});
    }

    bool glContext = false;
    std::vector<TimedStep> steps;
};

[[noreturn]] void stop(const std::string& error)
{
    std::fprintf(stderr, "starwhirl-startup-steps: %s\n", error.c_str());
    std::exit(1);
}

const FontRequest showFont{"verdana", 128, false, false};

}  // namespace

std::vector<TimedStep> timeStartupOnce(int* argc, char** argv)
{
    StepTimer timer;
    timer.time("allocator set-up", [] { platform::prepareAllocator(); });
    std::unique_ptr<PendingGlyphAtlas> font;
    timer.time("window opened, the font's atlas drawn beside it", [&] {
        font = std::make_unique<PendingGlyphAtlas>(
            Show::font(platform::FontContext::screen, PendingGlyphAtlas::Start::beside));
        openWindow(argc, argv);
    });
    timer.glContext = true;
    timer.time("waiting for the atlas", [&] { font->wait(); });
    Show::reshape(800, 600);
    std::unique_ptr<Show> show;
    std::string error;
    timer.time("initScene: fixed state and the cast, the font's lists and mipmapped texture",
               [&] { show = Show::create(std::move(*font), error); });
    if (!show)
        stop(error);
    timer.time("first frame through display (scene 1)", [&] { show->display(0.0f); });
    timer.time("second frame through display", [&] { show->display(1.0f); });
    return timer.steps;
}

std::vector<TimedStep> timeFontStepsOnce(int* argc, char** argv)
{
    StepTimer timer;
    timer.time("allocator set-up", [] { platform::prepareAllocator(); });
    std::unique_ptr<platform::FontContext> fonts;
    timer.time("fontconfig configuration and FreeType start",
               [&] { fonts = std::make_unique<platform::FontContext>(); });
    std::string error;
    std::unique_ptr<GlyphAtlas> atlas;
    timer.time("font lookup and the blank 2048 x 2048 atlas image",
               [&] { atlas = GlyphAtlas::open(*fonts, showFont, error); });
    if (!atlas)
        stop(error);
    bool drawn = false;
    timer.time("rasterising and measuring 256 codes", [&] { drawn = atlas->drawGlyphs(error); });
    if (!drawn)
        stop(error);
    timer.time("alpha sweep (4,194,304 pixels)", [&] { atlas->deriveAlpha(); });

    openWindow(argc, argv);
    timer.glContext = true;
    std::unique_ptr<TextureFont> font;
    timer.time("outline advances, 256 lists and the mipmapped texture (gluBuild2DMipmaps)",
               [&] { font = TextureFont::create(std::move(atlas), error); });
    if (!font)
        stop(error);
    return timer.steps;
}
