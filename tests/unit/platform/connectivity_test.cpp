#include <gtest/gtest.h>

#include "platform/connectivity.h"

using namespace mira::platform;

// The stored state tells the user's Offline Mode from an offline start for want of a
// network, and either ends with going online.
TEST(Connectivity, OfflineRemembersWhy)
{
    const bool wasOnline = IsOnline();
    const bool wasForNetwork = OfflineForNetwork();

    SetConnectedState(false, true);
    EXPECT_FALSE(IsOnline());
    EXPECT_TRUE(OfflineForNetwork());

    SetConnectedState(false);
    EXPECT_FALSE(IsOnline());
    EXPECT_FALSE(OfflineForNetwork());

    SetConnectedState(true, true);
    EXPECT_TRUE(IsOnline());
    EXPECT_FALSE(OfflineForNetwork());

    SetConnectedState(wasOnline, wasForNetwork);
}
