// The set checker's cost on a small set: `mira-set check` against the checker as it
// was built before (the whole program's window, module and engine linked in;
// miraset_before, built beside it), both as whole processes, best of several runs.
#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "childrun.h"
#include "setgen.h"

using namespace mira::bench;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("small.set"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(mira::setfile::render(SetGenerator(10, 7, true).make(4))) < 0)
        return 1;
    file.close();
    const QByteArray bin = QCoreApplication::applicationDirPath().toLocal8Bit();
    const QByteArray set = path.toLocal8Bit();
    const ChildTime now = bestChild({bin + "/mira-set", "check", set}, 7);
    const ChildTime before = bestChild({bin + "/miraset_before", "check", set}, 7);
    if (now.status != 0 || before.status != 0) {
        std::printf("check failed: mira-set %d, miraset_before %d\n", now.status, before.status);
        return 1;
    }
    std::printf("check_cpu_ms: %.1f\n", now.cpu * 1e3);
    std::printf("check_wall_ms: %.1f\n", now.wall * 1e3);
    std::printf("before_cpu_ms: %.1f\n", before.cpu * 1e3);
    std::printf("before_wall_ms: %.1f\n", before.wall * 1e3);
    std::printf("before_per_check_cpu: %.2f\n", before.cpu / now.cpu);
    std::printf("before_per_check_wall: %.2f\n", before.wall / now.wall);
    return 0;
}
