#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include "app/commandline.h"
#include "app/remotecommand.h"

using namespace mira;

namespace {

// A bus name element: letters, digits and "_", not beginning with a digit.
const QRegularExpression kElement(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));

} // namespace

TEST(RemoteServiceName, EverySetNameMakesAValidBusNameOfItsOwn)
{
    const struct {
        const char *path;
        const char *element; // before the "_" and the 8 hex digits
    } rows[] = {
        {"/walls/Market.set", "Market"},
        {"/walls/Lobby Wall.set", "Lobby_Wall"},
        {"/walls/m\xC3\xA4rkte-2.set", "m_rkte_2"},
        {"/walls/2026.set", "_2026"},
        {"/walls/.set", "_"},
        {"/walls/a.b.set", "a_b"},
    };
    for (const auto &r : rows) {
        const QString name = SetServiceName(QString::fromUtf8(r.path));
        const std::string what = name.toStdString();
        ASSERT_TRUE(name.startsWith(QLatin1String("org.mira.Wall."))) << what;
        const QString element = name.mid(int(qstrlen("org.mira.Wall.")));
        EXPECT_TRUE(kElement.match(element).hasMatch()) << what;
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^%1_[0-9a-f]{8}$").arg(r.element))
                        .match(element)
                        .hasMatch())
            << what;
    }
    // The same name in two folders is two walls; one path is always one wall.
    EXPECT_NE(SetServiceName(QStringLiteral("/a/Market.set")),
              SetServiceName(QStringLiteral("/b/Market.set")));
    EXPECT_EQ(SetServiceName(QStringLiteral("/a/Market.set")),
              SetServiceName(QStringLiteral("/a/Market.set")));
    // A long name is cut so the whole stays far below the bus's 255 characters.
    EXPECT_LE(SetServiceName(QStringLiteral("/w/") + QString(300, QLatin1Char('x'))
                             + QStringLiteral(".set"))
                  .size(),
              14 + 64 + 9);
    EXPECT_EQ(InstanceServiceName(4711), QStringLiteral("org.mira.Wall.Instance_4711"));
}

TEST(RemoteArguments, CommandsTheirArgumentsAndTheWallToSteer)
{
    const struct {
        QStringList args;
        const char *method;
        QStringList arguments;
        const char *set;
    } rows[] = {
        {{"--remote", "GoAll"}, "GoAll", {}, ""},
        {{"--remote=refreshall"}, "RefreshAll", {}, ""},
        {{"--remote", "STOPALL", "--set", "Lobby"}, "StopAll", {}, "Lobby"},
        {{"--set=Lobby", "--remote", "OpenSet", "Market"}, "OpenSet", {"Market"}, "Lobby"},
        {{"--remote", "snapshot", "--", "--odd.png"}, "Snapshot", {"--odd.png"}, ""},
        {{"--remote", "Status", "--set", "/walls/Lobby.set"}, "Status", {}, "/walls/Lobby.set"},
        {{"--remote", "list"}, "List", {}, ""},
    };
    for (const auto &r : rows) {
        const std::string what = r.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(IsRemoteCall(r.args)) << what;
        const RemoteRequest request = ParseRemoteArguments(r.args);
        EXPECT_EQ(request.error, QString()) << what;
        EXPECT_EQ(request.method, QLatin1String(r.method)) << what;
        EXPECT_EQ(request.arguments, r.arguments) << what;
        EXPECT_EQ(request.set, QLatin1String(r.set)) << what;
    }
    // An ordinary start, or a set that happens to be called so.
    for (const QStringList &args :
         {QStringList{"Market"}, QStringList{"--", "--remote"}, QStringList{"--snapshot", "w.png"}})
        EXPECT_FALSE(IsRemoteCall(args)) << args.join(' ').toStdString();
}

TEST(RemoteArguments, UnusableLinesSayWhy)
{
    const struct {
        QStringList args;
        const char *error;
    } rows[] = {
        {{"--remote"},
         "--remote needs a command: GoAll, RefreshAll, StopAll, OpenSet, Snapshot, "
         "Status, List"},
        {{"--remote", "--set", "Lobby"},
         "--remote needs a command: GoAll, RefreshAll, StopAll, "
         "OpenSet, Snapshot, Status, List"},
        {{"--remote", "Reboot"},
         "unknown remote command Reboot (known: GoAll, RefreshAll, "
         "StopAll, OpenSet, Snapshot, Status, List)"},
        {{"--remote", "OpenSet"}, "OpenSet needs the set to open"},
        {{"--remote", "OpenSet", ""}, "OpenSet needs the set to open"},
        {{"--remote", "Snapshot"}, "Snapshot needs the name of a PNG file to write"},
        {{"--remote", "GoAll", "Market"}, "GoAll takes no argument"},
        {{"--remote", "OpenSet", "a", "b"}, "OpenSet takes one argument"},
        {{"--remote", "GoAll", "--set"}, "--set needs the name or path of a set"},
        {{"--remote", "GoAll", "--set="}, "--set needs the name or path of a set"},
        {{"--remote", "GoAll", "--set", "a", "--set", "b"}, "--set is given twice"},
        {{"--remote", "GoAll", "--remote", "StopAll"}, "--remote is given twice"},
        {{"--remote", "GoAll", "--snapshot", "w.png"}, "--snapshot does not go with --remote"},
    };
    for (const auto &r : rows)
        EXPECT_EQ(ParseRemoteArguments(r.args).error, QLatin1String(r.error))
            << r.args.join(' ').toStdString();
}

TEST(RemoteArguments, HelpTellsTheRemoteOptions)
{
    const QString usage = UsageText();
    for (const char *option :
         {"--remote COMMAND", "--set NAME", "GoAll", "OpenSet SET", "Snapshot FILE.png", "Status"})
        EXPECT_TRUE(usage.contains(QLatin1String(option))) << option;
}

TEST(RemoteChoice, TheOnlyWallOrTheOneNamed)
{
    const QList<RunningWall> walls = {
        {QStringLiteral("org.mira.Wall.Lobby_00000001"), QStringLiteral("/walls/Lobby.set")},
        {QStringLiteral("org.mira.Wall.Market_00000002"), QStringLiteral("/walls/Market.set")},
        {QStringLiteral("org.mira.Wall.Market_00000003"), QStringLiteral("/old/Market.set")},
        {QStringLiteral("org.mira.Wall.Instance_77"), QString()},
    };
    const struct {
        QList<RunningWall> walls;
        const char *wanted;
        int index;
        const char *error;
    } rows[] = {
        {{}, "", -1, "no Mira is running on this session bus"},
        {{}, "Lobby", -1, "no Mira is running on this session bus"},
        {walls.mid(0, 1), "", 0, ""},
        {walls.mid(3, 1), "", 0, ""},
        {walls.mid(0, 2), "", -1, "2 Mira are running (Lobby, Market): pick one with --set NAME"},
        {walls, "lobby", 0, ""},
        {walls, "Lobby.set", 0, ""},
        {walls, "/walls/Market.set", 1, ""},
        {walls, "../old/./Market.set", 2, ""},
        {walls, "org.mira.Wall.Instance_77", 3, ""},
        {walls, "Market", -1,
         "2 running Mira have a set Market open (/walls/Market.set, /old/Market.set): give its "
         "path with --set"},
        {walls, "Kiosk", -1,
         "no running Mira has the set Kiosk open (running: Lobby, Market, Market, (no set))"},
    };
    for (const auto &r : rows) {
        const WallChoice choice = ChooseWall(r.walls, QLatin1String(r.wanted),
                                             QStringLiteral("/walls"));
        EXPECT_EQ(choice.index, r.index) << r.wanted;
        EXPECT_EQ(choice.error, QLatin1String(r.error)) << r.wanted;
    }
}

TEST(RemoteStatus, JsonCarriesEveryPaneWithPlainValues)
{
    const QDateTime now(QDate(2026, 12, 10), QTime(8, 0, 0), Qt::UTC);
    WallSummary wall;
    wall.set = QStringLiteral("Lobby");
    wall.path = QStringLiteral("/walls/Lobby.set");
    wall.online = false;
    PaneStatus fresh; // a pane without a name, as most are
    PaneStatus stale;
    stale.pane = QStringLiteral("Browser2");
    stale.book = QStringLiteral("Book1");
    stale.page = QStringLiteral("Sales \"Q4\"");
    stale.address = QStringLiteral("http://127.0.0.1:9/sales");
    stale.lastGood = now.addSecs(-3600);
    stale.lastError = QStringLiteral("The server refused the connection.");
    stale.nextReloadMs = 1001;
    stale.copyTaken = now.addSecs(-3600);
    wall.panes = {fresh, stale};

    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(WallStatusJson(wall, now), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError);
    EXPECT_FALSE(root.value(QStringLiteral("locked")).toBool(true));
    EXPECT_EQ(root.value(QStringLiteral("time")).toString(),
              QStringLiteral("2026-12-10T08:00:00Z"));
    EXPECT_EQ(root.value(QStringLiteral("set")).toString(), QStringLiteral("Lobby"));
    EXPECT_EQ(root.value(QStringLiteral("path")).toString(), QStringLiteral("/walls/Lobby.set"));
    EXPECT_FALSE(root.value(QStringLiteral("online")).toBool(true));
    const QJsonArray panes = root.value(QStringLiteral("panes")).toArray();
    ASSERT_EQ(panes.size(), 2);

    // What is not known is null, never an empty text or a made-up time.
    const QJsonObject first = panes.at(0).toObject();
    EXPECT_EQ(first.value(QStringLiteral("index")).toInt(), 1);
    for (const char *key : {"pane", "book", "page", "address", "lastGood", "lastError",
                            "nextReloadSeconds", "copyTaken"})
        EXPECT_TRUE(first.value(QLatin1String(key)).isNull()) << key;
    EXPECT_FALSE(first.value(QStringLiteral("stale")).toBool(true));

    const QJsonObject second = panes.at(1).toObject();
    EXPECT_EQ(second.value(QStringLiteral("index")).toInt(), 2);
    EXPECT_EQ(second.value(QStringLiteral("pane")).toString(), QStringLiteral("Browser2"));
    EXPECT_EQ(second.value(QStringLiteral("page")).toString(), QStringLiteral("Sales \"Q4\""));
    EXPECT_EQ(second.value(QStringLiteral("book")).toString(), QStringLiteral("Book1"));
    EXPECT_TRUE(second.value(QStringLiteral("stale")).toBool());
    EXPECT_EQ(second.value(QStringLiteral("lastGood")).toString(),
              QStringLiteral("2026-12-10T07:00:00Z"));
    EXPECT_EQ(second.value(QStringLiteral("lastError")).toString(),
              QStringLiteral("The server refused the connection."));
    // Rounded up, as the pane's Refresh hint counts.
    EXPECT_EQ(second.value(QStringLiteral("nextReloadSeconds")).toInt(), 2);
    EXPECT_EQ(second.value(QStringLiteral("copyTaken")).toString(),
              QStringLiteral("2026-12-10T07:00:00Z"));
}

TEST(RemoteStatus, TimesCarryTheirOffsetFromUtc)
{
    const QDateTime now(QDate(2026, 12, 10), QTime(9, 30, 0), Qt::OffsetFromUTC, 3600);
    WallSummary wall;
    PaneStatus pane;
    pane.lastGood = QDateTime(QDate(2026, 12, 10), QTime(8, 0, 0), Qt::UTC);
    pane.copyTaken = QDateTime(QDate(2026, 12, 10), QTime(2, 0, 0), Qt::OffsetFromUTC, -5 * 3600);
    wall.panes = {pane};
    const QJsonObject root = QJsonDocument::fromJson(WallStatusJson(wall, now)).object();
    EXPECT_EQ(root.value(QStringLiteral("time")).toString(),
              QStringLiteral("2026-12-10T09:30:00+01:00"));
    const QJsonObject first = root.value(QStringLiteral("panes")).toArray().at(0).toObject();
    EXPECT_EQ(first.value(QStringLiteral("lastGood")).toString(),
              QStringLiteral("2026-12-10T08:00:00Z"));
    EXPECT_EQ(first.value(QStringLiteral("copyTaken")).toString(),
              QStringLiteral("2026-12-10T02:00:00-05:00"));
    // A local time says where it stands too.
    const QString local = QJsonDocument::fromJson(WallStatusJson({}, QDateTime::currentDateTime()))
                              .object()
                              .value(QStringLiteral("time"))
                              .toString();
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("(Z|[+-]\\d\\d:\\d\\d)$")).match(local).hasMatch())
        << local.toStdString();
}

TEST(RemoteStatus, ALockedWallTellsOnlyThatItIsLocked)
{
    WallSummary wall;
    wall.locked = true;
    wall.set = QStringLiteral("Lobby");
    wall.path = QStringLiteral("/walls/Lobby.set");
    PaneStatus pane;
    pane.pane = QStringLiteral("Browser1");
    pane.address = QStringLiteral("http://intranet/secret");
    wall.panes = {pane};
    const QJsonObject root =
        QJsonDocument::fromJson(WallStatusJson(wall, QDateTime::currentDateTimeUtc())).object();
    EXPECT_EQ(root, QJsonObject({{QStringLiteral("locked"), true}}));
}
