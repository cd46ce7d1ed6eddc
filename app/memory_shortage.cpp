#include "app/memory_shortage.h"

namespace {

constexpr std::uint64_t mebibyte = std::uint64_t(1) << 20;
// What the show takes at most with Mesa's software renderer: its driver
// and its threads, the atlas and its mipmap levels, the window's buffers.
constexpr std::uint64_t showNeeds = 400 * mebibyte;
// A failure with less than this left was memory's doing: the driver alone
// maps more, and nothing the show allocates at once is larger.
constexpr std::uint64_t tooLittleAddressSpace = 256 * mebibyte;
constexpr std::uint64_t tooLittleMemory = 64 * mebibyte;

std::string mebibytes(std::uint64_t bytes)
{
    return std::to_string(bytes / mebibyte) + " MiB";
}

}  // namespace

std::string shortOfMemory(const std::string& what, const platform::MemoryRoom& room)
{
    std::uint64_t left = room.addressLimit > room.addressUsed ? room.addressLimit - room.addressUsed : 0;
    if (room.addressLimit > 0 && (room.addressLimit < showNeeds || left < tooLittleAddressSpace))
        return what + " for want of memory: this process may use only " + mebibytes(room.addressLimit) +
               " of address space (ulimit -v) and had " + mebibytes(left) + " of it left; the show needs about " +
               mebibytes(showNeeds);
    if (room.available > 0 && room.available < tooLittleMemory)
        return what + " for want of memory: the system has only " + mebibytes(room.available) +
               " left; the show needs about " + mebibytes(showNeeds);
    return {};
}
