#include "app/designactions.h"

#include <QAction>
#include <QMenu>

#include "app/appcontrol.h"
#include "app/baseform.h"
#include "layout/book.h"
#include "layout/designcommands.h"
#include "layout/pagerotation.h"

namespace mira {

namespace {

void applyGroup(const GroupState &g, QAction *copy, QAction *paste, QAction *newItem, QAction *cut,
                QAction *del, QAction *toggle)
{
    copy->setEnabled(g.copy);
    paste->setEnabled(g.paste);
    newItem->setEnabled(g.newItem);
    cut->setEnabled(g.cut);
    del->setEnabled(g.del);
    toggle->setEnabled(g.toggle);
    toggle->setChecked(g.checked);
}

} // namespace

DesignCommands *ConnectDesignActions(TAppControlModule &module)
{
    TAppControlModule *m = &module;
    auto *design = new DesignCommands(
        m, [m]() -> QWidget * { return m->MainWindow(); }, &m->Classes());

    QObject::connect(m->DesignPopup, &QMenu::aboutToShow, design, [m, design] {
        const PopupState s = design->DesignPopupPopup(m->LastControl);
        applyGroup(s.book, m->BookCopyAction, m->BookPasteAction, m->BookNewAction,
                   m->BookCutAction, m->BookDeleteAction, m->BookTabsPosAction);
        for (QAction *a :
             {m->PageRenameAction, m->PageMoveAction, m->PageRotateAction, m->PageCopyAction,
              m->PagePasteAction, m->PageNewAction, m->PageCutAction, m->PageDeleteAction})
            a->setEnabled(s.pageItems);
        applyGroup(s.browser, m->BrowserCopyAction, m->BrowserPasteAction, m->BrowserNewAction,
                   m->BrowserCutAction, m->BrowserDeleteAction, m->BrowserNaviBarPosAction);
    });

    auto on = [design](QAction *action, auto handler) {
        QObject::connect(action, &QAction::triggered, design, handler);
    };
    const QString book = QStringLiteral("TBook");
    const QString pane = QStringLiteral("TBrowser");
    on(m->BookNewAction,
       [m, design, book] { design->InsertControl(book, m->LastControl, m->LastMousePos); });
    on(m->BrowserNewAction,
       [m, design, pane] { design->InsertControl(pane, m->LastControl, m->LastMousePos); });
    on(m->BookDeleteAction, [m, design, book] { design->DeleteControl(book, m->LastControl); });
    on(m->BrowserDeleteAction, [m, design, pane] { design->DeleteControl(pane, m->LastControl); });
    on(m->PageRenameAction, [m, design] { design->PageRename(m->LastControl); });
    on(m->PageMoveAction, [m, design] { design->PageMove(m->LastControl); });
    on(m->PageRotateAction, [m] {
        if (TPage *p = DesignCommands::SelectedPage(m->LastControl))
            AskRotatePeriod(p->Book());
    });
    on(m->PageNewAction, [m, design] { design->PageNew(m->LastControl); });
    on(m->PageDeleteAction, [m, design] { design->PageDelete(m->LastControl); });
    on(m->BookTabsPosAction, [m, design] { design->BookTabsPos(m->LastControl); });
    on(m->BrowserNaviBarPosAction, [design] { design->BrowserNaviBarPos(); });
    return design;
}

} // namespace mira
