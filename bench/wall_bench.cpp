// A wall of panes beside a bare engine program with as many views of the same page
// (wall_bare, built beside this one), both against one local server, at 1 and 16:
// start to all loaded, summed PSS of the process tree, idle CPU of the tree over 30 s
// from 40 s after loading (the caret at rest), process count, and the ratios Mira /
// bare. The 16-pane wall runs twice more: with the caret kept blinking (idle without
// the rest) and with Separate Processes (a renderer per pane); the bare 1-pane wall once
// more with a profile kept on disk, as Mira's is. Also the PSS of a
// 16-pane set opened with nothing loaded against an empty Mira window.
//   wall_bench [--panes N] [--no-idle]
//                              runs everything (under a display, e.g. xvfb-run), or only
//                              the walls of N panes, or without the idle samples
//   wall_bench --mira [SET] [--go] [--caret-blinks]
//                              is Mira itself, as the program starts, with Go All run at
//                              once after the set opens when --go is given
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

#include "app/activation.h"
#include "app/appcontrol.h"
#include "app/application.h"
#include "app/baseform.h"
#include "app/caretrest.h"
#include "app/program.h"
#include "app/splash.h"
#include "platform/termination.h"
#include "platform/useengine.h"
#include "proctree.h"
#include "setfile/setsyntax.h"
#include "support/httpserver.h"

using namespace mira;

namespace {

using mira::bench::processTree;
using mira::bench::treeCpuSeconds;
using mira::bench::treePssMiB;

// ---------------------------------------------------------------- Mira, as started

// The steps of the program's own start, in a copy of this binary: a key sent from
// outside would have to wait for the window to take the focus, so Go All is run here.
int runMira(const QStringList &args)
{
    int argc = 1;
    char name[] = "mira";
    char *argv[] = {name, nullptr};
    prepareApplication();
    MiraApplication app(argc, argv);
    platform::UseEngine();
    initProgram(app);
    auto caretRest = std::make_unique<CaretRest>(&app);
    auto *splash = new TSplashForm;
    splash->show();
    app.processEvents();
    QStringList sets = args;
    const bool go = sets.removeAll(QStringLiteral("--go")) > 0;
    if (sets.removeAll(QStringLiteral("--caret-blinks")) > 0)
        caretRest.reset();
    std::unique_ptr<ProgramInstance> program = CreateProgram(sets);
    if (program->terminated())
        return 1;
    program->module->Action("FileSaveOnCloseAction")->setChecked(false);
    platform::OnTerminationRequest(program->form.get(),
                                   [form = program->form.get()] { form->close(); });
    program->form->show();
    ActivateWhenShown(program->form.get());
    splash->ReleaseAfterShown(program->form.get());
    QTimer::singleShot(0, program->form.get(), [&program, go] {
        if (go)
            program->module->Action("GoAllAction")->trigger();
        std::printf("shown\n");
        std::fflush(stdout);
    });
    const int code = app.exec();
    program.reset();
    return code;
}

// With WALL_BENCH_DETAIL set, each process of the tree on standard error: its kind
// and its PSS, anonymous and from files.
void printDetail(int root)
{
    if (qEnvironmentVariableIsEmpty("WALL_BENCH_DETAIL"))
        return;
    for (int pid : processTree(root)) {
        QFile cmd(QStringLiteral("/proc/%1/cmdline").arg(pid));
        QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
        if (!cmd.open(QIODevice::ReadOnly) || !rollup.open(QIODevice::ReadOnly))
            continue;
        QByteArray kind = cmd.readAll().replace('\0', ' ');
        if (const qsizetype type = kind.indexOf("--type="); type >= 0)
            kind = kind.mid(type, kind.indexOf(' ', type) - type);
        else
            kind = kind.left(40);
        QByteArray figures;
        for (const QByteArray &line : rollup.readAll().split('\n'))
            if (line.startsWith("Pss"))
                figures += ' ' + line.simplified();
        std::fprintf(stderr, "  %d %s:%s\n", pid, kind.constData(), figures.constData());
    }
}

void wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// ---------------------------------------------------------------- one run

struct Figures {
    // PSS 3 s after loading and, with the idle sample, once more at its end: what a
    // wall left alone keeps.
    double loadMs = 0, pssMiB = 0, idleCpu = 0, settledPssMiB = 0;
    int processes = 0;
};

class Runner {
public:
    Runner()
    {
        if (!server.start() || !folder.isValid()) {
            std::fprintf(stderr, "cannot start the local server\n");
            std::exit(1);
        }
        server.serve(QStringLiteral("/page"),
                     "<!DOCTYPE html><html><head><title>Wall</title></head><body>"
                     "<h1>A static page</h1><p>Text of a page that never changes.</p>"
                     "<script src='/end.js'></script></body></html>");
        server.serve(QStringLiteral("/end.js"), "", "text/javascript");
        // Mira without a set opens the newest set of its program folder: its own copy
        // runs from a folder of its own, the sets lie elsewhere.
        QDir(folder.path()).mkpath(QStringLiteral("program"));
        QDir(folder.path()).mkpath(QStringLiteral("sets"));
        mira = folder.filePath(QStringLiteral("program/mira"));
        if (!QFile::copy(QCoreApplication::applicationFilePath(), mira)) {
            std::fprintf(stderr, "cannot copy the program\n");
            std::exit(1);
        }
    }

    QString mira;

    QString page() const { return server.url(QStringLiteral("/page")).toString(); }
    // Where the bare program keeps a profile as Mira does.
    QString keptProfile() const { return folder.filePath(QStringLiteral("bare-kept")); }

    // A set of panes in rows of four, each with the page as its only bookmark.
    QString writeSet(int panes, int flags = 0)
    {
        using namespace setfile;
        auto prop = [](Object &o, const char *name, const Value &v) {
            o.properties.append({QString::fromLatin1(name), v, 0});
        };
        auto object = [](const char *cls) {
            Object o;
            o.className = QString::fromLatin1(cls);
            return o;
        };
        Object root = object("TBaseForm");
        prop(root, "Width", Value::fromInt(1280));
        prop(root, "Height", Value::fromInt(960));
        prop(root, "PixelsPerInch", Value::fromInt(96));
        prop(root, "TextHeight", Value::fromInt(13));
        if (flags != 0)
            prop(root, "Tag", Value::fromInt(flags));
        const int columns = panes == 1 ? 1 : 4;
        const int rows = (panes + columns - 1) / columns;
        for (int r = 0; r < rows; ++r) {
            Object row = object("TPan");
            prop(row, "Height", Value::fromInt(900 / rows));
            prop(row, "Align", Value::fromIdent(r == rows - 1 ? "alClient" : "alTop"));
            for (int c = 0; c < columns && r * columns + c < panes; ++c) {
                Object pane = object("TBrowser");
                prop(pane, "Width", Value::fromInt(1270 / columns));
                prop(pane, "Align", Value::fromIdent(c == columns - 1 ? "alClient" : "alLeft"));
                Item bookmark;
                bookmark.properties.append({QStringLiteral("Name"), Value::fromString("Wall"), 0});
                bookmark.properties.append(
                    {QStringLiteral("Address"), Value::fromString(page()), 0});
                prop(pane, "URLs", Value::fromItems({bookmark}));
                row.children.append(pane);
            }
            root.children.append(row);
        }
        const QString path = folder.filePath(
            QStringLiteral("sets/wall%1-%2.set").arg(panes).arg(flags));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(render(root)) < 0) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            std::exit(1);
        }
        return path;
    }

    // Starts program, waits until every one of `pages` pages has been read to its end
    // (or, with pages 0, until the program says it is shown), lets it settle, measures.
    Figures run(const QString &program, const QStringList &args, int pages, bool idle)
    {
        server.clearLog();
        QProcess process;
        process.setProgram(program);
        process.setArguments(args);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), folder.filePath(QStringLiteral("data")));
        // The engine refuses to start its sandbox as root; Mira turns it off itself there,
        // the bare program needs telling.
        if (geteuid() == 0)
            env.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer clock;
        clock.start();
        process.start();
        Figures f;
        if (!process.waitForStarted()) {
            std::fprintf(stderr, "cannot start %s\n", qPrintable(program));
            std::exit(1);
        }
        QEventLoop loop;
        QTimer::singleShot(120000, &loop, &QEventLoop::quit);
        bool shown = false; // standard output is read once
        auto done = [&] {
            shown = shown || process.readAllStandardOutput().contains("shown");
            return pages > 0 ? server.count(QStringLiteral("/end.js")) >= pages : shown;
        };
        QObject::connect(&server, &test::HttpServer::requested, &loop, [&] {
            if (done())
                loop.quit();
        });
        QObject::connect(&process, &QProcess::readyReadStandardOutput, &loop, [&] {
            if (done())
                loop.quit();
        });
        QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
        if (!done())
            loop.exec();
        if (process.state() != QProcess::Running || !done()) {
            std::fprintf(stderr, "%s %s: %s before its pages were read\n", qPrintable(program),
                         qPrintable(args.join(QLatin1Char(' '))),
                         process.state() == QProcess::Running ? "timed out" : "ended");
            std::exit(1);
        }
        f.loadMs = double(clock.elapsed());
        wait(3000); // let painting and start-up work end
        const int pid = int(process.processId());
        f.pssMiB = treePssMiB(pid);
        printDetail(pid);
        f.processes = int(processTree(pid).size());
        if (idle) {
            // From 40 s after loading: the caret has rested long since (10 s without
            // input) and the engine's own start-up work has ended.
            wait(37000);
            const double before = treeCpuSeconds(pid);
            QElapsedTimer span;
            span.start();
            wait(30000);
            f.idleCpu = 100 * (treeCpuSeconds(pid) - before) / (double(span.elapsed()) / 1000);
            f.settledPssMiB = treePssMiB(pid);
            printDetail(pid);
        }
        process.terminate();
        if (!process.waitForFinished(10000)) {
            process.kill();
            process.waitForFinished(5000);
        }
        return f;
    }

private:
    test::HttpServer server;
    QTemporaryDir folder;
};

void print(const char *label, const Figures &f)
{
    std::printf("%s_load_ms: %.0f\n%s_pss_mib: %.1f\n%s_idle_cpu_percent: %.3f\n"
                "%s_settled_pss_mib: %.1f\n%s_processes: %d\n",
                label, f.loadMs, label, f.pssMiB, label, f.idleCpu, label, f.settledPssMiB, label,
                f.processes);
}

void ratios(const char *label, const Figures &mira, const Figures &bare)
{
    std::printf("%s_load_ratio: %.2f\n%s_pss_ratio: %.2f\n%s_idle_cpu_ratio: %.2f\n"
                "%s_process_ratio: %.2f\n",
                label, mira.loadMs / bare.loadMs, label, mira.pssMiB / bare.pssMiB, label,
                bare.idleCpu > 0 ? mira.idleCpu / bare.idleCpu : qInf(), label,
                double(mira.processes) / bare.processes);
    if (bare.settledPssMiB > 0)
        std::printf("%s_settled_pss_ratio: %.2f\n", label, mira.settledPssMiB / bare.settledPssMiB);
}

} // namespace

int main(int argc, char **argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    if (args.value(0) == QLatin1String("--mira"))
        return runMira(args.mid(1));

    QCoreApplication app(argc, argv);
    const int onlyPanes = args.indexOf(QStringLiteral("--panes")) >= 0
                              ? args.value(args.indexOf(QStringLiteral("--panes")) + 1).toInt()
                              : 0;
    const bool idle = !args.contains(QStringLiteral("--no-idle"));
    const QString bare = QCoreApplication::applicationDirPath() + QStringLiteral("/wall_bare");
    Runner runner;
    const QString self = runner.mira;

    const Figures empty = runner.run(self, {QStringLiteral("--mira")}, 0, false);
    const Figures opened = runner.run(self, {QStringLiteral("--mira"), runner.writeSet(16)}, 0,
                                      false);
    std::printf("empty_window_pss_mib: %.1f\nempty_window_processes: %d\n", empty.pssMiB,
                empty.processes);
    std::printf("set16_opened_pss_mib: %.1f\nset16_opened_processes: %d\n", opened.pssMiB,
                opened.processes);
    std::printf("set16_opened_per_empty_pss: %.2f\n", opened.pssMiB / empty.pssMiB);

    for (int n : {1, 16}) {
        if (onlyPanes != 0 && n != onlyPanes)
            continue;
        const QByteArray b = "bare" + QByteArray::number(n);
        const QByteArray m = "mira" + QByteArray::number(n);
        const Figures bareFigures = runner.run(bare, {QString::number(n), runner.page()}, n, idle);
        const Figures miraFigures = runner.run(self,
                                               {QStringLiteral("--mira"), runner.writeSet(n),
                                                QStringLiteral("--go")},
                                               n, idle);
        print(b.constData(), bareFigures);
        print(m.constData(), miraFigures);
        ratios(("ratio" + QByteArray::number(n)).constData(), miraFigures, bareFigures);
        std::fflush(stdout);
        if (n == 1) {
            // The engine's default profile keeps nothing; Mira keeps cookies and a disk
            // cache, whose upkeep the engine runs on timers of its own: the same bare
            // program with such a profile.
            const Figures keeping = runner.run(bare,
                                               {QString::number(n), runner.page(),
                                                runner.keptProfile()},
                                               n, idle);
            print("bare1_kept_profile", keeping);
            ratios("ratio1_kept_profile", miraFigures, keeping);
            std::fflush(stdout);
        }
        if (n != 16)
            continue;
        // The idle cost of the caret's rest, and of a renderer per pane.
        const Figures blinking = runner.run(self,
                                            {QStringLiteral("--mira"), runner.writeSet(n),
                                             QStringLiteral("--go"),
                                             QStringLiteral("--caret-blinks")},
                                            n, idle);
        print("mira16_caret_blinks", blinking);
        ratios("ratio16_caret_blinks", blinking, bareFigures);
        const int separate = 1024; // File > Separate Processes
        const Figures apart = runner.run(self,
                                         {QStringLiteral("--mira"), runner.writeSet(n, separate),
                                          QStringLiteral("--go")},
                                         n, idle);
        print("mira16_separate", apart);
        ratios("ratio16_separate", apart, bareFigures);
    }
    return 0;
}
