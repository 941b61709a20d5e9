// Filling a bookmark list the way a set file is read, at two sizes: the uniqueness
// checks must keep the work linear in the number of bookmarks.
#include <QString>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

#include "bookmarks/urls.h"

namespace {

// Every filled list stays alive until the end, so that each run takes fresh memory
// as reading a set does, instead of the small runs reusing what the last one freed.
std::vector<std::unique_ptr<mira::TURLs>> kept;

// CPU time of this thread: the machine is shared, and time spent waiting for a core
// would otherwise land mostly on the long runs.
double threadMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

double fillMs(int count)
{
    auto list = std::make_unique<mira::TURLs>();
    const double start = threadMs();
    list->BeginUpdate();
    for (int i = 0; i < count; ++i) {
        mira::TURL *url = list->Add();
        url->SetName(QStringLiteral("Site %1 home").arg(i));
        url->SetAddress(QStringLiteral("https://site%1.example.test/index.html").arg(i));
    }
    list->EndUpdate();
    const double ms = threadMs() - start;
    if (list->Count() != count || list->IndexOfName(QStringLiteral("SITE 0 HOME")) != 0) {
        std::fprintf(stderr, "list of %d bookmarks filled wrongly\n", count);
        std::exit(1);
    }
    kept.push_back(std::move(list));
    return ms;
}

} // namespace

int main()
{
    // Best of several interleaved runs, so that a busy moment of the machine does not
    // decide the ratio.
    fillMs(2000); // warm-up
    double small = 1e300;
    double large = 1e300;
    for (int run = 0; run < 3; ++run) {
        small = std::min(small, fillMs(2000));
        large = std::min(large, fillMs(20000));
        small = std::min(small, fillMs(2000));
    }
    std::printf("fill_2000_cpu_ms: %.3f\n", small);
    std::printf("fill_20000_cpu_ms: %.3f\n", large);
    std::printf("ratio_20000_to_2000: %.2f\n", large / small);
    return 0;
}
