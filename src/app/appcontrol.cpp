#include "app/appcontrol.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "about/aboutform.h"
#include "app/actiontable.h"
#include "app/baseform.h"
#include "app/designactions.h"
#include "app/favoritesactions.h"
#include "app/fullscreen.h"
#include "app/lockcontrol.h"
#include "app/programvalues.h"
#include "app/screenawakecontrol.h"
#include "app/separateprocesses.h"
#include "app/startwithdesktop.h"
#include "bookmarks/urlcombo.h"
#include "browser/browser.h"
#include "browser/dialogwatcher.h"
#include "browser/lastcontrol.h"
#include "browser/messagefilter.h"
#include "browser/panecommands.h"
#include "browser/urlpopup.h"
#include "dialogs/messagebox.h"
#include "icons/images.h"
#include "layout/component.h"
#include "platform/connectivity.h"
#include "platform/enginedata.h"

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
    lock = new LockControl(*this);
    createPopupMenus();
    connectHandlers();
    ConnectDesignActions(*this);
    new ScreenAwakeControl(*this, platform::MakeScreenAwake());
    Favorites = new FavoritesCommands(*this, PasteFromFavoritesMenu);

    OpenDocAction->setVisible(OpenDocVisibleFor(programValues().ieVersion));
    PrintPreviewAction->setVisible(PrintPreviewVisibleFor(programValues().ieVersion));
    SetOnlineMode(platform::IsOnline(), platform::OfflineForNetwork());

    AutoSaveTimer.setInterval(600000);
    lastControlTracker = std::make_unique<LastControlTracker>(LastControl, LastMousePos);
    messageFilter = std::make_unique<MessageFilter>([this](const QString &hint) {
        if (mainWindow)
            mainWindow->SetStatusText(hint);
    });
    // The engine keeps its text size itself; reading it needs no page.
    ReadTextSize = [] { return platform::engine::ZoomLevel(); };
}

TAppControlModule::~TAppControlModule()
{
    lastControlTracker.reset();
    messageFilter.reset();
    delete dialogWatcher.data();
    delete StatusPopup;
    delete ArrowPopup;
    delete DesignPopup;
    delete URLPopup;
}

void TAppControlModule::SetMainWindow(TBaseForm *form)
{
    mainWindow = form;
    delete dialogWatcher.data();
    if (form) {
        DialogWatcher::Context context;
        context.mode = [this] {
            return mainWindow ? mainWindow->CurrentDialogMode() : DialogMode{};
        };
        context.setStatusText = [this](const QString &text) {
            if (mainWindow)
                mainWindow->SetStatusText(text);
        };
        context.lastControl = [this] { return LastControl.data(); };
        dialogWatcher = new DialogWatcher(form, std::move(context));
    }
    // A shortcut works only while its action sits on a visible widget of the active
    // window; the menus may be hidden (Hidden Menu) or closed, the window is not.
    if (form)
        for (QAction *a : std::as_const(actions))
            if (!a->shortcut().isEmpty())
                form->addAction(a);
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
    auto *sizes = new QActionGroup(this);
    for (const ActionRow &row : ActionTable()) {
        QAction *a = makeAction(row.name, QString::fromUtf8(row.category),
                                QString::fromUtf8(row.caption), QString::fromUtf8(row.hint),
                                row.image,
                                row.shortcut ? QKeySequence(row.shortcut) : QKeySequence(),
                                row.tag);
        this->*row.member = a;
        a->setCheckable(row.flags & afCheckable);
        a->setChecked(row.flags & afChecked);
        a->setEnabled(!(row.flags & afDisabled));
        a->setVisible(!(row.flags & afHidden));
        if (row.flags & afTextSize)
            sizes->addAction(a);
    }

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
    menu->addSeparator();
    menu->addActions(
        {GoAllOnOpenAction, StartWithDesktopAction, FullScreenAction, SeparateProcessesAction});
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
    menu->addAction(WallStatusAction);
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
    pageMenu->addActions({PageRenameAction, PageMoveAction, PageRotateAction});
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
    // A switch that does nothing yet keeps its old check mark.
    if (auto *a = qobject_cast<QAction *>(sender()); a && a->isCheckable())
        a->setChecked(!a->isChecked());
    NotImplemented(mainWindow);
}

void TAppControlModule::connectHandlers()
{
    ConnectStartWithDesktop(*this);
    ConnectFullScreen(*this);
    ConnectSeparateProcesses(*this);
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
    const QList<QPair<QAction *, DocumentCommand>> documentCommands =
        {{FindAction, DocumentCommand::Find},
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
    connect(GoAllAction, &QAction::triggered, this,
            [forEachPane] { forEachPane(&PaneCommands::GoBookmarked); });
    connect(StopAllAction, &QAction::triggered, this,
            [forEachPane] { forEachPane(&PaneCommands::StopLoading); });
    connect(RefreshAllAction, &QAction::triggered, this,
            [forEachPane] { forEachPane(&PaneCommands::RefreshBookmarked); });
    connect(OfflineAction, &QAction::triggered, this, [this] { SetOnlineMode(false); });
    connect(AboutAction, &QAction::triggered, this, [this] { ShowAboutBox(mainWindow); });

    // Commands whose features come later answer that they are not there yet; a
    // feature that arrives takes its actions off this list.
    // clang-format off
    const QList<QAction *> notBuiltYet = {
        OptionsAction,
        BlockNewAction,
        BookCutAction,
        BookCopyAction,
        BookPasteAction,
        PageCutAction,
        PageCopyAction,
        PagePasteAction,
        BrowserCutAction,
        BrowserCopyAction,
        BrowserPasteAction,
        UndoAction,
    };
    // clang-format on
    for (QAction *a : notBuiltYet)
        connect(a, &QAction::triggered, this, &TAppControlModule::notImplemented);
    connect(InternetOptionsAction, &QAction::triggered, this,
            &TAppControlModule::InternetOptionsActionExecute);
    connect(WallStatusAction, &QAction::triggered, this,
            &TAppControlModule::WallStatusActionExecute);
    // Text Size: the action's tag is the level, kept for the engine (so panes without
    // a document and panes made later show it too), for every pane and the check marks.
    for (QAction *a : {TextSizeLargestAction, TextSizeLargerAction, TextSizeMediumAction,
                       TextSizeSmallerAction, TextSizeSmallestAction})
        connect(a, &QAction::triggered, this, [this, a] {
            const int level = Tag(a);
            platform::engine::SetZoomLevel(level);
            const QList<QPointer<QWidget>> panes(BrowserList.begin(), BrowserList.end());
            for (const QPointer<QWidget> &pane : panes)
                if (auto *p = dynamic_cast<PaneCommands *>(pane.data()))
                    p->SetTextSize(level);
            UpdateTextSize(level);
        });
    connectSetCommands();
    connectURLCommands();

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
    connect(SetLockKeyAction, &QAction::triggered, this, [this] { lock->SetLockKey(); });
    connect(GoAllOnOpenAction, &QAction::triggered, this, [this](bool on) {
        on ? SetProgramFlag(pfGoAllOnOpen) : ClearProgramFlag(pfGoAllOnOpen);
        UpdateGoAllOnOpen();
    });
    connect(UseLockAction, &QAction::triggered, this, [this](bool on) {
        on ? SetProgramFlag(pfLockOnMinimize) : ClearProgramFlag(pfLockOnMinimize);
        UpdateLockState();
    });
}

void TAppControlModule::connectSetCommands()
{
    SetActions fileActions;
    fileActions.newSet = FileNewAction;
    fileActions.open = FileLoadAction;
    fileActions.saveNow = FileSaveNowAction;
    fileActions.saveOnClose = FileSaveOnCloseAction;
    fileActions.autoSave = FileAutoSaveAction;
    fileActions.saveCopyAs = FileSaveAsAction;
    fileActions.rename = FileRenameAction;
    fileActions.deleteSet = FileDeleteAction;
    fileActions.autoSaveTimer = &AutoSaveTimer;
    SetStateHooks hooks;
    hooks.updateConfigState = [this](bool open) { UpdateConfigState(open); };
    hooks.updateCaption = [this] { UpdateCaption(); };
    hooks.setProgramFlag = [this](int bits) { SetProgramFlag(bits); };
    hooks.clearProgramFlag = [this](int bits) { ClearProgramFlag(bits); };
    sets = std::make_unique<ConfigSetCommands>(
        fileActions, [this]() -> TBaseForm * { return mainWindow; }, classes, std::move(hooks));
}

void TAppControlModule::connectURLCommands()
{
    URLActions url;
    url.popup = URLPopup;
    url.addBookmark = AddBookmarkAction;
    url.cutBookmark = CutBookmarkAction;
    url.cutAllBookmarks = CutAllBookmarksAction;
    url.copyBookmark = CopyBookmarkAction;
    url.copyAllBookmarks = CopyAllBookmarksAction;
    url.pasteBookmark = PasteBookmarkAction;
    url.deleteBookmark = DeleteBookmarkAction;
    url.deleteAllBookmarks = DeleteAllBookmarksAction;
    url.editBookmark = EditBookmarksAction;
    url.addToFavorites = AddToFavoritesAction;
    url.cutAddress = CutAddressAction;
    url.copyAddress = CopyAddressAction;
    url.pasteAddress = PasteAddressAction;
    url.deleteAddress = DeleteAddressAction;
    url.undoAddress = UndoAddressAction;
    url.editAddress = EditAddressAction;
    url.noScrollBars = NoScrollBarsAction;
    url.saveScrollPosition = SaveScrollPositionAction;
    urlCommands = new URLPopupCommands(
        url, [this] { return URLPopupTarget(); }, BookmarkBuffer, this);
}

TURLCombo *TAppControlModule::URLPopupTarget() const
{
    return qobject_cast<TURLCombo *>(LastControl.data());
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
    applicationTitle = MakeCaption(sets->ConfigFileName);
    if (mainWindow)
        mainWindow->setWindowTitle(applicationTitle);
}

void TAppControlModule::SetOnlineMode(bool online, bool forNetwork)
{
    OnlineAction->setChecked(online);
    OfflineAction->setChecked(!online);
    platform::SetConnectedState(online, forNetwork);
    // No timed reload while offline: it could only show the engine's error page.
    Refresher.SetPaused(RefreshPause::Offline, !online);
    if (mainWindow)
        mainWindow->RepaintStatusBar();
}

} // namespace mira
