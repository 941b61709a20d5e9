#include "app/appcontrol.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolBar>

#include "app/baseform.h"
#include "app/designactions.h"
#include "icons/images.h"
#include "dialogs/messagebox.h"
#include "browser/panecommands.h"
#include "app/programvalues.h"
#include "browser/browser.h"
#include "layout/component.h"
#include "platform/connectivity.h"
#include "platform/webengine.h"

namespace mira {

namespace {
const char kCategory[] = "miraCategory";
const char kTag[] = "miraTag";
const char kHint[] = "miraHint";
} // namespace

TAppControlModule::TAppControlModule()
{
    RegisterLayoutClasses(classes);
    RegisterBrowserClasses(classes);
    createActions();
    createPopupMenus();
    connectHandlers();
    ConnectDesignActions(*this);

    // Headings only open submenus; "Actions" waits for the first pane.
    ActionsAction->setEnabled(false);
    OpenDocAction->setVisible(OpenDocVisibleFor(programValues().ieVersion));
    PrintPreviewAction->setVisible(PrintPreviewVisibleFor(programValues().ieVersion));
    SetOnlineMode(platform::IsOnline());

    AutoSaveTimer.setInterval(600000);
    QCoreApplication::instance()->installEventFilter(this);
    // The engine keeps its text size itself; reading it needs no page.
    ReadTextSize = [] { return platform::engine::ZoomLevel(); };
}

TAppControlModule::~TAppControlModule()
{
    QCoreApplication::instance()->removeEventFilter(this);
    delete StatusPopup;
    delete ArrowPopup;
    delete DesignPopup;
    delete URLPopup;
}

void TAppControlModule::SetMainWindow(TBaseForm *form)
{
    mainWindow = form;
}

QAction *TAppControlModule::makeAction(const char *name, const QString &category,
                                       const QString &caption, const QString &hint, int image,
                                       const QKeySequence &shortcut, int tag)
{
    auto *a = new QAction(caption, this);
    a->setObjectName(QString::fromLatin1(name));
    a->setProperty(kCategory, category);
    a->setProperty(kTag, tag);
    a->setProperty(kHint, hint);
    a->setToolTip(ShortHint(hint));
    a->setStatusTip(LongHint(hint));
    if (image >= 0)
        a->setIcon(ImageIcon(image));
    if (!shortcut.isEmpty()) {
        a->setShortcut(shortcut);
        a->setShortcutContext(Qt::ApplicationShortcut);
    }
    actions.append(a);
    return a;
}

QString TAppControlModule::Category(const QAction *action)
{
    return action->property(kCategory).toString();
}

int TAppControlModule::Tag(const QAction *action)
{
    return action->property(kTag).toInt();
}

QString TAppControlModule::Hint(const QAction *action)
{
    return action->property(kHint).toString();
}

void TAppControlModule::createActions()
{
    const QString program = QStringLiteral("Program");
    const QString file = QStringLiteral("File");
    const QString browser = QStringLiteral("Browser");
    const QString arrow = QStringLiteral("Arrow");
    const QString url = QStringLiteral("URL");

    FileActions = makeAction("FileActions", file, QStringLiteral("File"),
                             QStringLiteral("Configuration set and program commands"));
    ActionsAction = makeAction("ActionsAction", browser, QStringLiteral("Actions"),
                               QStringLiteral("Actions affecting all browsers"));
    HelpActions = makeAction("HelpActions", program, QStringLiteral("Help"),
                             QStringLiteral("Program Help"));
    TextSizesAction = makeAction("TextSizesAction", browser, QStringLiteral("Text Size"),
                                 QStringLiteral("Specifies relative size of text in displayed documents"));

    ExitAction = makeAction("ExitAction", program, QStringLiteral("Exit"),
                            QStringLiteral("Quit|Close the program"));
    MinimizeAction = makeAction("MinimizeAction", program, QStringLiteral("Minimize"),
                                QStringLiteral("Minimize|Minimize window"), -1, Qt::Key_F4);
    AboutAction = makeAction("AboutAction", program, QStringLiteral("About..."),
                             QStringLiteral("Information about the program"), -1, Qt::Key_F1);
    HiddenMenuAction = makeAction("HiddenMenuAction", program, QStringLiteral("Hidden Menu"),
        QStringLiteral("Hides the application main menu. Access via status bar popup menu remains."));
    LockSizeAction = makeAction("LockSizeAction", program, QStringLiteral("Lock Size"),
                                QStringLiteral("Lock size of program window"));
    OptionsAction = makeAction("OptionsAction", program, QStringLiteral("Options..."),
                               QStringLiteral("Program options and properties"), 26);
    SetLockKeyAction = makeAction("SetLockKeyAction", program, QStringLiteral("Set Lock Key..."),
        QStringLiteral("Set password key to unlock loaded configuration after the program has been minimized"), 33);
    UseLockAction = makeAction("UseLockAction", program, QStringLiteral("Lock On Minimize"),
        QStringLiteral("Lock loaded configuration on minimizing program. Password key required to unlock and restore the view"));

    FileNewAction = makeAction("FileNewAction", file, QStringLiteral("New"),
        QStringLiteral("Create new configuration and close and save an open one as appropriate"), 22);
    FileLoadAction = makeAction("FileLoadAction", file, QStringLiteral("Open..."),
                                QStringLiteral("Load a configuration file"), 23);
    FileSaveNowAction = makeAction("FileSaveNowAction", file, QStringLiteral("Save Now"),
                                   QStringLiteral("Save current configuration right now"));
    FileSaveOnCloseAction = makeAction("FileSaveOnCloseAction", file, QStringLiteral("Save On Close"),
                                       QStringLiteral("Save configuration on closing"));
    FileAutoSaveAction = makeAction("FileAutoSaveAction", file, QStringLiteral("AutoSave"),
        QStringLiteral("Save currently open configuration file periodically"));
    FileSaveAsAction = makeAction("FileSaveAsAction", file, QStringLiteral("Save Copy As..."),
        QStringLiteral("Make a copy of current configuration file with new name"), 24);
    FileRenameAction = makeAction("FileRenameAction", file, QStringLiteral("Rename"),
                                  QStringLiteral("Rename current configuration file"));
    FileDeleteAction = makeAction("FileDeleteAction", file, QStringLiteral("Delete"),
                                  QStringLiteral("Delete current configuration file permanently"), 21);

    GoAllAction = makeAction("GoAllAction", browser, QStringLiteral("Go All"),
        QStringLiteral("Navigate on selected bookmarked locations in all browsers"), 12, Qt::Key_F9);
    StopAllAction = makeAction("StopAllAction", browser, QStringLiteral("Stop All"),
        QStringLiteral("Stop loading documents in all browsers"), 2, Qt::Key_F7);
    RefreshAllAction = makeAction("RefreshAllAction", browser, QStringLiteral("Refresh All"),
        QStringLiteral("Reload currently loaded bookmarked documents in all browsers"), 3, Qt::Key_F8);
    OnlineAction = makeAction("OnlineAction", browser, QStringLiteral("Online Mode"),
                              QStringLiteral("Set online mode for all browsers"), 14);
    OfflineAction = makeAction("OfflineAction", browser, QStringLiteral("Offline Mode"),
                               QStringLiteral("Set offline mode for all browsers"), 15);
    InteractiveAction = makeAction("InteractiveAction", browser, QStringLiteral("Interactive Mode"),
        QStringLiteral("Interactive mode shows all dialog messages including  document loading and script errors"));
    ModerateAction = makeAction("ModerateAction", browser, QStringLiteral("Moderate Mode"),
        QStringLiteral("Moderate mode allows showing input and confirmation dialogs such as password prompts, security and download messages"));
    SilentAction = makeAction("SilentAction", browser, QStringLiteral("Silent Mode"),
        QStringLiteral("Silent mode prevents showing interactive dialogs to user"));
    TextSizeLargestAction = makeAction("TextSizeLargestAction", browser, QStringLiteral("Largest"),
                                       QStringLiteral("Largest font size"), -1, {}, 4);
    TextSizeLargerAction = makeAction("TextSizeLargerAction", browser, QStringLiteral("Larger"),
                                      QStringLiteral("Larger font size"), -1, {}, 3);
    TextSizeMediumAction = makeAction("TextSizeMediumAction", browser, QStringLiteral("Medium"),
                                      QStringLiteral("Medium font size"), -1, {}, 2);
    TextSizeSmallerAction = makeAction("TextSizeSmallerAction", browser, QStringLiteral("Smaller"),
                                       QStringLiteral("Smaller font size"), -1, {}, 1);
    TextSizeSmallestAction = makeAction("TextSizeSmallestAction", browser, QStringLiteral("Smallest"),
                                        QStringLiteral("Smallest font size"), -1, {}, 0);
    NoCacheAction = makeAction("NoCacheAction", browser, QStringLiteral("No Cache Nor History"),
        QStringLiteral("Do not use disk cache nor history list on browsing"));
    InternetOptionsAction = makeAction("InternetOptionsAction", browser, QStringLiteral("Internet Options..."),
        QStringLiteral("Global properties and options for Internet connections"), 26);

    // The main menu's Stop All entry has a hint of its own; it runs the same command.
    StopAllMenuEntry = new QAction(StopAllAction->text(), this);
    StopAllMenuEntry->setObjectName(QStringLiteral("StopAllMenuEntry"));
    StopAllMenuEntry->setIcon(StopAllAction->icon());
    StopAllMenuEntry->setShortcut(StopAllAction->shortcut());
    StopAllMenuEntry->setShortcutContext(Qt::WidgetShortcut); // the shared action owns F7
    StopAllMenuEntry->setStatusTip(QStringLiteral("Stop documents loading in all browsers"));
    StopAllMenuEntry->setToolTip(StopAllMenuEntry->statusTip());
    connect(StopAllMenuEntry, &QAction::triggered, StopAllAction, &QAction::trigger);
    connect(StopAllAction, &QAction::enabledChanged, StopAllMenuEntry, &QAction::setEnabled);

    FindAction = makeAction("FindAction", arrow, QStringLiteral("Find..."),
                            QStringLiteral("Find text in currently loaded document"), 28);
    OpenDocAction = makeAction("OpenDocAction", arrow, QStringLiteral("Open..."),
                               QStringLiteral("Opens a document file from disk"), 23);
    SaveDocAction = makeAction("SaveDocAction", arrow, QStringLiteral("Save As..."),
                               QStringLiteral("Saves currently loaded document to disk as a file"), 24);
    PageSetupAction = makeAction("PageSetupAction", arrow, QStringLiteral("Page Setup..."),
                                 QStringLiteral("Setup page for printing"), 26);
    PrintSetupAction = makeAction("PrintSetupAction", arrow, QStringLiteral("Print Setup..."),
                                  QStringLiteral("Setup for printing"), 30);
    PrintPreviewAction = makeAction("PrintPreviewAction", arrow, QStringLiteral("Print Preview..."),
                                    QStringLiteral("Take a look at the document before printing"), 25);
    PrintAction = makeAction("PrintAction", arrow, QStringLiteral("Print"),
                             QStringLiteral("Print current document"), 9);

    const QString block = QStringLiteral("Block");
    const QString book = QStringLiteral("Book");
    const QString page = QStringLiteral("Page");
    const QString pane = QStringLiteral("Browser");
    BlockNewAction = makeAction("BlockNewAction", block, QStringLiteral("New"),
                                QStringLiteral("Create new resizable block (panel)"), 22);
    BookNewAction = makeAction("BookNewAction", book, QStringLiteral("New"),
                               QStringLiteral("Create new tabbed book"), 22);
    BookCutAction = makeAction("BookCutAction", book, QStringLiteral("Cut"), QStringLiteral("Cut the book"), 16);
    BookCopyAction = makeAction("BookCopyAction", book, QStringLiteral("Copy"),
                                QStringLiteral("Make a copy of the book"), 17);
    BookPasteAction = makeAction("BookPasteAction", book, QStringLiteral("Paste"),
                                 QStringLiteral("Paste copied book"), 18);
    BookDeleteAction = makeAction("BookDeleteAction", book, QStringLiteral("Delete"),
                                  QStringLiteral("Delete the book"), 21);
    BookTabsPosAction = makeAction("BookTabsPosAction", book, QStringLiteral("Tabs On Bottom"),
                                   QStringLiteral("Change tabs position (top/bottom)"));
    PageRenameAction = makeAction("PageRenameAction", page, QStringLiteral("Rename..."),
                                  QStringLiteral("Change name of active page"), 26);
    PageMoveAction = makeAction("PageMoveAction", page, QStringLiteral("Move..."),
                                QStringLiteral("Change active page position"));
    PageNewAction = makeAction("PageNewAction", page, QStringLiteral("New"),
                               QStringLiteral("Add new page right after the active one"), 22);
    PageCutAction = makeAction("PageCutAction", page, QStringLiteral("Cut"),
                               QStringLiteral("Cut the active page"), 16);
    PageCopyAction = makeAction("PageCopyAction", page, QStringLiteral("Copy"),
                                QStringLiteral("Copy the active page"), 17);
    PagePasteAction = makeAction("PagePasteAction", page, QStringLiteral("Paste"),
                                 QStringLiteral("Paste the active page"), 18);
    PageDeleteAction = makeAction("PageDeleteAction", page, QStringLiteral("Delete"),
                                  QStringLiteral("Delete active page"), 21);
    BrowserNewAction = makeAction("BrowserNewAction", pane, QStringLiteral("New"),
                                  QStringLiteral("Create new browser"), 22);
    BrowserCutAction = makeAction("BrowserCutAction", pane, QStringLiteral("Cut"),
                                  QStringLiteral("Cut the browser"), 16);
    BrowserCopyAction = makeAction("BrowserCopyAction", pane, QStringLiteral("Copy"),
                                   QStringLiteral("Make a copy of the browser"), 17);
    BrowserPasteAction = makeAction("BrowserPasteAction", pane, QStringLiteral("Paste"),
                                    QStringLiteral("Paste copied browser"), 18);
    BrowserDeleteAction = makeAction("BrowserDeleteAction", pane, QStringLiteral("Delete"),
                                     QStringLiteral("Delete the browser"), 21);
    BrowserNaviBarPosAction = makeAction("BrowserNaviBarPosAction", pane,
        QStringLiteral("Navigation Bar On Bottom"), QStringLiteral("Change navigation bar position (top/bottom)"));
    UndoAction = makeAction("UndoAction", QStringLiteral("Edit"), QStringLiteral("Undo"), QString(), 19);

    AddBookmarkAction = makeAction("AddBookmarkAction", url, QStringLiteral("Add Address To Bookmarks"),
                                   QStringLiteral("Add location to bookmark list"));
    CutBookmarkAction = makeAction("CutBookmarkAction", url, QStringLiteral("Cut Bookmark"),
        QStringLiteral("Cut selected bookmark from bookmark list into copy buffer"));
    CutAllBookmarksAction = makeAction("CutAllBookmarksAction", url, QStringLiteral("Cut All Bookmarks"),
        QStringLiteral("Cut all bookmarks from bookmark list into copy buffer"));
    CopyBookmarkAction = makeAction("CopyBookmarkAction", url, QStringLiteral("Copy Bookmark"),
                                    QStringLiteral("Copy selected bookmark into copy buffer"));
    CopyAllBookmarksAction = makeAction("CopyAllBookmarksAction", url, QStringLiteral("Copy All Bookmarks"),
        QStringLiteral("Copy all bookmarks from bookmark list into copy buffer"));
    PasteBookmarkAction = makeAction("PasteBookmarkAction", url, QStringLiteral("Paste Bookmark(s)"),
        QStringLiteral("Paste bookmark(s) from copy buffer to bookmark list"));
    DeleteBookmarkAction = makeAction("DeleteBookmarkAction", url, QStringLiteral("Delete Bookmark"),
                                      QStringLiteral("Delete selected bookmark from the list"));
    DeleteAllBookmarksAction = makeAction("DeleteAllBookmarksAction", url,
        QStringLiteral("Delete All Bookmarks"), QStringLiteral("Empty bookmark list"));
    EditBookmarksAction = makeAction("EditBookmarksAction", url, QStringLiteral("Edit Bookmark..."),
                                     QStringLiteral("Edit bookmark"));
    AddToFavoritesAction = makeAction("AddToFavoritesAction", url, QStringLiteral("Add To Favorites..."),
        QStringLiteral("Add loaded location to Internet Explorer Favorites"));
    OrganizeFavoritesAction = makeAction("OrganizeFavoritesAction", url,
        QStringLiteral("Organize Favorites..."), QStringLiteral("Organize Internet Explorer Favorites"));
    PasteFromFavoritesAction = makeAction("PasteFromFavoritesAction", url,
        QStringLiteral("Paste From Favorites"),
        QStringLiteral("Paste location address from Internet Explorer Favorites"));
    CutAddressAction = makeAction("CutAddressAction", url, QStringLiteral("Cut Address"),
                                  QStringLiteral("Cut location to clipboard"));
    CopyAddressAction = makeAction("CopyAddressAction", url, QStringLiteral("Copy Address"),
                                   QStringLiteral("Copy location to clipboard"));
    PasteAddressAction = makeAction("PasteAddressAction", url, QStringLiteral("Paste Address"),
                                    QStringLiteral("Paste location from clipboard"));
    DeleteAddressAction = makeAction("DeleteAddressAction", url, QStringLiteral("Delete Address"),
                                     QStringLiteral("Empty location box"));
    UndoAddressAction = makeAction("UndoAddressAction", url, QStringLiteral("Undo Address"),
                                   QStringLiteral("Undo last action in location box"));
    EditAddressAction = makeAction("EditAddressAction", url, QStringLiteral("Edit Address..."),
                                   QStringLiteral("Open wide level dialog to edit location address"));
    NoScrollBarsAction = makeAction("NoScrollBarsAction", url, QStringLiteral("No Scroll Bars"),
        QStringLiteral("Hide scroll bars for currently loaded and bookmarked document"));
    SaveScrollPositionAction = makeAction("SaveScrollPositionAction", url,
        QStringLiteral("Save Scroll Position"),
        QStringLiteral("Remember adjusted scroll bars position of currently loaded and bookmarked document for subsequent reloads"));

    for (QAction *a : {FileSaveOnCloseAction, FileAutoSaveAction, HiddenMenuAction, LockSizeAction,
                       UseLockAction, NoCacheAction, OnlineAction, OfflineAction,
                       InteractiveAction, ModerateAction, SilentAction, TextSizeLargestAction,
                       TextSizeLargerAction, TextSizeMediumAction, TextSizeSmallerAction,
                       TextSizeSmallestAction, BookTabsPosAction, BrowserNaviBarPosAction,
                       NoScrollBarsAction})
        a->setCheckable(true);
    auto *sizes = new QActionGroup(this);
    for (QAction *a : {TextSizeLargestAction, TextSizeLargerAction, TextSizeMediumAction,
                       TextSizeSmallerAction, TextSizeSmallestAction})
        sizes->addAction(a);

    // What a set that is not open allows; UpdateConfigState keeps these in step later.
    for (QAction *a : {FileSaveNowAction, FileSaveOnCloseAction, FileAutoSaveAction,
                       FileSaveAsAction, FileRenameAction, FileDeleteAction, HiddenMenuAction,
                       LockSizeAction, NoCacheAction, SetLockKeyAction, UseLockAction,
                       FindAction, SaveDocAction, PageSetupAction, PrintSetupAction,
                       PrintPreviewAction, PrintAction})
        a->setEnabled(false);
    FileSaveOnCloseAction->setChecked(true);
    ModerateAction->setChecked(true);
    OptionsAction->setVisible(false);
    for (QAction *a : {BlockNewAction, BookCutAction, BookCopyAction, BookPasteAction,
                       PageCutAction, PageCopyAction, PagePasteAction, BrowserCutAction,
                       BrowserCopyAction, BrowserPasteAction})
        a->setVisible(false);
}

namespace {

QAction *separator(QObject *parent, bool visible = true)
{
    auto *s = new QAction(parent);
    s->setSeparator(true);
    s->setVisible(visible);
    return s;
}

} // namespace

void TAppControlModule::addFileCommands(QMenu *menu)
{
    menu->addActions({FileNewAction, FileLoadAction});
    menu->addSeparator();
    menu->addActions({FileSaveNowAction, FileSaveOnCloseAction, FileAutoSaveAction,
                      FileSaveAsAction, FileRenameAction, FileDeleteAction});
}

void TAppControlModule::addActionsCommands(QMenu *menu, QAction *stopAll)
{
    menu->addActions({GoAllAction, stopAll, RefreshAllAction});
    menu->addSeparator();
    menu->addActions({OnlineAction, OfflineAction});
    menu->addSeparator();
    menu->addActions({InteractiveAction, ModerateAction, SilentAction});
    menu->addSeparator();
    menu->addMenu(TextSizeMenu);
    menu->addAction(NoCacheAction);
    menu->addSeparator();
    menu->addAction(InternetOptionsAction);
}

QMenuBar *TAppControlModule::CreateAppMenu()
{
    auto *bar = new QMenuBar;
    bar->setObjectName(QStringLiteral("AppMenu"));

    auto *file = new QMenu(FileActions->text(), bar);
    file->setObjectName(QStringLiteral("miFile"));
    addFileCommands(file);
    file->addAction(separator(file, false));
    file->addAction(OptionsAction);
    file->addSeparator();
    file->addActions({LockSizeAction, HiddenMenuAction, SetLockKeyAction, UseLockAction});
    file->addSeparator();
    file->addActions({MinimizeAction, ExitAction});
    FileActions->setMenu(file);

    auto *acts = new QMenu(ActionsAction->text(), bar);
    acts->setObjectName(QStringLiteral("miActions"));
    addActionsCommands(acts, StopAllMenuEntry);
    ActionsAction->setMenu(acts);

    auto *help = new QMenu(HelpActions->text(), bar);
    help->setObjectName(QStringLiteral("miHelp"));
    help->addAction(AboutAction);
    HelpActions->setMenu(help);

    bar->addAction(FileActions);
    bar->addAction(ActionsAction);
    bar->addAction(HelpActions);
    for (const char *hidden : {"Edit", "View", "Tools"}) {
        QMenu *m = bar->addMenu(QString::fromLatin1(hidden));
        m->menuAction()->setVisible(false);
    }
    return bar;
}

void TAppControlModule::createPopupMenus()
{
    TextSizeMenu = new QMenu(TextSizesAction->text());
    TextSizeMenu->setObjectName(QStringLiteral("miTextSize"));
    TextSizeMenu->addActions({TextSizeLargestAction, TextSizeLargerAction, TextSizeMediumAction,
                              TextSizeSmallerAction, TextSizeSmallestAction});
    TextSizeMenu->menuAction()->setStatusTip(TextSizesAction->statusTip());

    StatusPopup = new QMenu;
    StatusPopup->setObjectName(QStringLiteral("StatusPopup"));
    QMenu *file = StatusPopup->addMenu(FileActions->text());
    addFileCommands(file);
    file->menuAction()->setStatusTip(FileActions->statusTip());
    QMenu *acts = StatusPopup->addMenu(ActionsAction->text());
    addActionsCommands(acts, StopAllAction);
    acts->menuAction()->setStatusTip(ActionsAction->statusTip());
    acts->menuAction()->setEnabled(ActionsAction->isEnabled());
    connect(ActionsAction, &QAction::enabledChanged, acts->menuAction(), &QAction::setEnabled);
    StatusPopup->addSeparator();
    QMenu *help = StatusPopup->addMenu(HelpActions->text());
    help->addAction(AboutAction);
    help->menuAction()->setStatusTip(HelpActions->statusTip());
    StatusPopup->addSeparator();
    StatusPopup->addActions({LockSizeAction, HiddenMenuAction, SetLockKeyAction, UseLockAction});
    StatusPopup->addSeparator();
    StatusPopup->addActions({MinimizeAction, ExitAction});

    ArrowPopup = new QMenu;
    ArrowPopup->setObjectName(QStringLiteral("ArrowPopup"));
    ArrowPopup->addAction(FindAction);
    ArrowPopup->addSeparator();
    ArrowPopup->addActions({OpenDocAction, SaveDocAction});
    ArrowPopup->addSeparator();
    QMenu *arrowSizes = ArrowPopup->addMenu(TextSizesAction->text());
    arrowSizes->addActions(TextSizeMenu->actions());
    arrowSizes->menuAction()->setVisible(false);
    ArrowPopup->addAction(separator(ArrowPopup, false));
    ArrowPopup->addActions({PageSetupAction, PrintSetupAction, PrintPreviewAction, PrintAction});

    DesignPopup = new QMenu;
    DesignPopup->setObjectName(QStringLiteral("DesignPopup"));
    DesignPopup->addAction(BlockNewAction);
    QMenu *bookMenu = DesignPopup->addMenu(QStringLiteral("Book"));
    bookMenu->addActions({BookCopyAction, BookPasteAction});
    bookMenu->addAction(separator(bookMenu, false));
    bookMenu->addAction(BookNewAction);
    bookMenu->addSeparator();
    bookMenu->addActions({BookCutAction, BookDeleteAction});
    bookMenu->addSeparator();
    bookMenu->addAction(BookTabsPosAction);
    QMenu *pageMenu = DesignPopup->addMenu(QStringLiteral("Page"));
    pageMenu->addActions({PageRenameAction, PageMoveAction});
    pageMenu->addAction(separator(pageMenu, false));
    pageMenu->addActions({PageCopyAction, PagePasteAction});
    pageMenu->addSeparator();
    pageMenu->addAction(PageNewAction);
    pageMenu->addSeparator();
    pageMenu->addActions({PageCutAction, PageDeleteAction});
    QMenu *paneMenu = DesignPopup->addMenu(QStringLiteral("Browser"));
    paneMenu->addActions({BrowserCopyAction, BrowserPasteAction});
    paneMenu->addAction(separator(paneMenu, false));
    paneMenu->addAction(BrowserNewAction);
    paneMenu->addSeparator();
    paneMenu->addActions({BrowserCutAction, BrowserDeleteAction});
    paneMenu->addSeparator();
    paneMenu->addAction(BrowserNaviBarPosAction);

    URLPopup = new QMenu;
    URLPopup->setObjectName(QStringLiteral("URLPopup"));
    URLPopup->addAction(AddBookmarkAction);
    URLPopup->addSeparator();
    URLPopup->addActions({CutBookmarkAction, CutAllBookmarksAction, CopyBookmarkAction,
                          CopyAllBookmarksAction, PasteBookmarkAction, DeleteBookmarkAction,
                          DeleteAllBookmarksAction, EditBookmarksAction});
    URLPopup->addSeparator();
    URLPopup->addActions({AddToFavoritesAction, OrganizeFavoritesAction});
    PasteFromFavoritesMenu = URLPopup->addMenu(PasteFromFavoritesAction->text());
    PasteFromFavoritesMenu->setObjectName(QStringLiteral("miPasteFromFavorites"));
    PasteFromFavoritesMenu->menuAction()->setStatusTip(PasteFromFavoritesAction->statusTip());
    PasteFromFavoritesMenu->addSeparator();
    URLPopup->addSeparator();
    URLPopup->addActions({CutAddressAction, CopyAddressAction, PasteAddressAction,
                          DeleteAddressAction, UndoAddressAction, EditAddressAction});
    URLPopup->addSeparator();
    URLPopup->addActions({NoScrollBarsAction, SaveScrollPositionAction});
}

void TAppControlModule::notImplemented()
{
    NotImplemented(mainWindow);
}

void TAppControlModule::connectHandlers()
{
    connect(ExitAction, &QAction::triggered, this, [this] {
        if (mainWindow)
            mainWindow->close();
    });
    connect(MinimizeAction, &QAction::triggered, this, [this] {
        if (mainWindow)
            mainWindow->showMinimized();
    });
    connect(OnlineAction, &QAction::triggered, this, [this] { SetOnlineMode(true); });
    connect(ArrowPopup, &QMenu::aboutToShow, this, &TAppControlModule::ArrowPopupPopup);
    const QList<QPair<QAction *, DocumentCommand>> documentCommands = {
        {FindAction, DocumentCommand::Find},
        {OpenDocAction, DocumentCommand::Open},
        {SaveDocAction, DocumentCommand::SaveAs},
        {PageSetupAction, DocumentCommand::PageSetup},
        {PrintSetupAction, DocumentCommand::PrintSetup},
        {PrintPreviewAction, DocumentCommand::PrintPreview},
        {PrintAction, DocumentCommand::Print}};
    for (const auto &[action, command] : documentCommands)
        connect(action, &QAction::triggered, this, [this, command = command] {
            if (auto *pane = dynamic_cast<PaneCommands *>(ArrowPane()))
                pane->RunDocumentCommand(command);
        });
    // The commands on all panes walk the list in order; a pane may go while they run.
    auto forEachPane = [this](void (PaneCommands::*command)()) {
        const QList<QPointer<QWidget>> panes(BrowserList.begin(), BrowserList.end());
        for (const QPointer<QWidget> &pane : panes)
            if (auto *p = dynamic_cast<PaneCommands *>(pane.data()))
                (p->*command)();
    };
    connect(GoAllAction, &QAction::triggered, this, [forEachPane] { forEachPane(&PaneCommands::GoBookmarked); });
    connect(StopAllAction, &QAction::triggered, this, [forEachPane] { forEachPane(&PaneCommands::StopLoading); });
    connect(RefreshAllAction, &QAction::triggered, this,
            [forEachPane] { forEachPane(&PaneCommands::RefreshBookmarked); });
    connect(OfflineAction, &QAction::triggered, this, [this] { SetOnlineMode(false); });

    // Commands whose features come later answer that they are not there yet.
    for (QAction *a : {AboutAction, OptionsAction, SetLockKeyAction, BlockNewAction, BookCutAction, BookCopyAction,
                       BookPasteAction, PageCutAction, PageCopyAction, PagePasteAction,
                       BrowserCutAction, BrowserCopyAction, BrowserPasteAction, UndoAction})
        connect(a, &QAction::triggered, this, &TAppControlModule::notImplemented);
    connectConfigHandlers();

    connect(HiddenMenuAction, &QAction::triggered, this, [this](bool on) {
        on ? SetProgramFlag(pfHiddenMenu) : ClearProgramFlag(pfHiddenMenu);
        UpdateHiddenMenu();
    });
    connect(LockSizeAction, &QAction::triggered, this, [this](bool on) {
        on ? SetProgramFlag(pfLockSize) : ClearProgramFlag(pfLockSize);
        UpdateLockSize();
    });
    connect(NoCacheAction, &QAction::triggered, this, [this](bool on) {
        on ? SetProgramFlag(pfNoCache) : ClearProgramFlag(pfNoCache);
        UpdateNoCache();
    });
    connect(InteractiveAction, &QAction::triggered, this, [this] {
        SetProgramFlag(pfInteractive);
        ClearProgramFlag(pfSilent);
        UpdateDialogMode();
    });
    connect(ModerateAction, &QAction::triggered, this, [this] {
        ClearProgramFlag(pfInteractive | pfSilent);
        UpdateDialogMode();
    });
    connect(SilentAction, &QAction::triggered, this, [this] {
        ClearProgramFlag(pfInteractive);
        SetProgramFlag(pfSilent);
        UpdateDialogMode();
    });
    connect(UseLockAction, &QAction::triggered, this, [this](bool on) {
        on ? SetProgramFlag(pfLockOnMinimize) : ClearProgramFlag(pfLockOnMinimize);
        UpdateLockState();
    });
}

QWidget *TAppControlModule::ArrowPane() const
{
    QWidget *bar = LastControl.data();
    if (!bar || !qobject_cast<QToolBar *>(bar))
        return nullptr;
    QWidget *pane = bar->parentWidget();
    return BrowserList.contains(pane) ? pane : nullptr;
}

void TAppControlModule::ArrowPopupPopup()
{
    auto *pane = dynamic_cast<PaneCommands *>(ArrowPane());
    const bool hasDocument = pane && pane->HasDocument();
    for (QAction *a : {FindAction, SaveDocAction, PageSetupAction, PrintSetupAction,
                       PrintPreviewAction, PrintAction})
        a->setEnabled(hasDocument);
}

bool TAppControlModule::eventFilter(QObject *watched, QEvent *event)
{
    auto *widget = qobject_cast<QWidget *>(watched);
    // Menus' own clicks don't move the target of the command they run.
    if (!widget || qobject_cast<QMenu *>(widget->window()))
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress) {
        auto *e = static_cast<QMouseEvent *>(event);
        if (e->button() != Qt::LeftButton && e->button() != Qt::RightButton)
            return QObject::eventFilter(watched, event);
        // A press nobody took travels up to the parents: it is still the same press.
        const bool passedOn = pressTarget && widget->isAncestorOf(pressTarget)
            && e->globalPosition() == pressAt && e->timestamp() == pressTime;
        if (!passedOn) {
            pressTarget = widget;
            pressAt = e->globalPosition();
            pressTime = e->timestamp();
            LastControl = ControlOf(widget);
            LastMousePos = e->globalPosition().toPoint();
        }
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if ((key == Qt::Key_Tab || key == Qt::Key_Return || key == Qt::Key_Enter
             || key == Qt::Key_Escape)
            && widget == QApplication::focusWidget()) {
            LastControl = ControlOf(widget);
            LastMousePos = QCursor::pos();
        }
    }
    return QObject::eventFilter(watched, event);
}

void TAppControlModule::BrowserInserted(QWidget *pane)
{
    if (!BrowserList.contains(pane))
        BrowserList.append(pane);
    ActionsAction->setEnabled(!BrowserList.isEmpty());
}

void TAppControlModule::BrowserRemoved(QWidget *pane)
{
    BrowserList.removeAll(pane);
    ActionsAction->setEnabled(!BrowserList.isEmpty());
}

QString TAppControlModule::MakeCaption(const QString &configFileName)
{
    if (configFileName.isEmpty())
        return QStringLiteral("Mira");
    return QFileInfo(configFileName).completeBaseName() + QStringLiteral(" - Mira");
}

void TAppControlModule::UpdateCaption()
{
    applicationTitle = MakeCaption(ConfigFileName);
    if (mainWindow)
        mainWindow->setWindowTitle(applicationTitle);
}

void TAppControlModule::SetOnlineMode(bool online)
{
    OnlineAction->setChecked(online);
    OfflineAction->setChecked(!online);
    platform::SetConnectedState(online);
    if (mainWindow)
        mainWindow->RepaintStatusBar();
}

} // namespace mira
