// A browser pane's timed reloads, its rest on a hidden book page, and its stale mark:
// what keeps an unattended wall's pages current.
#include <QCoreApplication>
#include <QEvent>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolButton>

#include "bookmarks/refreshperiod.h"
#include "bookmarks/urlcombo.h"
#include "browser/browser.h"
#include "browser/mwebbrowser.h"
#include "browser/panehost.h"
#include "browser/stalepane.h"
#include "dialogs/messagebox.h"
#include "icons/images.h"
#include "platform/webcontrol.h"
#include "platform/webdialogs.h"

namespace mira {

using namespace platform;

// ------------------------------------------------------ timed reloads and resting

int TBrowser::TimedRefreshPeriod() const
{
    const TURL *url = URLs()->Items(AddressCombo->ShownIndex());
    return url ? RefreshPeriod(url->Refresh()) : 0;
}

bool TBrowser::IsLoading() const
{
    return WebView->ReadyState() == READYSTATE_LOADING;
}

bool TBrowser::WaitsForAnswer() const
{
    return AlertWaiting(WebView->Control());
}

void TBrowser::TimedReload()
{
    if (!WebView->HasDocument())
        return;
    wake();
    const PageBody body = DocumentBody();
    keptScroll = QPoint(body.ScrollLeft(), body.ScrollTop());
    keepingScroll = keptScroll.x() > 0 || keptScroll.y() > 0;
    markBookmarkLoad(WebView->LocationURL());
    WebView->Refresh();
}

void TBrowser::ShowRefreshCountdown(int secondsLeft, bool paused)
{
    QString suffix;
    if (secondsLeft >= 0)
        suffix = paused ? QStringLiteral(" (timed reload paused)")
                        : QStringLiteral(" (reloads by itself in %1 s)").arg(secondsLeft);
    const QString hint = QString::fromLatin1(RefreshHint);
    const QString tip = LongHint(hint) + suffix;
    if (tip == RefreshButton->statusTip())
        return;
    RefreshButton->setStatusTip(tip);
    RefreshButton->setToolTip(ShortHint(hint) + suffix);
    // The status bar shows a hint when the mouse enters; keep it counting meanwhile.
    if (RefreshButton->underMouse()) {
        QStatusTipEvent e(tip);
        QCoreApplication::sendEvent(RefreshButton, &e);
    }
}

bool TBrowser::CountdownWatched() const
{
    return RefreshButton->underMouse();
}

bool TBrowser::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == RefreshButton && event->type() == QEvent::Enter)
        RefreshScheduleChanged();
    return QWidget::eventFilter(watched, event);
}

void TBrowser::scheduleRest()
{
    // Only a pane hidden inside a shown window: a book page in the background.
    if (!isVisible() && window() != this && window()->isVisible())
        restTimer.start();
}

void TBrowser::rest()
{
    if (isVisible() || window() == this || !window()->isVisible())
        return;
    // A page still loading rests once its load has ended.
    if (IsLoading() || !WebView->Control())
        return;
    resting = true;
    WebView->Control()->setResting(true);
}

void TBrowser::wake()
{
    restTimer.stop();
    if (!resting)
        return;
    resting = false;
    if (WebView->Control())
        WebView->Control()->setResting(false);
}

// --------------------------------------------------------------- stale panes

void TBrowser::markBookmarkLoad(const QString &address)
{
    if (WebControl *control = WebView->Control())
        control->navigation()->setKeepsPage(!address.isEmpty()
                                            && URLs()->IndexOfAddress(address) >= 0);
}

void TBrowser::WebPageLoadEnded(const PageLoad &load)
{
    Stale->LoadEnded(load);
}

void TBrowser::RetryStale()
{
    // A load under way reports its own end.
    if (!WebView->HasDocument() || IsLoading())
        return;
    wake();
    markBookmarkLoad(WebView->LocationURL());
    WebView->Refresh();
}

} // namespace mira
