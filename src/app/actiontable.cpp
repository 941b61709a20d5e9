#include "app/actiontable.h"

#include <QAction>

#include "dialogs/messagebox.h"
#include "icons/images.h"

namespace mira {
namespace {

const char kCategory[] = "miraCategory";
const char kTag[] = "miraTag";
const char kHint[] = "miraHint";

// The interactive mode's hint has two blanks before "document", as it always had.
const ActionRow rows[] = {
    {"FileActions", "File", "File", "Configuration set and program commands", -1, 0, 0, 0},
    {"ActionsAction", "Browser", "Actions", "Actions affecting all browsers", -1, 0, 0, afDisabled},
    {"HelpActions", "Program", "Help", "Program Help", -1, 0, 0, 0},
    {"TextSizesAction", "Browser", "Text Size",
     "Specifies relative size of text in displayed documents", -1, 0, 0, 0},
    {"ExitAction", "Program", "Exit", "Quit|Close the program", -1, 0, 0, 0},
    {"MinimizeAction", "Program", "Minimize", "Minimize|Minimize window", -1, Qt::Key_F4, 0, 0},
    {"AboutAction", "Program", "About...", "Information about the program", -1, Qt::Key_F1, 0, 0},
    {"HiddenMenuAction", "Program", "Hidden Menu",
     "Hides the application main menu. Access via status bar popup menu remains.", -1, 0, 0,
     afCheckable | afDisabled},
    {"LockSizeAction", "Program", "Lock Size", "Lock size of program window", -1, 0, 0,
     afCheckable | afDisabled},
    {"OptionsAction", "Program", "Options...", "Program options and properties", 26, 0, 0,
     afHidden},
    {"SetLockKeyAction", "Program", "Set Lock Key...",
     "Set password key to unlock loaded configuration after the program has been minimized", 33, 0,
     0, afDisabled},
    {"UseLockAction", "Program", "Lock On Minimize",
     "Lock loaded configuration on minimizing program. Password key required to unlock and restore "
     "the view",
     -1, 0, 0, afCheckable | afDisabled},
    {"FileNewAction", "File", "New",
     "Create new configuration and close and save an open one as appropriate", 22, 0, 0, 0},
    {"FileLoadAction", "File", "Open...", "Load a configuration file", 23, 0, 0, 0},
    {"FileSaveNowAction", "File", "Save Now", "Save current configuration right now", -1, 0, 0,
     afDisabled},
    {"FileSaveOnCloseAction", "File", "Save On Close", "Save configuration on closing", -1, 0, 0,
     afCheckable | afChecked | afDisabled},
    {"FileAutoSaveAction", "File", "AutoSave",
     "Save currently open configuration file periodically", -1, 0, 0, afCheckable | afDisabled},
    {"FileSaveAsAction", "File", "Save Copy As...",
     "Make a copy of current configuration file with new name", 24, 0, 0, afDisabled},
    {"FileRenameAction", "File", "Rename", "Rename current configuration file", -1, 0, 0,
     afDisabled},
    {"FileDeleteAction", "File", "Delete", "Delete current configuration file permanently", 21, 0,
     0, afDisabled},
    {"GoAllOnOpenAction", "File", "Go All On Open",
     "Navigate on selected bookmarked locations in all browsers once the configuration is open", -1,
     0, 0, afCheckable | afDisabled},
    {"StartWithDesktopAction", "File", "Start With Desktop",
     "Start at login|Open this configuration when you log in to the desktop", -1, 0, 0,
     afCheckable | afDisabled},
    {"FullScreenAction", "File", "Full Screen",
     "Full screen|Show the layout on the whole screen without the window frame", -1, Qt::Key_F11, 0,
     afCheckable | afDisabled},
    {"SeparateProcessesAction", "File", "Separate Processes",
     "Separate processes|Give every pane a renderer process of its own instead of one per site "
     "(takes effect at the next start)",
     -1, 0, 0, afCheckable | afDisabled},
    {"GoAllAction", "Browser", "Go All",
     "Navigate on selected bookmarked locations in all browsers", 12, Qt::Key_F9, 0, 0},
    {"StopAllAction", "Browser", "Stop All", "Stop loading documents in all browsers", 2,
     Qt::Key_F7, 0, 0},
    {"RefreshAllAction", "Browser", "Refresh All",
     "Reload currently loaded bookmarked documents in all browsers", 3, Qt::Key_F8, 0, 0},
    {"OnlineAction", "Browser", "Online Mode", "Set online mode for all browsers", 14, 0, 0,
     afCheckable},
    {"OfflineAction", "Browser", "Offline Mode", "Set offline mode for all browsers", 15, 0, 0,
     afCheckable},
    {"InteractiveAction", "Browser", "Interactive Mode",
     "Interactive mode shows all dialog messages including  document loading and script errors", -1,
     0, 0, afCheckable},
    {"ModerateAction", "Browser", "Moderate Mode",
     "Moderate mode allows showing input and confirmation dialogs such as password prompts, "
     "security and download messages",
     -1, 0, 0, afCheckable | afChecked},
    {"SilentAction", "Browser", "Silent Mode",
     "Silent mode prevents showing interactive dialogs to user", -1, 0, 0, afCheckable},
    {"TextSizeLargestAction", "Browser", "Largest", "Largest font size", -1, 0, 4,
     afCheckable | afTextSize},
    {"TextSizeLargerAction", "Browser", "Larger", "Larger font size", -1, 0, 3,
     afCheckable | afTextSize},
    {"TextSizeMediumAction", "Browser", "Medium", "Medium font size", -1, 0, 2,
     afCheckable | afTextSize},
    {"TextSizeSmallerAction", "Browser", "Smaller", "Smaller font size", -1, 0, 1,
     afCheckable | afTextSize},
    {"TextSizeSmallestAction", "Browser", "Smallest", "Smallest font size", -1, 0, 0,
     afCheckable | afTextSize},
    {"NoCacheAction", "Browser", "No Cache Nor History",
     "Do not use disk cache nor history list on browsing", -1, 0, 0, afCheckable | afDisabled},
    {"InternetOptionsAction", "Browser", "Internet Options...",
     "Global properties and options for Internet connections", 26, 0, 0, 0},
    {"WallStatusAction", "Browser", "Wall Status...",
     "Wall status|Every pane's page, last good load, last error, next timed reload and kept copy "
     "age",
     -1, 0, 0, 0},
    {"FindAction", "Arrow", "Find...", "Find text in currently loaded document", 28, 0, 0,
     afDisabled},
    {"OpenDocAction", "Arrow", "Open...", "Opens a document file from disk", 23, 0, 0, 0},
    {"SaveDocAction", "Arrow", "Save As...", "Saves currently loaded document to disk as a file",
     24, 0, 0, afDisabled},
    {"PageSetupAction", "Arrow", "Page Setup...", "Setup page for printing", 26, 0, 0, afDisabled},
    {"PrintSetupAction", "Arrow", "Print Setup...", "Setup for printing", 30, 0, 0, afDisabled},
    {"PrintPreviewAction", "Arrow", "Print Preview...",
     "Take a look at the document before printing", 25, 0, 0, afDisabled},
    {"PrintAction", "Arrow", "Print", "Print current document", 9, 0, 0, afDisabled},
    {"BlockNewAction", "Block", "New", "Create new resizable block (panel)", 22, 0, 0, afHidden},
    {"BookNewAction", "Book", "New", "Create new tabbed book", 22, 0, 0, 0},
    {"BookCutAction", "Book", "Cut", "Cut the book", 16, 0, 0, afHidden},
    {"BookCopyAction", "Book", "Copy", "Make a copy of the book", 17, 0, 0, afHidden},
    {"BookPasteAction", "Book", "Paste", "Paste copied book", 18, 0, 0, afHidden},
    {"BookDeleteAction", "Book", "Delete", "Delete the book", 21, 0, 0, 0},
    {"BookTabsPosAction", "Book", "Tabs On Bottom", "Change tabs position (top/bottom)", -1, 0, 0,
     afCheckable},
    {"PageRenameAction", "Page", "Rename...", "Change name of active page", 26, 0, 0, 0},
    {"PageMoveAction", "Page", "Move...", "Change active page position", -1, 0, 0, 0},
    {"PageRotateAction", "Page", "Rotate Every...",
     "Turn pages by themselves|Show the book's pages in turn, each for the given number of seconds",
     -1, 0, 0, 0},
    {"PageNewAction", "Page", "New", "Add new page right after the active one", 22, 0, 0, 0},
    {"PageCutAction", "Page", "Cut", "Cut the active page", 16, 0, 0, afHidden},
    {"PageCopyAction", "Page", "Copy", "Copy the active page", 17, 0, 0, afHidden},
    {"PagePasteAction", "Page", "Paste", "Paste the active page", 18, 0, 0, afHidden},
    {"PageDeleteAction", "Page", "Delete", "Delete active page", 21, 0, 0, 0},
    {"BrowserNewAction", "Browser", "New", "Create new browser", 22, 0, 0, 0},
    {"BrowserCutAction", "Browser", "Cut", "Cut the browser", 16, 0, 0, afHidden},
    {"BrowserCopyAction", "Browser", "Copy", "Make a copy of the browser", 17, 0, 0, afHidden},
    {"BrowserPasteAction", "Browser", "Paste", "Paste copied browser", 18, 0, 0, afHidden},
    {"BrowserDeleteAction", "Browser", "Delete", "Delete the browser", 21, 0, 0, 0},
    {"BrowserNaviBarPosAction", "Browser", "Navigation Bar On Bottom",
     "Change navigation bar position (top/bottom)", -1, 0, 0, afCheckable},
    {"UndoAction", "Edit", "Undo", "", 19, 0, 0, 0},
    {"AddBookmarkAction", "URL", "Add Address To Bookmarks", "Add location to bookmark list", -1, 0,
     0, 0},
    {"CutBookmarkAction", "URL", "Cut Bookmark",
     "Cut selected bookmark from bookmark list into copy buffer", -1, 0, 0, 0},
    {"CutAllBookmarksAction", "URL", "Cut All Bookmarks",
     "Cut all bookmarks from bookmark list into copy buffer", -1, 0, 0, 0},
    {"CopyBookmarkAction", "URL", "Copy Bookmark", "Copy selected bookmark into copy buffer", -1, 0,
     0, 0},
    {"CopyAllBookmarksAction", "URL", "Copy All Bookmarks",
     "Copy all bookmarks from bookmark list into copy buffer", -1, 0, 0, 0},
    {"PasteBookmarkAction", "URL", "Paste Bookmark(s)",
     "Paste bookmark(s) from copy buffer to bookmark list", -1, 0, 0, 0},
    {"DeleteBookmarkAction", "URL", "Delete Bookmark", "Delete selected bookmark from the list", -1,
     0, 0, 0},
    {"DeleteAllBookmarksAction", "URL", "Delete All Bookmarks", "Empty bookmark list", -1, 0, 0, 0},
    {"EditBookmarksAction", "URL", "Edit Bookmark...", "Edit bookmark", -1, 0, 0, 0},
    {"AddToFavoritesAction", "URL", "Add To Favorites...",
     "Add loaded location to Internet Explorer Favorites", -1, 0, 0, 0},
    {"OrganizeFavoritesAction", "URL", "Organize Favorites...",
     "Organize Internet Explorer Favorites", -1, 0, 0, 0},
    {"PasteFromFavoritesAction", "URL", "Paste From Favorites",
     "Paste location address from Internet Explorer Favorites", -1, 0, 0, 0},
    {"CutAddressAction", "URL", "Cut Address", "Cut location to clipboard", -1, 0, 0, 0},
    {"CopyAddressAction", "URL", "Copy Address", "Copy location to clipboard", -1, 0, 0, 0},
    {"PasteAddressAction", "URL", "Paste Address", "Paste location from clipboard", -1, 0, 0, 0},
    {"DeleteAddressAction", "URL", "Delete Address", "Empty location box", -1, 0, 0, 0},
    {"UndoAddressAction", "URL", "Undo Address", "Undo last action in location box", -1, 0, 0, 0},
    {"EditAddressAction", "URL", "Edit Address...",
     "Open wide level dialog to edit location address", -1, 0, 0, 0},
    {"NoScrollBarsAction", "URL", "No Scroll Bars",
     "Hide scroll bars for currently loaded and bookmarked document", -1, 0, 0, afCheckable},
    {"SaveScrollPositionAction", "URL", "Save Scroll Position",
     "Remember adjusted scroll bars position of currently loaded and bookmarked document for "
     "subsequent reloads",
     -1, 0, 0, 0},
};

} // namespace

std::span<const ActionRow> ActionTable()
{
    return rows;
}

QAction *MakeAction(const ActionRow &row, QObject *parent)
{
    const QString hint = QString::fromUtf8(row.hint);
    auto *a = new QAction(QString::fromUtf8(row.caption), parent);
    a->setObjectName(QString::fromLatin1(row.name));
    a->setProperty(kCategory, QString::fromUtf8(row.category));
    a->setProperty(kTag, row.tag);
    a->setProperty(kHint, hint);
    a->setToolTip(ShortHint(hint));
    a->setStatusTip(LongHint(hint));
    if (row.image >= 0)
        a->setIcon(ImageIcon(row.image));
    if (row.shortcut) {
        a->setShortcut(QKeySequence(row.shortcut));
        a->setShortcutContext(Qt::ApplicationShortcut);
    }
    a->setCheckable(row.flags & afCheckable);
    a->setChecked(row.flags & afChecked);
    a->setEnabled(!(row.flags & afDisabled));
    a->setVisible(!(row.flags & afHidden));
    return a;
}

QString ActionCategory(const QAction *action)
{
    return action->property(kCategory).toString();
}

int ActionTag(const QAction *action)
{
    return action->property(kTag).toInt();
}

QString ActionHint(const QAction *action)
{
    return action->property(kHint).toString();
}

void ConnectNotImplemented(QAction *action, QObject *context, std::function<QWidget *()> window)
{
    QObject::connect(action, &QAction::triggered, context, [action, window = std::move(window)] {
        // A switch that does nothing yet keeps its old check mark.
        if (action->isCheckable())
            action->setChecked(!action->isChecked());
        NotImplemented(window());
    });
}

} // namespace mira
