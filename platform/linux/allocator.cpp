#include "platform/allocator.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace platform {

namespace {

constexpr std::size_t mebibyte = std::size_t(1) << 20;
constexpr std::uintptr_t hugePage = 2 * mebibyte;

// Grows the heap by 48 MiB at once and asks the kernel to back that stretch
// with huge pages, as far as it offers them. Nothing is touched here: the
// pages come when the blocks placed there are first written, one fault for
// each 2 MiB instead of 512.
void reserveHugePagesInHeap()
{
    // What the start-up's large blocks need at once: the driver's copy of the
    // texture with all its levels (22 MiB) and GLU's two half-size levels (4
    // MiB each), with room to spare; taken in blocks below the mmap
    // threshold, so that the heap is what grows.
    void* blocks[3];
    auto before = reinterpret_cast<std::uintptr_t>(sbrk(0));
    for (void*& block : blocks)
        block = std::malloc(16 * mebibyte);
    auto after = reinterpret_cast<std::uintptr_t>(sbrk(0));
    for (void* block : blocks)
        std::free(block);
    std::uintptr_t start = (before + hugePage - 1) & ~(hugePage - 1);
    std::uintptr_t end = after & ~(hugePage - 1);
    // Where the heap could not grow, glibc mapped the blocks elsewhere and
    // has given them back: there is nothing to ask for.
    if (end <= start)
        return;
    // Handing the blocks out wrote their headers, and a stretch with one
    // small page in it can never get a huge one. Freed into the heap's top,
    // whose own header lies below `before`, what they held is stale: dropped,
    // every stretch is untouched again. A kernel without transparent huge
    // pages refuses the advice, and small pages serve.
    auto* stretch = reinterpret_cast<void*>(start);
    madvise(stretch, end - start, MADV_DONTNEED);
    madvise(stretch, end - start, MADV_HUGEPAGE);
}

}  // namespace

void prepareAllocator()
{
    // By default glibc maps every block of 128 KiB or more fresh from the
    // kernel and unmaps it when freed, so each is faulted in page by page and
    // the next one faulted in again. Taken from the heap and kept there when
    // freed, they reuse pages the process already has; the show's resident
    // memory stays as high as it peaked during start-up.
    mallopt(M_MMAP_THRESHOLD, int(32 * mebibyte));  // glibc's largest
    mallopt(M_TRIM_THRESHOLD, int(128 * mebibyte));
    reserveHugePagesInHeap();
}

}  // namespace platform
