#include "platform/webengine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QStandardPaths>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>

#include "platform/processmodel.h"
#include "platform/profiles.h"

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

QWebEngineProfile *MainProfile()
{
    static QWebEngineProfile *profile = [] {
        StartEngine();
        auto *p = new QWebEngineProfile(QStringLiteral("mira"), QCoreApplication::instance());
        p->setPersistentStoragePath(DataFolder() + QStringLiteral("/profile"));
        p->setCachePath(CacheFolder());
        p->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
        p->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);
        ConfigureProfile(p);
        return p;
    }();
    return profile;
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

void ClearCache()
{
    for (QWebEngineProfile *profile : MadeProfiles())
        profile->clearHttpCache();
}

void ClearCookies()
{
    for (QWebEngineProfile *profile : MadeProfiles())
        profile->cookieStore()->deleteAllCookies();
}

void ClearVisitedLinks()
{
    for (QWebEngineProfile *profile : MadeProfiles())
        profile->clearAllVisitedLinks();
}

QPrinter &SharedPrinter()
{
    // Never destroyed: it may be in use until the very end of the program.
    static QPrinter *printer = [] {
        auto *p = new QPrinter(QPrinter::HighResolution);
        // The engine hands every page over as an image of the printer's resolution;
        // at the 1200 dpi of a PDF file one page takes seconds and hundreds of MiB.
        p->setResolution(300);
        return p;
    }();
    return *printer;
}

} // namespace mira::platform::engine
