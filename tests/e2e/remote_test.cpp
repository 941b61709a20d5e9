// Commands from outside on the real program: a private session bus, a virtual display
// with a window manager, walls whose panes point at a local server, and `mira --remote`
// run as a shell would (without a display).
#include <QDBusConnection>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#include "support/httpserver.h"
#include "support/testdata.h"
#include "support/virtualdisplay.h"
#include "support/wait.h"

using namespace mira::test;

namespace {

// Written by tests/data/lockkey_vector.py for the text "abc".
const char kAbcKey[] =
    "q9D1Gj9kia7T+B1CZ4yx1vsgRWqPtNn+I0htkrfcASYFTPoLMFV6n8TpDjNYfaLH7BE2W4Clyu8UOV6DqM3yFzxhhg==";

// A session bus of the test's own, ended with it.
class PrivateBus {
public:
    QString start()
    {
        daemon.start(QStringLiteral("dbus-daemon"),
                     {QStringLiteral("--session"), QStringLiteral("--nofork"),
                      QStringLiteral("--print-address=1")});
        if (!daemon.waitForStarted(5000))
            return QStringLiteral("dbus-daemon does not start");
        if (!seen([&] { return daemon.canReadLine() || daemon.state() == QProcess::NotRunning; })
            || !daemon.canReadLine())
            return QStringLiteral("dbus-daemon names no address: ")
                   + QString::fromLocal8Bit(daemon.readAllStandardError());
        address = QString::fromLatin1(daemon.readLine()).trimmed();
        return {};
    }
    ~PrivateBus() { endProcess(daemon); }

    QProcess daemon;
    QString address;
};

// The walls' stale and recovered signals as a watcher on the bus sees them.
class SignalLog : public QObject {
    Q_OBJECT
public:
    QStringList seen; // "PaneStale <pane> <address> <error>", "PaneRecovered <pane> <address>"

public Q_SLOTS:
    void message(const QDBusMessage &message)
    {
        QStringList words{message.member()};
        for (const QVariant &v : message.arguments())
            words << v.toString();
        seen << words.join(QLatin1Char(' '));
    }
};

struct Outcome {
    int code = -1;
    QString out;
    QString err;
};

// A test's display, bus, program folder and local server.
class RemoteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QStringList missing = VirtualDisplay::missingPrograms();
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            missing << QStringLiteral("dbus-daemon");
        ASSERT_TRUE(missing.isEmpty())
            << "this test needs " << missing.join(QStringLiteral(", ")).toStdString();
        const QString failure = display.start();
        ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();
        const QString busFailure = bus.start();
        ASSERT_TRUE(busFailure.isEmpty()) << busFailure.toStdString();
        ASSERT_TRUE(dir.isValid() && copyProgramInto(dir.path()));
        ASSERT_TRUE(server.start());
        for (const char *page : {"/one.html", "/two.html"})
            server.serve(QString::fromLatin1(page), "<html><body>a wall page</body></html>");
    }

    QString path(const QString &name) const { return dir.filePath(name); }

    // A set of two panes side by side, each with one bookmark on the server.
    void writeSet(const QString &name, const QByteArray &formProperties = {})
    {
        QByteArray text = "object TBaseForm\n" + formProperties
                          + "  Left = 0\n  Top = 0\n  Width = 640\n  Height = 480\n"
                            "  object TPan\n    Align = alClient\n";
        const char *pages[] = {"/one.html", "/two.html"};
        for (int i = 0; i < 2; ++i)
            text += QByteArray("    object TBrowser\n      Width = 300\n      Align = ")
                    + (i == 0 ? "alLeft" : "alClient") + "\n      URLs = <\n        item\n"
                    + "          Name = 'Page'\n          Address = '"
                    + server.url(QString::fromLatin1(pages[i])).toEncoded()
                    + "'\n        end>\n    end\n";
        text += "  end\nend\n";
        QFile f(path(name + QStringLiteral(".set")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(crlf(text));
    }

    QProcessEnvironment environment(bool withDisplay) const
    {
        QProcessEnvironment env = withDisplay ? display.environment()
                                              : QProcessEnvironment::systemEnvironment();
        if (!withDisplay)
            env.remove(QStringLiteral("DISPLAY"));
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), path(QStringLiteral("data")));
        return env;
    }

    // Starts the program on a set and waits until its window is the active one.
    QString startWall(QProcess &mira, const QString &set)
    {
        mira.setProcessEnvironment(environment(true));
        mira.setWorkingDirectory(dir.path());
        mira.start(path(QStringLiteral("mira")), {set});
        if (!mira.waitForStarted(10000))
            return {};
        const QString title = QStringLiteral("^%1 - Mira$").arg(set);
        QString window;
        seen(
            [&] {
                const auto windows = display.visibleWindows(mira.processId(), title);
                if (!windows || windows->size() != 1)
                    return false;
                window = windows->front();
                return display.activeWindow() == window;
            },
            30000);
        return window;
    }

    // `mira ARGS` as a shell runs it, from the test's folder.
    Outcome run(const QStringList &args, bool withDisplay = false, int ms = 60000) const
    {
        QProcess p;
        p.setProcessEnvironment(environment(withDisplay));
        p.setWorkingDirectory(dir.path());
        p.start(path(QStringLiteral("mira")), args);
        if (!p.waitForStarted(10000) || !p.waitForFinished(ms)) {
            endProcess(p);
            return {};
        }
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }
    Outcome remote(const QStringList &args) const
    {
        return run(QStringList{QStringLiteral("--remote")} + args);
    }

    VirtualDisplay display;
    PrivateBus bus;
    QTemporaryDir dir;
    HttpServer server;
};

QJsonObject json(const QString &text)
{
    return QJsonDocument::fromJson(text.toUtf8()).object();
}

} // namespace

TEST_F(RemoteTest, GoAllFromAShellReachesEveryPaneAndStatusTellsWhatTheyShow)
{
    // Nothing runs yet: said, with its own exit status.
    const Outcome none = remote({QStringLiteral("GoAll")});
    EXPECT_EQ(none.code, 3);
    EXPECT_TRUE(none.err.contains(QLatin1String("no Mira is running"))) << none.err.toStdString();

    writeSet(QStringLiteral("Lobby"));
    QProcess mira;
    ProcessEnd end{mira};
    ASSERT_FALSE(startWall(mira, QStringLiteral("Lobby")).isEmpty())
        << mira.readAllStandardError().toStdString();
    EXPECT_EQ(server.count(QStringLiteral("/one.html")), 0);

    const Outcome list = remote({QStringLiteral("List")});
    EXPECT_EQ(list.code, 0) << list.err.toStdString();
    EXPECT_TRUE(list.out.startsWith(
        QStringLiteral("Lobby\t%1\torg.mira.Wall.Lobby_").arg(path(QStringLiteral("Lobby.set")))))
        << list.out.toStdString();

    const Outcome go = remote({QStringLiteral("goall")});
    ASSERT_EQ(go.code, 0) << go.err.toStdString();
    ASSERT_TRUE(waitUntil(
        [&] {
            return server.count(QStringLiteral("/one.html")) > 0
                   && server.count(QStringLiteral("/two.html")) > 0;
        },
        30000))
        << "the panes were not sent to their bookmarks";

    // Status names both panes with the pages they show once loaded.
    QJsonArray panes;
    ASSERT_TRUE(seen(
        [&] {
            const Outcome status = remote(
                {QStringLiteral("Status"), QStringLiteral("--set"), QStringLiteral("lobby")});
            const QJsonObject root = json(status.out);
            panes = root.value(QStringLiteral("panes")).toArray();
            return status.code == 0 && panes.size() == 2
                   && panes.at(1).toObject().value(QStringLiteral("lastGood")).isString();
        },
        30000));
    EXPECT_EQ(panes.at(0).toObject().value(QStringLiteral("address")).toString(),
              server.url(QStringLiteral("/one.html")).toString());
    EXPECT_EQ(panes.at(1).toObject().value(QStringLiteral("address")).toString(),
              server.url(QStringLiteral("/two.html")).toString());

    // A page whose server goes away makes its pane stale, and its return recovers it;
    // a watcher on the bus hears of both.
    QDBusConnection watcher = QDBusConnection::connectToBus(bus.address,
                                                            QStringLiteral("remote_test_watcher"));
    ASSERT_TRUE(watcher.isConnected());
    SignalLog log;
    for (const char *member : {"PaneStale", "PaneRecovered"})
        ASSERT_TRUE(watcher.connect(QString(), QStringLiteral("/org/mira/Wall"),
                                    QStringLiteral("org.mira.Wall"), QLatin1String(member), &log,
                                    SLOT(message(QDBusMessage))));
    const quint16 port = server.port();
    const QString one = server.url(QStringLiteral("/one.html")).toString();
    server.stop();
    ASSERT_EQ(remote({QStringLiteral("RefreshAll")}).code, 0);
    EXPECT_TRUE(waitUntil(
        [&] { return log.seen.filter(QStringLiteral("PaneStale pane 1 ") + one).size() == 1; },
        30000))
        << log.seen.join(QLatin1Char('\n')).toStdString();
    const Outcome staleStatus = remote({QStringLiteral("Status")});
    EXPECT_TRUE(json(staleStatus.out)
                    .value(QStringLiteral("panes"))
                    .toArray()
                    .at(0)
                    .toObject()
                    .value(QStringLiteral("stale"))
                    .toBool())
        << staleStatus.out.toStdString();
    ASSERT_TRUE(server.start(port));
    // The stale pane tries again by itself after about five seconds.
    EXPECT_TRUE(
        waitUntil([&] { return log.seen.contains(QStringLiteral("PaneRecovered pane 1 ") + one); },
                  30000))
        << log.seen.join(QLatin1Char('\n')).toStdString();
    QDBusConnection::disconnectFromBus(QStringLiteral("remote_test_watcher"));

    // Another set opened from outside: the wall answers under its new name, and a
    // start of that set brings it forward rather than opening it twice.
    writeSet(QStringLiteral("Market"));
    const Outcome opened = remote({QStringLiteral("OpenSet"), QStringLiteral("Market")});
    ASSERT_EQ(opened.code, 0) << opened.err.toStdString();
    EXPECT_TRUE(seen([&] {
        return display.visibleWindows(mira.processId(), QStringLiteral("^Market - Mira$"))->size()
               == 1;
    }));
    EXPECT_TRUE(seen([&] {
        return remote({QStringLiteral("List")})
            .out.startsWith(QStringLiteral("Market\t%1\torg.mira.Wall.Market_")
                                .arg(path(QStringLiteral("Market.set"))));
    }));
    EXPECT_EQ(run({QStringLiteral("Market")}, true, 20000).code, 0);
    EXPECT_EQ(mira.state(), QProcess::Running);

    // A wall that is not running, and a command the wall cannot do.
    const Outcome other = remote({QStringLiteral("GoAll"), QStringLiteral("--set=Kiosk")});
    EXPECT_EQ(other.code, 3);
    EXPECT_TRUE(other.err.contains(QLatin1String("no running Mira has the set Kiosk open")))
        << other.err.toStdString();
    const Outcome missing = remote({QStringLiteral("OpenSet"), QStringLiteral("NoSuchSet")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(missing.err.contains(QLatin1String("There is no set file")))
        << missing.err.toStdString();
    const Outcome usage = remote({QStringLiteral("Reboot")});
    EXPECT_EQ(usage.code, 2);
    EXPECT_TRUE(usage.err.contains(QLatin1String("unknown remote command Reboot")));
}

TEST_F(RemoteTest, ALockedWallRefusesSnapshotAndShowsNothingOfItsLayout)
{
    writeSet(QStringLiteral("Vault"), "  Tag = 32\n  Key = '" + QByteArray(kAbcKey) + "'\n");
    QProcess mira;
    ProcessEnd end{mira};
    const QString window = startWall(mira, QStringLiteral("Vault"));
    ASSERT_FALSE(window.isEmpty()) << mira.readAllStandardError().toStdString();

    // Unlocked, a picture of the window is written where the caller says.
    const QString open = path(QStringLiteral("open.png"));
    const Outcome shot = remote({QStringLiteral("Snapshot"), QStringLiteral("open.png")});
    ASSERT_EQ(shot.code, 0) << shot.err.toStdString();
    EXPECT_FALSE(QImage(open).isNull());

    // Minimized with Lock On Minimize, the lock is armed.
    ASSERT_TRUE(display.xdotool({QStringLiteral("windowminimize"), window}).ok);
    ASSERT_TRUE(seen([&] {
        return display.visibleWindows(mira.processId(), QStringLiteral("^Vault - Mira$"))
               == QStringList();
    }));
    Outcome status;
    ASSERT_TRUE(seen([&] {
        status = remote({QStringLiteral("Status")});
        return json(status.out) == QJsonObject({{QStringLiteral("locked"), true}});
    })) << status.out.toStdString();

    const Outcome refused = remote({QStringLiteral("Snapshot"), QStringLiteral("locked.png")});
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.err.contains(QLatin1String("The wall is locked")))
        << refused.err.toStdString();
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("locked.png"))));
    writeSet(QStringLiteral("Other"));
    const Outcome openSet = remote({QStringLiteral("OpenSet"), QStringLiteral("Other")});
    EXPECT_EQ(openSet.code, 1);
    EXPECT_TRUE(openSet.err.contains(QLatin1String("The wall is locked")))
        << openSet.err.toStdString();

    // Reloading goes on behind the lock.
    const Outcome go = remote({QStringLiteral("GoAll")});
    EXPECT_EQ(go.code, 0) << go.err.toStdString();
    EXPECT_TRUE(waitUntil([&] { return server.count(QStringLiteral("/two.html")) > 0; }, 30000));
    EXPECT_EQ(display.visibleWindows(mira.processId(), QStringLiteral("^Vault - Mira$")),
              QStringList());
}

TEST_F(RemoteTest, ASecondStartOfAnOpenSetBringsTheFirstWindowForward)
{
    writeSet(QStringLiteral("Lobby"));
    writeSet(QStringLiteral("Kiosk"));
    QProcess lobby, kiosk;
    ProcessEnd endLobby{lobby}, endKiosk{kiosk};
    const QString lobbyWindow = startWall(lobby, QStringLiteral("Lobby"));
    ASSERT_FALSE(lobbyWindow.isEmpty()) << lobby.readAllStandardError().toStdString();
    // Another set opens in a program of its own and takes the front.
    const QString kioskWindow = startWall(kiosk, QStringLiteral("Kiosk"));
    ASSERT_FALSE(kioskWindow.isEmpty()) << kiosk.readAllStandardError().toStdString();

    QElapsedTimer clock;
    clock.start();
    const Outcome again = run({QStringLiteral("Lobby")}, true, 20000);
    EXPECT_EQ(again.code, 0) << again.err.toStdString();
    EXPECT_LT(clock.elapsed(), 10000) << "the second start does not end at once";
    EXPECT_TRUE(seen([&] { return display.activeWindow() == lobbyWindow; }))
        << "the first window does not come forward";
    EXPECT_EQ(display.visibleWindows(lobby.processId(), QStringLiteral("^Lobby - Mira$")),
              QStringList{lobbyWindow});

    // Nor does a wall open a set another one has open.
    const Outcome twice = remote({QStringLiteral("OpenSet"), QStringLiteral("Kiosk"),
                                  QStringLiteral("--set"), QStringLiteral("Lobby")});
    EXPECT_EQ(twice.code, 1);
    EXPECT_TRUE(twice.err.contains(QLatin1String("is open in another Mira")))
        << twice.err.toStdString();

    // Also when it was minimized, and when the set is named by its path.
    ASSERT_TRUE(display.xdotool({QStringLiteral("windowminimize"), lobbyWindow}).ok);
    ASSERT_TRUE(seen([&] {
        return display.visibleWindows(lobby.processId(), QStringLiteral("^Lobby - Mira$"))
               == QStringList();
    }));
    EXPECT_EQ(run({path(QStringLiteral("Lobby.set"))}, true, 20000).code, 0);
    EXPECT_TRUE(seen([&] { return display.activeWindow() == lobbyWindow; }))
        << "the minimized window does not come back";
}

#include "remote_test.moc"
