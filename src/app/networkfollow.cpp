#include "app/networkfollow.h"

#include <QAction>

#include "app/appcontrol.h"
#include "app/baseform.h"
#include "browser/browser.h"
#include "browser/stalepane.h"
#include "platform/connectivity.h"

namespace mira {

using platform::NetReach;
using Mode = ConnectionStep::Mode;

ConnectionStep StartConnection(bool storedOnline, bool offlineForNetwork, NetReach reach)
{
    if (reach == NetReach::Disconnected)
        return {storedOnline ? Mode::Offline : Mode::Keep, false};
    // Offline only for want of a network that is (or may be) back: online again. The
    // user's own Offline Mode holds.
    if (!storedOnline && offlineForNetwork)
        return {Mode::Online, false};
    return {};
}

ConnectionStep FollowConnection(NetReach before, NetReach now, bool online, bool offlineForNetwork)
{
    // Going offline on a lost network would show offline pages where kept copies with
    // the stale mark tell more; the panes' failing loads mark them.
    if (before != NetReach::Disconnected || now != NetReach::Connected)
        return {};
    if (online)
        return {Mode::Keep, true};
    if (offlineForNetwork)
        return {Mode::Online, true};
    return {};
}

namespace {

void apply(TAppControlModule &module, const ConnectionStep &step)
{
    if (step.mode != Mode::Keep)
        module.AllPanes().SetOnlineMode(step.mode == Mode::Online, step.mode == Mode::Offline);
    if (step.mode == Mode::Online)
        // The panes showed offline copies or pages; the bookmarks load again.
        module.AllPanes().RefreshAll()->trigger();
    if (step.retryStale)
        module.Panes().ForEach([](TBrowser &pane) {
            if (pane.Stale)
                pane.Stale->RetryNow();
        });
}

} // namespace

void FollowNetwork(TAppControlModule &module)
{
    std::unique_ptr<platform::NetworkWatch> watch = platform::NetworkWatch::Start();
    if (!watch)
        return;
    platform::NetworkWatch *w = watch.release();
    w->setParent(&module);
    NetReach last = w->Reach();
    apply(module, StartConnection(module.AllPanes().Online(), platform::OfflineForNetwork(), last));
    QObject::connect(w, &platform::NetworkWatch::reachChanged, &module,
                     [&module, last](NetReach now) mutable {
                         // A moment of not knowing is no change.
                         if (now == NetReach::Unknown)
                             return;
                         const ConnectionStep step =
                             FollowConnection(last, now, module.AllPanes().Online(),
                                              platform::OfflineForNetwork());
                         last = now;
                         apply(module, step);
                     });
}

} // namespace mira
