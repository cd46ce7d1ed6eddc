#include "platform/font_system.h"

#include <sys/mman.h>

namespace platform {

struct GlyphCanvas::Native {
    void* mapping;
    std::size_t bytes;
    ~Native() { munmap(mapping, bytes); }
};

std::unique_ptr<GlyphCanvas> GlyphCanvas::create(int width, int height, std::string& error)
{
    if (width <= 0 || height <= 0) {
        error = "image size " + std::to_string(width) + " x " + std::to_string(height) + " is empty";
        return nullptr;
    }
    std::size_t bytes = std::size_t(width) * std::size_t(height) * 4;
    // Mapped zeroed and populated at once: nearly every page gets ink, and
    // faulting them in one at a time while drawing costs twice as long.
    void* pixels = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (pixels == MAP_FAILED) {
        error = "cannot allocate " + std::to_string(bytes) + " bytes for a " + std::to_string(width) +
                " x " + std::to_string(height) + " image";
        return nullptr;
    }
    return std::make_unique<GlyphCanvas>(width, height, static_cast<std::uint8_t*>(pixels),
                                         std::unique_ptr<Native>(new Native{pixels, bytes}));
}

GlyphCanvas::GlyphCanvas(int width, int height, std::uint8_t* pixels, std::unique_ptr<Native> native)
    : width_(width), height_(height), pixels_(pixels), native_(std::move(native))
{
}

GlyphCanvas::~GlyphCanvas() = default;

}  // namespace platform
