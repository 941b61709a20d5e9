#include <gtest/gtest.h>

#include "app/networkfollow.h"

using namespace mira;
using platform::NetReach;
using Mode = ConnectionStep::Mode;

TEST(NetworkFollow, StartTakesTheStateFromTheDesktop)
{
    const struct {
        bool storedOnline, forNetwork;
        NetReach reach;
        Mode mode;
    } rows[] = {
        {true, false, NetReach::Connected, Mode::Keep},
        {true, false, NetReach::Unknown, Mode::Keep},
        {true, false, NetReach::Disconnected, Mode::Offline},
        // The user's Offline Mode holds whatever the network does.
        {false, false, NetReach::Connected, Mode::Keep},
        {false, false, NetReach::Disconnected, Mode::Keep},
        // Offline for want of a network: ended once it may be back.
        {false, true, NetReach::Connected, Mode::Online},
        {false, true, NetReach::Unknown, Mode::Online},
        {false, true, NetReach::Disconnected, Mode::Keep},
    };
    for (const auto &r : rows) {
        const ConnectionStep step = StartConnection(r.storedOnline, r.forNetwork, r.reach);
        EXPECT_EQ(step.mode, r.mode) << r.storedOnline << r.forNetwork << int(r.reach);
        EXPECT_FALSE(step.retryStale); // nothing has loaded yet
    }
}

TEST(NetworkFollow, OnlyTheNetworksReturnActs)
{
    const struct {
        NetReach before, now;
        bool online, forNetwork;
        ConnectionStep step;
    } rows[] = {
        // Lost: the mode stays, the panes' failing loads make them stale.
        {NetReach::Connected, NetReach::Disconnected, true, false, {}},
        {NetReach::Unknown, NetReach::Disconnected, true, false, {}},
        // Back: every stale pane tries at once.
        {NetReach::Disconnected, NetReach::Connected, true, false, {Mode::Keep, true}},
        {NetReach::Disconnected, NetReach::Connected, false, true, {Mode::Online, true}},
        // The user's Offline Mode sends nothing out.
        {NetReach::Disconnected, NetReach::Connected, false, false, {}},
        // Not knowing, or no change, does nothing.
        {NetReach::Disconnected, NetReach::Unknown, true, false, {}},
        {NetReach::Connected, NetReach::Connected, true, false, {}},
        {NetReach::Unknown, NetReach::Connected, false, true, {}},
    };
    for (const auto &r : rows)
        EXPECT_EQ(FollowConnection(r.before, r.now, r.online, r.forNetwork), r.step)
            << int(r.before) << int(r.now) << r.online << r.forNetwork;
}
