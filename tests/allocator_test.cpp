#include "platform/allocator.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

namespace {

// The allocator is set up after the runtime and the libraries have taken
// their blocks; it drops pages of the heap, and none may be one of theirs.
TEST(PrepareAllocator, LeavesBlocksInUseAsTheyWere)
{
    // Small and large blocks, with a hole freed between them that the
    // set-up's own blocks may be placed in.
    const std::size_t sizes[] = {64, 4096, 200000, 1 << 20, 3 << 20, 100};
    std::vector<char*> blocks;
    for (std::size_t size : sizes)
        blocks.push_back(static_cast<char*>(std::malloc(size)));
    std::free(blocks[3]);
    blocks[3] = nullptr;
    for (std::size_t i = 0; i < blocks.size(); ++i)
        if (blocks[i])
            std::memset(blocks[i], int(0x40 + i), sizes[i]);

    platform::HeapReserve heap = platform::prepareAllocator();
    heap.warm();

    for (std::size_t i = 0; i < blocks.size(); ++i) {
        for (std::size_t b = 0; blocks[i] && b < sizes[i]; ++b)
            ASSERT_EQ(blocks[i][b], char(0x40 + i)) << "block " << i << ", byte " << b;
        std::free(blocks[i]);
    }
}

long pageFaults()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt + usage.ru_majflt;
}

// The start-up's large blocks, taken after the reserve was warmed on another
// thread, must find their pages there: that is the whole of its use.
TEST(PrepareAllocator, WarmedReserveHoldsThePagesOfTheNextLargeBlocks)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizers' allocator takes no blocks from the heap";
#endif
    platform::HeapReserve heap = platform::prepareAllocator();
    ASSERT_GE(heap.size(), std::size_t(30) << 20);
    std::thread([&heap] { heap.warm(); }).join();
    EXPECT_EQ(heap.size(), 0u);

    // The driver's copy of the texture and GLU's first level.
    const std::size_t sizes[] = {std::size_t(22) << 20, std::size_t(4) << 20};
    long before = pageFaults();
    std::vector<char*> blocks;
    for (std::size_t size : sizes) {
        blocks.push_back(static_cast<char*>(std::malloc(size)));
        std::memset(blocks.back(), 1, size);
    }
    long faults = pageFaults() - before;
    for (char* block : blocks)
        std::free(block);
    // Unwarmed, the same writes fault about 300 times.
    EXPECT_LT(faults, 4);
}

}  // namespace
