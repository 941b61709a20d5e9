// Ending the program from outside (SIGTERM, as a logout does) closes the window as Exit
// does: the set is saved while the window is whole, and a save that fails says so in a
// box the user answers before the program ends well.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

#include "support/processinfo.h"
#include "support/testdata.h"
#include "support/virtualdisplay.h"
#include "support/wait.h"

using namespace mira::test;

namespace {

const QByteArray kDesk = "object TBaseForm\n  Left = 100\n  Top = 50\n  Width = 640\n"
                         "  Height = 480\n  object TPan\n    Align = alClient\n  end\nend\n";

class ExitSaveE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QStringList missing = VirtualDisplay::missingPrograms();
        if (!missing.isEmpty())
            GTEST_SKIP() << "this test needs " << missing.join(", ").toStdString();
        const QString failure = display.start(true);
        ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();
        ASSERT_TRUE(dir.isValid() && copyProgramInto(dir.path()));
        setPath = dir.filePath(QStringLiteral("Desk.set"));
        QFile f(setPath);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(crlf(kDesk));
    }
    // Starts the program on the set; true once it would take SIGTERM as a close.
    bool start()
    {
        QProcessEnvironment env = display.environment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(dir.path());
        process.start(dir.filePath(QStringLiteral("mira")), {QStringLiteral("Desk")});
        return process.waitForStarted(10000)
               && waitUntil([&] { return catchesSigterm(process.processId()); }, 30000);
    }
    // The one mapped window of the program titled title; empty when none came.
    QString window(const QString &title)
    {
        QString found;
        seen(
            [&] {
                const auto windows = display.visibleWindows(process.processId(), title);
                if (!windows || windows->size() != 1)
                    return false;
                found = windows->front();
                return true;
            },
            30000);
        return found;
    }
    bool endedWell()
    {
        return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit
               && process.exitCode() == 0;
    }
    std::string errors() { return process.readAllStandardError().toStdString(); }

    VirtualDisplay display;
    QTemporaryDir dir;
    QString setPath;
    QProcess process;
    ProcessEnd ending{process};
};

} // namespace

TEST_F(ExitSaveE2E, SigtermSavesTheSetAndAnUnchangedSetStaysByteForByte)
{
    // At once, before the window need be on the screen.
    ASSERT_TRUE(start()) << errors();
    process.terminate();
    ASSERT_TRUE(endedWell()) << errors();
    EXPECT_TRUE(readFile(setPath).contains("TextHeight = ")) << "the set was not saved";

    // Twice on a shown window: nothing changed, so the second save writes the same bytes.
    QByteArray saved;
    for (int round = 1; round <= 2; ++round) {
        ASSERT_TRUE(start()) << errors();
        ASSERT_FALSE(window(QStringLiteral("^Desk - Mira$")).isEmpty()) << errors();
        // Once the window has settled in its frame: a save before that may still lay
        // the panes out at the unframed size.
        QTest::qWait(4000);
        process.terminate();
        ASSERT_TRUE(endedWell()) << "round " << round << ": " << errors();
        if (round == 1)
            saved = readFile(setPath);
    }
    EXPECT_EQ(readFile(setPath).toStdString(), saved.toStdString());
}

TEST_F(ExitSaveE2E, AFailingSaveOnSigtermAsksOverTheWholeWindowThenTheProgramEndsWell)
{
    ASSERT_TRUE(start()) << errors();
    // A folder where the set was refuses the save even to root.
    ASSERT_TRUE(QFile::remove(setPath));
    ASSERT_TRUE(QDir().mkdir(setPath));
    process.terminate();
    const QString box = window(QStringLiteral("^File Save Failure$"));
    ASSERT_FALSE(box.isEmpty()) << "the failure is not told; " << errors();
    // The box comes from the closing window, not from its destructor: the window is there.
    EXPECT_FALSE(window(QStringLiteral("^Desk - Mira$")).isEmpty());

    // A second request to end waits for the answer rather than cutting the box off.
    process.terminate();
    QThread::msleep(500);
    EXPECT_EQ(process.state(), QProcess::Running);
    EXPECT_EQ(display.visibleWindows(process.processId(), QStringLiteral("^File Save Failure$")),
              QStringList{box});

    ASSERT_TRUE(seen([&] {
        if (display.activeWindow() == box)
            return true;
        display.xdotool({QStringLiteral("windowactivate"), box});
        return false;
    }));
    ASSERT_TRUE(display.xdotool({QStringLiteral("key"), QStringLiteral("Return")}).ok);
    ASSERT_TRUE(endedWell()) << errors();
    // Nothing was written into or over the folder.
    EXPECT_TRUE(QFileInfo(setPath).isDir());
    EXPECT_TRUE(QDir(setPath).isEmpty());
}
