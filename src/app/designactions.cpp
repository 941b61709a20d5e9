#include "app/designactions.h"

#include <QAction>
#include <QMenu>

#include "app/actiontable.h"
#include "app/appcontrol.h"
#include "app/appmenus.h"
#include "app/baseform.h"
#include "layout/book.h"
#include "layout/designcommands.h"
#include "layout/pagerotation.h"
#include "layout/pan.h"

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

DesignActions::DesignActions(TAppControlModule &owner)
    : QObject(&owner),
      module(owner),
      design(new DesignCommands(
          this, [&owner]() -> QWidget * { return owner.MainWindow(); }, &owner.Classes())),
      bookNew(TakeAction(owner, "BookNewAction", this)),
      bookCut(TakeAction(owner, "BookCutAction", this)),
      bookCopy(TakeAction(owner, "BookCopyAction", this)),
      bookPaste(TakeAction(owner, "BookPasteAction", this)),
      bookDelete(TakeAction(owner, "BookDeleteAction", this)),
      bookTabsPos(TakeAction(owner, "BookTabsPosAction", this)),
      browserNew(TakeAction(owner, "BrowserNewAction", this)),
      browserCut(TakeAction(owner, "BrowserCutAction", this)),
      browserCopy(TakeAction(owner, "BrowserCopyAction", this)),
      browserPaste(TakeAction(owner, "BrowserPasteAction", this)),
      browserDelete(TakeAction(owner, "BrowserDeleteAction", this)),
      browserNaviBarPos(TakeAction(owner, "BrowserNaviBarPosAction", this))
{
    auto take = [&owner, this](const char *name) { return TakeAction(owner, name, this); };
    QAction *pageRename = take("PageRenameAction"), *pageMove = take("PageMoveAction"),
            *pageRotate = take("PageRotateAction"), *pageCopy = take("PageCopyAction"),
            *pagePaste = take("PagePasteAction"), *pageNew = take("PageNewAction"),
            *pageCut = take("PageCutAction"), *pageDelete = take("PageDeleteAction");
    pageItems = {pageRename, pageMove, pageRotate, pageCopy,
                 pagePaste,  pageNew,  pageCut,    pageDelete};

    connect(module.Menus().DesignPopup(), &QMenu::aboutToShow, this, &DesignActions::updatePopup);

    TAppControlModule *m = &module;
    DesignCommands *d = design;
    auto on = [d](QAction *action, auto handler) {
        QObject::connect(action, &QAction::triggered, d, handler);
    };
    const QString book = QStringLiteral("TBook");
    const QString pane = QStringLiteral("TBrowser");
    on(bookNew, [m, d, book] { d->InsertControl(book, m->LastControl(), m->LastMousePos()); });
    on(browserNew, [m, d, pane] { d->InsertControl(pane, m->LastControl(), m->LastMousePos()); });
    on(bookDelete, [m, d, book] { d->DeleteControl(book, m->LastControl()); });
    on(browserDelete, [m, d, pane] { d->DeleteControl(pane, m->LastControl()); });
    on(pageRename, [m, d] { d->PageRename(m->LastControl()); });
    on(pageMove, [m, d] { d->PageMove(m->LastControl()); });
    on(pageRotate, [m] {
        if (TPage *p = DesignCommands::SelectedPage(m->LastControl()))
            AskRotatePeriod(p->Book());
    });
    on(pageNew, [m, d] { d->PageNew(m->LastControl()); });
    on(pageDelete, [m, d] { d->PageDelete(m->LastControl()); });
    on(bookTabsPos, [m, d] { d->BookTabsPos(m->LastControl()); });
    on(browserNaviBarPos, [d] { d->BrowserNaviBarPos(); });

    // Commands whose features come later answer that they are not there yet; a
    // feature that arrives takes its actions off this list.
    auto window = [m]() -> QWidget * { return m->MainWindow(); };
    for (QAction *a : {take("BlockNewAction"), bookCut, bookCopy, bookPaste, pageCut, pageCopy,
                       pagePaste, browserCut, browserCopy, browserPaste, take("UndoAction")})
        ConnectNotImplemented(a, this, window);
}

void DesignActions::updatePopup()
{
    const PopupState s = design->DesignPopupPopup(module.LastControl());
    applyGroup(s.book, bookCopy, bookPaste, bookNew, bookCut, bookDelete, bookTabsPos);
    for (QAction *a : std::as_const(pageItems))
        a->setEnabled(s.pageItems);
    applyGroup(s.browser, browserCopy, browserPaste, browserNew, browserCut, browserDelete,
               browserNaviBarPos);
}

void DesignActions::UpdateRootContainer(bool open)
{
    TBaseForm *form = module.MainWindow();
    if (!form)
        return;
    TPan *root = form->RootContainer();
    if (!root)
        return;
    if (open) {
        root->SetPopupMenu(module.Menus().DesignPopup());
    } else {
        delete root;
    }
}

} // namespace mira
