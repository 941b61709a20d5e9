#include "support/scratchmount.h"

#include <QDir>
#include <QFile>
#include <QProcess>

namespace mira::test {
namespace {

bool run(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.start(program, arguments);
    return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace

ScratchMount::ScratchMount(const QString &folder, const QString &size) : path(folder)
{
    QDir().mkpath(path);
    mounted = run(QStringLiteral("mount"),
                  {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                   QStringLiteral("size=") + size, QStringLiteral("tmpfs"), path});
}

ScratchMount::~ScratchMount()
{
    if (mounted)
        run(QStringLiteral("umount"), {path});
}

bool ScratchMount::makeReadOnly() const
{
    return run(QStringLiteral("mount"), {QStringLiteral("-o"), QStringLiteral("remount,ro"), path});
}

void ScratchMount::fill() const
{
    QFile filler(path + QStringLiteral("/filler"));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return;
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size()) {}
    while (filler.write("f", 1) == 1) {}
}

} // namespace mira::test
