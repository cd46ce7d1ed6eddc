#include "app/memory_shortage.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint64_t mebibyte = std::uint64_t(1) << 20;

platform::MemoryRoom room(std::uint64_t limit, std::uint64_t used, std::uint64_t available)
{
    return {limit * mebibyte, used * mebibyte, available * mebibyte};
}

}  // namespace

TEST(MemoryShortage, NamesTheLimitThatLeftTooLittleAndNothingElse)
{
    EXPECT_EQ(shortOfMemory("OpenGL could not start", room(300, 157, 20000)),
              "OpenGL could not start for want of memory: this process may use only 300 MiB of address space "
              "(ulimit -v) and had 143 MiB of it left; the show needs about 400 MiB");
    // A limit below what the show needs is the cause however much of it is left.
    EXPECT_NE(shortOfMemory("x", room(380, 10, 20000)), "");
    // A generous limit nearly used up is too.
    EXPECT_NE(shortOfMemory("x", room(4096, 4000, 20000)).find("had 96 MiB of it left"), std::string::npos);
    // Used beyond the limit (the figures are read at different moments).
    EXPECT_NE(shortOfMemory("x", room(300, 301, 20000)).find("had 0 MiB"), std::string::npos);
    EXPECT_EQ(shortOfMemory("the show could not start", room(0, 700, 40)),
              "the show could not start for want of memory: the system has only 40 MiB left; the show needs "
              "about 400 MiB");

    // No limit, or room enough: the failure had another cause.
    EXPECT_EQ(shortOfMemory("x", room(0, 700, 20000)), "");
    EXPECT_EQ(shortOfMemory("x", room(8192, 700, 20000)), "");
    // Nothing known.
    EXPECT_EQ(shortOfMemory("x", room(0, 0, 0)), "");
}
