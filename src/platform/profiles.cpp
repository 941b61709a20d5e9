#include "platform/profiles.h"

#include <QCoreApplication>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

#include "platform/internetoptions.h"
#include "platform/processmodel.h"
#include "platform/qtwebcontrol.h"
#include "platform/webengine.h"

namespace mira::platform {
namespace {

QWebEngineProfile *&privateProfile()
{
    static QWebEngineProfile *profile = nullptr;
    return profile;
}

} // namespace

namespace engine {

void SwitchProfiles(bool privateBrowsing)
{
    QtWebControl::MoveViewsToProfile(ProfileFor(privateBrowsing));
    if (!privateBrowsing && PrivateProfileMade()) {
        // The next private session starts clean, as a restart would leave it.
        PrivateProfile()->cookieStore()->deleteAllCookies();
        PrivateProfile()->clearAllVisitedLinks();
    }
}

QWebEngineProfile *PrivateProfile()
{
    QWebEngineProfile *&profile = privateProfile();
    if (!profile) {
        StartEngine();
        // No storage name: off the record, nothing of it reaches the disk.
        profile = new QWebEngineProfile(QCoreApplication::instance());
        // Not even in memory: the mode reads no cache either. Set once, at the start;
        // switching the type later resets the cache and aborts loads.
        profile->setHttpCacheType(QWebEngineProfile::NoCache);
        ConfigureProfile(profile);
    }
    return profile;
}

QList<QWebEngineProfile *> MadeProfiles()
{
    QList<QWebEngineProfile *> made{MainProfile()};
    if (PrivateProfileMade())
        made << PrivateProfile();
    return made;
}

bool PrivateProfileMade()
{
    return privateProfile() != nullptr;
}

QWebEngineProfile *Profile(ProfileKind kind)
{
    return kind == ProfileKind::Private ? PrivateProfile() : MainProfile();
}

void ConfigureProfile(QWebEngineProfile *profile)
{
    // Pages never open windows of their own; new-window requests go to the pane.
    profile->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
    profile->settings()->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    ApplyInternetOptions(profile, ReadInternetOptions());
}

} // namespace engine
} // namespace mira::platform
