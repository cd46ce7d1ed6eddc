#include "platform/font_system.h"

#include <cstdlib>

namespace platform {

struct GlyphCanvas::Native {
    void* pixels;
    ~Native() { std::free(pixels); }
};

GlyphCanvas::NativePointer GlyphCanvas::allocate(int width, int height, std::uint8_t*& pixels,
                                                           std::string& error)
{
    std::size_t bytes = std::size_t(width) * std::size_t(height) * 4;
    // The page's memory grows on demand up to the browser's limit.
    void* zeroed = std::calloc(bytes, 1);
    if (!zeroed) {
        error = "cannot allocate " + std::to_string(bytes) + " bytes for a " + std::to_string(width) + " x " +
                std::to_string(height) + " image";
        return nullptr;
    }
    pixels = static_cast<std::uint8_t*>(zeroed);
    return NativePointer(new Native{zeroed});
}

}  // namespace platform
