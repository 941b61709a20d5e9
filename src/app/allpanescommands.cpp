#include "app/allpanescommands.h"

#include <QAction>
#include <QDateTime>

#include "app/actiontable.h"
#include "app/appcontrol.h"
#include "app/baseform.h"
#include "app/internetoptionsaction.h"
#include "app/wallstatus.h"
#include "browser/browser.h"
#include "platform/connectivity.h"
#include "platform/privatebrowsing.h"
#include "platform/webengine.h"

namespace mira {

AllPanesCommands::AllPanesCommands(TAppControlModule &owner)
    : QObject(&owner),
      module(owner),
      goAll(TakeAction(owner, "GoAllAction", this)),
      stopAll(TakeAction(owner, "StopAllAction", this)),
      refreshAll(TakeAction(owner, "RefreshAllAction", this)),
      online(TakeAction(owner, "OnlineAction", this)),
      offline(TakeAction(owner, "OfflineAction", this)),
      interactive(TakeAction(owner, "InteractiveAction", this)),
      moderate(TakeAction(owner, "ModerateAction", this)),
      silent(TakeAction(owner, "SilentAction", this)),
      noCache(TakeAction(owner, "NoCacheAction", this)),
      internetOptions(TakeAction(owner, "InternetOptionsAction", this)),
      wallStatus(TakeAction(owner, "WallStatusAction", this)),
      refresher([&owner] {
          QList<RefreshTarget *> targets;
          for (TBrowser *pane : owner.Panes().List())
              targets.append(pane);
          return targets;
      })
{
    for (const char *name :
         {"TextSizeLargestAction", "TextSizeLargerAction", "TextSizeMediumAction",
          "TextSizeSmallerAction", "TextSizeSmallestAction"})
        textSizes.append(TakeAction(owner, name, this));
    // The engine keeps its text size itself; reading it needs no page.
    ReadTextSize = [] { return platform::engine::ZoomLevel(); };

    // The commands on all panes walk the list in order; a pane may go while they run.
    connect(goAll, &QAction::triggered, this, [this] {
        module.Panes().ForEach([](TBrowser &pane) { pane.Commands().GoBookmarked(); });
    });
    connect(stopAll, &QAction::triggered, this, [this] {
        module.Panes().ForEach([](TBrowser &pane) { pane.Commands().StopLoading(); });
    });
    connect(refreshAll, &QAction::triggered, this, [this] {
        module.Panes().ForEach([](TBrowser &pane) { pane.Commands().RefreshBookmarked(); });
    });
    connect(online, &QAction::triggered, this, [this] { SetOnlineMode(true); });
    connect(offline, &QAction::triggered, this, [this] { SetOnlineMode(false); });
    connect(interactive, &QAction::triggered, this, [this] {
        module.SetProgramFlag(pfInteractive);
        module.SetProgramFlag(pfSilent, false);
        UpdateDialogMode();
    });
    connect(moderate, &QAction::triggered, this, [this] {
        module.SetProgramFlag(pfInteractive | pfSilent, false);
        UpdateDialogMode();
    });
    connect(silent, &QAction::triggered, this, [this] {
        module.SetProgramFlag(pfInteractive, false);
        module.SetProgramFlag(pfSilent);
        UpdateDialogMode();
    });
    for (QAction *size : std::as_const(textSizes))
        connect(size, &QAction::triggered, this, [this, size] { setTextSize(size); });
    connect(noCache, &QAction::triggered, this, [this](bool on) {
        module.SetProgramFlag(pfNoCache, on);
        UpdateNoCache();
    });
    connect(internetOptions, &QAction::triggered, this,
            [this] { RunInternetOptions(module.Panes().List()); });
    connect(wallStatus, &QAction::triggered, this, [this] {
        ShowWallStatus(module.MainWindow(),
                       WallStatusRows(CurrentPaneStatus(module), QDateTime::currentDateTime()));
    });
}

void AllPanesCommands::setTextSize(QAction *size)
{
    // The action's tag is the level, kept for the engine (so panes without a document
    // and panes made later show it too), for every pane and the check marks.
    const int level = ActionTag(size);
    platform::engine::SetZoomLevel(level);
    module.Panes().ForEach([level](TBrowser &pane) { pane.Commands().SetTextSize(level); });
    UpdateTextSize(level);
}

void AllPanesCommands::SetOnlineMode(bool on, bool forNetwork)
{
    online->setChecked(on);
    offline->setChecked(!on);
    platform::SetConnectedState(on, forNetwork);
    // No timed reload while offline: it could only show the engine's error page.
    refresher.SetPaused(RefreshPause::Offline, !on);
    if (TBaseForm *form = module.MainWindow())
        form->RepaintStatusBar();
}

bool AllPanesCommands::Online() const
{
    return online->isChecked();
}

void AllPanesCommands::UpdateNoCache()
{
    const bool on = module.Flags().testFlag(pfNoCache);
    noCache->setChecked(on);
    noCache->setEnabled(module.File().Sets().IsSetOpen());
    for (TBrowser *pane : module.Panes().List())
        pane->Commands().SetNoCache(on);
    // Every pane, also one added later or one a page's new window loads in.
    platform::SetPrivateBrowsing(on);
}

void AllPanesCommands::UpdateDialogMode()
{
    const bool isInteractive = module.Flags().testFlag(pfInteractive);
    const bool isSilent = module.Flags().testFlag(pfSilent);
    interactive->setChecked(isInteractive);
    moderate->setChecked(!isInteractive && !isSilent);
    silent->setChecked(isSilent);
    for (TBrowser *pane : module.Panes().List())
        pane->Commands().SetSilent(isSilent);
    if (TBaseForm *form = module.MainWindow())
        form->RepaintStatusBar();
}

void AllPanesCommands::UpdateTextSize(int level)
{
    if (level < 0 && ReadTextSize)
        level = ReadTextSize();
    for (QAction *a : std::as_const(textSizes))
        a->setChecked(ActionTag(a) == level);
}

int AllPanesCommands::FirstVisibleBrowser() const
{
    return FirstVisiblePane(module.Panes().List());
}

} // namespace mira
