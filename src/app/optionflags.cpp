// The program flags word and how the menus, the main window and the panes follow it.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "app/appcontrol.h"
#include "app/baseform.h"
#include "app/fullscreen.h"
#include "app/lockcontrol.h"
#include "app/screenawakecontrol.h"
#include "app/separateprocesses.h"
#include "app/startwithdesktop.h"
#include "browser/panecommands.h"
#include "layout/pan.h"
#include "platform/privatebrowsing.h"

namespace mira {

void TAppControlModule::SetProgramFlag(int bits)
{
    if (mainWindow)
        mainWindow->SetTag(mainWindow->Tag() | bits);
}

void TAppControlModule::ClearProgramFlag(int bits)
{
    if (mainWindow)
        mainWindow->SetTag(mainWindow->Tag() & ~bits);
}

bool TAppControlModule::HasProgramFlag(int bits) const
{
    return mainWindow && (mainWindow->Tag() & bits) != 0;
}

void TAppControlModule::UpdateConfigState(bool open)
{
    UpdateCaption();
    UpdateAutoSave();
    UpdateSaveOnClose();
    UpdateLockState();
    UpdateHiddenMenu();
    UpdateLockSize();
    UpdateNoCache();
    UpdateDialogMode();
    if (open)
        UpdateTextSize(-1);
    UpdateRootContainer(open);
    UpdateGoAllOnOpen();
    UpdateStartWithDesktop(*this);
    UpdateFullScreen(*this);
    UpdateSeparateProcesses(*this);
    for (QAction *a : {FileSaveNowAction, FileSaveOnCloseAction, FileSaveAsAction, FileRenameAction,
                       FileDeleteAction})
        a->setEnabled(open);
    Q_EMIT SetStateChanged();
    // The set is open and its panes exist: the wall loads by itself.
    if (open && HasProgramFlag(pfGoAllOnOpen))
        GoAllAction->trigger();
}

void TAppControlModule::UpdateGoAllOnOpen()
{
    GoAllOnOpenAction->setChecked(HasProgramFlag(pfGoAllOnOpen));
    GoAllOnOpenAction->setEnabled(sets->IsSetOpen());
    UpdateScreenAwake(*this);
}

void TAppControlModule::UpdateAutoSave()
{
    const bool on = HasProgramFlag(pfAutoSave);
    FileAutoSaveAction->setChecked(on);
    FileAutoSaveAction->setEnabled(sets->IsSetOpen());
    if (on)
        AutoSaveTimer.start(600000);
    else
        AutoSaveTimer.stop();
}

void TAppControlModule::UpdateSaveOnClose()
{
    FileSaveOnCloseAction->setChecked(!HasProgramFlag(pfNoSaveOnClose));
    FileSaveOnCloseAction->setEnabled(sets->IsSetOpen());
}

void TAppControlModule::UpdateLockState()
{
    UseLockAction->setEnabled(sets->IsSetOpen() && mainWindow && !mainWindow->Key().isEmpty());
    // A set with the flag but no key loads with the lock off.
    if (HasProgramFlag(pfLockOnMinimize) && !UseLockAction->isEnabled())
        ClearProgramFlag(pfLockOnMinimize);
    UseLockAction->setChecked(HasProgramFlag(pfLockOnMinimize));
    SetLockKeyAction->setEnabled(sets->IsSetOpen());
    lock->UpdateLockForm(UseLockAction->isChecked());
}

bool TAppControlModule::LockArmed() const
{
    return lock->LockArmed();
}

void TAppControlModule::UpdateHiddenMenu()
{
    const bool hidden = HasProgramFlag(pfHiddenMenu);
    HiddenMenuAction->setChecked(hidden);
    HiddenMenuAction->setEnabled(sets->IsSetOpen());
    for (QAction *heading : {FileActions, ActionsAction, HelpActions})
        heading->setVisible(!hidden);
}

void TAppControlModule::UpdateLockSize()
{
    const bool locked = HasProgramFlag(pfLockSize);
    LockSizeAction->setChecked(locked);
    LockSizeAction->setEnabled(sets->IsSetOpen());
    if (mainWindow)
        mainWindow->SetBorderStyle(locked ? QStringLiteral("bsSingle")
                                          : QStringLiteral("bsSizeable"));
}

void TAppControlModule::UpdateNoCache()
{
    const bool on = HasProgramFlag(pfNoCache);
    NoCacheAction->setChecked(on);
    NoCacheAction->setEnabled(sets->IsSetOpen());
    for (QWidget *pane : BrowserList)
        if (auto *p = dynamic_cast<PaneCommands *>(pane))
            p->SetNoCache(on);
    // Every pane, also one added later or one a page's new window loads in.
    platform::SetPrivateBrowsing(on);
}

void TAppControlModule::UpdateDialogMode()
{
    const bool interactive = HasProgramFlag(pfInteractive);
    const bool silent = HasProgramFlag(pfSilent);
    InteractiveAction->setChecked(interactive);
    ModerateAction->setChecked(!interactive && !silent);
    SilentAction->setChecked(silent);
    for (QWidget *pane : BrowserList)
        if (auto *p = dynamic_cast<PaneCommands *>(pane))
            p->SetSilent(silent);
    if (mainWindow)
        mainWindow->RepaintStatusBar();
}

void TAppControlModule::UpdateTextSize(int level)
{
    if (level < 0 && ReadTextSize)
        level = ReadTextSize();
    for (QAction *a : {TextSizeLargestAction, TextSizeLargerAction, TextSizeMediumAction,
                       TextSizeSmallerAction, TextSizeSmallestAction})
        a->setChecked(Tag(a) == level);
}

void TAppControlModule::UpdateRootContainer(bool open)
{
    if (!mainWindow)
        return;
    TPan *root = mainWindow->RootContainer();
    if (!root)
        return;
    if (open) {
        root->SetPopupMenu(DesignPopup);
    } else {
        delete root;
    }
}

} // namespace mira
