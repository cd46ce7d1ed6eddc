#pragma once

#include <cstddef>
#include <vector>

namespace platform {

// Heap blocks the allocator's set-up took and holds for the start-up's large
// blocks (the driver's copy of the atlas texture, GLU's mipmap levels), so
// that their pages can be brought in on another thread while the window
// opens instead of on the start-up's own thread afterwards.
class HeapReserve {
public:
    struct Block {
        void* start;
        std::size_t size;
    };

    HeapReserve() = default;
    explicit HeapReserve(std::vector<Block> blocks);
    HeapReserve(HeapReserve&& other) noexcept;
    HeapReserve& operator=(HeapReserve&& other) noexcept;
    HeapReserve(const HeapReserve&) = delete;
    HeapReserve& operator=(const HeapReserve&) = delete;
    // Gives back whatever was not warmed.
    ~HeapReserve();

    // Writes every page of the blocks once, then gives them back to the
    // allocator, which hands the same memory out next with its pages there.
    // Any one thread, while no other uses this object.
    void warm();
    std::size_t size() const;

private:
    void release();
    std::vector<Block> blocks_;
};

}  // namespace platform
