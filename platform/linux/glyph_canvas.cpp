#include "platform/font_system.h"

#include <sys/mman.h>

namespace platform {

struct GlyphCanvas::Native {
    void* mapping;
    std::size_t bytes;
    ~Native() { munmap(mapping, bytes); }
};

GlyphCanvas::NativePointer GlyphCanvas::allocate(int width, int height, std::uint8_t*& pixels,
                                                           std::string& error)
{
    std::size_t bytes = std::size_t(width) * std::size_t(height) * 4;
    // Mapped apart from the heap, whose huge pages are kept for the main
    // thread's large blocks: advised for huge pages too, the image made the
    // start-up later whenever other programs had run just before.
    void* mapping = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED) {
        error = "cannot allocate " + std::to_string(bytes) + " bytes for a " + std::to_string(width) + " x " +
                std::to_string(height) + " image";
        return nullptr;
    }
    // Nearly every page gets ink: all faulted in at once, on the drawing
    // thread, rather than one at a time while drawing. A kernel that refuses
    // leaves them to be faulted in as drawn.
    madvise(mapping, bytes, MADV_POPULATE_WRITE);
    pixels = static_cast<std::uint8_t*>(mapping);
    return NativePointer(new Native{mapping, bytes});
}

}  // namespace platform
