// Switching private browsing moves the views once per change, through whatever the
// engine installed, and never without a change.
#include <QList>
#include <gtest/gtest.h>

#include "platform/privatebrowsing.h"

using namespace mira::platform;

TEST(PrivateBrowsingSwitch, MovesTheViewsOncePerChange)
{
    QList<bool> moves;
    const ProfileSwitch engine = SetProfileSwitch([&moves](bool on) { moves << on; });
    const bool was = PrivateBrowsing();

    SetPrivateBrowsing(!was);
    SetPrivateBrowsing(!was); // no change: nothing moves
    EXPECT_EQ(PrivateBrowsing(), !was);
    SetPrivateBrowsing(was);
    EXPECT_EQ(moves, (QList<bool>{!was, was}));

    // Without a switch (a program without the engine) the mode still changes.
    SetProfileSwitch(ProfileSwitch());
    SetPrivateBrowsing(!was);
    EXPECT_EQ(PrivateBrowsing(), !was);
    SetPrivateBrowsing(was);
    EXPECT_EQ(moves.size(), 2);
    SetProfileSwitch(engine);
}
