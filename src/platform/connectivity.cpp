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

} // namespace

bool IsOnline()
{
    return !QFile::exists(stateFile());
}

void SetConnectedState(bool online)
{
    const QString file = stateFile();
    if (online) {
        QFile::remove(file);
    } else {
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile f(file);
        if (f.open(QIODevice::WriteOnly))
            f.write("disconnected by user\n");
    }
}

} // namespace mira::platform
