#include <QDir>
#include <QDirIterator>
#include <gtest/gtest.h>

#include "platform/profiles.h"
#include "platform/webengine.h"

using namespace mira::platform;

TEST(PrivateProfile, WhichProfileAViewUsesAndWhenItsPageMoves)
{
    EXPECT_EQ(ProfileFor(false), ProfileKind::Main);
    EXPECT_EQ(ProfileFor(true), ProfileKind::Private);

    const struct {
        bool hasPage;
        ProfileKind page;
        bool privateBrowsing;
        bool moves;
    } cases[] = {
        // A view that has not navigated yet makes its page in the right profile.
        {false, ProfileKind::Main, true, false},   {false, ProfileKind::Private, false, false},
        {true, ProfileKind::Main, false, false},   {true, ProfileKind::Main, true, true},
        {true, ProfileKind::Private, true, false}, {true, ProfileKind::Private, false, true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PageMustMove(c.hasPage, c.page, c.privateBrowsing), c.moves)
            << c.hasPage << ' ' << int(c.page) << ' ' << c.privateBrowsing;
}

TEST(PrivateProfile, SwitchingWithoutPagesMakesNoProfileAndWritesNothing)
{
    const QString folder = engine::DataFolder();
    const bool existed = QDir(folder).exists();
    SetPrivateBrowsing(true);
    EXPECT_TRUE(PrivateBrowsing());
    SetPrivateBrowsing(true); // twice is once
    EXPECT_TRUE(PrivateBrowsing());
    SetPrivateBrowsing(false);
    EXPECT_FALSE(PrivateBrowsing());
    // No engine profile exists before a page needs one.
    EXPECT_FALSE(engine::PrivateProfileMade());
    EXPECT_EQ(QDir(folder).exists(), existed);
}
