#include <QAction>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include "browser/stalepane.h"

using namespace mira;
using mira::platform::PageLoad;

namespace {

PageLoad bookmarkLoad(bool ok, const QString &error = {}, const QDateTime &copyTaken = {})
{
    PageLoad load;
    load.address = QStringLiteral("http://host/wall");
    load.ok = ok;
    load.kept = true;
    load.error = error;
    load.copyTaken = copyTaken;
    return load;
}

bool markShown(const StaleMark &mark, QToolBar &bar)
{
    for (QAction *a : bar.actions())
        if (bar.widgetForAction(a) == mark.Mark())
            return a->isVisible();
    return false;
}

struct Bar {
    QToolBar bar;
    int retries = 0;
    StaleMark mark{&bar, 0, [this] { ++retries; }};
};

} // namespace

TEST(StaleMark, FailuresMarkThePaneAndPauseLongerEachTime)
{
    Bar b;
    const QDateTime good(QDate(2026, 12, 10), QTime(3, 30));
    b.mark.LoadEnded(bookmarkLoad(true), good);
    EXPECT_FALSE(b.mark.IsStale());
    EXPECT_FALSE(markShown(b.mark, b.bar));

    b.mark.LoadEnded(bookmarkLoad(false, QStringLiteral("The server refused the connection.")),
                     good.addSecs(60));
    EXPECT_TRUE(b.mark.IsStale());
    EXPECT_TRUE(markShown(b.mark, b.bar));
    EXPECT_EQ(b.mark.LastGood(), good);
    EXPECT_TRUE(
        b.mark.Mark()->text().contains(QLocale().toString(good.time(), QLocale::ShortFormat)));
    EXPECT_TRUE(b.mark.Mark()->toolTip().contains(QLatin1String("refused")));
    EXPECT_GT(b.mark.NextRetryMs(), 4000);
    EXPECT_LE(b.mark.NextRetryMs(), 5250); // a coarse timer

    b.mark.LoadEnded(bookmarkLoad(false, QStringLiteral("x")), good.addSecs(70));
    EXPECT_GT(b.mark.NextRetryMs(), 9000);
    EXPECT_EQ(b.mark.Failures(), 2);

    b.mark.LoadEnded(bookmarkLoad(true), good.addSecs(90));
    EXPECT_FALSE(b.mark.IsStale());
    EXPECT_FALSE(markShown(b.mark, b.bar));
    EXPECT_EQ(b.mark.NextRetryMs(), -1);
    EXPECT_EQ(b.mark.LastGood(), good.addSecs(90));
    // Counting starts over after a good load.
    b.mark.LoadEnded(bookmarkLoad(false, QStringLiteral("x")), good.addSecs(100));
    EXPECT_LE(b.mark.NextRetryMs(), 5250); // a coarse timer
}

TEST(StaleMark, AKeptCopyGivesTheTimeOfTheLastGoodPage)
{
    Bar b;
    const QDateTime taken(QDate(2026, 12, 9), QTime(22, 15));
    b.mark.LoadEnded(bookmarkLoad(false, QStringLiteral("x"), taken));
    EXPECT_EQ(b.mark.LastGood(), taken);
    EXPECT_TRUE(b.mark.Mark()->toolTip().contains(QLocale().toString(taken, QLocale::ShortFormat)));
}

TEST(StaleMark, OtherAddressesAndOfflineLoadsLeaveNoMark)
{
    Bar b;
    b.mark.LoadEnded(bookmarkLoad(false, QStringLiteral("x")));
    ASSERT_TRUE(b.mark.IsStale());
    PageLoad typed = bookmarkLoad(false, QStringLiteral("x"));
    typed.kept = false;
    b.mark.LoadEnded(typed);
    EXPECT_FALSE(b.mark.IsStale());
    EXPECT_EQ(b.mark.NextRetryMs(), -1);

    PageLoad offline = bookmarkLoad(false, QStringLiteral("offline"));
    offline.offline = true;
    b.mark.LoadEnded(offline);
    EXPECT_FALSE(b.mark.IsStale());
    EXPECT_EQ(b.retries, 0);
}

TEST(StaleMark, TryingNowRetriesOnlyAStalePane)
{
    Bar b;
    b.mark.RetryNow();
    EXPECT_EQ(b.retries, 0);
    b.mark.LoadEnded(bookmarkLoad(false, QStringLiteral("x")));
    b.mark.Mark()->click();
    EXPECT_EQ(b.retries, 1);
    EXPECT_EQ(b.mark.NextRetryMs(), -1); // the retry's end schedules the next
}

TEST(StaleMark, TellsEachTurnOnceForWatchersOutside)
{
    Bar b;
    QList<bool> told;
    QObject::connect(&b.mark, &StaleMark::StaleChanged, &b.bar,
                     [&told](bool stale) { told.append(stale); });
    b.mark.LoadEnded(bookmarkLoad(true));
    EXPECT_EQ(told, QList<bool>());
    // Failures in a row are one turn; the good load ends it.
    b.mark.LoadEnded(bookmarkLoad(false, QStringLiteral("x")));
    b.mark.LoadEnded(bookmarkLoad(false, QStringLiteral("y")));
    b.mark.LoadEnded(bookmarkLoad(true));
    b.mark.LoadEnded(bookmarkLoad(true));
    EXPECT_EQ(told, QList<bool>({true, false}));
    // Going offline takes the mark away too.
    b.mark.LoadEnded(bookmarkLoad(false, QStringLiteral("x")));
    PageLoad offline = bookmarkLoad(false, QStringLiteral("offline"));
    offline.offline = true;
    b.mark.LoadEnded(offline);
    EXPECT_EQ(told, QList<bool>({true, false, true, false}));
}
