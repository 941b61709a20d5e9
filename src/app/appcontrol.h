#pragma once
// The action module: every action of the program, the menus and popup menus, the
// timers, the set-file commands and the list of browser panes.
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/setcommands.h"
#include "bookmarks/bookmarkbuffer.h"
#include "browser/newwindowcatcher.h"
#include "browser/timedrefresh.h"
#include "layout/classregistry.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace mira {

class FavoritesCommands;
class DialogWatcher;
class LastControlTracker;
class LockControl;
class MessageFilter;
class TBaseForm;
class TURLCombo;
class URLPopupCommands;

class TAppControlModule : public QObject {
    Q_OBJECT
public:
    TAppControlModule();
    ~TAppControlModule() override;

    // The main window, once it exists (the module is created before it).
    TBaseForm *MainWindow() const { return mainWindow; }
    void SetMainWindow(TBaseForm *form);

    // Classes the set file reader can create, by name.
    const ClassRegistry &Classes() const { return classes; }
    ClassRegistry &Classes() { return classes; }

    // Every browser pane owned by the main window, in order of creation (not owning).
    QList<QWidget *> BrowserList;
    void BrowserInserted(QWidget *pane);
    void BrowserRemoved(QWidget *pane);

    // Keeps the panes' new windows in the panes that asked for them.
    NewWindowCatcher NewWindows;

    // The bookmark copy buffer, shared by every pane's address box.
    TBookmarkBuffer BookmarkBuffer;
    // The address box the address popup's commands act on: LastControl when it is one.
    TURLCombo *URLPopupTarget() const;

    // The control under the last routed mouse press or key, and where it happened
    // (kept up to date by the application's message filter, LastControlTracker).
    QPointer<QWidget> LastControl;
    QPoint LastMousePos;

    // The application title (taskbar text) and the caption rules.
    static QString MakeCaption(const QString &configFileName);
    QString ApplicationTitle() const { return applicationTitle; }
    void UpdateCaption();

    // forNetwork: offline because the desktop has no network, not by the user's choice.
    void SetOnlineMode(bool online, bool forNetwork = false);

    // The set-file commands and the open set's file name.
    ConfigSetCommands &Sets() { return *sets; }
    const ConfigSetCommands &Sets() const { return *sets; }

    // Program flags.
    void SetProgramFlag(int bits);
    void ClearProgramFlag(int bits);
    bool HasProgramFlag(int bits) const;
    void UpdateConfigState(bool open);
    void UpdateAutoSave();
    void UpdateSaveOnClose();
    void UpdateLockState();
    // Lock on minimize; LockArmed() tells whether the program waits for its key.
    LockControl &Lock() { return *lock; }
    bool LockArmed() const;
    void UpdateHiddenMenu();
    void UpdateLockSize();
    void UpdateNoCache();
    void UpdateDialogMode();
    void UpdateTextSize(int level);
    void UpdateRootContainer(bool open);
    void UpdateGoAllOnOpen();
    // Reads the engine's text size level; replaceable so tests need no engine.
    std::function<int()> ReadTextSize;

    // Menus. AppMenu is made once and handed to the main window, which owns it.
    QMenuBar *CreateAppMenu();
    QMenu *StatusPopup = nullptr;
    QMenu *ArrowPopup = nullptr;
    QMenu *DesignPopup = nullptr;
    QMenu *URLPopup = nullptr;
    QMenu *PasteFromFavoritesMenu = nullptr;
    // Add To Favorites..., Organize Favorites... and the Paste From Favorites submenu.
    FavoritesCommands *Favorites = nullptr;
    QMenu *TextSizeMenu = nullptr;

    QTimer AutoSaveTimer;
    // Timed reloads of the panes' bookmarks; being offline or the lock pause them.
    TimedRefresh Refresher{[this] { return BrowserList; }};

    // Heading actions.
    QAction *FileActions, *ActionsAction, *HelpActions, *TextSizesAction;
    // Program.
    QAction *ExitAction, *MinimizeAction, *AboutAction, *HiddenMenuAction, *LockSizeAction,
        *OptionsAction, *SetLockKeyAction, *UseLockAction;
    // File.
    QAction *FileNewAction, *FileLoadAction, *FileSaveNowAction, *FileSaveOnCloseAction,
        *FileAutoSaveAction, *FileSaveAsAction, *FileRenameAction, *FileDeleteAction,
        *StartWithDesktopAction, *SeparateProcessesAction;
    QAction *GoAllOnOpenAction = nullptr;
    QAction *FullScreenAction = nullptr;
    // Full screen for this run only (mira --full-screen): the set's flag is untouched.
    bool FullScreenForced = false;
    // Browser.
    QAction *GoAllAction, *StopAllAction, *RefreshAllAction, *OnlineAction, *OfflineAction,
        *InteractiveAction, *ModerateAction, *SilentAction, *TextSizeLargestAction,
        *TextSizeLargerAction, *TextSizeMediumAction, *TextSizeSmallerAction,
        *TextSizeSmallestAction, *NoCacheAction, *InternetOptionsAction, *WallStatusAction;
    // The main menu's own Stop All entry, which carries a hint of its own.
    QAction *StopAllMenuEntry;
    // Arrow (the Go button's drop-down).
    QAction *FindAction, *OpenDocAction, *SaveDocAction, *PageSetupAction, *PrintSetupAction,
        *PrintPreviewAction, *PrintAction;
    // Design.
    QAction *BlockNewAction, *BookNewAction, *BookCutAction, *BookCopyAction, *BookPasteAction,
        *BookDeleteAction, *BookTabsPosAction, *PageRenameAction, *PageMoveAction,
        *PageRotateAction, *PageNewAction, *PageCutAction, *PageCopyAction, *PagePasteAction,
        *PageDeleteAction, *BrowserNewAction, *BrowserCutAction, *BrowserCopyAction,
        *BrowserPasteAction, *BrowserDeleteAction, *BrowserNaviBarPosAction, *UndoAction;
    // URL (the address box's popup).
    QAction *AddBookmarkAction, *CutBookmarkAction, *CutAllBookmarksAction, *CopyBookmarkAction,
        *CopyAllBookmarksAction, *PasteBookmarkAction, *DeleteBookmarkAction,
        *DeleteAllBookmarksAction, *EditBookmarksAction, *AddToFavoritesAction,
        *OrganizeFavoritesAction, *PasteFromFavoritesAction, *CutAddressAction, *CopyAddressAction,
        *PasteAddressAction, *DeleteAddressAction, *UndoAddressAction, *EditAddressAction,
        *NoScrollBarsAction, *SaveScrollPositionAction;

    QList<QAction *> AllActions() const { return actions; }

    // The pane whose navigation bar is LastControl, for the document commands.
    QWidget *ArrowPane() const;
    // The Go drop-down is about to open: its commands follow the pane's document.
    void ArrowPopupPopup();

    // The index in BrowserList of the first pane shown with all its ancestors; -1 for none.
    int FirstVisibleBrowser() const;
    // Internet Options on the first visible pane, else on the first pane, brought
    // into view (every tabbed page around it becomes its book's active page).
    void InternetOptionsActionExecute();
    // The wall status dialog over every pane.
    void WallStatusActionExecute();

Q_SIGNALS:
    // A set was opened or closed (UpdateConfigState ran).
    void SetStateChanged();

public:
    static QString Category(const QAction *action);
    static int Tag(const QAction *action);
    static QString Hint(const QAction *action);

private:
    QAction *makeAction(const char *name, const QString &category, const QString &caption,
                        const QString &hint, int image = -1, const QKeySequence &shortcut = {},
                        int tag = 0);
    void createActions();
    void createPopupMenus();
    // The File commands and the Actions commands, shared by the main menu and the status popup.
    void addFileCommands(QMenu *menu);
    void addActionsCommands(QMenu *menu, QAction *stopAll);
    void connectHandlers();
    void notImplemented();
    void connectSetCommands();
    void connectURLCommands();

    QPointer<TBaseForm> mainWindow;
    std::unique_ptr<LastControlTracker> lastControlTracker;
    std::unique_ptr<MessageFilter> messageFilter;
    // Lives with the main window, which it watches.
    QPointer<DialogWatcher> dialogWatcher;
    ClassRegistry classes;
    std::unique_ptr<ConfigSetCommands> sets;
    LockControl *lock = nullptr; // a child: it goes with the module
    URLPopupCommands *urlCommands = nullptr;
    QList<QAction *> actions;
    QString applicationTitle = QStringLiteral("Mira");
};

} // namespace mira
