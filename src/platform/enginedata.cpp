#include "platform/enginedata.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace mira::platform::engine {
namespace {

constexpr double zoomFactors[] = {0.75, 0.875, 1.0, 1.25, 1.5};
constexpr int defaultZoomLevel = 2;

QString zoomFile()
{
    return DataFolder() + QStringLiteral("/textsize");
}

int &cachedZoomLevel()
{
    static int level = [] {
        QFile f(zoomFile());
        bool ok = false;
        int value = -1;
        if (f.open(QIODevice::ReadOnly))
            value = QString::fromLatin1(f.readAll()).trimmed().toInt(&ok);
        return ok && value >= ZoomLevelMin && value <= ZoomLevelMax ? value : defaultZoomLevel;
    }();
    return level;
}

} // namespace

QString DataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/mira/engine");
}

QString CacheFolder()
{
    return DataFolder() + QStringLiteral("/cache");
}

int ZoomLevel()
{
    return cachedZoomLevel();
}

bool SetZoomLevel(int level)
{
    if (level < ZoomLevelMin || level > ZoomLevelMax)
        return false;
    cachedZoomLevel() = level;
    QDir().mkpath(DataFolder());
    QFile f(zoomFile());
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(QByteArray::number(level) + '\n');
    return true;
}

double ZoomFactor(int level)
{
    if (level < ZoomLevelMin || level > ZoomLevelMax)
        level = defaultZoomLevel;
    return zoomFactors[level];
}

} // namespace mira::platform::engine
