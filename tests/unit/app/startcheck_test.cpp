#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/startcheck.h"
#include "support/scriptedmodal.h"

using namespace mira;

namespace {

const QString kFolder = QStringLiteral("/opt/mira/");

PathFacts file(bool readable = true, bool header = true, bool writable = true)
{
    return {true, false, readable, writable, readable && header};
}
PathFacts folder(bool writable = true)
{
    return {true, true, true, writable, false};
}

// A file system of the paths listed; every other path is missing.
PathProbe fake(QHash<QString, PathFacts> paths)
{
    return [paths = std::move(paths)](const QString &path) { return paths.value(path); };
}

} // namespace

TEST(StartCheck, WhatTheCommandLineNamesDecidesTheStart)
{
    const QHash<QString, PathFacts> disk{
        {"/opt/mira", folder(false)},
        {"/opt/mira/Desk.set", file()},
        {"/opt/mira/Secret.set", file(false)},
        {"/opt/mira/notes.txt", file()},
        {"/opt/mira/Fake.set", file(true, false)},
        {"/opt/mira/Sets", folder()},
        {"/opt/mira/Dir.set", folder()},
        {"/media/ro/Wall.set", file(true, true, false)},
        {"/srv/walls", folder()},
        {"/srv/walls/shot.png", file()},
        {"/srv/walls/old.png", file(true, false, false)},
        {"/srv/walls/pictures", folder()},
        {"/cdrom", folder(false)},
        {"/etc/passwd", file()},
    };
    const struct {
        QStringList args;
        bool withoutSet;
        int exitCode;
        const char *refusal; // a part of it; null: none
        const char *warning; // a part of the one warning; null: none
    } rows[] = {
        {{"Desk"}, false, 0, nullptr, nullptr},
        {{}, false, 0, nullptr, nullptr},
        {{"/media/ro/Wall.set"}, false, 0, nullptr, nullptr}, // read-only: opens
        {{"NoSuchSet"},
         true,
         0,
         nullptr,
         "\"NoSuchSet\" was not found. There is no file\n/opt/mira/NoSuchSet.set\n\nMira starts"},
        {{"Sets"},
         true,
         0,
         nullptr,
         "\"Sets\" is a folder, not a configuration set:\n/opt/mira/Sets"},
        {{"Dir.set"}, true, 0, nullptr, "is a folder, not a configuration set:\n/opt/mira/Dir.set"},
        {{"/srv/walls"}, true, 0, nullptr, "\"/srv/walls\" is a folder"},
        {{"Secret"}, true, 0, nullptr, "cannot be read (no permission):\n/opt/mira/Secret.set"},
        {{"notes.txt"}, true, 0, nullptr, "their names end in .set"},
        {{"Fake"}, true, 0, nullptr, "does not begin with \"object TBaseForm\""},
        {{"--snapshot", "/srv/walls/shot.png", "Desk"}, false, 0, nullptr, nullptr},
        {{"--snapshot", "/srv/walls/new.png"}, false, 0, nullptr, nullptr},
        {{"--snapshot", "/srv/walls/shot.png", "/media/ro/Wall.set"}, false, 0, nullptr, nullptr},
        {{"--snapshot", "/srv/walls/shot.png", "NoSuchSet"},
         true,
         kExitUnusableInput,
         "/opt/mira/NoSuchSet.set",
         nullptr},
        {{"--snapshot", "/srv/walls/shot.png", "Sets"},
         true,
         kExitUnusableInput,
         "is a folder",
         nullptr},
        {{"--snapshot", "/srv/walls/shot.png", "Secret"},
         true,
         kExitUnusableInput,
         "cannot be read",
         nullptr},
        {{"--snapshot", "/srv/walls/gone/shot.png", "Desk"},
         false,
         kExitUnusableInput,
         "cannot write the snapshot /srv/walls/gone/shot.png: the folder /srv/walls/gone does not "
         "exist",
         nullptr},
        {{"--snapshot", "/cdrom/shot.png", "Desk"},
         false,
         kExitUnusableInput,
         "the folder /cdrom cannot be written to",
         nullptr},
        {{"--snapshot", "/srv/walls/pictures", "Desk"},
         false,
         kExitUnusableInput,
         "/srv/walls/pictures: it is a folder",
         nullptr},
        {{"--snapshot", "/srv/walls/old.png", "Desk"},
         false,
         kExitUnusableInput,
         "the file cannot be written to",
         nullptr},
        {{"--snapshot", "/etc/passwd/shot.png", "Desk"},
         false,
         kExitUnusableInput,
         "/etc/passwd is not a folder",
         nullptr},
        // The picture is checked first: nothing of the set is read for a run that cannot end well.
        {{"--snapshot", "/srv/walls/gone/shot.png", "NoSuchSet"},
         false,
         kExitUnusableInput,
         "the folder /srv/walls/gone",
         nullptr},
    };
    for (const auto &r : rows) {
        const std::string what = r.args.join(' ').toStdString();
        const CommandLine line = ParseCommandLine(r.args);
        ASSERT_TRUE(line.error.isEmpty()) << what;
        const StartPlan plan = PlanStart(line, kFolder, {}, fake(disk));
        EXPECT_EQ(plan.withoutSet, r.withoutSet) << what;
        EXPECT_EQ(plan.exitCode, r.exitCode) << what;
        if (r.refusal)
            EXPECT_TRUE(plan.refusal.contains(QString::fromUtf8(r.refusal)))
                << what << ": " << plan.refusal.toStdString();
        else
            EXPECT_TRUE(plan.refusal.isEmpty()) << what << ": " << plan.refusal.toStdString();
        if (r.warning) {
            ASSERT_EQ(plan.warnings.size(), 1) << what;
            EXPECT_TRUE(plan.warnings[0].text.contains(QString::fromUtf8(r.warning)))
                << what << ": " << plan.warnings[0].text.toStdString();
        } else {
            EXPECT_TRUE(plan.warnings.isEmpty()) << what;
        }
    }
}

TEST(StartCheck, AFavoritesVariableNamingAFileIsToldButStopsNothing)
{
    const PathProbe disk = fake({{"/home/u/favs.txt", file()},
                                 {"/home/u/Favorites", folder()},
                                 {"/opt/mira/Desk.set", file()}});
    const CommandLine open = ParseCommandLine({"Desk"});
    const CommandLine shot = ParseCommandLine({"--snapshot", "/home/u/Favorites/x.png", "Desk"});
    for (const CommandLine &line : {open, shot}) {
        StartPlan plan = PlanStart(line, kFolder, "/home/u/favs.txt", disk);
        ASSERT_EQ(plan.warnings.size(), 1);
        EXPECT_EQ(plan.warnings[0].caption, "Favorites");
        EXPECT_EQ(NoticeLine(plan.warnings[0]),
                  "MIRA_FAVORITES names a file, not a folder: /home/u/favs.txt Favorites cannot "
                  "be shown or added.");
        EXPECT_TRUE(plan.refusal.isEmpty());
        EXPECT_FALSE(plan.withoutSet);
        // A folder, or one still to be made, is fine.
        EXPECT_TRUE(PlanStart(line, kFolder, "/home/u/Favorites", disk).warnings.isEmpty());
        EXPECT_TRUE(PlanStart(line, kFolder, "/home/u/New", disk).warnings.isEmpty());
    }
}

TEST(StartCheck, ProbingReadsTheRealFileSystemAndWritesNothing)
{
    QTemporaryDir dir;
    const QString set = dir.filePath("Desk.set");
    const QString other = dir.filePath("notes.set");
    {
        QFile f(set);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("object TBaseForm\r\nend\r\n");
        QFile g(other);
        ASSERT_TRUE(g.open(QIODevice::WriteOnly));
        g.write("object TBaseFormX\r\n");
    }
    const PathFacts s = ProbePath(set);
    EXPECT_TRUE(s.exists && s.readable && s.writable && s.setHeader);
    EXPECT_FALSE(s.folder);
    EXPECT_FALSE(ProbePath(other).setHeader);
    const PathFacts d = ProbePath(dir.path());
    EXPECT_TRUE(d.exists && d.folder && d.writable);
    EXPECT_FALSE(ProbePath(dir.filePath("gone.set")).exists);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

TEST(StartCheck, WarningsOfAnInteractiveStartAreBoxes)
{
    test::ScriptedModal modal;
    const StartPlan plan = PlanStart(ParseCommandLine({"NoSuchSet"}), kFolder, {}, fake({}));
    TellStartWarnings(plan);
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].caption, "Configuration Set");
    EXPECT_EQ(modal.asked[0].type, MsgType::Warning);
    EXPECT_TRUE(modal.asked[0].text.contains("/opt/mira/NoSuchSet.set"));
}
