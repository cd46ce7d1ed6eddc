#pragma once

#include "app/timeline.h"
#include "platform/frame_presenter.h"
#include "scene/solar_system.h"
#include "scene/spinner.h"
#include "text/font.h"
#include "text/pending_glyph_atlas.h"

#include <functional>
#include <memory>
#include <string>

// The show: its frame clock, its scroller and its cast, in one owner. The
// GLUT callbacks (shell.cpp), the capture program and the tests all drive
// it; it never ends the process itself.
class Show {
public:
    // The show's font: "verdana", 128 pixels, upright, normal weight.
    static FontRequest fontRequest() { return FontRequest{"verdana", 128, false, false}; }
    // The show's font from the fonts of `fonts()`: its atlas needs no GL
    // context, so it can be started beside the window's opening, with
    // `afterwards` after it on the same thread.
    static PendingGlyphAtlas font(PendingGlyphAtlas::FontContextSource fonts, PendingGlyphAtlas::Start start,
                                  std::function<void()> afterwards = {});

    // initScene: sets the fixed GL state that every later drawing relies on,
    // then creates the cast, the font from `font`'s atlas. Needs the window's
    // GL context to be current. Null, with the reason in `error`, when the
    // font cannot be had.
    static std::unique_ptr<Show> create(PendingGlyphAtlas font, std::string& error);
    // The same, its font drawn here from the fonts of `fonts`.
    static std::unique_ptr<Show> create(platform::FontContext& fonts, std::string& error);
    Show(const Show&) = delete;
    Show& operator=(const Show&) = delete;

    // The viewport, the projection and the base model-view matrix of every
    // frame, for a window of this size.
    static void reshape(int width, int height);

    // The frame wrapper: clears, draws `frame` and presents it. Returns
    // false, drawing and presenting nothing, when the show is over.
    bool display(float frame);
    // Draws the frame the clock stands at.
    bool display() { return display(frameCount); }

    // The frame clock: raised by exactly 1.0 per tick, so it always holds a
    // whole number and the timeline can compare it for equality.
    float frame() const { return frameCount; }
    float tick() { return frameCount += 1.0f; }

    // The text scroller: 100 at start, 1 lower after each drawn text, back
    // to 90 on each reset frame.
    float scroll() const { return scrollX; }

    // Puts the clock at `frame` and the scroller where a show played from the
    // start has it there, for programs and tests that begin part-way.
    void seek(float frame);

private:
    // The fixed state and the cast but the font.
    Show();

    // The timeline's frame routine, inside the wrapper's matrix push, for
    // the scene the wrapper found `frame` to be in.
    void drawFrame(float frame, Scene scene);
    void drawScrollingText(const char* text);

    float frameCount = 0.0f;
    float scrollX = 100.0f;
    // Made before the cast, which presents through it.
    platform::FramePresenter presenter;
    std::unique_ptr<SolarSystem> theSolarSystem;
    std::unique_ptr<Spinner> theSpinner;
    std::unique_ptr<Font> theFont;
};
