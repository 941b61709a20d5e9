#include "support/processinfo.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <csignal>

namespace mira::test {

bool catchesSigterm(qint64 pid)
{
    // Bit 15 of SigCgt.
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (SIGTERM - 1)) & 1;
    return false;
}

} // namespace mira::test
