#include "platform/font_system.h"

#include <cstdlib>

namespace platform {

struct GlyphCanvas::Native {
    void* pixels;
    ~Native() { std::free(pixels); }
};

std::unique_ptr<GlyphCanvas> GlyphCanvas::create(int width, int height, std::string& error)
{
    if (width <= 0 || height <= 0) {
        error = "image size " + std::to_string(width) + " x " + std::to_string(height) + " is empty";
        return nullptr;
    }
    std::size_t bytes = std::size_t(width) * std::size_t(height) * 4;
    // The page's memory grows on demand up to the browser's limit.
    void* pixels = std::calloc(bytes, 1);
    if (!pixels) {
        error = "cannot allocate " + std::to_string(bytes) + " bytes for a " + std::to_string(width) + " x " +
                std::to_string(height) + " image";
        return nullptr;
    }
    return std::make_unique<GlyphCanvas>(width, height, static_cast<std::uint8_t*>(pixels),
                                         std::unique_ptr<Native>(new Native{pixels}));
}

GlyphCanvas::GlyphCanvas(int width, int height, std::uint8_t* pixels, std::unique_ptr<Native> native)
    : width_(width), height_(height), pixels_(pixels), native_(std::move(native))
{
}

GlyphCanvas::~GlyphCanvas() = default;

}  // namespace platform
