#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/screenawake.h"

using namespace mira::platform;

TEST(ScreenAwakeRule, OnlyAWallOnScreen)
{
    const struct {
        bool open, wall, shown, minimized, locked, awake;
    } rows[] = {
        {true, true, true, false, false, true},   // the wall on screen
        {false, true, true, false, false, false}, // no set
        {true, false, true, false, false, false}, // a set that is no wall
        {true, true, false, false, false, false}, // hidden or closed
        {true, true, true, true, false, false},   // minimized
        {true, true, true, false, true, false},   // locked
        {true, true, true, true, true, false},
    };
    for (const auto &r : rows) {
        AwakeState s;
        s.setOpen = r.open;
        s.goAllOnOpen = r.wall;
        s.shown = r.shown;
        s.minimized = r.minimized;
        s.locked = r.locked;
        EXPECT_EQ(ShouldKeepScreenAwake(s), r.awake)
            << r.open << r.wall << r.shown << r.minimized << r.locked;
    }
}

TEST(ScreenAwakeRule, AFullScreenSetCountsAsAWall)
{
    const struct {
        bool open, wall, shown, minimized, locked, awake;
    } rows[] = {
        {true, false, true, false, false, true},   // full screen, no Go All On Open
        {true, true, true, false, false, true},    // both
        {false, false, true, false, false, false}, // no set
        {true, false, false, false, false, false}, // hidden
        {true, false, true, true, false, false},   // minimized from full screen
        {true, false, true, false, true, false},   // locked
    };
    for (const auto &r : rows) {
        AwakeState s;
        s.setOpen = r.open;
        s.goAllOnOpen = r.wall;
        s.fullScreen = true;
        s.shown = r.shown;
        s.minimized = r.minimized;
        s.locked = r.locked;
        EXPECT_EQ(ShouldKeepScreenAwake(s), r.awake)
            << r.open << r.wall << r.shown << r.minimized << r.locked;
    }
}

namespace {

// The desktop's screen saver service as far as inhibiting goes.
class FakeScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    QSet<uint> held;
    int inhibits = 0;
    QString application;

public Q_SLOTS:
    uint Inhibit(const QString &app, const QString &)
    {
        application = app;
        ++inhibits;
        held.insert(next);
        return next++;
    }
    void UnInhibit(uint cookie) { held.remove(cookie); }

private:
    uint next = 7;
};

// A private session bus for the test, ended with it.
class PrivateBus : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            GTEST_SKIP() << "dbus-daemon is not installed";
        process.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                               QStringLiteral("--nopidfile"), QStringLiteral("--print-address=1")});
        ASSERT_TRUE(process.waitForStarted(5000));
        while (!process.canReadLine())
            ASSERT_TRUE(process.waitForReadyRead(5000));
        address = QString::fromUtf8(process.readLine()).trimmed();
        ASSERT_FALSE(address.isEmpty());
    }
    void TearDown() override
    {
        for (const QString &name : names)
            QDBusConnection::disconnectFromBus(name);
        process.kill();
        process.waitForFinished(5000);
    }
    QDBusConnection connect(const QString &name)
    {
        names << name;
        return QDBusConnection::connectToBus(address, name);
    }
    // Registers the fake service on its own connection.
    void serve(FakeScreenSaver &fake)
    {
        QDBusConnection bus = connect(QStringLiteral("service"));
        ASSERT_TRUE(bus.isConnected());
        ASSERT_TRUE(bus.registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"), &fake,
                                       QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(bus.registerService(QStringLiteral("org.freedesktop.ScreenSaver")));
    }

    QProcess process;
    QString address;
    QStringList names;
};

} // namespace

TEST_F(PrivateBus, InhibitsOnceAndReleasesWithTheCookie)
{
    FakeScreenSaver fake;
    serve(fake);
    DBusScreenAwake awake(connect(QStringLiteral("client")));
    awake.SetAwake(true);
    awake.SetAwake(true); // repeated: still one inhibition
    QTRY_VERIFY(awake.Holding());
    EXPECT_EQ(fake.inhibits, 1);
    EXPECT_EQ(fake.held, QSet<uint>{7});
    EXPECT_EQ(fake.application, QStringLiteral("Mira"));

    awake.SetAwake(false);
    EXPECT_FALSE(awake.Holding());
    QTRY_VERIFY(fake.held.isEmpty());

    awake.SetAwake(true);
    QTRY_VERIFY(awake.Holding());
    EXPECT_EQ(fake.held, QSet<uint>{8});
}

TEST_F(PrivateBus, AReleaseBeforeTheAnswerStillReleases)
{
    FakeScreenSaver fake;
    serve(fake);
    DBusScreenAwake awake(connect(QStringLiteral("client")));
    awake.SetAwake(true);
    awake.SetAwake(false); // the Inhibit answer is still on its way
    QTRY_COMPARE(fake.inhibits, 1);
    QTRY_VERIFY(fake.held.isEmpty());
    QTest::qWait(50);
    EXPECT_FALSE(awake.Holding());
    EXPECT_TRUE(fake.held.isEmpty());
}

TEST_F(PrivateBus, WithoutTheServiceNothingHappens)
{
    DBusScreenAwake awake(connect(QStringLiteral("client")));
    awake.SetAwake(true);
    QTest::qWait(200);
    EXPECT_TRUE(awake.Awake());
    EXPECT_FALSE(awake.Holding());
    awake.SetAwake(false);
    EXPECT_FALSE(awake.Awake());
}

TEST(ScreenAwakeBus, NoBusAtAllIsQuiet)
{
    DBusScreenAwake awake(QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent"),
                                                        QStringLiteral("nobus")));
    awake.SetAwake(true);
    EXPECT_FALSE(awake.Holding());
    awake.SetAwake(false);
    QDBusConnection::disconnectFromBus(QStringLiteral("nobus"));
}

#include "screenawake_test.moc"
