#pragma once
// A book that turns its pages by itself every so many seconds, for a wall nobody
// touches. It waits while someone uses the book and wakes the panes of the page it
// is about to show a few seconds early, so that page is live when it appears.
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QtGlobal>

class QWidget;

namespace mira {

class TBook;

// A control on a page that rests while the page is hidden and can be woken early.
class PreWakeable {
public:
    virtual ~PreWakeable() = default;
    virtual void WakeBeforeShown() = 0;
};

// Rotation waits this long after the last mouse press, key or tab change in the book.
inline constexpr qint64 kRotationTouchPauseMs = 60000;
// The next page's panes wake this long before it is shown.
inline constexpr qint64 kRotationWakeLeadMs = 5000;
// The longest period accepted: a day.
inline constexpr int kMaxRotatePeriod = 86400;

struct RotationPlan {
    bool on = false;     // a period and more than one page
    int nextPage = -1;   // the page shown at turnAtMs
    qint64 turnAtMs = 0; // when it is shown
    qint64 wakeAtMs = 0; // when its panes are woken
};

// Times in milliseconds of one monotonic clock. shownAtMs: when the current page
// was shown; lastTouchMs: the user's last touch of the book (far in the past for none).
RotationPlan PlanRotation(int periodSeconds, int pageCount, int activePage, qint64 shownAtMs,
                          qint64 lastTouchMs);

// Turns one book's pages; lives as the book's child while the period is not 0.
class PageRotator : public QObject {
    Q_OBJECT
public:
    PageRotator(TBook *book, int periodSeconds);
    ~PageRotator() override;

    int Period() const { return period; }
    void SetPeriod(int seconds);
    // The user used the book: rotation waits a minute from now.
    void Touched();
    RotationPlan Plan() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void pageShown();
    void replan();
    void tick();
    void wakePage(int index);
    qint64 now() const { return clock.elapsed(); }

    QPointer<TBook> book;
    int period = 0;
    QElapsedTimer clock;
    qint64 shownAt = 0;
    qint64 lastTouch;
    int wokenPage = -1;
    bool turning = false;
    QTimer timer;
};

// The book's rotation period in seconds, 0 when it does not rotate.
int RotatePeriod(const TBook *book);
// Starts, changes or (with 0) stops the book's rotation.
void SetRotatePeriod(TBook *book, int seconds);
// Asks the period with the input box; a bad number says so and changes nothing.
void AskRotatePeriod(TBook *book);
// The text of the input box as a period: true with seconds in [0, kMaxRotatePeriod].
bool ParseRotatePeriod(const QString &text, int &seconds);

} // namespace mira
