#pragma once
// The engine's two profiles. The main one keeps its disk cache, cookies and visited
// links in the engine's data folder; the private one (off the record) keeps them in
// memory only and loses them at program end. While private browsing is on, every
// view browses in the private profile. A page cannot change profile: a view that
// must move gets a new page in the other profile.

#include <QList>

#include "platform/privatebrowsing.h"

class QWebEngineProfile;

namespace mira::platform::engine {

// The off-the-record profile, made at first need.
QWebEngineProfile *PrivateProfile();
// The profile of a kind (the private one is made if it must).
QWebEngineProfile *Profile(ProfileKind kind);
// Every profile made so far (the main one always).
QList<QWebEngineProfile *> MadeProfiles();
bool PrivateProfileMade();
// Moves every view into the profile the mode asks for; leaving private browsing
// forgets what the private session kept (installed by UseEngine).
void SwitchProfiles(bool privateBrowsing);
// The settings every profile of the program shares, Internet Options included.
void ConfigureProfile(QWebEngineProfile *profile);

} // namespace mira::platform::engine
