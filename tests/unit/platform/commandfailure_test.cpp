#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/commandfailure.h"

using namespace mira::platform;

TEST(CommandFailure, TheLineNamesTheCommandTheTargetAndTheReason)
{
    const struct {
        const char *command;
        const char *target;
        const char *reason;
        const char *text;
    } cases[] = {
        {"Save As", "/tmp/a.html", "File access denied.",
         "Save As failed: /tmp/a.html: file access denied"},
        {"Save As", "/tmp/a.html", "  the folder is read-only ",
         "Save As failed: /tmp/a.html: the folder is read-only"},
        {"Print", "", "the printer could not be opened",
         "Print failed: the printer could not be opened"},
        {"Print", "out.pdf", "PDF writer gone", "Print failed: out.pdf: PDF writer gone"},
        {"Open", "x.html", "", "Open failed: x.html: unknown reason"},
        {"Open", "x.html", ".", "Open failed: x.html: unknown reason"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CommandFailureText(QString::fromUtf8(c.command), QString::fromUtf8(c.target),
                                     QString::fromUtf8(c.reason)),
                  QString::fromUtf8(c.text))
            << c.reason;
}

TEST(CommandFailure, AWriteTargetThatCannotBeWrittenIsToldBeforeTrying)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile existing(dir.filePath("there.html"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("kept");
    existing.close();

    EXPECT_EQ(WriteTargetProblem(dir.filePath("new.html")), QString());
    EXPECT_EQ(WriteTargetProblem(existing.fileName()), QString()); // replaced
    EXPECT_EQ(WriteTargetProblem(dir.path()),
              QStringLiteral("a folder of that name is in the way"));
    EXPECT_TRUE(WriteTargetProblem(dir.filePath("missing/new.html")).contains("does not exist"));
    EXPECT_TRUE(WriteTargetProblem(existing.fileName() + "/new.html").contains("is not a folder"));
    EXPECT_FALSE(WriteTargetProblem(QString()).isEmpty());
    EXPECT_FALSE(WriteTargetProblem(QStringLiteral("  ")).isEmpty());

    // The trial leaves nothing behind and an existing file as it was.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"there.html"});
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), "kept");
}

TEST(CommandFailure, AWriteTargetRefusedEvenToRootIsToldWithTheSystemsReason)
{
    // Tests run as root, whom permissions do not refuse; /proc takes no new file
    // from anyone, whatever its folder's mode bits say.
    const QString said = WriteTargetProblem(QStringLiteral("/proc/mira-trial.html"));
    EXPECT_FALSE(said.isEmpty());
    EXPECT_FALSE(said.contains("read-only")) << said.toStdString(); // the system's words
    EXPECT_FALSE(QFile::exists(QStringLiteral("/proc/mira-trial.html")));
}

TEST(CommandFailure, AnOpenSourceMustBeAReadableFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath("page.html"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    EXPECT_EQ(ReadSourceProblem(file.fileName()), QString());
    EXPECT_EQ(ReadSourceProblem(dir.filePath("gone.html")),
              QStringLiteral("the file does not exist"));
    EXPECT_EQ(ReadSourceProblem(dir.path()), QStringLiteral("it is a folder, not a file"));
}

TEST(CommandFailure, AnInterruptedSaveAlwaysHasAReason)
{
    EXPECT_EQ(SaveInterruptText(2), QStringLiteral("access to the file was denied"));
    EXPECT_EQ(SaveInterruptText(3), QStringLiteral("there is no space left on the disk"));
    EXPECT_EQ(SaveInterruptText(40), QStringLiteral("the save was cancelled"));
    // Codes that say nothing: none, a save the engine shut down (what it gives for any
    // file error of a page save), and one it may add later.
    for (const int silent : {0, 41, 4, 99, -1})
        EXPECT_EQ(SaveInterruptText(silent), QString()) << silent;

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_EQ(SaveFailureText(3, dir.filePath("page.mht")),
              QStringLiteral("there is no space left on the disk"));
    // Nothing known: the file system is asked, and a plain reason stands in last.
    EXPECT_TRUE(SaveFailureText(41, dir.filePath("gone/page.mht")).contains("does not exist"));
    EXPECT_EQ(SaveFailureText(41, dir.filePath("page.mht")),
              QStringLiteral("the page could not be written"));
    EXPECT_FALSE(SaveFailureText(41, QStringLiteral("/proc/mira-trial.mht")).isEmpty());
}
