// The real program, started in a program folder of its own.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/processinfo.h"
#include "support/testdata.h"
#include "support/wait.h"

TEST(Program, EndingRequestedFromOutsideSavesTheOpenSet)
{
    QTemporaryDir dir;
    ASSERT_TRUE(mira::test::copyProgramInto(dir.path()));
    // Hand-written: lower-case names and LF line ends; saving writes it in canonical form.
    const QString set = dir.path() + QStringLiteral("/Desk.set");
    {
        QFile f(set);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(
            "object TBaseForm\n  tag = 2\n  left = 0\n  top = 0\n  width = 500\n  height = 400\n"
            "  object TPan\n    Align = alClient\n  end\nend\n");
    }
    QProcess mira;
    mira.setWorkingDirectory(dir.path());
    mira.start(dir.path() + QStringLiteral("/mira"), {QStringLiteral("Desk")});
    ASSERT_TRUE(mira.waitForStarted(10000));
    // The program catches SIGTERM once its set is open; then ask it to end as a logout would.
    ASSERT_TRUE(
        mira::test::waitUntil([&] { return mira::test::catchesSigterm(mira.processId()); }, 60000))
        << mira.readAllStandardError().toStdString();
    mira.terminate();
    ASSERT_TRUE(mira.waitForFinished(20000));
    EXPECT_EQ(mira.exitStatus(), QProcess::NormalExit);
    const QByteArray saved = mira::test::readFile(set);
    EXPECT_TRUE(saved.startsWith("object TBaseForm\r\n  Tag = 2\r\n  Left = 0\r\n"))
        << saved.toStdString();
}
