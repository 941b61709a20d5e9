#include "app/appmenus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "app/appcontrol.h"

namespace mira {

namespace {

QAction *separator(QObject *parent, bool visible = true)
{
    auto *s = new QAction(parent);
    s->setSeparator(true);
    s->setVisible(visible);
    return s;
}

} // namespace

AppMenus::AppMenus(const TAppControlModule &owner) : module(owner)
{
    // The main menu's Stop All entry has a hint of its own; it runs the same command.
    stopAllMenuEntry = new QAction(action("StopAllAction")->text(), this);
    stopAllMenuEntry->setObjectName(QStringLiteral("StopAllMenuEntry"));
    stopAllMenuEntry->setIcon(action("StopAllAction")->icon());
    stopAllMenuEntry->setShortcut(action("StopAllAction")->shortcut());
    stopAllMenuEntry->setShortcutContext(Qt::WidgetShortcut); // the shared action owns F7
    stopAllMenuEntry->setStatusTip(QStringLiteral("Stop documents loading in all browsers"));
    stopAllMenuEntry->setToolTip(stopAllMenuEntry->statusTip());
    connect(stopAllMenuEntry, &QAction::triggered, action("StopAllAction"), &QAction::trigger);
    connect(action("StopAllAction"), &QAction::enabledChanged, stopAllMenuEntry,
            &QAction::setEnabled);

    createPopupMenus();
}

AppMenus::~AppMenus()
{
    delete statusPopup;
    delete arrowPopup;
    delete designPopup;
    delete urlPopup;
}

QAction *AppMenus::action(const char *name) const
{
    return module.Action(name);
}

void AppMenus::addFileCommands(QMenu *menu) const
{
    menu->addActions({action("FileNewAction"), action("FileLoadAction")});
    menu->addSeparator();
    menu->addActions({action("FileSaveNowAction"), action("FileSaveOnCloseAction"),
                      action("FileAutoSaveAction"), action("FileSaveAsAction"),
                      action("FileRenameAction"), action("FileDeleteAction")});
    menu->addSeparator();
    menu->addActions({action("GoAllOnOpenAction"), action("StartWithDesktopAction"),
                      action("FullScreenAction"), action("SeparateProcessesAction")});
}

void AppMenus::addActionsCommands(QMenu *menu, QAction *stopAll) const
{
    menu->addActions({action("GoAllAction"), stopAll, action("RefreshAllAction")});
    menu->addSeparator();
    menu->addActions({action("OnlineAction"), action("OfflineAction")});
    menu->addSeparator();
    menu->addActions(
        {action("InteractiveAction"), action("ModerateAction"), action("SilentAction")});
    menu->addSeparator();
    menu->addMenu(textSizeMenu);
    menu->addAction(action("NoCacheAction"));
    menu->addSeparator();
    menu->addAction(action("InternetOptionsAction"));
    menu->addAction(action("WallStatusAction"));
}

QMenuBar *AppMenus::CreateAppMenu() const
{
    auto *bar = new QMenuBar;
    bar->setObjectName(QStringLiteral("AppMenu"));

    auto *file = new QMenu(action("FileActions")->text(), bar);
    file->setObjectName(QStringLiteral("miFile"));
    addFileCommands(file);
    file->addAction(separator(file, false));
    file->addAction(action("OptionsAction"));
    file->addSeparator();
    file->addActions({action("LockSizeAction"), action("HiddenMenuAction"),
                      action("SetLockKeyAction"), action("UseLockAction")});
    file->addSeparator();
    file->addActions({action("MinimizeAction"), action("ExitAction")});
    action("FileActions")->setMenu(file);

    auto *acts = new QMenu(action("ActionsAction")->text(), bar);
    acts->setObjectName(QStringLiteral("miActions"));
    addActionsCommands(acts, stopAllMenuEntry);
    action("ActionsAction")->setMenu(acts);

    auto *help = new QMenu(action("HelpActions")->text(), bar);
    help->setObjectName(QStringLiteral("miHelp"));
    help->addAction(action("AboutAction"));
    action("HelpActions")->setMenu(help);

    bar->addAction(action("FileActions"));
    bar->addAction(action("ActionsAction"));
    bar->addAction(action("HelpActions"));
    for (const char *hidden : {"Edit", "View", "Tools"}) {
        QMenu *m = bar->addMenu(QString::fromLatin1(hidden));
        m->menuAction()->setVisible(false);
    }
    return bar;
}

void AppMenus::createPopupMenus()
{
    textSizeMenu = new QMenu(action("TextSizesAction")->text());
    textSizeMenu->setObjectName(QStringLiteral("miTextSize"));
    textSizeMenu->addActions({action("TextSizeLargestAction"), action("TextSizeLargerAction"),
                              action("TextSizeMediumAction"), action("TextSizeSmallerAction"),
                              action("TextSizeSmallestAction")});
    textSizeMenu->menuAction()->setStatusTip(action("TextSizesAction")->statusTip());

    statusPopup = new QMenu;
    statusPopup->setObjectName(QStringLiteral("StatusPopup"));
    QMenu *file = statusPopup->addMenu(action("FileActions")->text());
    addFileCommands(file);
    file->menuAction()->setStatusTip(action("FileActions")->statusTip());
    QMenu *acts = statusPopup->addMenu(action("ActionsAction")->text());
    addActionsCommands(acts, action("StopAllAction"));
    acts->menuAction()->setStatusTip(action("ActionsAction")->statusTip());
    acts->menuAction()->setEnabled(action("ActionsAction")->isEnabled());
    connect(action("ActionsAction"), &QAction::enabledChanged, acts->menuAction(),
            &QAction::setEnabled);
    statusPopup->addSeparator();
    QMenu *help = statusPopup->addMenu(action("HelpActions")->text());
    help->addAction(action("AboutAction"));
    help->menuAction()->setStatusTip(action("HelpActions")->statusTip());
    statusPopup->addSeparator();
    statusPopup->addActions({action("LockSizeAction"), action("HiddenMenuAction"),
                             action("SetLockKeyAction"), action("UseLockAction")});
    statusPopup->addSeparator();
    statusPopup->addActions({action("MinimizeAction"), action("ExitAction")});

    arrowPopup = new QMenu;
    arrowPopup->setObjectName(QStringLiteral("ArrowPopup"));
    arrowPopup->addAction(action("FindAction"));
    arrowPopup->addSeparator();
    arrowPopup->addActions({action("OpenDocAction"), action("SaveDocAction")});
    arrowPopup->addSeparator();
    QMenu *arrowSizes = arrowPopup->addMenu(action("TextSizesAction")->text());
    arrowSizes->addActions(textSizeMenu->actions());
    arrowSizes->menuAction()->setVisible(false);
    arrowPopup->addAction(separator(arrowPopup, false));
    arrowPopup->addActions({action("PageSetupAction"), action("PrintSetupAction"),
                            action("PrintPreviewAction"), action("PrintAction")});

    designPopup = new QMenu;
    designPopup->setObjectName(QStringLiteral("DesignPopup"));
    designPopup->addAction(action("BlockNewAction"));
    QMenu *bookMenu = designPopup->addMenu(QStringLiteral("Book"));
    bookMenu->addActions({action("BookCopyAction"), action("BookPasteAction")});
    bookMenu->addAction(separator(bookMenu, false));
    bookMenu->addAction(action("BookNewAction"));
    bookMenu->addSeparator();
    bookMenu->addActions({action("BookCutAction"), action("BookDeleteAction")});
    bookMenu->addSeparator();
    bookMenu->addAction(action("BookTabsPosAction"));
    QMenu *pageMenu = designPopup->addMenu(QStringLiteral("Page"));
    pageMenu->addActions(
        {action("PageRenameAction"), action("PageMoveAction"), action("PageRotateAction")});
    pageMenu->addAction(separator(pageMenu, false));
    pageMenu->addActions({action("PageCopyAction"), action("PagePasteAction")});
    pageMenu->addSeparator();
    pageMenu->addAction(action("PageNewAction"));
    pageMenu->addSeparator();
    pageMenu->addActions({action("PageCutAction"), action("PageDeleteAction")});
    QMenu *paneMenu = designPopup->addMenu(QStringLiteral("Browser"));
    paneMenu->addActions({action("BrowserCopyAction"), action("BrowserPasteAction")});
    paneMenu->addAction(separator(paneMenu, false));
    paneMenu->addAction(action("BrowserNewAction"));
    paneMenu->addSeparator();
    paneMenu->addActions({action("BrowserCutAction"), action("BrowserDeleteAction")});
    paneMenu->addSeparator();
    paneMenu->addAction(action("BrowserNaviBarPosAction"));

    urlPopup = new QMenu;
    urlPopup->setObjectName(QStringLiteral("URLPopup"));
    urlPopup->addAction(action("AddBookmarkAction"));
    urlPopup->addSeparator();
    urlPopup->addActions({action("CutBookmarkAction"), action("CutAllBookmarksAction"),
                          action("CopyBookmarkAction"), action("CopyAllBookmarksAction"),
                          action("PasteBookmarkAction"), action("DeleteBookmarkAction"),
                          action("DeleteAllBookmarksAction"), action("EditBookmarksAction")});
    urlPopup->addSeparator();
    urlPopup->addActions({action("AddToFavoritesAction"), action("OrganizeFavoritesAction")});
    pasteFromFavoritesMenu = urlPopup->addMenu(action("PasteFromFavoritesAction")->text());
    pasteFromFavoritesMenu->setObjectName(QStringLiteral("miPasteFromFavorites"));
    pasteFromFavoritesMenu->menuAction()->setStatusTip(
        action("PasteFromFavoritesAction")->statusTip());
    pasteFromFavoritesMenu->addSeparator();
    urlPopup->addSeparator();
    urlPopup->addActions({action("CutAddressAction"), action("CopyAddressAction"),
                          action("PasteAddressAction"), action("DeleteAddressAction"),
                          action("UndoAddressAction"), action("EditAddressAction")});
    urlPopup->addSeparator();
    urlPopup->addActions({action("NoScrollBarsAction"), action("SaveScrollPositionAction")});
}

} // namespace mira
