#include "platform/privatebrowsing.h"

namespace mira::platform {
namespace {

bool &privateMode()
{
    static bool on = false;
    return on;
}

ProfileSwitch &profileSwitch()
{
    static ProfileSwitch moveViews;
    return moveViews;
}

} // namespace

ProfileKind ProfileFor(bool privateBrowsing)
{
    return privateBrowsing ? ProfileKind::Private : ProfileKind::Main;
}

bool PageMustMove(bool hasPage, ProfileKind pageProfile, bool privateBrowsing)
{
    // A view without a page makes it in the right profile at its first navigation.
    return hasPage && pageProfile != ProfileFor(privateBrowsing);
}

bool PrivateBrowsing()
{
    return privateMode();
}

void SetPrivateBrowsing(bool on)
{
    if (privateMode() == on)
        return;
    privateMode() = on;
    if (profileSwitch())
        profileSwitch()(on);
}

ProfileSwitch SetProfileSwitch(ProfileSwitch moveViews)
{
    ProfileSwitch previous = std::move(profileSwitch());
    profileSwitch() = std::move(moveViews);
    return previous;
}

} // namespace mira::platform
