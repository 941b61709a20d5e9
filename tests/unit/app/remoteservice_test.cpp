#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include "app/lockcontrol.h"
#include "app/remotecommand.h"
#include "app/remoteservice.h"
#include "support/programfixture.h"
#include "support/testdata.h"
#include "support/wait.h"

using namespace mira;

namespace {

// Written by tests/data/lockkey_vector.py for the text "abc".
const char kAbcKey[] =
    "q9D1Gj9kia7T+B1CZ4yx1vsgRWqPtNn+I0htkrfcASYFTPoLMFV6n8TpDjNYfaLH7BE2W4Clyu8UOV6DqM3yFzxhhg==";

// A program, a private session bus and a caller on it.
class RemoteServiceTest : public test::ProgramTest {
protected:
    void SetUp() override
    {
        test::ProgramTest::SetUp();
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            GTEST_SKIP() << "dbus-daemon is not installed";
        process.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                               QStringLiteral("--nopidfile"), QStringLiteral("--print-address=1")});
        ASSERT_TRUE(process.waitForStarted(5000));
        while (!process.canReadLine())
            ASSERT_TRUE(process.waitForReadyRead(5000));
        address = QString::fromUtf8(process.readLine()).trimmed();
    }
    void TearDown() override
    {
        services.clear();
        for (const QString &name : std::as_const(names))
            QDBusConnection::disconnectFromBus(name);
        process.kill();
        process.waitForFinished(5000);
        test::ProgramTest::TearDown();
    }
    QDBusConnection connect(const QString &name)
    {
        names << name;
        return QDBusConnection::connectToBus(address, name);
    }
    RemoteService &service(const QString &connection)
    {
        services.push_back(std::make_unique<RemoteService>(connect(connection)));
        return *services.back();
    }
    QString writeSet(const QString &name, const QByteArray &formProperties = {})
    {
        return writeFile(name + QStringLiteral(".set"),
                         test::crlf("object TBaseForm\n" + formProperties
                                    + "  Left = 0\n  Top = 0\n  Width = 320\n  Height = 240\n"
                                      "  object TPan\n    Align = alClient\n  end\nend\n"));
    }
    // Calls the wall as another program would; the answer comes through the event loop.
    QDBusMessage call(const QString &service, const QString &method,
                      const QVariantList &arguments = {})
    {
        QDBusConnection caller = connect(QStringLiteral("caller"));
        QDBusMessage message = QDBusMessage::createMethodCall(service, QLatin1String(kRemotePath),
                                                              QLatin1String(kRemoteInterface),
                                                              method);
        message.setArguments(arguments);
        QDBusPendingCall pending = caller.asyncCall(message, 10000);
        test::waitUntil([&] { return pending.isFinished(); });
        return pending.reply();
    }

    QProcess process;
    QString address;
    QStringList names;
    std::vector<std::unique_ptr<RemoteService>> services;
};

} // namespace

TEST_F(RemoteServiceTest, ASetIsClaimedOnceAndTheNameFollowsTheOpenSet)
{
    const QString lobby = CanonicalSetPath(writeSet(QStringLiteral("Lobby")));
    const QString market = CanonicalSetPath(writeSet(QStringLiteral("Market")));
    start({QStringLiteral("Lobby")});
    RemoteService &wall = service(QStringLiteral("wall"));
    ASSERT_TRUE(wall.Claim(lobby));
    wall.Attach(*module());
    EXPECT_EQ(wall.ServiceName(), SetServiceName(lobby));
    // A second start of the same set finds it taken.
    EXPECT_FALSE(service(QStringLiteral("second")).Claim(lobby));

    // Opened from outside: the wall answers under the new set's name and lets the old go.
    const QDBusMessage opened = call(wall.ServiceName(), QStringLiteral("OpenSet"), {market});
    ASSERT_EQ(opened.type(), QDBusMessage::ReplyMessage) << opened.errorMessage().toStdString();
    EXPECT_EQ(module()->File().Sets().ConfigFileName, market);
    EXPECT_EQ(wall.ServiceName(), SetServiceName(market));
    const QDBusMessage path = call(wall.ServiceName(), QStringLiteral("SetPath"));
    EXPECT_EQ(path.arguments().value(0).toString(), market);
    EXPECT_TRUE(service(QStringLiteral("third")).Claim(lobby));

    // A set another program holds, opened here all the same (from the menu): the wall
    // stays reachable under its number and says that two programs now write one file.
    module()->File().Sets().CloseConfigFile();
    module()->File().Sets().SelectConfigFile(lobby, false);
    ASSERT_TRUE(module()->File().Sets().LoadConfigFile());
    EXPECT_EQ(wall.ServiceName(), InstanceServiceName(QCoreApplication::applicationPid()));
    EXPECT_TRUE(form()->StatusText().contains(QLatin1String("open in another Mira too")))
        << form()->StatusText().toStdString();
}

TEST_F(RemoteServiceTest, OpenSetSaysWhyASetCannotBeOpened)
{
    const QString lobby = CanonicalSetPath(writeSet(QStringLiteral("Lobby")));
    writeFile(QStringLiteral("Broken.set"), "object TBaseForm\r\n  Left = \r\n");
    writeFile(QStringLiteral("Notes.set"), "shopping list\r\n");
    ASSERT_TRUE(QDir(folder()).mkdir(QStringLiteral("Shelf.set")));
    start({QStringLiteral("Lobby")});
    RemoteService &wall = service(QStringLiteral("wall"));
    ASSERT_TRUE(wall.Claim(lobby));
    wall.Attach(*module());
    const struct {
        QString given;
        const char *said;
    } rows[] = {
        {QStringLiteral("Missing"), "There is no set file"},
        {folder() + QStringLiteral("Broken.set"), "is not a valid set"},
        {QStringLiteral("Notes"), "is not a configuration set"},
        {QStringLiteral("Shelf"), "is a folder"},
    };
    for (const auto &r : rows) {
        const QDBusMessage reply = call(wall.ServiceName(), QStringLiteral("OpenSet"), {r.given});
        EXPECT_EQ(reply.type(), QDBusMessage::ErrorMessage) << r.given.toStdString();
        EXPECT_EQ(reply.errorName(), QLatin1String(kRemoteFailedError));
        EXPECT_TRUE(reply.errorMessage().contains(QLatin1String(r.said)))
            << reply.errorMessage().toStdString();
    }
    // The wall goes on with its set, without a word on its screen.
    EXPECT_EQ(module()->File().Sets().ConfigFileName, lobby);
    EXPECT_TRUE(modal.asked.isEmpty());
}

TEST_F(RemoteServiceTest, ALockedWallShowsNothingButStillReloads)
{
    const QString vault = CanonicalSetPath(
        writeSet(QStringLiteral("Vault"), "  Tag = 32\n  Key = '" + QByteArray(kAbcKey) + "'\n"));
    start({QStringLiteral("Vault")});
    RemoteService &wall = service(QStringLiteral("wall"));
    ASSERT_TRUE(wall.Claim(vault));
    wall.Attach(*module());
    const QString picture = folder() + QStringLiteral("wall.png");
    form()->show();
    EXPECT_EQ(call(wall.ServiceName(), QStringLiteral("Snapshot"), {picture}).type(),
              QDBusMessage::ReplyMessage);
    EXPECT_TRUE(QFile::remove(picture));
    const QJsonObject open = QJsonDocument::fromJson(
                                 call(wall.ServiceName(), QStringLiteral("Status"))
                                     .arguments()
                                     .value(0)
                                     .toString()
                                     .toUtf8())
                                 .object();
    EXPECT_EQ(open.value(QStringLiteral("set")).toString(), QStringLiteral("Vault"));

    module()->Lock().ArmLock();
    ASSERT_TRUE(module()->Lock().LockArmed());
    const QDBusMessage shot = call(wall.ServiceName(), QStringLiteral("Snapshot"), {picture});
    EXPECT_EQ(shot.errorName(), QLatin1String(kRemoteLockedError));
    EXPECT_FALSE(QFile::exists(picture));
    const QDBusMessage other = call(wall.ServiceName(), QStringLiteral("OpenSet"),
                                    {writeSet(QStringLiteral("Other"))});
    EXPECT_EQ(other.errorName(), QLatin1String(kRemoteLockedError));
    EXPECT_EQ(module()->File().Sets().ConfigFileName, vault);
    EXPECT_EQ(QJsonDocument::fromJson(call(wall.ServiceName(), QStringLiteral("Status"))
                                          .arguments()
                                          .value(0)
                                          .toString()
                                          .toUtf8())
                  .object(),
              QJsonObject({{QStringLiteral("locked"), true}}));
    for (const char *command : {"GoAll", "RefreshAll", "StopAll"})
        EXPECT_EQ(call(wall.ServiceName(), QLatin1String(command)).type(),
                  QDBusMessage::ReplyMessage)
            << command;
}
