#include "app/programcommands.h"

#include <QAction>

#include "about/aboutform.h"
#include "app/actiontable.h"
#include "app/appcontrol.h"
#include "app/baseform.h"
#include "app/filecommands.h"
#include "app/setcommands.h"

namespace mira {

ProgramCommands::ProgramCommands(TAppControlModule &owner)
    : QObject(&owner),
      module(owner),
      hiddenMenu(TakeAction(owner, "HiddenMenuAction", this)),
      lockSize(TakeAction(owner, "LockSizeAction", this))
{
    auto take = [&owner, this](const char *name) { return TakeAction(owner, name, this); };
    // The Actions heading stays the module's: it follows the panes.
    headings = {take("FileActions"), owner.Action(u"ActionsAction"), take("HelpActions")};
    auto window = [this]() -> QWidget * { return module.MainWindow(); };
    connect(take("ExitAction"), &QAction::triggered, this, [window] {
        if (QWidget *form = window())
            form->close();
    });
    connect(take("MinimizeAction"), &QAction::triggered, this, [window] {
        if (QWidget *form = window())
            form->showMinimized();
    });
    connect(take("AboutAction"), &QAction::triggered, this, [window] { ShowAboutBox(window()); });
    ConnectNotImplemented(take("OptionsAction"), this, window);
    connect(hiddenMenu, &QAction::triggered, this, [this](bool on) {
        module.SetProgramFlag(pfHiddenMenu, on);
        UpdateHiddenMenu();
    });
    connect(lockSize, &QAction::triggered, this, [this](bool on) {
        module.SetProgramFlag(pfLockSize, on);
        UpdateLockSize();
    });
}

void ProgramCommands::UpdateHiddenMenu()
{
    const bool hidden = module.Flags().testFlag(pfHiddenMenu);
    hiddenMenu->setChecked(hidden);
    hiddenMenu->setEnabled(module.File().Sets().IsSetOpen());
    for (QAction *heading : std::as_const(headings))
        heading->setVisible(!hidden);
}

void ProgramCommands::UpdateLockSize()
{
    const bool locked = module.Flags().testFlag(pfLockSize);
    lockSize->setChecked(locked);
    lockSize->setEnabled(module.File().Sets().IsSetOpen());
    if (TBaseForm *form = module.MainWindow())
        form->SetBorderStyle(locked ? QStringLiteral("bsSingle") : QStringLiteral("bsSizeable"));
}

} // namespace mira
