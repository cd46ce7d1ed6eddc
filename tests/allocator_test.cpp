#include "platform/allocator.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
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

    platform::prepareAllocator();

    for (std::size_t i = 0; i < blocks.size(); ++i) {
        for (std::size_t b = 0; blocks[i] && b < sizes[i]; ++b)
            ASSERT_EQ(blocks[i][b], char(0x40 + i)) << "block " << i << ", byte " << b;
        std::free(blocks[i]);
    }
}

}  // namespace
