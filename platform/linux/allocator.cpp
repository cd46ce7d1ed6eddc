#include "platform/allocator.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace platform {

namespace {

constexpr std::size_t mebibyte = std::size_t(1) << 20;
constexpr std::uintptr_t hugePage = 2 * mebibyte;

constexpr std::size_t reserveBlock = 8 * mebibyte;
constexpr int reserveBlocks = 5;

// Grows the heap by 40 MiB at once, asks the kernel to back that stretch
// with huge pages, as far as it offers them, and holds it as the blocks the
// start-up's large buffers will be placed in. Nothing is brought in here
// but the pages under the blocks' headers: the rest come when the reserve
// is warmed, one fault for each 2 MiB instead of 512.
HeapReserve reserveHugePagesInHeap()
{
    // What the start-up's large blocks need at once: the driver's copy of the
    // texture with all its levels (22 MiB), GLU's two half-size levels (4
    // MiB each) and the driver's smaller blocks beside them. With 32 MiB
    // initScene still faulted in some 1,300 pages more than with 48, with 40
    // about as few; every byte held is written when warmed, so more would
    // only raise the show's resident memory. Taken in blocks below the mmap
    // threshold, so that the heap is what grows.
    auto takeBlocks = [] {
        std::vector<HeapReserve::Block> blocks;
        // Before the blocks, so that the list itself lies below the stretch.
        blocks.reserve(reserveBlocks);
        for (int i = 0; i < reserveBlocks; ++i)
            if (void* start = std::malloc(reserveBlock))
                blocks.push_back({start, reserveBlock});
        return blocks;
    };
    auto before = reinterpret_cast<std::uintptr_t>(sbrk(0));
    std::uintptr_t after;
    {
        HeapReserve grown(takeBlocks());
        after = reinterpret_cast<std::uintptr_t>(sbrk(0));
    }
    std::uintptr_t start = (before + hugePage - 1) & ~(hugePage - 1);
    std::uintptr_t end = after & ~(hugePage - 1);
    // Handing the blocks out wrote their headers, and a stretch with one
    // small page in it can never get a huge one. Freed into the heap's top,
    // whose own header lies below `before`, what they held is stale: dropped,
    // every stretch is untouched again, and the headers written when the
    // blocks are taken again below bring in huge pages. Where the heap did
    // not grow, the blocks came from free heap already there (a second call)
    // or glibc mapped them elsewhere and has given them back: there is
    // nothing to advise, and the blocks taken again are still worth warming.
    // A kernel without transparent huge pages refuses the advice, and small
    // pages serve.
    if (end > start) {
        auto* stretch = reinterpret_cast<void*>(start);
        madvise(stretch, end - start, MADV_DONTNEED);
        madvise(stretch, end - start, MADV_HUGEPAGE);
    }
    return HeapReserve(takeBlocks());
}

}  // namespace

HeapReserve prepareAllocator()
{
    // By default glibc maps every block of 128 KiB or more fresh from the
    // kernel and unmaps it when freed, so each is faulted in page by page and
    // the next one faulted in again. Taken from the heap and kept there when
    // freed, they reuse pages the process already has; the show's resident
    // memory stays as high as it peaked during start-up.
    mallopt(M_MMAP_THRESHOLD, int(32 * mebibyte));  // glibc's largest
    mallopt(M_TRIM_THRESHOLD, int(128 * mebibyte));
    return reserveHugePagesInHeap();
}

}  // namespace platform
