#include "browser/timedrefresh.h"

#include <QElapsedTimer>
#include <QPointer>
#include <algorithm>
#include <limits>
#include <memory>

#include "platform/webdialogs.h"

namespace mira {

int SpreadDelayMs(int index, int count)
{
    if (index <= 0 || count <= 1)
        return 0;
    const int step = std::min(SpreadStepMs, SpreadWindowMs / count);
    return index * step;
}

int SecondsLeft(qint64 dueAt, qint64 now)
{
    if (dueAt <= now)
        return 0;
    return int((dueAt - now + 999) / 1000);
}

// ------------------------------------------------------------------ RefreshSchedule

const RefreshSchedule::Slot *RefreshSchedule::find(Key key) const
{
    for (const Slot &s : slots)
        if (s.key == key)
            return &s;
    return nullptr;
}

void RefreshSchedule::Update(const QList<Entry> &panes, qint64 now)
{
    std::vector<Slot> next;
    next.reserve(size_t(panes.size()));
    for (const Entry &e : panes) {
        if (e.periodSeconds <= 0)
            continue;
        const Slot *old = find(e.key);
        if (old && old->period == e.periodSeconds)
            next.push_back(*old);
        else
            next.push_back({e.key, e.periodSeconds, now + qint64(e.periodSeconds) * 1000, false});
    }
    slots = std::move(next);
}

QList<RefreshSchedule::Key> RefreshSchedule::Due(qint64 now, bool paused)
{
    if (paused)
        return {};
    // Fresh arrivals in the order they fell due (pane order among equals).
    std::vector<Slot *> fresh;
    for (Slot &s : slots)
        if (!s.spread && s.dueAt <= now)
            fresh.push_back(&s);
    std::stable_sort(fresh.begin(), fresh.end(),
                     [](const Slot *a, const Slot *b) { return a->dueAt < b->dueAt; });
    const int count = int(fresh.size());
    for (int i = 1; i < count; ++i) {
        fresh[size_t(i)]->dueAt = now + SpreadDelayMs(i, count);
        fresh[size_t(i)]->spread = true;
    }
    QList<Key> due;
    for (Slot &s : slots) {
        if (s.dueAt > now)
            continue;
        due.append(s.key);
        // The next one a period after this one fell due; after a pause or a long
        // hold, a period from now.
        const qint64 period = qint64(s.period) * 1000;
        s.dueAt = s.dueAt + period > now ? s.dueAt + period : now + period;
        s.spread = false;
    }
    return due;
}

bool RefreshSchedule::Follows(Key key) const
{
    return find(key) != nullptr;
}

qint64 RefreshSchedule::NextDue() const
{
    qint64 next = -1;
    for (const Slot &s : slots)
        if (next < 0 || s.dueAt < next)
            next = s.dueAt;
    return next;
}

qint64 RefreshSchedule::DueAt(Key key) const
{
    const Slot *s = find(key);
    return s ? s->dueAt : -1;
}

// --------------------------------------------------------------------- TimedRefresh

namespace {

QList<QPointer<TimedRefresh>> &drivers()
{
    static QList<QPointer<TimedRefresh>> all;
    return all;
}

} // namespace

void RefreshScheduleChanged()
{
    for (const QPointer<TimedRefresh> &driver : std::as_const(drivers()))
        if (driver)
            driver->Poke();
}

TimedRefresh::TimedRefresh(PaneList paneList, QObject *parent)
    : QObject(parent), panes(std::move(paneList))
{
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    Clock = [clock] { return clock->elapsed(); };
    EngineHeld = [] { return platform::EngineHeld(); };
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, this, &TimedRefresh::Tick);
    drivers().removeAll(nullptr);
    drivers().append(this);
    Poke();
}

void TimedRefresh::SetPaused(RefreshPause reason, bool on)
{
    const int before = pauses;
    if (on)
        pauses |= int(reason);
    else
        pauses &= ~int(reason);
    if (pauses != before)
        Poke();
}

void TimedRefresh::Poke()
{
    if (poked)
        return;
    poked = true;
    QTimer::singleShot(0, this, [this] {
        if (poked)
            Tick();
    });
}

void TimedRefresh::arm(qint64 now, bool paused, bool watched)
{
    const bool any = !schedule.Empty();
    const qint64 next = paused ? -1 : schedule.NextDue();
    qint64 wait = next < 0 ? -1 : std::max<qint64>(next - now, 0);
    // A held engine lets go without telling; a pause for a reason ends by SetPaused.
    if (any && paused && pauses == 0)
        wait = TickMs;
    // A watched countdown turns at the next whole second of its own.
    if (watched && any) {
        const qint64 toSecond = next < 0 ? 1000 : (next - now) % 1000;
        const qint64 step = std::max<qint64>(toSecond == 0 ? 1000 : toSecond, TickMs);
        wait = wait < 0 ? step : std::min(wait, step);
    }
    if (wait < 0) {
        timer.stop();
        return;
    }
    timer.start(int(std::min<qint64>(wait, std::numeric_limits<int>::max())));
}

bool TimedRefresh::Paused() const
{
    return pauses != 0 || (EngineHeld && EngineHeld());
}

void TimedRefresh::Tick()
{
    poked = false;
    const qint64 now = Clock();
    const bool paused = Paused();
    QList<RefreshTarget *> targets = panes();
    QList<RefreshSchedule::Entry> entries;
    entries.reserve(targets.size());
    for (RefreshTarget *target : std::as_const(targets))
        entries.append({target, target->TimedRefreshPeriod()});
    schedule.Update(entries, now);
    const QList<RefreshSchedule::Key> due = schedule.Due(now, paused);
    bool watched = false;
    QList<RefreshTarget *> live = targets;
    for (RefreshTarget *target : std::as_const(targets)) {
        // A reload may run events that delete panes.
        if (!live.contains(target))
            continue;
        watched = watched || target->CountdownWatched();
        // A page still loading, or whose box is open, is left alone for this period.
        const bool waits = target->WaitsForAnswer();
        if (due.contains(target) && !waits && !target->IsLoading()) {
            target->TimedReload();
            live = panes();
            if (!live.contains(target))
                continue;
        }
        const qint64 at = schedule.DueAt(target);
        target->ShowRefreshCountdown(at < 0 ? -1 : SecondsLeft(at, now), paused || waits);
    }
    arm(now, paused, watched);
}

} // namespace mira
