#include "platform/heap_reserve.h"

#include <cstdlib>
#include <utility>

namespace platform {

HeapReserve::HeapReserve(std::vector<Block> blocks) : blocks_(std::move(blocks)) {}

HeapReserve::HeapReserve(HeapReserve&& other) noexcept : blocks_(std::move(other.blocks_))
{
    other.blocks_.clear();
}

HeapReserve& HeapReserve::operator=(HeapReserve&& other) noexcept
{
    if (this != &other) {
        release();
        blocks_ = std::move(other.blocks_);
        other.blocks_.clear();
    }
    return *this;
}

HeapReserve::~HeapReserve()
{
    release();
}

void HeapReserve::warm()
{
    constexpr std::size_t page = 4096;
    for (const Block& block : blocks_) {
        // Volatile: stores into a block that is freed next are otherwise
        // dropped by the compiler, and bringing the pages in is the point.
        volatile char* bytes = static_cast<char*>(block.start);
        for (std::size_t offset = 0; offset < block.size; offset += page)
            bytes[offset] = 0;
    }
    release();
}

std::size_t HeapReserve::size() const
{
    std::size_t total = 0;
    for (const Block& block : blocks_)
        total += block.size;
    return total;
}

void HeapReserve::release()
{
    for (const Block& block : blocks_)
        std::free(block.start);
    blocks_.clear();
}

}  // namespace platform
