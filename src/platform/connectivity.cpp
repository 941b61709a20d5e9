#include "platform/connectivity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace mira::platform {
namespace {

QString stateFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/mira/engine/offline");
}

const char networkReason[] = "disconnected, no network\n";

} // namespace

bool IsOnline()
{
    return !QFile::exists(stateFile());
}

bool OfflineForNetwork()
{
    QFile f(stateFile());
    return f.open(QIODevice::ReadOnly) && f.readAll().startsWith(networkReason);
}

void SetConnectedState(bool online, bool forNetwork)
{
    const QString file = stateFile();
    if (online) {
        QFile::remove(file);
    } else {
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile f(file);
        if (f.open(QIODevice::WriteOnly))
            f.write(forNetwork ? networkReason : "disconnected by user\n");
    }
}

} // namespace mira::platform
