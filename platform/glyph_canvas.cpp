#include "platform/font_system.h"

namespace platform {

std::unique_ptr<GlyphCanvas> GlyphCanvas::create(int width, int height, std::string& error)
{
    if (width <= 0 || height <= 0) {
        error = "image size " + std::to_string(width) + " x " + std::to_string(height) + " is empty";
        return nullptr;
    }
    std::uint8_t* pixels = nullptr;
    NativePointer native = allocate(width, height, pixels, error);
    if (!native)
        return nullptr;
    return std::unique_ptr<GlyphCanvas>(new GlyphCanvas(width, height, pixels, std::move(native)));
}

GlyphCanvas::GlyphCanvas(int width, int height, std::uint8_t* pixels, NativePointer native)
    : width_(width), height_(height), pixels_(pixels), native_(std::move(native))
{
}

GlyphCanvas::~GlyphCanvas() = default;

}  // namespace platform
