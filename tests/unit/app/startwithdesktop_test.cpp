#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/autostart.h"
#include "support/programfixture.h"

using namespace mira;

namespace {

class StartWithDesktop : public test::ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    }
    void TearDown() override
    {
        if (oldConfig.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", oldConfig);
        ProgramTest::TearDown();
    }
    QString entry(const QString &set) const
    {
        return config.path() + QStringLiteral("/autostart/mira-") + set
               + QStringLiteral(".desktop");
    }
    void openWall()
    {
        writeFile(QStringLiteral("Lobby Wall.set"),
                  "object TBaseForm\r\n  Left = 10\r\n  Top = 20\r\n  Width = 640\r\n"
                  "  Height = 480\r\n  PixelsPerInch = 96\r\n  TextHeight = 13\r\n"
                  "  object TPan\r\n    Left = 0\r\n    Top = 0\r\n    Width = 632\r\n"
                  "    Height = 415\r\n    Align = alClient\r\n  end\r\nend\r\n");
        start({QStringLiteral("Lobby Wall")});
        ASSERT_TRUE(module()->File().Sets().IsSetOpen());
    }

    QTemporaryDir config;
    QByteArray oldConfig;
};

} // namespace

TEST_F(StartWithDesktop, DisabledWithoutASet)
{
    start();
    ASSERT_FALSE(module()->File().Sets().IsSetOpen());
    EXPECT_FALSE(module()->Action("StartWithDesktopAction")->isEnabled());
    EXPECT_FALSE(module()->Action("StartWithDesktopAction")->isChecked());
    EXPECT_TRUE(module()->Action("StartWithDesktopAction")->isCheckable());
}

TEST_F(StartWithDesktop, TogglesTheEntryOfTheOpenSet)
{
    ASSERT_NO_FATAL_FAILURE(openWall());
    QAction *a = module()->Action("StartWithDesktopAction");
    EXPECT_TRUE(a->isEnabled());
    EXPECT_FALSE(a->isChecked());

    a->trigger();
    EXPECT_TRUE(a->isChecked());
    QFile file(entry(QStringLiteral("Lobby Wall")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    file.close();
    const QString set = folder() + QStringLiteral("Lobby Wall.set");
    EXPECT_TRUE(text.contains(QStringLiteral("Exec=")
                              + platform::QuoteExecArgument(QCoreApplication::applicationFilePath())
                              + QStringLiteral(" \"") + set + QStringLiteral("\"\n")))
        << text.toStdString();
    EXPECT_TRUE(modal.asked.isEmpty());

    // Reopened, the check mark finds the entry again.
    start({QStringLiteral("Lobby Wall")});
    EXPECT_TRUE(module()->Action("StartWithDesktopAction")->isChecked());

    module()->Action("StartWithDesktopAction")->trigger();
    EXPECT_FALSE(module()->Action("StartWithDesktopAction")->isChecked());
    EXPECT_FALSE(file.exists());
}

TEST_F(StartWithDesktop, AFailureSaysSo)
{
    // A file where the autostart folder should be.
    QFile blocker(config.path() + QStringLiteral("/autostart"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ASSERT_NO_FATAL_FAILURE(openWall());
    module()->Action("StartWithDesktopAction")->trigger();
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Start With Desktop"));
    EXPECT_EQ(modal.asked[0].type, MsgType::Error);
    EXPECT_FALSE(module()->Action("StartWithDesktopAction")->isChecked());
}
