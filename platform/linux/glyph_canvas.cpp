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
    const std::size_t hugePage = std::size_t(2) << 20;
    std::size_t bytes = std::size_t(width) * std::size_t(height) * 4;
    // One huge page more than needed, so that the image can start on a huge
    // page's boundary; what lies either side is given back.
    std::size_t mapped = bytes + hugePage;
    void* mapping = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED) {
        error = "cannot allocate " + std::to_string(bytes) + " bytes for a " + std::to_string(width) + " x " +
                std::to_string(height) + " image";
        return nullptr;
    }
    auto* start = static_cast<std::uint8_t*>(mapping);
    auto* aligned = reinterpret_cast<std::uint8_t*>((reinterpret_cast<std::uintptr_t>(start) + hugePage - 1) &
                                                    ~std::uintptr_t(hugePage - 1));
    if (aligned > start)
        munmap(start, std::size_t(aligned - start));
    std::size_t tail = mapped - std::size_t(aligned - start) - bytes;
    if (tail > 0)
        munmap(aligned + bytes, tail);
    // Nearly every page gets ink: huge pages where the kernel offers them,
    // all faulted in at once rather than one at a time while drawing. A
    // kernel that refuses either leaves small pages, faulted in as drawn.
    madvise(aligned, bytes, MADV_HUGEPAGE);
    madvise(aligned, bytes, MADV_POPULATE_WRITE);
    pixels = aligned;
    return NativePointer(new Native{aligned, bytes});
}

}  // namespace platform
