#pragma once

#include "text/glyph_atlas.h"

#include <functional>
#include <future>
#include <memory>
#include <string>

// A glyph atlas being drawn, to be taken by the font once a GL context is
// current. Drawing one needs no window, so a program can start it on a
// thread of its own before it opens its window and find it done by the time
// it needs it.
//
// The font context is the drawing's alone until the atlas is taken: it is
// made on the drawing's thread, and fontconfig's configuration and FreeType's
// library and faces ask their callers to keep one thread at a time on them.
// Taking waits for the thread, so whatever the drawing left is the taker's
// from then on.
class PendingGlyphAtlas {
public:
    using FontContextSource = std::function<platform::FontContext&()>;
    enum class Start {
        beside,     // now, on a thread of its own (or when taken, where no thread can start)
        whenTaken,  // on the taker's thread, when taken
    };

    // `afterwards` runs on the drawing's thread once the atlas is drawn, and
    // is waited for with it: work that should keep off the taker's thread.
    PendingGlyphAtlas(FontContextSource fonts, FontRequest request, Start start,
                      std::function<void()> afterwards = {});
    // Waits for a drawing still under way.
    ~PendingGlyphAtlas() = default;
    PendingGlyphAtlas(PendingGlyphAtlas&&) = default;
    PendingGlyphAtlas& operator=(PendingGlyphAtlas&&) = default;

    // Waits until the atlas is drawn (or has failed), without taking it.
    void wait() const;
    // Waits for the atlas. Null, with the reason in `error`, when the font
    // could not be had; there is one atlas to take.
    std::unique_ptr<GlyphAtlas> take(std::string& error);

private:
    struct Drawn {
        std::unique_ptr<GlyphAtlas> atlas;
        std::string error;
    };
    std::future<Drawn> drawing_;
};
