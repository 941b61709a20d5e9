#include "app/appcontrol.h"

#include <QAction>
#include <QActionGroup>

#include "app/actiontable.h"
#include "app/addresscommands.h"
#include "app/allpanescommands.h"
#include "app/appmenus.h"
#include "app/baseform.h"
#include "app/designactions.h"
#include "app/documentcommands.h"
#include "app/filecommands.h"
#include "app/fullscreen.h"
#include "app/lockcontrol.h"
#include "app/programcommands.h"
#include "app/screenawakecontrol.h"
#include "app/separateprocesses.h"
#include "app/startwithdesktop.h"
#include "browser/browser.h"
#include "browser/dialogwatcher.h"
#include "browser/lastcontrol.h"
#include "browser/messagefilter.h"
#include "layout/component.h"
#include "platform/connectivity.h"
#include "platform/enginedata.h"

namespace mira {

TAppControlModule::TAppControlModule()
{
    RegisterLayoutClasses(classes);
    RegisterBrowserClasses(classes);
    auto *sizes = new QActionGroup(this);
    for (const ActionRow &row : ActionTable()) {
        QAction *a = MakeAction(row, this);
        actions.append(a);
        if (row.flags & afTextSize)
            sizes->addAction(a);
    }
    actionsHeading = Action(u"ActionsAction");
    menus = std::make_unique<AppMenus>(*this);

    program = new ProgramCommands(*this);
    file = new FileCommands(*this);
    allPanes = new AllPanesCommands(*this);
    documents = new DocumentCommands(*this);
    lock = new LockControl(*this);
    address = new AddressCommands(*this);
    design = new DesignActions(*this);
    ConnectStartWithDesktop(*this);
    ConnectFullScreen(*this);
    ConnectSeparateProcesses(*this);
    new ScreenAwakeControl(*this, platform::MakeScreenAwake());

    allPanes->SetOnlineMode(platform::IsOnline(), platform::OfflineForNetwork());
    lastControlTracker = std::make_unique<LastControlTracker>(lastControl, lastMousePos);
    messageFilter = std::make_unique<MessageFilter>([this](const QString &hint) {
        if (mainWindow)
            mainWindow->SetStatusText(hint);
    });
}

TAppControlModule::~TAppControlModule()
{
    lastControlTracker.reset();
    messageFilter.reset();
    delete dialogWatcher.data();
    menus.reset();
}

TBaseForm *TAppControlModule::MainWindow() const
{
    return mainWindow;
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
        context.lastControl = [this] { return lastControl.data(); };
        dialogWatcher = new DialogWatcher(form, std::move(context));
    }
    // A shortcut works only while its action sits on a visible widget of the active
    // window; the menus may be hidden (Hidden Menu) or closed, the window is not.
    if (form)
        for (QAction *a : std::as_const(actions))
            if (!a->shortcut().isEmpty())
                form->addAction(a);
}

void TAppControlModule::BrowserInserted(QWidget *pane)
{
    // The one place a pane is known by its widget alone (the main window is told of
    // every component it owns).
    panes.Insert(qobject_cast<TBrowser *>(pane));
    actionsHeading->setEnabled(!panes.IsEmpty());
}

void TAppControlModule::BrowserRemoved(QWidget *pane)
{
    panes.Remove(pane);
    actionsHeading->setEnabled(!panes.IsEmpty());
}

void TAppControlModule::SetLastControl(QWidget *control, std::optional<QPoint> mousePos)
{
    lastControl = control;
    if (mousePos)
        lastMousePos = *mousePos;
}

QAction *TAppControlModule::Action(QAnyStringView name) const
{
    for (QAction *a : actions)
        if (QAnyStringView::equal(name, a->objectName()))
            return a;
    qFatal("No action %s", qPrintable(name.toString()));
}

QMenuBar *TAppControlModule::CreateAppMenu()
{
    return menus->CreateAppMenu();
}

ProgramFlags TAppControlModule::Flags() const
{
    return mainWindow ? ProgramFlags::fromInt(mainWindow->Tag()) : ProgramFlags();
}

void TAppControlModule::SetProgramFlag(ProgramFlags flags, bool on)
{
    if (mainWindow)
        mainWindow->SetTag((on ? Flags() | flags : Flags() & ~flags).toInt());
}

QAction *TakeAction(const TAppControlModule &module, const char *name, QObject *group)
{
    QAction *a = module.Action(name);
    a->setParent(group);
    return a;
}

} // namespace mira
