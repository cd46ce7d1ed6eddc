#include "bench/startup_breakdown.h"

#include "app/show.h"
#include "app/startup.h"
#include "app/window.h"
#include "platform/allocator.h"
#include "platform/font_system.h"
#include "text/glyph_atlas.h"

#include <GL/gl.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>

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

// The show's window, as the show opens it; GLUT's line when it cannot be.
std::string openShowWindow(const char* program)
{
    WindowRequest window;
    window.glutArguments = {program};
    std::optional<WindowFailure> failure = openWindow(window);
    return failure ? failure->line(program) : std::string();
}

}  // namespace

std::vector<TimedStep> timeStartupOnce(const char* program, std::string& error)
{
    StepTimer timer;
    StartupActions startup;
    startup.openWindow = [program] {
        std::string failure = openShowWindow(program);
        if (failure.empty())
            Show::reshape(showWindowSize.width, showWindowSize.height);
        return failure;
    };
    startup.firstFrame = [](Show& show) { show.display(0.0f); };
    std::unique_ptr<Show> show = startShow(startup, error, [&timer](StartupStep step, const std::function<void()>& work) {
        timer.time(describe(step), work);
        // From the window on, there is a context to finish the driver's work in.
        timer.glContext |= step == StartupStep::windowAndFont;
    });
    if (show)
        timer.time("second frame through display", [&] { show->display(1.0f); });
    return timer.steps;
}

std::vector<TimedStep> timeFontStepsOnce(const char* program, std::string& error)
{
    StepTimer timer;
    platform::HeapReserve heap;
    timer.time("allocator set-up", [&] { heap = platform::prepareAllocator(); });
    std::unique_ptr<platform::FontContext> fonts;
    timer.time("fontconfig configuration and FreeType start",
               [&] { fonts = std::make_unique<platform::FontContext>(); });
    std::unique_ptr<GlyphAtlas> atlas;
    timer.time("font lookup and the blank 2048 x 2048 atlas image",
               [&] { atlas = GlyphAtlas::open(*fonts, Show::fontRequest(), error); });
    if (!atlas)
        return timer.steps;
    bool drawn = false;
    timer.time("rasterising and measuring 256 codes", [&] { drawn = atlas->drawGlyphs(error); });
    if (!drawn)
        return timer.steps;
    timer.time("alpha sweep (4,194,304 pixels)", [&] { atlas->deriveAlpha(); });
    timer.time("warming the heap for the texture's blocks", [&] { heap.warm(); });

    if (!(error = openShowWindow(program)).empty())
        return timer.steps;
    timer.glContext = true;
    std::unique_ptr<TextureFont> font;
    timer.time("outline advances, 256 lists and the mipmapped texture (gluBuild2DMipmaps)",
               [&] { font = TextureFont::create(std::move(atlas), error); });
    return timer.steps;
}
