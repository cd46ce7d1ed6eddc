#include "app/startup.h"

#include "platform/allocator.h"
#include "platform/font_system.h"

#include <optional>

const char* describe(StartupStep step)
{
    switch (step) {
    case StartupStep::allocator: return "allocator set-up";
    case StartupStep::windowAndFont: return "window opened, the font's atlas drawn beside it";
    case StartupStep::fontWait: return "waiting for the atlas";
    case StartupStep::initScene: return "initScene: fixed state and the cast, the font's lists and mipmapped texture";
    case StartupStep::firstFrame: return "first frame through display (scene 1)";
    }
    return "";
}

std::unique_ptr<Show> startShow(const StartupActions& actions, std::string& error, const StepRunner& run)
{
    platform::HeapReserve heap;
    run(StartupStep::allocator, [&] { heap = platform::prepareAllocator(); });
    // Declared after the heap, so that leaving early waits for the drawing's
    // thread, which warms it, before the heap is given back.
    std::optional<PendingGlyphAtlas> font;
    run(StartupStep::windowAndFont, [&] {
        // The atlas is drawn well before the window is open; the pages
        // initScene's large blocks need are brought in on its thread
        // meanwhile, not on this one afterwards.
        font.emplace(Show::font(platform::FontContext::screen, actions.fontStart, [&heap] { heap.warm(); }));
        error = actions.openWindow();
    });
    if (!error.empty())
        return nullptr;
    run(StartupStep::fontWait, [&] { font->wait(); });
    std::unique_ptr<Show> show;
    run(StartupStep::initScene, [&] { show = Show::create(std::move(*font), error); });
    if (show && actions.firstFrame)
        run(StartupStep::firstFrame, [&] { actions.firstFrame(*show); });
    return show;
}
