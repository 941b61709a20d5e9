#include "app/documentcommands.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>

#include "app/appcontrol.h"
#include "app/appmenus.h"
#include "app/programvalues.h"
#include "browser/browser.h"

namespace mira {

DocumentCommands::DocumentCommands(TAppControlModule &owner) : QObject(&owner), module(owner)
{
    const QList<QPair<const char *, DocumentCommand>> commands =
        {{"FindAction", DocumentCommand::Find},
         {"OpenDocAction", DocumentCommand::Open},
         {"SaveDocAction", DocumentCommand::SaveAs},
         {"PageSetupAction", DocumentCommand::PageSetup},
         {"PrintSetupAction", DocumentCommand::PrintSetup},
         {"PrintPreviewAction", DocumentCommand::PrintPreview},
         {"PrintAction", DocumentCommand::Print}};
    for (const auto &[name, command] : commands) {
        QAction *action = TakeAction(owner, name, this);
        connect(action, &QAction::triggered, this, [this, command = command] {
            if (TBrowser *pane = ArrowPane())
                pane->Commands().RunDocumentCommand(command);
        });
        if (command == DocumentCommand::Open)
            action->setVisible(OpenDocVisibleFor(programValues().ieVersion));
        else
            onDocument.append(action);
        if (command == DocumentCommand::PrintPreview)
            action->setVisible(PrintPreviewVisibleFor(programValues().ieVersion));
    }
    connect(module.Menus().ArrowPopup(), &QMenu::aboutToShow, this,
            &DocumentCommands::ArrowPopupPopup);
}

TBrowser *DocumentCommands::ArrowPane() const
{
    QWidget *bar = module.LastControl();
    if (!bar || !qobject_cast<QToolBar *>(bar))
        return nullptr;
    for (TBrowser *pane : module.Panes().List())
        if (pane == bar->parentWidget())
            return pane;
    return nullptr;
}

void DocumentCommands::ArrowPopupPopup()
{
    TBrowser *pane = ArrowPane();
    const bool hasDocument = pane && pane->Commands().HasDocument();
    for (QAction *a : std::as_const(onDocument))
        a->setEnabled(hasDocument);
}

} // namespace mira
