#pragma once
// Private browsing: while it is on, every view browses in the engine's private
// profile (profiles.h), which keeps nothing on disk.
#include <functional>

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

// What moves the views when the mode changes (the engine installs it); returns the
// previous one.
using ProfileSwitch = std::function<void(bool privateBrowsing)>;
ProfileSwitch SetProfileSwitch(ProfileSwitch moveViews);

} // namespace mira::platform
