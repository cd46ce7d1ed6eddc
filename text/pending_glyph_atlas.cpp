#include "text/pending_glyph_atlas.h"

#include <system_error>

PendingGlyphAtlas::PendingGlyphAtlas(FontContextSource fonts, FontRequest request, Start start,
                                     std::function<void()> afterwards)
{
    auto draw = [fonts = std::move(fonts), request = std::move(request), afterwards = std::move(afterwards)] {
        Drawn drawn;
        drawn.atlas = GlyphAtlas::draw(fonts(), request, drawn.error);
        if (afterwards)
            afterwards();
        return drawn;
    };
    if (start == Start::beside) {
        try {
            drawing_ = std::async(std::launch::async, draw);
            return;
        } catch (const std::system_error&) {
            // No thread to be had: drawn when taken, as slowly as before but
            // just as well.
        }
    }
    drawing_ = std::async(std::launch::deferred, std::move(draw));
}

void PendingGlyphAtlas::wait() const
{
    if (drawing_.valid())
        drawing_.wait();
}

std::unique_ptr<GlyphAtlas> PendingGlyphAtlas::take(std::string& error)
{
    if (!drawing_.valid()) {
        error = "the glyph atlas was taken already";
        return nullptr;
    }
    Drawn drawn = drawing_.get();
    error = drawn.error;
    return std::move(drawn.atlas);
}
