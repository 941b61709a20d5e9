// Actions ▸ Wall Status...: gathers what every pane knows of itself and lists it.
#include "app/appcontrol.h"
#include "app/baseform.h"
#include "app/wallstatus.h"
#include "browser/browser.h"
#include "browser/stalepane.h"
#include "layout/book.h"
#include "platform/pagecopies.h"

namespace mira {
namespace {

PaneStatus statusOf(QWidget *pane, const TimedRefresh &refresher, qint64 now)
{
    PaneStatus s;
    s.pane = pane->objectName();
    // The nearest page around the pane names its book and page.
    for (QWidget *up = pane->parentWidget(); up; up = up->parentWidget())
        if (auto *page = qobject_cast<TPage *>(up)) {
            s.page = page->Caption();
            if (const TBook *book = page->Book())
                s.book = book->objectName();
            break;
        }
    auto *browser = qobject_cast<TBrowser *>(pane);
    if (!browser)
        return s;
    s.address = browser->LoadedLocationURL();
    if (browser->Stale) {
        s.lastGood = browser->Stale->LastGood();
        if (browser->Stale->IsStale())
            s.lastError = browser->Stale->LastError();
    }
    const qint64 due = refresher.Schedule().DueAt(pane);
    if (due >= 0)
        s.nextReloadMs = qMax<qint64>(0, due - now);
    if (!s.address.isEmpty())
        if (const auto copy = platform::PageCopies::Shared().find(s.address))
            s.copyTaken = copy->taken;
    return s;
}

} // namespace

void TAppControlModule::WallStatusActionExecute()
{
    const qint64 now = Refresher.Clock();
    QList<PaneStatus> panes;
    for (QWidget *pane : std::as_const(BrowserList))
        if (pane)
            panes.append(statusOf(pane, Refresher, now));
    ShowWallStatus(mainWindow, WallStatusRows(panes, QDateTime::currentDateTime()));
}

} // namespace mira
