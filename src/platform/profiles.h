#pragma once
// The engine's two profiles. The main one keeps its disk cache, cookies and visited
// links in the engine's data folder; the private one (off the record) keeps them in
// memory only and loses them at program end. While private browsing is on, every
// view browses in the private profile. A page cannot change profile: a view that
// must move gets a new page in the other profile.

#include <QList>

class QWebEngineProfile;

namespace mira::platform {

enum class ProfileKind { Main, Private };

// The profile every view browses in. The engine has no per-navigation cache switch,
// so what is written is the profile's choice: a navigation's flags (webcontrol.h)
// decide only what is read and which history entry it takes.
ProfileKind ProfileFor(bool privateBrowsing);
// Whether a view's page must be made again: a page cannot change profile.
bool PageMustMove(bool hasPage, ProfileKind pageProfile, bool privateBrowsing);

bool PrivateBrowsing();
// Switches the mode; every view that shows a page moves into the profile the mode
// asks for at once, with its history, and loads its address there again.
// Switching it off forgets the cookies and visited links of the private session.
void SetPrivateBrowsing(bool on);

namespace engine {

// The off-the-record profile, made at first need.
QWebEngineProfile *PrivateProfile();
// The profile of a kind (the private one is made if it must).
QWebEngineProfile *Profile(ProfileKind kind);
// Every profile made so far (the main one always).
QList<QWebEngineProfile *> MadeProfiles();
bool PrivateProfileMade();
// The settings every profile of the program shares, Internet Options included.
void ConfigureProfile(QWebEngineProfile *profile);

} // namespace engine
} // namespace mira::platform
