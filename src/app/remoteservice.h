#pragma once
// The wall's service on the session bus: the program's commands for tools outside it
// (`mira --remote`, cron, ssh, configuration management) and the guard that keeps a
// set from being opened by two programs at once. One bus name per open set
// (remotecommand.h); without a session bus there is no service and no guard.
#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <memory>

class QAction;
class QWidget;

namespace mira {

class TAppControlModule;
class TBrowser;

class RemoteService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mira.Wall")
public:
    explicit RemoteService(QDBusConnection bus);
    ~RemoteService() override;

    // Puts the object on the bus and takes the name of the set at setPath (empty:
    // none); false when another program holds that name.
    bool Claim(const QString &setPath);
    // The program whose commands are run; the bus name follows its open set from now on.
    void Attach(TAppControlModule &module);
    QString ServiceName() const { return name; }

public Q_SLOTS:
    // Brings the main window to the front (a minimized, locked one asks for its key).
    Q_SCRIPTABLE void Activate();
    Q_SCRIPTABLE void GoAll();
    Q_SCRIPTABLE void RefreshAll();
    Q_SCRIPTABLE void StopAll();
    // A set's path, or its name in the program folder; refused while locked.
    Q_SCRIPTABLE void OpenSet(const QString &path);
    // Writes a picture of the window to the absolute path; refused while locked.
    Q_SCRIPTABLE void Snapshot(const QString &path);
    // The wall status as JSON; while locked only that it is.
    Q_SCRIPTABLE QString Status();
    // The open set's full path; empty when none is open.
    Q_SCRIPTABLE QString SetPath();

Q_SIGNALS:
    // pane: its name, or "pane N" by its place in the pane list. While locked the
    // pane, address and error are empty: only that it happened is told.
    Q_SCRIPTABLE void PaneStale(const QString &pane, const QString &address, const QString &error);
    Q_SCRIPTABLE void PaneRecovered(const QString &pane, const QString &address);

private:
    // Takes the bus name of the set now open, giving up the one held before.
    void follow();
    void paneStaleChanged(TBrowser *pane, bool stale);
    void runAction(QAction *action);
    bool refuseWhileLocked(const QString &what);
    void fail(const QString &text);
    // Why the set at path cannot be opened from outside; empty when it can.
    QString openSetProblem(const QString &path) const;

    QDBusConnection bus;
    QPointer<TAppControlModule> module;
    QString name;
    bool registered = false;
    bool followed = false;
    QString followedSet; // the open set's file name when last followed
};

// The start of an interactive program on a session bus.
struct RemoteStart {
    std::unique_ptr<RemoteService> service; // null without a session bus
    // The set is open in another program, whose window was brought forward: this one ends.
    bool forwarded = false;
    // Not empty: that other program did not answer; this one ends with the text.
    QString failure;
};

// Claims the name of the set the command line opens (the first of sets, or the
// most recent one) before anything shows.
RemoteStart StartRemoteService(const QStringList &sets);

// The full path of a set file with links and dots resolved; the path itself when
// it does not exist.
QString CanonicalSetPath(const QString &path);

} // namespace mira
