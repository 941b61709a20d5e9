#include <gtest/gtest.h>

#include "bookmarks/shortenname.h"

using namespace mira;

TEST(ShortenName, KeepsTwentyFiveCutsTwentySix)
{
    const QString keep = QStringLiteral("abcdefghij klmnopqrstuvwx");
    ASSERT_EQ(keep.size(), 25);
    EXPECT_EQ(ShortenName(keep), keep);
    EXPECT_EQ(ShortenName(keep + u'y'), QStringLiteral("abcdefghij"));
}

TEST(ShortenName, CutsAfterLastWordBeforeWidth)
{
    const QString title = QStringLiteral("Top news from Oakville residents today");
    ASSERT_EQ(title.size(), 38);
    EXPECT_EQ(ShortenName(title), QStringLiteral("Top news from Oakville"));
}

TEST(ShortenName, LongFirstWordIsKeptWhole)
{
    const QString word(34, u'w');
    EXPECT_EQ(ShortenName(word + QStringLiteral(" next")), word);
}

TEST(ShortenName, WordWithoutBreaksIsCutAtWidth)
{
    EXPECT_EQ(ShortenName(QString(30, u'x')), QString(25, u'x'));
}

TEST(ShortenName, UnclosedQuoteMeansNoBreakPoint)
{
    const QString title = QStringLiteral("Rosalind's   - garden plants and seeds");
    ASSERT_EQ(title.size(), 38);
    EXPECT_EQ(ShortenName(title), title.left(25));
}

TEST(ShortenName, BreaksInsideClosedQuotesAreSkipped)
{
    EXPECT_EQ(ShortenName(QStringLiteral("\"quoted words in here\" continues here")),
              QStringLiteral("\"quoted words in here\""));
}

TEST(ShortenName, TrailingBreaksAreRemovedEvenToEmpty)
{
    EXPECT_EQ(ShortenName(QString(30, u'-')), QString());
    // Every break character counts, also a run of mixed ones before the cut.
    EXPECT_EQ(ShortenName(QStringLiteral("Home page\t,-./:;\\ Continuationwordhere")),
              QStringLiteral("Home page"));
}

TEST(ShortenName, BreakInFirstPositionDoesNotCount)
{
    const QString title = QStringLiteral(" abcdefghijklmnopqrstuvwxyz0123");
    EXPECT_EQ(ShortenName(title), title.left(25));
}

TEST(ShortenName, NeverSplitsSurrogatePair)
{
    const QString title = QString(24, u'a') + QStringLiteral("\U0001F600") + QStringLiteral("bcd");
    EXPECT_EQ(ShortenName(title), QString(24, u'a'));
}

TEST(Abbreviate, AddsEllipsisOnlyWhenCut)
{
    const QString fits(40, u'f');
    EXPECT_EQ(Abbreviate(fits, 40), fits);
    EXPECT_EQ(Abbreviate(QStringLiteral("Documentation of the configuration set files and more"),
                         40),
              QStringLiteral("Documentation of the configuration set..."));
    bool cut = false;
    EXPECT_EQ(CutAtBreak(QString(41, u'g'), 40, &cut), QString(40, u'g'));
    EXPECT_TRUE(cut);
    CutAtBreak(fits, 40, &cut);
    EXPECT_FALSE(cut);
}
