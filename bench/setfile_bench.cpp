// Set file text: parse and render time against a plain byte scan of the same text,
// at about 1 MB and 16 MB, so the figures are ratios from one run on one machine.
#include <QByteArray>
#include <algorithm>
#include <chrono>
#include <cstdio>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "setgen.h"

using namespace mira;

namespace {

volatile std::uint64_t sink;

// Best of several runs, in seconds: the least disturbed by the rest of the machine.
// The work returns its result so that freeing it falls outside the measured time.
template<typename Work>
double best(int runs, Work work)
{
    double fastest = 1e9;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const auto result = work();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        fastest = std::min(fastest, took.count());
        (void)result;
    }
    return fastest;
}

std::uint64_t checksum(const QByteArray &bytes)
{
    std::uint64_t h = 0;
    for (const char c : bytes)
        h = h * 31 + static_cast<unsigned char>(c);
    return h;
}

struct Figures {
    double bytes = 0, scan = 0, parse = 0, render = 0;
};

setfile::Object sized(qsizetype target, QByteArray &text)
{
    // Scale the pane count until the rendered text is within 5% of the target.
    int panes = 8;
    for (int attempt = 0;; ++attempt) {
        setfile::Object tree = bench::SetGenerator(20, 2024).make(panes);
        text = setfile::render(tree);
        const double ratio = double(target) / double(text.size());
        if ((ratio > 0.95 && ratio < 1.05) || attempt == 20)
            return tree;
        panes = std::max(1, int(panes * ratio));
    }
}

Figures measure(const char *label, qsizetype target, int runs)
{
    QByteArray text;
    const setfile::Object tree = sized(target, text);
    if (!setfile::parse(text).ok()) {
        std::printf("%s: generated text does not parse\n", label);
        std::exit(1);
    }
    Figures f;
    f.bytes = double(text.size());
    f.scan = best(runs, [&] {
        const std::uint64_t h = checksum(text);
        sink = h;
        return h;
    });
    f.parse = best(runs, [&] { return setfile::parse(text); });
    f.render = best(runs, [&] { return setfile::render(tree); });
    std::printf("%s_bytes: %.0f\n", label, f.bytes);
    std::printf("%s_scan_ms: %.3f\n", label, f.scan * 1e3);
    std::printf("%s_parse_ms: %.3f\n", label, f.parse * 1e3);
    std::printf("%s_render_ms: %.3f\n", label, f.render * 1e3);
    std::printf("%s_parse_per_scan: %.2f\n", label, f.parse / f.scan);
    std::printf("%s_render_per_scan: %.2f\n", label, f.render / f.scan);
    return f;
}

} // namespace

int main()
{
#ifdef __GLIBC__
    // glibc maps large blocks afresh and returns freed heap tops to the system, so a
    // 16 MB run would pay page faults on every repeat that a 1 MB run reuses for free.
    // Fixed thresholds let both sizes reuse memory alike; the first run still faults.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
    const Figures small = measure("1mb", 1 << 20, 25);
    const Figures large = measure("16mb", 16 << 20, 8);
    const double size = large.bytes / small.bytes;
    std::printf("size_ratio: %.2f\n", size);
    std::printf("scan_growth: %.2f\n", large.scan / small.scan);
    std::printf("parse_growth: %.2f\n", large.parse / small.parse);
    std::printf("render_growth: %.2f\n", large.render / small.render);
    std::printf("parse_growth_per_size: %.2f\n", large.parse / small.parse / size);
    std::printf("render_growth_per_size: %.2f\n", large.render / small.render / size);
    return 0;
}
