// The open set under a hostile file system: whatever happens to the file or its
// folder, a save says what went wrong and never leaves the file half written.
#include <QAction>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "app/setcommands.h"
#include "support/programfixture.h"
#include "support/scratchmount.h"

using namespace mira;
using mira::test::ScratchMount;

namespace {

QByteArray setText(int tag)
{
    return "object TBaseForm\r\n  Tag = " + QByteArray::number(tag)
           + "\r\n  Left = 10\r\n  Top = 20\r\n  Width = 640\r\n  Height = 480\r\n"
             "  PixelsPerInch = 96\r\n  TextHeight = 13\r\n"
             "  object TPan\r\n    Left = 0\r\n    Top = 0\r\n    Width = 632\r\n"
             "    Height = 415\r\n    Align = alClient\r\n  end\r\nend\r\n";
}

class SetFaults : public test::ProgramTest {
protected:
    // Opens a set holding Tag 1 and changes the layout so a save has something to write.
    void openSet(const QString &path)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(setText(1));
        f.close();
        start({path});
        ASSERT_EQ(module()->File().Sets().ConfigFileName, path);
        form()->SetTag(7);
    }
    QString lastCaption() const
    {
        return modal.asked.isEmpty() ? QString() : modal.asked.last().caption;
    }
};

} // namespace

TEST_F(SetFaults, ReadOnlyFolderOrFullDiskSaysSoAndKeepsTheFileWhole)
{
    for (const bool readOnly : {true, false}) {
        SCOPED_TRACE(readOnly ? "read-only" : "full");
        const QString sets = folder() + (readOnly ? QStringLiteral("ro") : QStringLiteral("full"));
        ScratchMount mount(sets, QStringLiteral("256k"));
        if (!mount.ok())
            GTEST_SKIP() << "cannot mount a scratch file system here";
        const QString path = sets + QStringLiteral("/Main.set");
        openSet(path);
        ASSERT_TRUE(readOnly ? mount.makeReadOnly() : (mount.fill(), true));

        module()->Action("FileSaveNowAction")->trigger();
        EXPECT_EQ(lastCaption(), QStringLiteral("File Save Failure"));
        EXPECT_TRUE(modal.asked.last().text.contains(path));
        const int asked = modal.asked.size();
        module()->File().Sets().AutoSaveTimerTimer();
        EXPECT_EQ(modal.asked.size(), asked);
        EXPECT_TRUE(form()->StatusText().contains(path));

        EXPECT_EQ(readFile(path), setText(1));
        QStringList left = QDir(sets).entryList(QDir::Files | QDir::Hidden);
        left.removeAll(QStringLiteral("filler"));
        EXPECT_EQ(left, QStringList{QStringLiteral("Main.set")}) << "no temporary file is left";
        program.reset();
    }
}

TEST_F(SetFaults, SetReplacedByAFolderIsNeitherWrittenIntoNorRemoved)
{
    const QString path = folder() + QStringLiteral("Main.set");
    openSet(path);
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkdir(path));
    module()->Action("FileSaveNowAction")->trigger();
    EXPECT_EQ(lastCaption(), QStringLiteral("File Save Failure"));
    module()->File().Sets().SaveOnExit();
    EXPECT_TRUE(QFileInfo(path).isDir());
    EXPECT_TRUE(QDir(path).isEmpty());
}

TEST_F(SetFaults, SetDeletedWhileOpenIsWrittenAgainAndTheStatusBarSaysSo)
{
    const QString path = folder() + QStringLiteral("Main.set");
    openSet(path);
    ASSERT_TRUE(QFile::remove(path));
    module()->Action("FileSaveNowAction")->trigger();
    EXPECT_TRUE(modal.asked.isEmpty());
    EXPECT_TRUE(readFile(path).contains("Tag = 7"));
    EXPECT_TRUE(form()->StatusText().contains(path));
}

TEST_F(SetFaults, SetChangedByAnotherProgramIsReplacedOnlyWhenTheUserSaysSo)
{
    const QString path = folder() + QStringLiteral("Main.set");
    openSet(path);
    writeFile(QStringLiteral("Main.set"), setText(3));

    // No: the other program's version stays, and the question comes again later.
    modal.answer(mrNo);
    module()->Action("FileSaveNowAction")->trigger();
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(lastCaption(), QStringLiteral("File Changed"));
    EXPECT_TRUE(modal.asked.last().text.contains(path));
    EXPECT_EQ(readFile(path), setText(3));

    // The auto-save never overwrites it and asks nobody.
    module()->File().Sets().AutoSaveTimerTimer();
    EXPECT_EQ(modal.asked.size(), 1);
    EXPECT_TRUE(form()->StatusText().contains(QStringLiteral("another program")));
    EXPECT_EQ(readFile(path), setText(3));

    // Yes: the layout shown is written, and later saves need no question.
    modal.answer(mrYes);
    module()->Action("FileSaveNowAction")->trigger();
    EXPECT_EQ(modal.asked.size(), 2);
    EXPECT_TRUE(readFile(path).contains("Tag = 7"));
    form()->SetTag(8);
    module()->Action("FileSaveNowAction")->trigger();
    EXPECT_EQ(modal.asked.size(), 2);
    EXPECT_TRUE(readFile(path).contains("Tag = 8"));
}

TEST_F(SetFaults, SavesOfTheProgramsOwnFileNeedNoQuestion)
{
    const QString path = folder() + QStringLiteral("Main.set");
    openSet(path);
    module()->Action("FileSaveNowAction")->trigger();
    form()->SetTag(9);
    module()->Action("FileSaveNowAction")->trigger();
    EXPECT_TRUE(modal.asked.isEmpty());
    EXPECT_TRUE(readFile(path).contains("Tag = 9"));
}
