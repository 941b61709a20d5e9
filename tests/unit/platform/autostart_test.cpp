#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/autostart.h"

using namespace mira::platform;

TEST(AutostartQuoting, ExecArgumentsFollowTheDesktopEntryRules)
{
    const struct {
        const char *in, *out;
    } rows[] = {
        {"/usr/bin/mira", "/usr/bin/mira"},
        {"/home/ann/My Walls/Lobby.set", "\"/home/ann/My Walls/Lobby.set\""},
        {"/a/it's.set", "\"/a/it's.set\""},
        {"/a/say \"hi\".set", "\"/a/say \\\"hi\\\".set\""},
        {"/a/$HOME`x`.set", "\"/a/\\$HOME\\`x\\`.set\""},
        {"/a/back\\slash", "\"/a/back\\\\slash\""},
        {"/a/100%.set", "/a/100%%.set"},
        {"/a/100% done.set", "\"/a/100%% done.set\""},
        {"", "\"\""},
    };
    for (const auto &r : rows)
        EXPECT_EQ(QuoteExecArgument(QString::fromUtf8(r.in)), QString::fromUtf8(r.out)) << r.in;
}

TEST(AutostartQuoting, ValuesEscapeBackslashesAgain)
{
    // A backslash escaped for the Exec line is escaped once more as a string value.
    EXPECT_EQ(EscapeEntryValue(QuoteExecArgument(QStringLiteral("/a/b\\c d"))),
              QStringLiteral("\"/a/b\\\\\\\\c d\""));
    EXPECT_EQ(EscapeEntryValue(QStringLiteral("two\nlines\tand\r")),
              QStringLiteral("two\\nlines\\tand\\r"));
}

TEST(AutostartEntry, TextOpensTheSetWithTheProgram)
{
    const QString text = AutostartEntryText(QStringLiteral("/opt/mira app/mira"),
                                            QStringLiteral("/home/ann/walls/Lobby Screen.set"),
                                            QStringLiteral("Lobby Screen"));
    const QStringList lines = text.split(QLatin1Char('\n'));
    EXPECT_EQ(lines.value(0), QStringLiteral("[Desktop Entry]"));
    EXPECT_TRUE(lines.contains(QStringLiteral("Type=Application")));
    EXPECT_TRUE(lines.contains(
        QStringLiteral("Exec=\"/opt/mira app/mira\" \"/home/ann/walls/Lobby Screen.set\"")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Name=Mira: Lobby Screen")));
    EXPECT_TRUE(text.endsWith(QLatin1Char('\n')));
}

TEST(AutostartEntry, FolderFollowsXdgConfigHome)
{
    const QByteArray old = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/srv/conf");
    EXPECT_EQ(AutostartFolder(), QStringLiteral("/srv/conf/autostart"));
    qputenv("XDG_CONFIG_HOME", "relative/conf"); // ignored: not absolute
    EXPECT_EQ(AutostartFolder(), QDir::homePath() + QStringLiteral("/.config/autostart"));
    if (old.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", old);
    EXPECT_EQ(AutostartEntryPath(QStringLiteral("/x"), QStringLiteral("Lobby")),
              QStringLiteral("/x/mira-Lobby.desktop"));
}

TEST(AutostartEntry, WrittenFoundAndRemoved)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString folder = tmp.path() + QStringLiteral("/new folder/autostart");
    const QString program = QStringLiteral("/usr/bin/mira");
    const QString set = tmp.path() + QStringLiteral("/My Sets/Lobby.set");
    EXPECT_FALSE(HasAutostartEntry(folder, program, set, QStringLiteral("Lobby")));

    QString error;
    ASSERT_TRUE(SetAutostartEntry(true, folder, program, set, QStringLiteral("Lobby"), &error))
        << error.toStdString();
    QFile file(folder + QStringLiteral("/mira-Lobby.desktop"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()),
              AutostartEntryText(program, set, QStringLiteral("Lobby")));
    file.close();
    EXPECT_TRUE(HasAutostartEntry(folder, program, set, QStringLiteral("Lobby")));
    // Another set of the same name elsewhere, or another program, is not this entry.
    EXPECT_FALSE(HasAutostartEntry(folder, program, QStringLiteral("/elsewhere/Lobby.set"),
                                   QStringLiteral("Lobby")));
    EXPECT_FALSE(
        HasAutostartEntry(folder, QStringLiteral("/opt/mira"), set, QStringLiteral("Lobby")));

    ASSERT_TRUE(SetAutostartEntry(false, folder, program, set, QStringLiteral("Lobby"), &error));
    EXPECT_FALSE(file.exists());
    EXPECT_FALSE(HasAutostartEntry(folder, program, set, QStringLiteral("Lobby")));
    // Removing what is not there is no failure.
    EXPECT_TRUE(SetAutostartEntry(false, folder, program, set, QStringLiteral("Lobby"), &error));
}

TEST(AutostartEntry, FailureGivesTheReason)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    // A file where the folder should be.
    const QString folder = tmp.path() + QStringLiteral("/autostart");
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QString error;
    EXPECT_FALSE(SetAutostartEntry(true, folder, QStringLiteral("/usr/bin/mira"),
                                   QStringLiteral("/s/A.set"), QStringLiteral("A"), &error));
    EXPECT_FALSE(error.isEmpty());
}
