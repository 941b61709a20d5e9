#pragma once
// The action module: makes every action of the program from the action table, builds
// the menus, keeps what the commands share (the panes, the control last used, the
// bookmark copy buffer, the class registry, the program flags) and hands out the
// command groups, each of which owns its actions and their handlers. Including it
// brings the groups' classes.
#include <QAnyStringView>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <memory>
#include <optional>

#include "app/addresscommands.h"
#include "app/allpanescommands.h"
#include "app/appmenus.h"
#include "app/designactions.h"
#include "app/documentcommands.h"
#include "app/filecommands.h"
#include "app/lockcontrol.h"
#include "app/panelist.h"
#include "app/programcommands.h"
#include "app/programflags.h"
#include "app/setcommands.h"
#include "bookmarks/bookmarkbuffer.h"
#include "browser/newwindowcatcher.h"
#include "layout/classregistry.h"

class QAction;
class QMenuBar;
class QWidget;

namespace mira {

class DialogWatcher;
class LastControlTracker;
class MessageFilter;
class TBaseForm;

class TAppControlModule : public QObject {
    Q_OBJECT
public:
    TAppControlModule();
    ~TAppControlModule() override;

    // The main window, once it exists (the module is created before it).
    TBaseForm *MainWindow() const;
    void SetMainWindow(TBaseForm *form);

    // Classes the set file reader can create, by name.
    ClassRegistry &Classes() { return classes; }

    // Every browser pane owned by the main window, in order of creation.
    const PaneList &Panes() const { return panes; }
    void BrowserInserted(QWidget *pane);
    void BrowserRemoved(QWidget *pane);

    // Keeps the panes' new windows in the panes that asked for them.
    NewWindowCatcher &NewWindows() { return newWindows; }
    // The bookmark copy buffer, shared by every pane's address box.
    BookmarkCopyBuffer &BookmarkBuffer() { return bookmarkBuffer; }

    // The control under the last routed mouse press or key, and where it happened
    // (kept up to date by the application's message filter, LastControlTracker).
    QWidget *LastControl() const { return lastControl; }
    QPoint LastMousePos() const { return lastMousePos; }
    // Without a mouse position the last one stays.
    void SetLastControl(QWidget *control, std::optional<QPoint> mousePos = std::nullopt);

    // The action of the action table with that name; there is always one.
    QAction *Action(QAnyStringView name) const;

    // The main menu, made once and handed to the main window, which owns it; the
    // popup menus stay the module's.
    QMenuBar *CreateAppMenu();
    const AppMenus &Menus() const { return *menus; }

    // The program flags, held by the main window's Tag; none without a main window.
    ProgramFlags Flags() const;
    void SetProgramFlag(ProgramFlags flags, bool on = true);

    // The command groups.
    FileCommands &File() const { return *file; }
    AllPanesCommands &AllPanes() const { return *allPanes; }
    DocumentCommands &Documents() const { return *documents; }
    DesignActions &Design() const { return *design; }
    AddressCommands &Address() const { return *address; }
    LockControl &Lock() const { return *lock; }
    ProgramCommands &Program() const { return *program; }

private:
    QPointer<TBaseForm> mainWindow;
    ClassRegistry classes;
    PaneList panes;
    NewWindowCatcher newWindows;
    BookmarkCopyBuffer bookmarkBuffer;
    QPointer<QWidget> lastControl;
    QPoint lastMousePos;
    QList<QAction *> actions;
    QAction *actionsHeading = nullptr;
    std::unique_ptr<AppMenus> menus;
    std::unique_ptr<LastControlTracker> lastControlTracker;
    std::unique_ptr<MessageFilter> messageFilter;
    // Lives with the main window, which it watches.
    QPointer<DialogWatcher> dialogWatcher;
    // The groups are children of the module: they go with it.
    FileCommands *file = nullptr;
    AllPanesCommands *allPanes = nullptr;
    DocumentCommands *documents = nullptr;
    DesignActions *design = nullptr;
    AddressCommands *address = nullptr;
    LockControl *lock = nullptr;
    ProgramCommands *program = nullptr;
};

// A group's action: the action of module named name, from now on a child of group.
QAction *TakeAction(const TAppControlModule &module, const char *name, QObject *group);

} // namespace mira
