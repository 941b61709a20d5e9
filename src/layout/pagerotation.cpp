#include "layout/pagerotation.h"

#include <QApplication>
#include <QEvent>
#include <QTabBar>
#include <QWidget>
#include <algorithm>
#include <limits>

#include "dialogs/messagebox.h"
#include "layout/book.h"

namespace mira {

RotationPlan PlanRotation(int periodSeconds, int pageCount, int activePage, qint64 shownAtMs,
                          qint64 lastTouchMs)
{
    RotationPlan plan;
    if (periodSeconds <= 0 || pageCount < 2)
        return plan;
    plan.on = true;
    plan.nextPage = activePage < 0 || activePage >= pageCount - 1 ? 0 : activePage + 1;
    const qint64 periodMs = qint64(periodSeconds) * 1000;
    // A touch far in the past must not overflow the pause.
    const qint64 touchEnds = lastTouchMs > std::numeric_limits<qint64>::min() / 2
                                 ? lastTouchMs + kRotationTouchPauseMs
                                 : lastTouchMs;
    plan.turnAtMs = std::max(shownAtMs + periodMs, touchEnds);
    // Never before the page in front was shown: a short period wakes at once.
    plan.wakeAtMs = std::max(shownAtMs, plan.turnAtMs - kRotationWakeLeadMs);
    return plan;
}

PageRotator::PageRotator(TBook *target, int periodSeconds)
    : QObject(target),
      book(target),
      period(periodSeconds),
      lastTouch(std::numeric_limits<qint64>::min())
{
    clock.start();
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, this, [this] { tick(); });
    connect(book, &QTabWidget::currentChanged, this, [this] {
        if (!turning)
            pageShown();
    });
    connect(book->tabBar(), &QTabBar::tabBarClicked, this, [this] { Touched(); });
    qApp->installEventFilter(this);
    pageShown();
}

PageRotator::~PageRotator()
{
    qApp->removeEventFilter(this);
}

void PageRotator::SetPeriod(int seconds)
{
    period = seconds;
    pageShown();
}

void PageRotator::Touched()
{
    lastTouch = now();
    replan();
}

RotationPlan PageRotator::Plan() const
{
    if (!book)
        return {};
    return PlanRotation(period, book->PageCount(), book->ActivePageIndex(), shownAt, lastTouch);
}

bool PageRotator::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type t = event->type();
    if ((t == QEvent::MouseButtonPress || t == QEvent::KeyPress || t == QEvent::Wheel) && book
        && watched->isWidgetType()) {
        auto *w = static_cast<QWidget *>(watched);
        if (w == book || book->isAncestorOf(w))
            Touched();
    }
    return false;
}

void PageRotator::pageShown()
{
    shownAt = now();
    wokenPage = -1;
    replan();
}

void PageRotator::replan()
{
    const RotationPlan plan = Plan();
    if (!plan.on) {
        timer.stop();
        return;
    }
    const qint64 at = plan.nextPage != wokenPage ? plan.wakeAtMs : plan.turnAtMs;
    timer.start(int(std::clamp<qint64>(at - now(), 0, std::numeric_limits<int>::max())));
}

void PageRotator::tick()
{
    const RotationPlan plan = Plan();
    if (!plan.on || !book)
        return;
    const qint64 t = now();
    // A book out of sight (minimized, or on a hidden page itself) neither wakes nor turns.
    const bool onScreen = book->isVisible() && !book->window()->isMinimized();
    if (t >= plan.wakeAtMs && plan.nextPage != wokenPage) {
        wokenPage = plan.nextPage;
        if (onScreen)
            wakePage(plan.nextPage);
    }
    if (t >= plan.turnAtMs) {
        if (onScreen) {
            turning = true;
            book->SetActivePageIndex(plan.nextPage);
            turning = false;
        }
        // Out of sight, the book keeps its page and tries again a period later.
        pageShown();
        return;
    }
    replan();
}

void PageRotator::wakePage(int index)
{
    TPage *page = book->Page(index);
    if (!page)
        return;
    // Only the controls that will be on screen: not those on hidden pages of inner books.
    for (QWidget *w : page->findChildren<QWidget *>())
        if (auto *p = dynamic_cast<PreWakeable *>(w); p && w->isVisibleTo(page))
            p->WakeBeforeShown();
}

int RotatePeriod(const TBook *book)
{
    const auto *r = book ? book->findChild<PageRotator *>(QString(), Qt::FindDirectChildrenOnly)
                         : nullptr;
    return r ? r->Period() : 0;
}

void SetRotatePeriod(TBook *book, int seconds)
{
    if (!book)
        return;
    auto *r = book->findChild<PageRotator *>(QString(), Qt::FindDirectChildrenOnly);
    if (seconds <= 0)
        delete r;
    else if (r)
        r->SetPeriod(seconds);
    else
        new PageRotator(book, seconds);
}

bool ParseRotatePeriod(const QString &text, int &seconds)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        seconds = 0;
        return true;
    }
    bool ok = false;
    const int n = t.toInt(&ok, 10);
    if (!ok || n < 0 || n > kMaxRotatePeriod)
        return false;
    seconds = n;
    return true;
}

void AskRotatePeriod(TBook *book)
{
    if (!book)
        return;
    QString text = QString::number(RotatePeriod(book));
    if (!ShowInputBox(book, 300, 0, 5, text,
                      QStringLiteral("Seconds each page is shown (0 stops the rotation):"),
                      QStringLiteral("Rotate Pages")))
        return;
    int seconds = 0;
    if (!ParseRotatePeriod(text, seconds)) {
        ShowMessageBox(book,
                       QStringLiteral("Invalid number of seconds.\n\nValid values are 0...")
                           + QString::number(kMaxRotatePeriod) + QLatin1Char('.'),
                       QStringLiteral("Rotate Pages"), MsgType::Information, mbOK);
        return;
    }
    SetRotatePeriod(book, seconds);
}

} // namespace mira
