// Set file text: parse and render time against a plain byte scan of the same text,
// at about 1 MB and 16 MB, so the figures are ratios from one run on one machine.
// Then the open of a 64-pane set of 1,000 bookmarks each into the main window's
// components and into a bare layout window, and the whole `mira-set check` process on
// that file, against the syntax parse of the same file.
//   setfile_bench [--write FILE]   (--write only saves the 64-pane set and exits)
#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "app/appcontrol.h"
#include "app/application.h"
#include "app/baseform.h"
#include "app/formstream.h"
#include "app/program.h"
#include "browser/browser.h"
#include "childrun.h"
#include "dialogs/modal.h"
#include "layout/classregistry.h"
#include "layout/layoutform.h"
#include "layout/setstream.h"
#include "platform/fakewebcontrol.h"
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

// Questions reading raises (a bookmark name or address given twice) are answered OK,
// the replacement a user accepts, without showing anything.
class AnswerRunner : public ModalRunner {
public:
    int run(ModalRecord &record) override
    {
        ++asked;
        return record.buttons & mbNo ? mrNo : mrOK;
    }
    int asked = 0;
};

QByteArray wallText()
{
    return setfile::render(bench::SetGenerator(1000, 2024, true).make(64));
}

// CPU time of this thread, in seconds: the machine may be shared, and waiting for a
// core would otherwise land on the longer of the two measures.
double threadSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

template<typename Work>
double bestCpu(int runs, Work work)
{
    double fastest = 1e9;
    for (int i = 0; i < runs; ++i) {
        const double start = threadSeconds();
        const auto result = work();
        fastest = std::min(fastest, threadSeconds() - start);
        (void)result;
    }
    return fastest;
}

// The open of text into fresh main windows against its syntax parse, best of runs.
void measureOpen(int runs)
{
    const QByteArray text = wallText();
    AnswerRunner keep;
    SetModalRunner(&keep);
    platform::SetWebControlFactory([](QWidget *parent) -> platform::WebControl * {
        return new platform::FakeWebControl(parent);
    });
    const double parse = bestCpu(runs, [&] { return setfile::parse(text); });
    const double open = bestCpu(runs, [&] {
        auto module = std::make_unique<TAppControlModule>();
        auto form = std::make_unique<TBaseForm>(module.get());
        module->Action(u"FileSaveOnCloseAction")->setChecked(false);
        const QString error = ReadConfigSet(form.get(), text);
        if (!error.isEmpty()) {
            std::printf("open: %s\n", qPrintable(error));
            std::exit(1);
        }
        // Returned so that tearing the window down falls outside the time.
        return std::make_pair(std::move(form), std::move(module));
    });
    ClassRegistry classes;
    RegisterLayoutClasses(classes);
    RegisterBrowserClasses(classes);
    const double bare = bestCpu(runs, [&] {
        auto form = std::make_unique<LayoutForm>();
        if (const QString error = ReadConfigSet(*form, classes, text); !error.isEmpty()) {
            std::printf("open: %s\n", qPrintable(error));
            std::exit(1);
        }
        return form;
    });
    SetModalRunner(nullptr);

    // The checker as a user runs it, start to exit.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("wall.set"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        std::exit(1);
    file.close();
    const bench::ChildTime check =
        bench::bestChild({QCoreApplication::applicationDirPath().toLocal8Bit() + "/mira-set",
                          "check", path.toLocal8Bit()},
                         runs);
    if (check.status != 0) {
        std::printf("mira-set check failed: %d\n", check.status);
        std::exit(1);
    }

    std::printf("wall_bytes: %lld\n", static_cast<long long>(text.size()));
    std::printf("wall_questions_per_open: %d\n", keep.asked / runs);
    std::printf("wall_parse_cpu_ms: %.1f\n", parse * 1e3);
    std::printf("wall_open_cpu_ms: %.1f\n", open * 1e3);
    std::printf("wall_open_per_parse: %.2f\n", open / parse);
    std::printf("wall_layout_open_cpu_ms: %.1f\n", bare * 1e3);
    std::printf("wall_layout_open_per_parse: %.2f\n", bare / parse);
    std::printf("wall_check_process_cpu_ms: %.1f\n", check.cpu * 1e3);
    std::printf("wall_check_process_per_parse: %.2f\n", check.cpu / parse);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    prepareApplication();
    MiraApplication app(argc, argv);
    initProgram(app);
    if (argc == 3 && qstrcmp(argv[1], "--write") == 0) {
        QFile out(QString::fromLocal8Bit(argv[2]));
        if (!out.open(QIODevice::WriteOnly) || out.write(wallText()) < 0)
            return 1;
        return 0;
    }
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
    measureOpen(3);
    return 0;
}
