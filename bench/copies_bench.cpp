// Kept copies: the cost of putting a copy in place (write, rename, note, bound) against
// writing the same bytes once, and the store's size over 1,000 loads of a wall, at two
// numbers of addresses, so the figures are ratios from one run on one machine.
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>

#include "platform/pagecopies.h"

using namespace mira::platform;

namespace {

double seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

struct Run {
    double msPerLoad = 0;
    qint64 largest = 0;
    int files = 0;
};

// loads copies of size bytes, round-robin over addresses, in a store bounded at bound.
Run keep(int loads, int addresses, qint64 size, qint64 bound)
{
    QTemporaryDir dir;
    PageCopies store(dir.path(), bound);
    const QByteArray copy(int(size), 'm');
    Run run;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < loads; ++i) {
        const QString address = QStringLiteral("http://wall.example/%1").arg(i % addresses);
        const QString staged = store.stagingPath(address);
        QFile f(staged);
        if (f.open(QIODevice::WriteOnly))
            f.write(copy);
        f.close();
        store.commit(address, staged, QDateTime::currentDateTime().addSecs(i));
        if (i % 50 == 0)
            run.largest = std::max(run.largest, store.totalSize());
    }
    run.msPerLoad = seconds(start) * 1000 / loads;
    run.largest = std::max(run.largest, store.totalSize());
    run.files = int(QDir(dir.path()).entryList(QDir::Files).size());
    return run;
}

double plainWrite(int loads, qint64 size)
{
    QTemporaryDir dir;
    const QByteArray copy(int(size), 'm');
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < loads; ++i) {
        QSaveFile f(dir.filePath(QStringLiteral("%1.mht").arg(i % 16)));
        if (f.open(QIODevice::WriteOnly))
            f.write(copy);
        f.commit();
    }
    return seconds(start) * 1000 / loads;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    constexpr int loads = 1000;
    constexpr qint64 size = 200 * 1024; // a typical page as one MIME HTML file
    constexpr qint64 bound = 8 * 1024 * 1024;
    const double plain = plainWrite(loads, size);
    std::printf("kept copies: %d loads of %lld KiB copies, store bounded at %lld MiB\n", loads,
                size / 1024, bound / 1024 / 1024);
    for (int addresses : {16, 160}) {
        const Run run = keep(loads, addresses, size, bound);
        std::printf("  %3d addresses: %.2f ms per load (%.1fx a plain write of the bytes), "
                    "largest store %.2f of the bound, %d files left\n",
                    addresses, run.msPerLoad, run.msPerLoad / plain, double(run.largest) / bound,
                    run.files);
    }
    return 0;
}
