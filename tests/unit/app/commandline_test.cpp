#include <gtest/gtest.h>

#include "app/commandline.h"

using namespace mira;

TEST(CommandLine, SetNamesOptionsAndTheirValues)
{
    const struct {
        QStringList args;
        bool help, version;
        QString snapshot;
        int wait;
        QStringList sets;
    } rows[] = {
        {{}, false, false, {}, 30, {}},
        {{"Market", "ignored"}, false, false, {}, 30, {"Market", "ignored"}},
        {{"--help"}, true, false, {}, 30, {}},
        {{"-h", "Market"}, true, false, {}, 30, {"Market"}},
        {{"--version"}, false, true, {}, 30, {}},
        {{"--snapshot", "wall.png", "Wall"}, false, false, "wall.png", 30, {"Wall"}},
        {{"Wall", "--snapshot=w.png", "--wait", "5"}, false, false, "w.png", 5, {"Wall"}},
        {{"--snapshot", "w.png", "--wait=0"}, false, false, "w.png", 0, {}},
        {{"--", "--help", "-h"}, false, false, {}, 30, {"--help", "-h"}},
    };
    for (const auto &r : rows) {
        const CommandLine line = ParseCommandLine(r.args);
        const std::string what = r.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(line.error.isEmpty()) << what << ": " << line.error.toStdString();
        EXPECT_EQ(line.help, r.help) << what;
        EXPECT_EQ(line.version, r.version) << what;
        EXPECT_EQ(line.snapshot, r.snapshot) << what;
        EXPECT_EQ(line.waitSeconds, r.wait) << what;
        EXPECT_EQ(line.sets, r.sets) << what;
    }
}

TEST(CommandLine, UnusableLinesSayWhy)
{
    const struct {
        QStringList args;
        QString error;
    } rows[] = {
        {{"--frobnicate"}, "unknown option --frobnicate"},
        {{"--snapshot"}, "--snapshot needs the name of a PNG file"},
        {{"--snapshot="}, "--snapshot needs the name of a PNG file"},
        {{"--snapshot", "w.png", "--wait", "soon"}, "--wait needs a number of seconds"},
        {{"--snapshot", "w.png", "--wait", "-3"}, "--wait needs a number of seconds"},
        {{"--wait", "5", "Wall"}, "--wait goes with --snapshot"},
        {{"--full-screen=yes", "Wall"}, "--full-screen takes no value"},
        {{"--full-screen", "--snapshot", "w.png"}, "--full-screen does not go with --snapshot"},
        {{"--set", "Lobby"}, "--set goes with --remote"},
    };
    for (const auto &r : rows)
        EXPECT_EQ(ParseCommandLine(r.args).error, r.error) << r.args.join(' ').toStdString();
}

TEST(CommandLine, FullScreenIsAFlagForThisRun)
{
    const struct {
        QStringList args;
        bool fullScreen;
        QStringList sets;
    } rows[] = {
        {{"Wall"}, false, {"Wall"}},
        {{"--full-screen", "Wall"}, true, {"Wall"}},
        {{"Wall", "--full-screen"}, true, {"Wall"}},
        {{"--full-screen"}, true, {}},
        // After "--" it is a set's name.
        {{"--", "--full-screen"}, false, {"--full-screen"}},
    };
    for (const auto &r : rows) {
        const CommandLine line = ParseCommandLine(r.args);
        const std::string what = r.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(line.error.isEmpty()) << what;
        EXPECT_EQ(line.fullScreen, r.fullScreen) << what;
        EXPECT_EQ(line.sets, r.sets) << what;
    }
    EXPECT_TRUE(UsageText().contains(QLatin1String("--full-screen")));
}

TEST(CommandLine, HelpListsEveryOptionAndVersionNamesTheProgram)
{
    const QString usage = UsageText();
    for (const char *option : {"--snapshot FILE.png", "--wait SECONDS", "-h, --help", "--version"})
        EXPECT_TRUE(usage.contains(QLatin1String(option))) << option;
    EXPECT_EQ(VersionText(QStringLiteral("mira-set")),
              QStringLiteral("mira-set " MIRA_VERSION_TEXT "\n"));
}
