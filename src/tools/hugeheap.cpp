#include "tools/hugeheap.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#ifdef __GLIBC__
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace mira {

namespace {

constexpr std::size_t MiB = std::size_t(1) << 20;
// The kernel's huge page on x86-64 and most others; a wrong guess only advises less.
constexpr std::uintptr_t HugePage = 2 * MiB;

} // namespace

std::size_t HeapRoomForSet(std::size_t fileBytes)
{
    constexpr std::size_t smallest = 4 * MiB;
    constexpr std::size_t largest = std::size_t(4096) * MiB;
    if (fileBytes < smallest)
        return 0;
    return fileBytes > largest / 8 ? largest : fileBytes * 8;
}

bool ReserveHugeHeap(std::size_t bytes)
{
#ifdef __GLIBC__
    // Blocks up to 32 MiB come from the heap and freed tops stay in it, rather than
    // being mapped afresh and returned on every large string.
    mallopt(M_MMAP_THRESHOLD, 32 * MiB);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    if (bytes == 0)
        return false;
    // The top pad is an int: a larger room is reserved as far as it reaches.
    bytes = std::min(bytes, std::size_t(INT_MAX) & ~std::size_t(HugePage - 1));
    // The next growth of the heap takes the whole room at once; a block larger than
    // what is free at its top (keepcost) makes that growth happen now.
    char *const before = static_cast<char *>(sbrk(0));
    mallopt(M_TOP_PAD, static_cast<int>(bytes));
    void *probe = std::malloc(mallinfo2().keepcost + MiB);
    char *const after = static_cast<char *>(sbrk(0));
    std::free(probe);
    mallopt(M_TOP_PAD, 128 * 1024);
    // The whole huge pages within the growth.
    char *const start = before
                        + (HugePage - reinterpret_cast<std::uintptr_t>(before) % HugePage)
                              % HugePage;
    char *const end = after - reinterpret_cast<std::uintptr_t>(after) % HugePage;
    if (probe == nullptr || end <= start)
        return false;
    return madvise(start, std::size_t(end - start), MADV_HUGEPAGE) == 0;
#else
    (void)bytes;
    return false;
#endif
}

} // namespace mira
