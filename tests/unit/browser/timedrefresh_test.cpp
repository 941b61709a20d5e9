#include <QCoreApplication>
#include <QWidget>
#include <climits>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

#include "browser/timedrefresh.h"

using namespace mira;

namespace {

using Key = RefreshSchedule::Key;

// Runs the schedule in steps of TickMs up to end (ms) and records when each key
// was due.
struct Ticks {
    RefreshSchedule schedule;
    QList<RefreshSchedule::Entry> panes;
    QHash<Key, QList<qint64>> reloads;
    qint64 now = 0;

    void until(qint64 end, bool paused = false)
    {
        for (; now <= end; now += TimedRefresh::TickMs) {
            schedule.Update(panes, now);
            for (Key k : schedule.Due(now, paused))
                reloads[k].append(now);
        }
    }
};

int pa = 0, pb = 0, pc = 0, pd = 0; // their addresses are the keys

} // namespace

TEST(TimedRefreshRules, SpreadingStaysWithinAFewSeconds)
{
    EXPECT_EQ(SpreadDelayMs(0, 1), 0);
    EXPECT_EQ(SpreadDelayMs(0, 5), 0);
    EXPECT_EQ(SpreadDelayMs(1, 2), SpreadStepMs);
    EXPECT_EQ(SpreadDelayMs(3, 4), 3 * SpreadStepMs);
    // Twelve at once: closer together, the last still inside the window.
    EXPECT_LT(SpreadDelayMs(1, 12), SpreadStepMs);
    EXPECT_LT(SpreadDelayMs(11, 12), SpreadWindowMs);
    EXPECT_GT(SpreadDelayMs(11, 12), SpreadDelayMs(10, 12));
}

TEST(TimedRefreshRules, SecondsLeftRoundUp)
{
    EXPECT_EQ(SecondsLeft(5000, 0), 5);
    EXPECT_EQ(SecondsLeft(5001, 0), 6);
    EXPECT_EQ(SecondsLeft(1000, 999), 1);
    EXPECT_EQ(SecondsLeft(1000, 1000), 0);
    EXPECT_EQ(SecondsLeft(1000, 4000), 0);
    // A period from a hand-edited file does not overflow.
    EXPECT_EQ(SecondsLeft(qint64(INT_MAX) * 1000, 0), INT_MAX);
}

TEST(TimedRefreshSchedule, PeriodsOfTwoAndThreeSecondsInTenSeconds)
{
    Ticks run;
    run.panes = {{&pa, 2}, {&pb, 3}, {&pc, 0}};
    run.until(10000);
    EXPECT_EQ(run.reloads.value(&pa), (QList<qint64>{2000, 4000, 6000, 8000, 10000}));
    // At 6 s both fall due: the second one follows half a second later, and keeps
    // its distance.
    EXPECT_EQ(run.reloads.value(&pb), (QList<qint64>{3000, 6500, 9500}));
    EXPECT_FALSE(run.reloads.contains(&pc));
    EXPECT_FALSE(run.schedule.Follows(&pc));
}

TEST(TimedRefreshSchedule, PanesDueTogetherAreSpreadInPaneOrder)
{
    Ticks run;
    run.panes = {{&pa, 5}, {&pb, 5}, {&pc, 5}, {&pd, 5}};
    run.until(7000);
    EXPECT_EQ(run.reloads.value(&pa), QList<qint64>{5000});
    EXPECT_EQ(run.reloads.value(&pb), QList<qint64>{5500});
    EXPECT_EQ(run.reloads.value(&pc), QList<qint64>{6000});
    EXPECT_EQ(run.reloads.value(&pd), QList<qint64>{6500});
    // The next round keeps them apart.
    EXPECT_EQ(run.schedule.DueAt(&pd) - run.schedule.DueAt(&pa), 1500);
}

TEST(TimedRefreshSchedule, ChangedOrDroppedPeriodsStartAgain)
{
    Ticks run;
    run.panes = {{&pa, 4}};
    run.until(3000);
    run.panes = {{&pa, 10}}; // the pane shows another bookmark from 3.25 s on
    run.until(13500);
    EXPECT_EQ(run.reloads.value(&pa), QList<qint64>{13250});
    run.panes = {{&pa, 0}};
    run.until(14000);
    EXPECT_FALSE(run.schedule.Follows(&pa));
    EXPECT_EQ(run.schedule.DueAt(&pa), -1);
    run.panes = {{&pa, 1}};
    run.until(14500);
    EXPECT_EQ(run.schedule.DueAt(&pa), 14250 + 1000);
}

TEST(TimedRefreshSchedule, PausedNothingReloadsAndOverduePanesComeBackSpread)
{
    Ticks run;
    run.panes = {{&pa, 2}, {&pb, 3}};
    run.until(10000, true);
    EXPECT_TRUE(run.reloads.isEmpty());
    run.until(10000 + 2000);
    // Both were overdue at resumption: one at once, the other half a second later,
    // then each a full period on.
    EXPECT_EQ(run.reloads.value(&pa).first(), 10250);
    EXPECT_EQ(run.reloads.value(&pb).first(), 10750);
    EXPECT_EQ(run.schedule.DueAt(&pa), 12250);
    EXPECT_EQ(run.schedule.DueAt(&pb), 13750);
}

namespace {

class Target : public QWidget, public RefreshTarget {
public:
    int period = 0;
    bool loading = false;
    bool waiting = false;
    int reloadCount = 0;
    int secondsLeft = -2;
    bool paused = false;
    bool watched = false;
    std::function<void()> onReload;
    int TimedRefreshPeriod() const override { return period; }
    bool CountdownWatched() const override { return watched; }
    bool IsLoading() const override { return loading; }
    bool WaitsForAnswer() const override { return waiting; }
    void TimedReload() override
    {
        ++reloadCount;
        if (onReload)
            onReload();
    }
    void ShowRefreshCountdown(int seconds, bool isPaused) override
    {
        secondsLeft = seconds;
        paused = isPaused;
    }
};

struct Driver {
    Target one, two;
    qint64 now = 0;
    TimedRefresh refresh{[this] { return QList<RefreshTarget *>{&one, &two}; }};
    Driver()
    {
        refresh.Clock = [this] { return now; };
    }
    // Ticks from the next tick up to to.
    void advance(qint64 to)
    {
        for (; now <= to; now += TimedRefresh::TickMs)
            refresh.Tick();
    }
};

} // namespace

TEST(TimedRefreshPanes, APaneStillLoadingIsSkippedForOnePeriod)
{
    Driver d;
    d.one.period = 2;
    d.advance(0);
    d.one.loading = true;
    d.advance(2000);
    EXPECT_EQ(d.one.reloadCount, 0);
    d.one.loading = false;
    d.advance(3750);
    EXPECT_EQ(d.one.reloadCount, 0);
    d.advance(4000);
    EXPECT_EQ(d.one.reloadCount, 1);
}

TEST(TimedRefreshPanes, CountdownShowsSecondsLeftOrThePause)
{
    Driver d;
    d.one.period = 30;
    d.advance(0);
    EXPECT_EQ(d.one.secondsLeft, 30);
    EXPECT_EQ(d.two.secondsLeft, -1); // no timed reload
    d.advance(10500);
    EXPECT_EQ(d.one.secondsLeft, 20);
    EXPECT_FALSE(d.one.paused);

    d.refresh.SetPaused(RefreshPause::Offline, true);
    d.refresh.SetPaused(RefreshPause::Locked, true);
    d.advance(40000);
    EXPECT_TRUE(d.one.paused);
    EXPECT_EQ(d.one.reloadCount, 0);
    d.refresh.SetPaused(RefreshPause::Offline, false); // still locked
    d.advance(41000);
    EXPECT_EQ(d.one.reloadCount, 0);
    d.refresh.SetPaused(RefreshPause::Locked, false);
    d.advance(41250);
    EXPECT_EQ(d.one.reloadCount, 1);
    EXPECT_EQ(d.one.secondsLeft, 19); // the old cadence goes on: due at 60 s
    EXPECT_FALSE(d.one.paused);
}

TEST(TimedRefreshPanes, APaneWhoseBoxIsOpenWaitsAloneAndIsOwedNothingAfterwards)
{
    Driver d;
    d.one.period = 2;
    d.two.period = 2;
    d.advance(0);
    d.one.waiting = true;
    d.advance(10000);
    // Not reloaded under its box, nor shown counting down; the other pane keeps its pace.
    EXPECT_EQ(d.one.reloadCount, 0);
    EXPECT_TRUE(d.one.paused);
    EXPECT_GE(d.two.reloadCount, 4);
    EXPECT_FALSE(d.two.paused);
    d.one.waiting = false;
    // Answered: the next reload comes within a period, one and not a burst of the
    // periods the box was open.
    d.advance(12250);
    EXPECT_EQ(d.one.reloadCount, 1);
    EXPECT_FALSE(d.one.paused);
    d.advance(14000);
    EXPECT_EQ(d.one.reloadCount, 2);
}

TEST(TimedRefreshPanes, WhileTheEngineWaitsForAPageQuestionNothingReloads)
{
    Driver d;
    bool held = false;
    d.refresh.EngineHeld = [&held] { return held; };
    d.one.period = 2;
    d.two.period = 3;
    d.advance(0);
    held = true;
    EXPECT_TRUE(d.refresh.Paused());
    d.advance(20000);
    EXPECT_EQ(d.one.reloadCount, 0);
    EXPECT_EQ(d.two.reloadCount, 0);
    EXPECT_TRUE(d.one.paused);
    held = false;
    // Overdue panes come back once each, spread, then at their periods.
    d.advance(20750);
    EXPECT_EQ(d.one.reloadCount, 1);
    EXPECT_EQ(d.two.reloadCount, 1);
    d.advance(23500);
    EXPECT_EQ(d.one.reloadCount, 2);
    EXPECT_EQ(d.two.reloadCount, 1);
}

TEST(TimedRefreshPanes, SleepsUntilTheNextDueMomentAndNotAtAllWithNothingDue)
{
    Driver d;
    bool held = false;
    d.refresh.EngineHeld = [&held] { return held; };
    d.refresh.Tick();
    EXPECT_EQ(d.refresh.WakesInMs(), -1);

    // A period arriving is noticed once told, without any ticking meanwhile.
    d.one.period = 30;
    RefreshScheduleChanged();
    RefreshScheduleChanged();
    QCoreApplication::processEvents();
    EXPECT_EQ(d.refresh.WakesInMs(), 30000);
    d.now = 30000;
    d.refresh.Tick();
    EXPECT_EQ(d.one.reloadCount, 1);
    EXPECT_EQ(d.refresh.WakesInMs(), 30000);

    // Someone reading the countdown: it turns at its next whole second.
    d.now = 30400;
    d.one.watched = true;
    d.refresh.Tick();
    EXPECT_EQ(d.refresh.WakesInMs(), 600);
    d.one.watched = false;

    // Paused by a reason: asleep until the reason goes; a held engine is looked at.
    d.refresh.SetPaused(RefreshPause::Locked, true);
    QCoreApplication::processEvents();
    EXPECT_EQ(d.refresh.WakesInMs(), -1);
    d.refresh.SetPaused(RefreshPause::Locked, false);
    QCoreApplication::processEvents();
    EXPECT_EQ(d.refresh.WakesInMs(), 29600);
    held = true;
    d.refresh.Tick();
    EXPECT_EQ(d.refresh.WakesInMs(), TimedRefresh::TickMs);

    // The last period gone: asleep again.
    held = false;
    d.one.period = 0;
    d.refresh.Tick();
    EXPECT_EQ(d.refresh.WakesInMs(), -1);
}

TEST(TimedRefreshPanes, PanesAReloadTakesAwayAreNotTouchedAgain)
{
    // A page's reload may run events that close panes, its own among them.
    Target first, second;
    auto third = std::make_unique<Target>();
    QList<RefreshTarget *> listed{&first, &second, third.get()};
    qint64 now = 0;
    TimedRefresh refresh{[&listed] { return listed; }};
    refresh.Clock = [&now] { return now; };
    first.period = second.period = third->period = 2;
    refresh.Tick();
    EXPECT_EQ(second.secondsLeft, 2);
    first.onReload = [&] {
        listed = {};
        third.reset();
    };
    now = 2000;
    refresh.Tick();
    EXPECT_EQ(first.reloadCount, 1);
    EXPECT_EQ(second.secondsLeft, 2);
    EXPECT_EQ(second.reloadCount, 0);

    // The list as it is now is followed from the next tick on.
    listed = {&second};
    first.onReload = nullptr;
    now = 4000;
    refresh.Tick();
    EXPECT_EQ(second.reloadCount, 1);
    EXPECT_EQ(first.reloadCount, 1);
}
