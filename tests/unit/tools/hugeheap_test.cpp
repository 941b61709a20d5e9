#include <gtest/gtest.h>
#include <unistd.h>

#include "tools/hugeheap.h"

using namespace mira;

namespace {

constexpr std::size_t MiB = std::size_t(1) << 20;

TEST(HugeHeap, RoomGrowsWithTheSetAndStaysBounded)
{
    const struct {
        std::size_t file;
        std::size_t room;
    } cases[] = {
        {0, 0},
        {4 * MiB - 1, 0},    // small sets keep the ordinary heap
        {4 * MiB, 32 * MiB}, // eight times the file from there on
        {20 * MiB, 160 * MiB},
        {512 * MiB, 4096 * MiB},            // the bound is reached exactly
        {std::size_t(1) << 40, 4096 * MiB}, // and never passed, nor overflowed
    };
    for (const auto &c : cases)
        EXPECT_EQ(HeapRoomForSet(c.file), c.room) << c.file;
}

#if defined(__SANITIZE_ADDRESS__)
#define MIRA_OWN_ALLOCATOR 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MIRA_OWN_ALLOCATOR 1
#endif
#endif

TEST(HugeHeap, ReservationGrowsTheHeapAtOnce)
{
#ifdef MIRA_OWN_ALLOCATOR
    GTEST_SKIP() << "the sanitizer's allocator does not grow the program break";
#else
    const auto *before = static_cast<char *>(sbrk(0));
    ReserveHugeHeap(16 * MiB);
    const auto *after = static_cast<char *>(sbrk(0));
    EXPECT_GE(after - before, static_cast<std::ptrdiff_t>(16 * MiB));
    // Nothing asked, nothing grown.
    EXPECT_FALSE(ReserveHugeHeap(0));
    EXPECT_EQ(static_cast<char *>(sbrk(0)), after);
#endif
}

} // namespace
