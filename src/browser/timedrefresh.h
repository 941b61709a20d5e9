#pragma once
// Timed reloads: a pane showing a bookmark whose Refresh is positive reloads it by
// itself every that many seconds. Reloads falling due together are spread over a
// few seconds, a pane still loading or waiting for an answer to its page's box is
// skipped for one period, and nothing reloads while the program is paused (offline,
// the lock armed, or the engine waiting for a page's question).
#include <QList>
#include <QObject>
#include <QTimer>
#include <functional>
#include <vector>

namespace mira {

// Delay of the index-th (from 0) of count reloads that fall due at the same tick:
// SpreadStepMs apart, closer when count of them would pass SpreadWindowMs.
int SpreadDelayMs(int index, int count);
constexpr int SpreadStepMs = 500;
constexpr int SpreadWindowMs = 3000;

// Whole seconds from now to dueAt, rounded up; 0 once it has passed.
int SecondsLeft(qint64 dueAt, qint64 now);

// The timetable of the panes that reload by themselves, on a clock given by the
// caller (milliseconds), so it is tested without timers.
class RefreshSchedule {
public:
    using Key = const void *;
    struct Entry {
        Key key;
        int periodSeconds; // 0: no timed reload
    };

    // Takes the panes as they are now, in pane order: a new pane or a changed period
    // starts counting from now; a pane with period 0 or missing is forgotten.
    void Update(const QList<Entry> &panes, qint64 now);
    // The panes to reload now, in order. A pane is due one period after it was last
    // due; when several fall due together only the first is returned and the others
    // are held back by SpreadDelayMs. Paused: nothing is due, overdue panes wait.
    QList<Key> Due(qint64 now, bool paused);

    bool Follows(Key key) const;
    bool Empty() const { return slots.empty(); }
    // The earliest moment any pane is due; -1 when none is followed.
    qint64 NextDue() const;
    // Milliseconds on the caller's clock when key is due next; -1 when not followed.
    qint64 DueAt(Key key) const;

private:
    struct Slot {
        Key key;
        int period;
        qint64 dueAt;
        bool spread; // held back by the spreading, not to be spread again
    };
    const Slot *find(Key key) const;
    std::vector<Slot> slots;
};

// What the timed reloads ask of a pane.
class RefreshTarget {
public:
    virtual ~RefreshTarget() = default;
    // Seconds between timed reloads of what the pane shows now; 0 for none.
    virtual int TimedRefreshPeriod() const = 0;
    virtual bool IsLoading() const = 0;
    // A box of the pane's page waits for the user: the pane is neither reloaded under
    // it nor owed reloads for the time it was open.
    virtual bool WaitsForAnswer() const { return false; }
    // Reloads the page, keeping its scroll position.
    virtual void TimedReload() = 0;
    // The seconds left until the next reload (-1: none), or that reloads are paused.
    virtual void ShowRefreshCountdown(int secondsLeft, bool paused) = 0;
    // Someone is reading the countdown (the mouse rests on it): it is then brought up
    // to date every second, and otherwise only when something changes.
    virtual bool CountdownWatched() const { return false; }
};

// Tells every timed-reload driver that a pane's period may have changed (it shows
// another page, its bookmarks were edited, the countdown came into view). Cheap:
// the drivers look again once the current event is done.
void RefreshScheduleChanged();

// Why timed reloads pause; any one of them pauses.
enum class RefreshPause { Offline = 1, Locked = 2 };

// Drives the schedule with a timer over the panes the provider lists, in pane order.
// The provider lists live panes only: it is asked again after a reload, which may
// have run events that deleted some.
class TimedRefresh : public QObject {
    Q_OBJECT
public:
    using PaneList = std::function<QList<RefreshTarget *>()>;
    explicit TimedRefresh(PaneList panes, QObject *parent = nullptr);

    void SetPaused(RefreshPause reason, bool on);
    // Paused for a reason, or while the engine waits for a question of a page (it
    // could carry out no reload until that is answered).
    bool Paused() const;
    // Whether the engine is held; replaceable for tests.
    std::function<bool()> EngineHeld;

    // One step: follow the panes, reload those due, show the countdowns, and wake
    // again at the next due moment only: with nothing due, no timer runs.
    void Tick();
    // A Tick once the current event is done (several calls make one).
    void Poke();
    // Milliseconds; replaceable for tests.
    std::function<qint64()> Clock;
    const RefreshSchedule &Schedule() const { return schedule; }
    // When pane is due next on Clock; -1 when it reloads by no timer.
    qint64 DueAt(const RefreshTarget *pane) const { return schedule.DueAt(pane); }
    // Milliseconds until the driver wakes by itself; -1 when it sleeps until poked.
    int WakesInMs() const { return timer.isActive() ? timer.interval() : -1; }

    // How often a held engine is looked at again, and a watched countdown at most.
    static constexpr int TickMs = 250;

private:
    void arm(qint64 now, bool paused, bool watched);

    PaneList panes;
    RefreshSchedule schedule;
    QTimer timer;
    int pauses = 0;
    bool poked = false;
};

} // namespace mira
