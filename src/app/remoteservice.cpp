#include "app/remoteservice.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>

#include "app/activation.h"
#include "app/appcontrol.h"
#include "app/baseform.h"
#include "app/configfiles.h"
#include "app/remotecommand.h"
#include "app/setfilecheck.h"
#include "browser/browser.h"
#include "browser/stalepane.h"
#include "setfile/reader.h"

namespace mira {
namespace {

// How soon a set opened or renamed from the menu, or a pane made in the design,
// is followed (the window's caption tells of most changes at once).

} // namespace

QString CanonicalSetPath(const QString &path)
{
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

RemoteService::RemoteService(QDBusConnection connection) : bus(std::move(connection)) {}

RemoteService::~RemoteService()
{
    if (!name.isEmpty())
        bus.unregisterService(name);
    if (registered)
        bus.unregisterObject(QLatin1String(kRemotePath));
}

bool RemoteService::Claim(const QString &setPath)
{
    if (!registered)
        registered = bus.registerObject(QLatin1String(kRemotePath), this,
                                        QDBusConnection::ExportScriptableSlots
                                            | QDBusConnection::ExportScriptableSignals);
    const QString wanted = setPath.isEmpty()
                               ? InstanceServiceName(QCoreApplication::applicationPid())
                               : SetServiceName(setPath);
    // Taking the name is the check: the bus gives it to one program only.
    if (!bus.registerService(wanted))
        return false;
    name = wanted;
    return true;
}

void RemoteService::Attach(TAppControlModule &program)
{
    module = &program;
    // Told, never polled: an idle wall wakes no timer for this.
    if (TBaseForm *form = program.MainWindow())
        connect(form, &QWidget::windowTitleChanged, this, [this] { follow(); });
    connect(&program.File(), &FileCommands::SetStateChanged, this, [this] { follow(); });
    connect(&StaleMarks::Instance(), &StaleMarks::Changed, this,
            [this](StaleMark *mark, bool stale) {
                if (!module)
                    return;
                for (TBrowser *pane : module->Panes().List())
                    if (pane->Stale == mark)
                        paneStaleChanged(pane, stale);
            });
    follow();
}

void RemoteService::follow()
{
    const QString open = module ? module->File().Sets().ConfigFileName : QString();
    // Asked of the bus only when the set changed: each registration waits for it.
    if (followed && open == followedSet)
        return;
    followed = true;
    followedSet = open;
    const QString path = CanonicalSetPath(open);
    const QString instance = InstanceServiceName(QCoreApplication::applicationPid());
    QString wanted = path.isEmpty() ? instance : SetServiceName(path);
    if (wanted == name)
        return;
    // A set another program has open (opened here with File > Open...) leaves this
    // program reachable under its own number.
    if (!bus.registerService(wanted)) {
        if (TBaseForm *form = module ? module->MainWindow() : nullptr)
            form->SetStatusText(QStringLiteral("%1 is open in another Mira too: the one saved "
                                               "last replaces what the other saved.")
                                    .arg(open));
        wanted = instance;
        if (wanted != name && !bus.registerService(wanted))
            wanted.clear();
    }
    if (!name.isEmpty() && name != wanted)
        bus.unregisterService(name);
    name = wanted;
}

void RemoteService::paneStaleChanged(TBrowser *pane, bool stale)
{
    QString paneName, address, error;
    if (module && !module->Lock().LockArmed()) {
        paneName = pane->objectName();
        if (paneName.isEmpty())
            paneName = QStringLiteral("pane %1").arg(module->Panes().IndexOf(pane) + 1);
        address = pane->Navigator().LoadedLocationURL();
        if (pane->Stale)
            error = pane->Stale->LastError();
    }
    if (stale)
        Q_EMIT PaneStale(paneName, address, error);
    else
        Q_EMIT PaneRecovered(paneName, address);
}

void RemoteService::fail(const QString &text)
{
    if (calledFromDBus())
        sendErrorReply(QLatin1String(kRemoteFailedError), text);
}

bool RemoteService::refuseWhileLocked(const QString &what)
{
    if (!module || !module->Lock().LockArmed())
        return false;
    // The lock hides the layout from whoever stands before the screen; a caller
    // from outside sees no more of it.
    if (calledFromDBus())
        sendErrorReply(QLatin1String(kRemoteLockedError),
                       QStringLiteral("The wall is locked: %1 waits until its key is typed.")
                           .arg(what));
    return true;
}

void RemoteService::Activate()
{
    TBaseForm *form = module ? module->MainWindow() : nullptr;
    // Still starting: the window comes to the front when it first shows.
    if (!form || !form->isVisible())
        return;
    // As the taskbar restores it: under the lock the key is asked for first.
    if (form->isMinimized())
        form->setWindowState(form->windowState() & ~Qt::WindowMinimized);
    form->raise();
    form->activateWindow();
    ActivateWhenShown(form);
}

// Go All, Refresh All and Stop All show nothing of the layout and are what a
// locked wall left alone needs most, so the lock does not hold them.
void RemoteService::GoAll()
{
    runAction(module ? module->AllPanes().GoAll() : nullptr);
}

void RemoteService::RefreshAll()
{
    runAction(module ? module->AllPanes().RefreshAll() : nullptr);
}

void RemoteService::StopAll()
{
    runAction(module ? module->AllPanes().StopAll() : nullptr);
}

void RemoteService::runAction(QAction *action)
{
    if (!action) {
        fail(QStringLiteral("Mira is still starting."));
        return;
    }
    if (!module->File().Sets().IsSetOpen()) {
        fail(QStringLiteral("No configuration set is open."));
        return;
    }
    action->trigger();
}

QString RemoteService::openSetProblem(const QString &path) const
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("There is no set file %1.").arg(path);
    if (info.isDir())
        return QStringLiteral("%1 is a folder, not a set file.").arg(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("%1 cannot be read: %2").arg(path, file.errorString());
    if (!IsConfigFile(path, false))
        return QStringLiteral("%1 is not a configuration set.").arg(path);
    // A set that does not read would end the program, as it does from the menu.
    const setfile::ParseResult parsed = setfile::parse(file.readAll());
    if (!parsed.ok())
        return QStringLiteral("%1 is not a valid set: %2").arg(path, parsed.error.message);
    const QString other = SetServiceName(CanonicalSetPath(path));
    if (other != name && bus.interface() && bus.interface()->isServiceRegistered(other).value())
        return QStringLiteral("%1 is open in another Mira.").arg(path);
    return {};
}

void RemoteService::OpenSet(const QString &given)
{
    if (!module || !module->MainWindow()) {
        fail(QStringLiteral("Mira is still starting."));
        return;
    }
    if (refuseWhileLocked(QStringLiteral("opening another set")))
        return;
    // A dialog open over the set (File > Open..., a question of a page) may still
    // act on it when answered.
    if (QApplication::activeModalWidget()) {
        fail(QStringLiteral("Mira waits for an answer in a dialog; try again once it is closed."));
        return;
    }
    const QString path = ExpandConfigName(given, QString());
    if (path.isEmpty()) {
        fail(QStringLiteral("OpenSet needs the set to open."));
        return;
    }
    const QString canonical = CanonicalSetPath(path);
    if (canonical == CanonicalSetPath(module->File().Sets().ConfigFileName))
        return; // open already
    if (const QString problem = openSetProblem(path); !problem.isEmpty()) {
        fail(problem);
        return;
    }
    // As File > Open... does: the open set is saved when Save On Close says so.
    ConfigSetCommands &sets = module->File().Sets();
    sets.SaveOnExit();
    sets.CloseConfigFile();
    sets.SelectConfigFile(path, false);
    if (!sets.LoadConfigFile())
        fail(QStringLiteral("%1 could not be opened.").arg(path));
    follow();
}

void RemoteService::Snapshot(const QString &path)
{
    if (refuseWhileLocked(QStringLiteral("a picture of it")))
        return;
    TBaseForm *form = module ? module->MainWindow() : nullptr;
    if (!form) {
        fail(QStringLiteral("Mira is still starting."));
        return;
    }
    if (!QFileInfo(path).isAbsolute()) {
        fail(QStringLiteral("Snapshot needs an absolute path, not %1.").arg(path));
        return;
    }
    QImageWriter writer(path, "PNG");
    if (!writer.write(form->grab().toImage()))
        fail(QStringLiteral("Cannot write %1: %2").arg(path, writer.errorString()));
}

QString RemoteService::Status()
{
    WallSummary wall;
    if (!module)
        return QString::fromUtf8(WallStatusJson(wall, QDateTime::currentDateTime()));
    wall.locked = module->Lock().LockArmed();
    if (!wall.locked) {
        wall.set = module->File().Sets().ConfigName();
        wall.path = module->File().Sets().ConfigFileName;
        wall.online = module->AllPanes().Online();
        wall.panes = CurrentPaneStatus(*module);
    }
    return QString::fromUtf8(WallStatusJson(wall, QDateTime::currentDateTime()));
}

QString RemoteService::SetPath()
{
    return module ? module->File().Sets().ConfigFileName : QString();
}

RemoteStart StartRemoteService(const QStringList &sets)
{
    RemoteStart start;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return start;
    const QString path = CanonicalSetPath(
        FindConfigFile(ExpandConfigName(sets.isEmpty() ? QString() : sets.constFirst(), QString()),
                       false));
    start.service = std::make_unique<RemoteService>(bus);
    if (start.service->Claim(path))
        return start;
    start.service.reset();
    QDBusMessage call = QDBusMessage::createMethodCall(SetServiceName(path),
                                                       QLatin1String(kRemotePath),
                                                       QLatin1String(kRemoteInterface),
                                                       QStringLiteral("Activate"));
    const QDBusMessage reply = bus.call(call, QDBus::Block, 10000);
    if (reply.type() == QDBusMessage::ReplyMessage)
        start.forwarded = true;
    else
        start.failure = QStringLiteral("%1 is open in another Mira, which does not answer (%2)")
                            .arg(path, reply.errorMessage());
    return start;
}

} // namespace mira
