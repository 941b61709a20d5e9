#include "app/filecommands.h"

#include <QAction>
#include <QFileInfo>

#include "app/allpanescommands.h"
#include "app/appcontrol.h"
#include "app/baseform.h"
#include "app/designactions.h"
#include "app/fullscreen.h"
#include "app/lockcontrol.h"
#include "app/programcommands.h"
#include "app/screenawakecontrol.h"
#include "app/separateprocesses.h"
#include "app/setcommands.h"
#include "app/startwithdesktop.h"

namespace mira {

FileCommands::FileCommands(TAppControlModule &owner)
    : QObject(&owner),
      module(owner),
      saveNow(TakeAction(owner, "FileSaveNowAction", this)),
      saveOnClose(TakeAction(owner, "FileSaveOnCloseAction", this)),
      autoSave(TakeAction(owner, "FileAutoSaveAction", this)),
      saveCopyAs(TakeAction(owner, "FileSaveAsAction", this)),
      rename(TakeAction(owner, "FileRenameAction", this)),
      deleteSet(TakeAction(owner, "FileDeleteAction", this)),
      goAllOnOpen(TakeAction(owner, "GoAllOnOpenAction", this)),
      startWithDesktop(TakeAction(owner, "StartWithDesktopAction", this)),
      fullScreen(TakeAction(owner, "FullScreenAction", this)),
      separateProcesses(TakeAction(owner, "SeparateProcessesAction", this))
{
    autoSaveTimer.setInterval(600000);
    SetActions fileActions;
    fileActions.newSet = TakeAction(owner, "FileNewAction", this);
    fileActions.open = TakeAction(owner, "FileLoadAction", this);
    fileActions.saveNow = saveNow;
    fileActions.saveOnClose = saveOnClose;
    fileActions.autoSave = autoSave;
    fileActions.saveCopyAs = saveCopyAs;
    fileActions.rename = rename;
    fileActions.deleteSet = deleteSet;
    fileActions.autoSaveTimer = &autoSaveTimer;
    SetStateHooks hooks;
    hooks.updateConfigState = [this](bool open) { UpdateConfigState(open); };
    hooks.updateCaption = [this] { UpdateCaption(); };
    hooks.setProgramFlag = [this](ProgramFlags flags, bool on) {
        module.SetProgramFlag(flags, on);
    };
    sets = std::make_unique<ConfigSetCommands>(
        fileActions, [this]() -> TBaseForm * { return module.MainWindow(); }, module.Classes(),
        std::move(hooks));

    connect(goAllOnOpen, &QAction::triggered, this, [this](bool on) {
        module.SetProgramFlag(pfGoAllOnOpen, on);
        UpdateGoAllOnOpen();
    });
}

FileCommands::~FileCommands() = default;

void FileCommands::UpdateConfigState(bool open)
{
    UpdateCaption();
    UpdateAutoSave();
    UpdateSaveOnClose();
    module.Lock().UpdateLockState();
    module.Program().UpdateHiddenMenu();
    module.Program().UpdateLockSize();
    module.AllPanes().UpdateNoCache();
    module.AllPanes().UpdateDialogMode();
    if (open)
        module.AllPanes().UpdateTextSize(-1);
    module.Design().UpdateRootContainer(open);
    UpdateGoAllOnOpen();
    UpdateStartWithDesktop(module);
    UpdateFullScreen(module);
    UpdateSeparateProcesses(module);
    for (QAction *a : {saveNow, saveOnClose, saveCopyAs, rename, deleteSet})
        a->setEnabled(open);
    Q_EMIT SetStateChanged();
    // The set is open and its panes exist: the wall loads by itself.
    if (open && module.Flags().testFlag(pfGoAllOnOpen))
        module.AllPanes().GoAll()->trigger();
}

QString FileCommands::MakeCaption(const QString &configFileName)
{
    if (configFileName.isEmpty())
        return QStringLiteral("Mira");
    return QFileInfo(configFileName).completeBaseName() + QStringLiteral(" - Mira");
}

void FileCommands::UpdateCaption()
{
    applicationTitle = MakeCaption(sets->ConfigFileName);
    if (TBaseForm *form = module.MainWindow())
        form->setWindowTitle(applicationTitle);
}

void FileCommands::UpdateGoAllOnOpen()
{
    goAllOnOpen->setChecked(module.Flags().testFlag(pfGoAllOnOpen));
    goAllOnOpen->setEnabled(sets->IsSetOpen());
    UpdateScreenAwake(module);
}

void FileCommands::UpdateAutoSave()
{
    const bool on = module.Flags().testFlag(pfAutoSave);
    autoSave->setChecked(on);
    autoSave->setEnabled(sets->IsSetOpen());
    if (on)
        autoSaveTimer.start(600000);
    else
        autoSaveTimer.stop();
}

void FileCommands::UpdateSaveOnClose()
{
    saveOnClose->setChecked(!module.Flags().testFlag(pfNoSaveOnClose));
    saveOnClose->setEnabled(sets->IsSetOpen());
}

} // namespace mira
