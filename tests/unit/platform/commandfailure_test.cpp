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
    existing.close();

    EXPECT_EQ(WriteTargetProblem(dir.filePath("new.html")), QString());
    EXPECT_EQ(WriteTargetProblem(existing.fileName()), QString()); // replaced
    EXPECT_EQ(WriteTargetProblem(dir.path()),
              QStringLiteral("a folder of that name is in the way"));
    EXPECT_TRUE(WriteTargetProblem(dir.filePath("missing/new.html")).contains("does not exist"));
    EXPECT_TRUE(WriteTargetProblem(existing.fileName() + "/new.html").contains("is not a folder"));
    EXPECT_FALSE(WriteTargetProblem(QString()).isEmpty());
    EXPECT_FALSE(WriteTargetProblem(QStringLiteral("  ")).isEmpty());
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
    EXPECT_EQ(SaveInterruptText(QStringLiteral("File access denied")),
              QStringLiteral("File access denied"));
    EXPECT_EQ(SaveInterruptText(QString()), QStringLiteral("the page could not be written"));
    EXPECT_EQ(SaveInterruptText(QStringLiteral("No reason")),
              QStringLiteral("the page could not be written"));
}
