#pragma once
// The commands on all panes (the Actions menu): Go All, Stop All, Refresh All, online
// and offline, the dialog modes, the text size, No Cache Nor History, Internet
// Options... and Wall Status..., and the timed reloads of the panes' bookmarks.
#include <QList>
#include <QObject>
#include <functional>

#include "browser/timedrefresh.h"

class QAction;

namespace mira {

class TAppControlModule;

class AllPanesCommands : public QObject {
    Q_OBJECT
public:
    explicit AllPanesCommands(TAppControlModule &module);

    QAction *GoAll() const { return goAll; }
    QAction *StopAll() const { return stopAll; }
    QAction *RefreshAll() const { return refreshAll; }

    // forNetwork: offline because the desktop has no network, not by the user's choice.
    void SetOnlineMode(bool online, bool forNetwork = false);
    bool Online() const;

    // The check marks and the panes follow the program flags.
    void UpdateNoCache();
    void UpdateDialogMode();
    // level: the engine's text size level; -1 reads it (ReadTextSize).
    void UpdateTextSize(int level);
    // Reads the engine's text size level; replaceable so tests need no engine.
    std::function<int()> ReadTextSize;

    // The index among the panes of the first one shown with all its ancestors; -1 for none.
    int FirstVisibleBrowser() const;

    // Timed reloads of the panes' bookmarks; being offline or the lock pause them.
    TimedRefresh &Refresher() { return refresher; }

private:
    void setTextSize(QAction *size);

    TAppControlModule &module;
    QAction *goAll, *stopAll, *refreshAll, *online, *offline, *interactive, *moderate, *silent,
        *noCache, *internetOptions, *wallStatus;
    QList<QAction *> textSizes;
    TimedRefresh refresher;
};

} // namespace mira
