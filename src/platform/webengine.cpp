#include "platform/webengine.h"

#include <QCoreApplication>
#include <QPrinter>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>

#include "platform/processmodel.h"
#include "platform/profiles.h"

namespace mira::platform::engine {

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
