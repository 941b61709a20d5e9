#include <QFile>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "platform/memorytrim.h"

namespace {

[[maybe_unused]] long residentKiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toLong() * 4;
}

} // namespace

TEST(MemoryTrim, FreedMemoryInTheMiddleOfTheHeapGoesBackToTheSystem)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's allocator keeps its own free lists";
#else
    // Small blocks come from the heap, not from mappings of their own; one block kept at
    // the end stops the heap from simply shrinking, as a long-lived allocation does in
    // the program, so only a return of interior pages can bring the figure down.
    std::vector<std::unique_ptr<char[]>> blocks;
    for (int i = 0; i < 64 * 1024; ++i) {
        blocks.emplace_back(new char[1000]);
        std::fill_n(blocks.back().get(), 1000, char(i));
    }
    auto keep = std::make_unique<char[]>(1000);
    std::fill_n(keep.get(), 1000, 'k');
    const long full = residentKiB();
    blocks.clear();
    ASSERT_TRUE(mira::platform::ReturnFreedMemory());
    const long after = residentKiB();
    ASSERT_GT(full, 0);
    EXPECT_LT(after, full - 32 * 1024) << "before " << full << " KiB, after " << after << " KiB";
    EXPECT_EQ(keep[999], 'k');
#endif
}
