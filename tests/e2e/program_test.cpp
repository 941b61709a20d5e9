// The real program, started in a program folder of its own.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
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

namespace {

struct Outcome {
    int code = -1;
    QString err;
};

// Runs the program (through a wrapper, e.g. one that drops privileges) to its end.
Outcome run(const QString &folder, const QStringList &args, const QStringList &wrapper = {},
            const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setWorkingDirectory(folder);
    p.setProcessEnvironment(env);
    const QString mira = folder + QStringLiteral("/mira");
    if (wrapper.isEmpty())
        p.start(mira, args);
    else
        p.start(wrapper.first(), wrapper.mid(1) + QStringList{mira} + args);
    Outcome r;
    if (!p.waitForStarted(10000))
        return r;
    if (!mira::test::waitUntil([&] { return p.state() == QProcess::NotRunning; }, 60000)) {
        p.kill();
        p.waitForFinished(5000);
        return r;
    }
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

// Runs as root without the right to pass file permissions, where the system allows it.
QStringList withoutFileOverride()
{
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (setpriv.isEmpty())
        return {};
    QProcess probe;
    probe.start(setpriv, {QStringLiteral("--bounding-set=-dac_override,-dac_read_search"),
                          QStringLiteral("true")});
    if (!probe.waitForFinished(10000) || probe.exitCode() != 0)
        return {};
    return {setpriv, QStringLiteral("--bounding-set=-dac_override,-dac_read_search")};
}

const QByteArray kPlainSet =
    "object TBaseForm\r\n  Left = 0\r\n  Top = 0\r\n  Width = 300\r\n  Height = 200\r\n"
    "  object TPan\r\n    Align = alClient\r\n  end\r\nend\r\n";

class CommandLineRuns : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mira::test::copyProgramInto(dir.path()));
        write(QStringLiteral("Desk.set"), kPlainSet);
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Sets")));
    }
    void write(const QString &name, const QByteArray &bytes)
    {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    // What the program folder holds besides the program: nothing may be added.
    QStringList contents() const
    {
        QStringList names = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        names.removeAll(QStringLiteral("mira"));
        return names;
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(CommandLineRuns, SnapshotsOfSetsThatCannotBeOpenedNameWhatWasTriedAndWriteNothing)
{
    const QStringList before = contents();
    const struct {
        QStringList args;
        QString said;
    } rows[] = {
        {{"--snapshot", "out.png", "NoSuchSet"}, dir.filePath("NoSuchSet.set")},
        {{"--snapshot", "out.png", "Sets"}, "\"Sets\" is a folder, not a configuration set"},
        {{"--snapshot", "gone/out.png", "Desk"},
         "cannot write the snapshot gone/out.png: the folder " + dir.filePath("gone")
             + " does not exist"},
        {{"--snapshot", "Sets", "Desk"}, "cannot write the snapshot Sets: it is a folder"},
    };
    for (const auto &r : rows) {
        const Outcome result = run(dir.path(), r.args);
        const std::string what = r.args.join(' ').toStdString();
        EXPECT_EQ(result.code, 2) << what << ": " << result.err.toStdString();
        // One line of the program's own (the toolkit may add its notes).
        QStringList said;
        for (const QString &line : result.err.split(QLatin1Char('\n')))
            if (line.startsWith(QStringLiteral("mira: ")))
                said << line;
        ASSERT_EQ(said.size(), 1) << what << ": " << result.err.toStdString();
        EXPECT_TRUE(said[0].contains(r.said)) << what << ": " << said[0].toStdString();
    }
    EXPECT_EQ(contents(), before);
}

TEST_F(CommandLineRuns, AFavoritesVariableNamingAFileIsToldAndTheSnapshotIsTaken)
{
    write(QStringLiteral("favorites.txt"), "not a folder");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("MIRA_FAVORITES"), dir.filePath(QStringLiteral("favorites.txt")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
    const Outcome result = run(dir.path(), {"--snapshot", "out.png", "Desk"}, {}, env);
    EXPECT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_TRUE(
        result.err.contains(QStringLiteral("mira: MIRA_FAVORITES names a file, not a folder: ")
                            + dir.filePath(QStringLiteral("favorites.txt"))))
        << result.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("out.png"))));
    EXPECT_EQ(mira::test::readFile(dir.filePath(QStringLiteral("Desk.set"))), kPlainSet);
}

TEST_F(CommandLineRuns, WhatTheUserMayNotReadOrWriteIsRefusedBeforeAnythingOpens)
{
    // The superuser passes file permissions: the check runs without that right.
    const QStringList restricted = withoutFileOverride();
    if (restricted.isEmpty())
        GTEST_SKIP() << "no way here to run without the right to pass file permissions";
    write(QStringLiteral("Secret.set"), kPlainSet);
    ASSERT_TRUE(QFile::setPermissions(dir.filePath(QStringLiteral("Secret.set")), {}));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("shots")));
    ASSERT_TRUE(QFile::setPermissions(dir.filePath(QStringLiteral("shots")),
                                      QFile::ReadOwner | QFile::ExeOwner));
    const Outcome unreadable = run(dir.path(), {"--snapshot", "out.png", "Secret"}, restricted);
    EXPECT_EQ(unreadable.code, 2) << unreadable.err.toStdString();
    EXPECT_TRUE(unreadable.err.contains(QStringLiteral("cannot be read (no permission): ")
                                        + dir.filePath(QStringLiteral("Secret.set"))))
        << unreadable.err.toStdString();
    const Outcome unwritable = run(dir.path(), {"--snapshot", "shots/out.png", "Desk"}, restricted);
    EXPECT_EQ(unwritable.code, 2) << unwritable.err.toStdString();
    EXPECT_TRUE(unwritable.err.contains(QStringLiteral("the folder ") + dir.filePath("shots")
                                        + QStringLiteral(" cannot be written to")))
        << unwritable.err.toStdString();
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("shots"))).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("out.png"))));
}
