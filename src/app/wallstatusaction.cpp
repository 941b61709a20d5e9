// Actions ▸ Wall Status...: gathers what every pane knows of itself and lists it.
#include "app/allpanescommands.h"
#include "app/appcontrol.h"
#include "app/wallstatus.h"
#include "browser/browser.h"
#include "browser/stalepane.h"
#include "layout/book.h"
#include "platform/pagecopies.h"

namespace mira {
namespace {

PaneStatus statusOf(TBrowser *browser, const TimedRefresh &refresher, qint64 now)
{
    PaneStatus s;
    s.pane = browser->objectName();
    // The nearest page around the pane names its book and page.
    for (QWidget *up = browser->parentWidget(); up; up = up->parentWidget())
        if (auto *page = qobject_cast<TPage *>(up)) {
            s.page = page->Caption();
            if (const TBook *book = page->Book())
                s.book = book->objectName();
            break;
        }
    s.address = browser->Navigator().LoadedLocationURL();
    if (browser->Stale) {
        s.lastGood = browser->Stale->LastGood();
        if (browser->Stale->IsStale())
            s.lastError = browser->Stale->LastError();
    }
    const qint64 due = refresher.DueAt(browser);
    if (due >= 0)
        s.nextReloadMs = qMax<qint64>(0, due - now);
    if (!s.address.isEmpty())
        if (const auto copy = platform::PageCopies::Shared().find(s.address))
            s.copyTaken = copy->taken;
    return s;
}

} // namespace

QList<PaneStatus> CurrentPaneStatus(TAppControlModule &module)
{
    const TimedRefresh &refresher = module.AllPanes().Refresher();
    const qint64 now = refresher.Clock();
    QList<PaneStatus> panes;
    for (TBrowser *pane : module.Panes().List())
        panes.append(statusOf(pane, refresher, now));
    return panes;
}

} // namespace mira
