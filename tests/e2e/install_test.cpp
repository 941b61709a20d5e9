// The installed program: cmake --install of this build tree into a folder of its own,
// then the installed mira started as a user whose data folder is fresh.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/testdata.h"

namespace {

struct Outcome {
    int code = -1;
    QByteArray out, err;
};

Outcome run(const QString &program, const QStringList &args, const QProcessEnvironment &env,
            int ms = 120000)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    Outcome r;
    if (!p.waitForStarted(10000))
        return r;
    if (!p.waitForFinished(ms)) {
        p.kill();
        p.waitForFinished(5000);
        return r;
    }
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

class Installed : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const Outcome install = run(QStringLiteral(MIRA_CMAKE_COMMAND),
                                    {QStringLiteral("--install"), QStringLiteral(MIRA_BUILD_TREE),
                                     QStringLiteral("--prefix"), prefix()},
                                    QProcessEnvironment::systemEnvironment());
        ASSERT_EQ(install.code, 0) << install.out.toStdString() << install.err.toStdString();
    }
    QString prefix() const { return dir.filePath(QStringLiteral("usr")); }
    QString sets() const { return dir.filePath(QStringLiteral("data/mira/sets/")); }
    // A user of its own: a fresh home and data folder.
    QProcessEnvironment user() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), dir.filePath(QStringLiteral("home")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
        return env;
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(Installed, FirstStartCopiesTheWelcomeSetToTheDataFolderAndNothingBesideTheProgram)
{
    const QString bin = prefix() + QStringLiteral("/bin/");
    const QStringList programs = QDir(bin).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(programs, QStringList({QStringLiteral("mira"), QStringLiteral("mira-set")}));
    for (const char *file : {"/share/mira/Welcome.set", "/share/applications/mira.desktop",
                             "/share/icons/hicolor/48x48/apps/mira.png"})
        EXPECT_TRUE(QFile::exists(prefix() + QLatin1String(file))) << file;
    const QStringList manPages = QDir(prefix() + QStringLiteral("/share/man/man1"))
                                     .entryList({QStringLiteral("mira*.1*")}, QDir::Files);
    EXPECT_EQ(manPages.size(), 2) << manPages.join(QLatin1Char(' ')).toStdString();

    // The first start finds no set but the welcome set it was given.
    const QString shot = dir.filePath(QStringLiteral("first.png"));
    const Outcome first = run(bin + QStringLiteral("mira"), {QStringLiteral("--snapshot"), shot},
                              user());
    EXPECT_EQ(first.code, 0) << first.err.toStdString();
    EXPECT_TRUE(QFile::exists(shot));
    EXPECT_EQ(mira::test::readFile(sets() + QStringLiteral("Welcome.set")),
              mira::test::readFile(prefix() + QStringLiteral("/share/mira/Welcome.set")));
    EXPECT_EQ(QDir(bin).entryList(QDir::Files, QDir::Name), programs);
    EXPECT_EQ(QDir(prefix() + QStringLiteral("/share/mira")).entryList(QDir::Files),
              QStringList({QStringLiteral("Welcome.set")}));

    // A set name is looked for there too, and a deleted welcome set does not come back.
    ASSERT_TRUE(QFile::rename(sets() + QStringLiteral("Welcome.set"),
                              sets() + QStringLiteral("Lobby.set")));
    const Outcome named = run(bin + QStringLiteral("mira"),
                              {QStringLiteral("--snapshot"), shot, QStringLiteral("Lobby")},
                              user());
    EXPECT_EQ(named.code, 0) << named.err.toStdString();
    ASSERT_TRUE(QFile::remove(sets() + QStringLiteral("Lobby.set")));
    const Outcome none = run(bin + QStringLiteral("mira"), {QStringLiteral("--snapshot"), shot},
                             user());
    EXPECT_EQ(none.code, 1);
    EXPECT_TRUE(none.err.contains(("no configuration set to open in " + sets()).toUtf8()))
        << none.err.toStdString();
    EXPECT_FALSE(QFile::exists(sets() + QStringLiteral("Welcome.set")));
}
