#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/setsfolder.h"

using namespace mira;

TEST(SetsFolder, InstalledOrReadOnlyProgramsKeepSetsInTheDataFolder)
{
    const struct Row {
        const char *what;
        const char *program;
        bool writable;
        const char *installedData;
        const char *dataHome;
        const char *folder;
        bool apart;
        const char *seedFrom;
    } rows[] = {
        // A build tree or portable copy: today's place, nothing seeded.
        {"portable", "/srv/build/bin/", true, "", "/var/data", "/srv/build/bin/", false, ""},
        {"portable, no slash", "/srv/build/bin", true, "", "", "/srv/build/bin/", false, ""},
        // Installed system-wide, or run by the superuser who may write /usr/bin.
        {"installed", "/usr/bin/", false, "/usr/share/mira", "",
         "/home/ann/.local/share/mira/sets/", true, "/usr/share/mira/"},
        {"installed, superuser", "/usr/bin/", true, "/usr/share/mira", "",
         "/home/ann/.local/share/mira/sets/", true, "/usr/share/mira/"},
        {"installed for one user", "/home/ann/.local/bin/", true, "/home/ann/.local/share/mira", "",
         "/home/ann/.local/share/mira/sets/", true, "/home/ann/.local/share/mira/"},
        {"XDG_DATA_HOME", "/usr/bin/", false, "/usr/share/mira", "/var/walls/data/",
         "/var/walls/data/mira/sets/", true, "/usr/share/mira/"},
        {"relative XDG_DATA_HOME is ignored", "/usr/bin/", false, "/usr/share/mira", "data",
         "/home/ann/.local/share/mira/sets/", true, "/usr/share/mira/"},
        // A copy on a read-only medium hands its own sets on.
        {"read-only portable", "/media/cd/mira/", false, "", "/var/data", "/var/data/mira/sets/",
         true, "/media/cd/mira/"},
    };
    for (const Row &r : rows) {
        const SetsFolderPlan plan = PlanSetsFolder(
            {QString::fromUtf8(r.program), r.writable, QString::fromUtf8(r.installedData),
             QString::fromUtf8(r.dataHome), QStringLiteral("/home/ann")});
        EXPECT_EQ(plan.folder, QString::fromUtf8(r.folder)) << r.what;
        EXPECT_EQ(plan.apart, r.apart) << r.what;
        EXPECT_EQ(plan.seedFrom, QString::fromUtf8(r.seedFrom)) << r.what;
    }
}

namespace {

class SetsFolderDisk : public ::testing::Test {
protected:
    QString path(const QString &name) const { return dir.filePath(name); }
    void write(const QString &name, const QByteArray &text, QFile::Permissions perms = {})
    {
        QDir().mkpath(QFileInfo(path(name)).absolutePath());
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        f.close();
        if (perms)
            f.setPermissions(perms);
    }
    static QByteArray read(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir dir;
};

} // namespace

// The installed data folder is found from the program's folder, and only when it is there.
TEST_F(SetsFolderDisk, InstalledLayoutIsSeenBesideTheBinFolder)
{
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("usr/bin"))));
    const SetsFolderFacts bare = ProbeSetsFolder(path(QStringLiteral("usr/bin/")));
    EXPECT_TRUE(bare.installedData.isEmpty());
    EXPECT_TRUE(bare.programWritable);
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("usr/share/mira"))));
    const SetsFolderFacts installed = ProbeSetsFolder(path(QStringLiteral("usr/bin/")));
    EXPECT_EQ(installed.installedData, path(QStringLiteral("usr/share/mira")));
    EXPECT_TRUE(PlanSetsFolder(installed).apart);
}

TEST_F(SetsFolderDisk, FirstStartCopiesTheShippedSetsOnceAndLeavesThemTheUsers)
{
    write(QStringLiteral("share/Welcome.set"), "object TBaseForm\nend\n",
          QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    write(QStringLiteral("share/Lobby.SET"), "object TBaseForm\nend\n");
    write(QStringLiteral("share/notes.txt"), "not a set");
    const SetsFolderPlan plan{path(QStringLiteral("home/data/mira/sets/")), true,
                              path(QStringLiteral("share/"))};

    EXPECT_EQ(PrepareSetsFolder(plan), QString());
    QStringList made = QDir(plan.folder).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(made, QStringList({QStringLiteral("Lobby.SET"), QStringLiteral("Welcome.set")}));
    const QString welcome = plan.folder + QStringLiteral("Welcome.set");
    EXPECT_EQ(read(welcome), QByteArray("object TBaseForm\nend\n"));
    EXPECT_TRUE(QFileInfo(welcome).permissions() & QFile::WriteOwner);

    // A set the user deleted does not come back; a changed one is not overwritten.
    ASSERT_TRUE(QFile::remove(plan.folder + QStringLiteral("Lobby.SET")));
    write(QStringLiteral("home/data/mira/sets/Welcome.set"), "changed");
    EXPECT_EQ(PrepareSetsFolder(plan), QString());
    made = QDir(plan.folder).entryList(QDir::Files);
    EXPECT_EQ(made, QStringList({QStringLiteral("Welcome.set")}));
    EXPECT_EQ(read(welcome), QByteArray("changed"));
}

TEST_F(SetsFolderDisk, PortableProgramsWriteNothingAndFailuresAreTold)
{
    // Beside the program: nothing is made, even when the folder is gone.
    EXPECT_EQ(PrepareSetsFolder({path(QStringLiteral("gone/")), false, QString()}), QString());
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("gone"))));

    write(QStringLiteral("sets"), "a file where the folder goes");
    const QString onFile = PrepareSetsFolder({path(QStringLiteral("sets/")), true, QString()});
    EXPECT_TRUE(onFile.contains(QStringLiteral("is a file"))) << onFile.toStdString();
    EXPECT_TRUE(onFile.contains(path(QStringLiteral("sets")))) << onFile.toStdString();

    const QString under = PrepareSetsFolder({path(QStringLiteral("sets/mira/")), true, QString()});
    EXPECT_TRUE(under.contains(QStringLiteral("cannot be made"))) << under.toStdString();

    // Without shipped sets the folder is still made, empty.
    EXPECT_EQ(PrepareSetsFolder({path(QStringLiteral("data/mira/sets/")), true, QString()}),
              QString());
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("data/mira/sets"))).isDir());
}
