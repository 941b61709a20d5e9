#include <QAbstractItemView>
#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

#include "app/configfiles.h"
#include "app/formstream.h"
#include "layout/pan.h"
#include "support/programfixture.h"

using namespace mira;

namespace {

QByteArray setText(int tag = 0, const QByteArray &extra = {})
{
    QByteArray t = "object TBaseForm\r\n";
    if (tag)
        t += "  Tag = " + QByteArray::number(tag) + "\r\n";
    t += "  Left = 10\r\n  Top = 20\r\n  Width = 640\r\n  Height = 480\r\n" + extra
         + "  PixelsPerInch = 96\r\n  TextHeight = 13\r\n"
           "  object TPan\r\n    Left = 0\r\n    Top = 0\r\n    Width = 632\r\n    Height = 415\r\n"
           "    Align = alClient\r\n  end\r\nend\r\n";
    return t;
}

void setTime(const QString &path, const QDateTime &t)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(t, QFileDevice::FileModificationTime));
}

// Answers a file dialog by choosing path and pressing its accept button.
std::function<int(ModalRecord &)> choose(const QString &path)
{
    return [path](ModalRecord &r) {
        auto *dialog = qobject_cast<QFileDialog *>(r.dialog);
        if (!dialog)
            return int(mrCancel);
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept();
        return dialog->result() == QDialog::Accepted ? int(mrOK) : int(mrCancel);
    };
}

class ConfigSets : public test::ProgramTest {};

} // namespace

TEST(ExpandConfigName, AddsExtensionAndFolderByTheRules)
{
    const QString saved = programValues().programFolder;
    programValues().programFolder = QStringLiteral("/opt/mira/");
    EXPECT_EQ(ExpandConfigName(QString(), QString()), QString());
    EXPECT_EQ(ExpandConfigName(QStringLiteral("Market"), QString()),
              QStringLiteral("/opt/mira/Market.set"));
    EXPECT_EQ(ExpandConfigName(QStringLiteral("Market.txt"), QString()),
              QStringLiteral("/opt/mira/Market.txt"));
    EXPECT_EQ(ExpandConfigName(QStringLiteral("/srv/sets/Market"), QString()),
              QStringLiteral("/srv/sets/Market.set"));
    // A dot anywhere, also in a folder name, means no extension is added.
    EXPECT_EQ(ExpandConfigName(QStringLiteral("/srv/v1.2/Market"), QString()),
              QStringLiteral("/srv/v1.2/Market"));
    EXPECT_EQ(ExpandConfigName(QStringLiteral("sub/Market"), QString()),
              QStringLiteral("/opt/mira/sub/Market.set"));
    EXPECT_EQ(ExpandConfigName(QStringLiteral("Renamed"), QStringLiteral("/srv/sets/")),
              QStringLiteral("/srv/sets/Renamed.set"));
    EXPECT_EQ(ExpandConfigName(QStringLiteral("Renamed"), QStringLiteral("relative/")),
              QStringLiteral("/opt/mira/Renamed.set"));
    programValues().programFolder = saved;
}

TEST(IsValidConfigName, OnlyLettersDigitsDashUnderscore)
{
    EXPECT_TRUE(IsValidConfigName(QStringLiteral("Market-2_b")));
    EXPECT_TRUE(IsValidConfigName(QString()));
    EXPECT_FALSE(IsValidConfigName(QStringLiteral("Mark et")));
    EXPECT_FALSE(IsValidConfigName(QStringLiteral("Märkte")));
    EXPECT_FALSE(IsValidConfigName(QStringLiteral("a.b")));
}

TEST_F(ConfigSets, ParameterNamesTheSetAndTheCaptionFollows)
{
    writeFile(QStringLiteral("Market.set"), setText());
    start({QStringLiteral("Market")});
    EXPECT_EQ(module()->File().Sets().ConfigFileName, folder() + QStringLiteral("Market.set"));
    EXPECT_EQ(form()->windowTitle(), QStringLiteral("Market - Mira"));
    EXPECT_EQ(module()->File().ApplicationTitle(), QStringLiteral("Market - Mira"));
    EXPECT_NE(form()->RootContainer(), nullptr);
    EXPECT_EQ(form()->StoredBounds(), QRect(10, 20, 640, 480));
    EXPECT_TRUE(module()->Action("FileSaveNowAction")->isEnabled());
    EXPECT_TRUE(module()->Action("FileDeleteAction")->isEnabled());
    EXPECT_TRUE(modal.asked.isEmpty());
}

TEST_F(ConfigSets, ParameterWithOtherExtensionOpensNothingAndSaysNothing)
{
    writeFile(QStringLiteral("Market.set"), setText());
    writeFile(QStringLiteral("Market.txt"), setText());
    start({QStringLiteral("Market.txt")});
    EXPECT_TRUE(module()->File().Sets().ConfigFileName.isEmpty());
    EXPECT_EQ(form()->windowTitle(), QStringLiteral("Mira"));
    EXPECT_TRUE(modal.asked.isEmpty());
}

TEST_F(ConfigSets, MostRecentValidSetOpensAndTiesGoToTheFirstListed)
{
    const QDateTime t = QDateTime::currentDateTime().addSecs(-3600);
    setTime(writeFile(QStringLiteral("Beta.set"), setText()), t);
    setTime(writeFile(QStringLiteral("Alpha.set"), setText()), t);
    setTime(writeFile(QStringLiteral("Older.set"), setText()), t.addSecs(-600));
    // Newest of all, but not a set: never chosen. Hidden files are skipped.
    setTime(writeFile(QStringLiteral("Broken.set"), "object BaseForm: TBaseForm\r\nend\r\n"),
            t.addSecs(600));
    setTime(writeFile(QStringLiteral(".Hidden.set"), setText()), t.addSecs(900));
    start();
    EXPECT_EQ(module()->File().Sets().ConfigFileName, folder() + QStringLiteral("Alpha.set"));
}

TEST_F(ConfigSets, NewAsksForANameAndRefusesBadOnes)
{
    writeFile(QStringLiteral("Taken.set"), setText());
    start({QStringLiteral("Taken")});
    modal.answerText(QString())
        .answer(mrOK)
        .answerText(QStringLiteral("bad name"))
        .answer(mrOK)
        .answerText(QStringLiteral("TAKEN"))
        .answer(mrOK)
        .answerText(QStringLiteral("Fresh"));
    module()->Action("FileNewAction")->trigger();
    ASSERT_EQ(modal.asked.size(), 7);
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("New Configuration"));
    EXPECT_EQ(modal.asked[0].prompt, QStringLiteral("Enter name for new configuration"));
    EXPECT_EQ(modal.asked[1].text, QStringLiteral("Name can not be empty."));
    EXPECT_EQ(modal.asked[3].text,
              QStringLiteral(
                  "Only English alphanumeric characters, dash and underscore are allowed."));
    EXPECT_EQ(modal.asked[4].text, QStringLiteral("bad name")); // the last name comes back
    EXPECT_EQ(modal.asked[5].text, QStringLiteral("File with that name already exists."));
    EXPECT_EQ(module()->File().Sets().ConfigFileName, folder() + QStringLiteral("Fresh.set"));
    EXPECT_EQ(form()->windowTitle(), QStringLiteral("Fresh - Mira"));
    EXPECT_EQ(form()->Tag(), 0);
    EXPECT_TRUE(
        readFile(module()->File().Sets().ConfigFileName).startsWith("object TBaseForm\r\n"));
}

TEST_F(ConfigSets, NewWithSaveOnCloseUncheckedLosesTheChanges)
{
    const QString path = writeFile(QStringLiteral("Old.set"), setText(1));
    start({QStringLiteral("Old")});
    EXPECT_FALSE(module()->Action("FileSaveOnCloseAction")->isChecked());
    form()->SetTag(form()->Tag() | pfAutoSave); // an unsaved change
    modal.answerText(QStringLiteral("Next"));
    module()->Action("FileNewAction")->trigger();
    EXPECT_EQ(readFile(path), setText(1));
    EXPECT_EQ(module()->File().Sets().ConfigFileName, folder() + QStringLiteral("Next.set"));
}

TEST_F(ConfigSets, NewWithSaveOnCloseSavesTheOpenSetFirst)
{
    const QString path = writeFile(QStringLiteral("Old.set"), setText());
    start({QStringLiteral("Old")});
    module()->Action("FileAutoSaveAction")->trigger();
    modal.answerText(QStringLiteral("Next"));
    module()->Action("FileNewAction")->trigger();
    EXPECT_TRUE(readFile(path).contains("  Tag = 2\r\n"));
}

TEST_F(ConfigSets, CancelledNameDialogsChangeNothing)
{
    const QString path = writeFile(QStringLiteral("Keep.set"), setText());
    start({QStringLiteral("Keep")});
    modal.answer(mrCancel);
    module()->Action("FileNewAction")->trigger();
    modal.answer(mrCancel);
    module()->Action("FileRenameAction")->trigger();
    EXPECT_EQ(module()->File().Sets().ConfigFileName, path);
    EXPECT_EQ(readFile(path), setText());
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files).size(), 1);
}

TEST_F(ConfigSets, RenameLooksInTheSetsOwnFolderAndKeepsTheSet)
{
    QDir(folder()).mkdir(QStringLiteral("sets"));
    const QString old = writeFile(QStringLiteral("sets/Mine.set"), setText());
    writeFile(QStringLiteral("sets/Other.set"), setText());
    writeFile(QStringLiteral("Free.set"), setText()); // in the program folder: no clash
    start({old});
    modal.answerText(QStringLiteral("other")).answer(mrOK).answerText(QStringLiteral("Free"));
    module()->Action("FileRenameAction")->trigger();
    ASSERT_EQ(modal.asked.size(), 3);
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Renaming Configuration"));
    EXPECT_EQ(modal.asked[0].text, QString()); // the box starts empty
    EXPECT_EQ(modal.asked[1].text, QStringLiteral("File with that name already exists."));
    const QString renamed = folder() + QStringLiteral("sets/Free.set");
    EXPECT_EQ(module()->File().Sets().ConfigFileName, renamed);
    EXPECT_FALSE(QFile::exists(old));
    EXPECT_TRUE(readFile(renamed).startsWith("object TBaseForm\r\n"));
    EXPECT_EQ(form()->windowTitle(), QStringLiteral("Free - Mira"));
}

TEST_F(ConfigSets, RenameThatCannotDeleteTheOldFileChangesNothing)
{
    const QString old = writeFile(QStringLiteral("Mine.set"), setText());
    start({old});
    // Something that cannot be removed as a file stands where the old set was.
    QFile::remove(old);
    QDir(folder()).mkpath(QStringLiteral("Mine.set/inside"));
    modal.answerText(QStringLiteral("Renamed"));
    module()->Action("FileRenameAction")->trigger();
    EXPECT_EQ(module()->File().Sets().ConfigFileName, old);
    EXPECT_FALSE(QFile::exists(folder() + QStringLiteral("Renamed.set")));
    ASSERT_EQ(modal.asked.size(), 2);
    EXPECT_EQ(modal.asked[1].caption, QStringLiteral("File Delete Failure"));
    EXPECT_EQ(modal.asked[1].text,
              QStringLiteral("Can not delete current configuration file ") + old);
    EXPECT_EQ(form()->windowTitle(), QStringLiteral("Mine - Mira"));
}

TEST_F(ConfigSets, SaveCopyAsOntoItselfSavesOntoAnotherExistingFileIsRefused)
{
    const QString path = writeFile(QStringLiteral("Main.set"), setText());
    const QString other = writeFile(QStringLiteral("Other.set"), setText(4));
    start({QStringLiteral("Main")});
    module()->Action("FileAutoSaveAction")->trigger();
    modal.answerWith(choose(path));
    module()->Action("FileSaveAsAction")->trigger();
    EXPECT_TRUE(readFile(path).contains("Tag = 2"));

    EXPECT_FALSE(module()->File().Sets().SaveDlgCanClose(other));
    EXPECT_EQ(modal.asked.last().text,
              QStringLiteral("The file %1\nis pointing to existing configuration.\n"
                             "To overwrite an existing configuration, first delete or rename it.")
                  .arg(other));
    EXPECT_FALSE(module()->File().Sets().SaveDlgCanClose(folder() + QStringLiteral("OTHER.set")));
    EXPECT_FALSE(module()->File().Sets().SaveDlgCanClose(folder() + QStringLiteral("copy.txt")));
    EXPECT_EQ(modal.asked.last().text,
              QStringLiteral("The file %1\nhas wrong extension").arg(folder() + "copy.txt"));
    EXPECT_EQ(readFile(other), setText(4));
}

TEST_F(ConfigSets, SaveCopyAsMovesTheSetToTheNewFile)
{
    const QString path = writeFile(QStringLiteral("Main.set"), setText());
    start({QStringLiteral("Main")});
    module()->Action("FileAutoSaveAction")->trigger();
    const QString copy = folder() + QStringLiteral("Copy.set");
    modal.answerWith(choose(copy));
    module()->Action("FileSaveAsAction")->trigger();
    EXPECT_EQ(module()->File().Sets().ConfigFileName, copy);
    EXPECT_EQ(readFile(path), setText()); // the old file keeps its last saved content
    EXPECT_TRUE(readFile(copy).contains("Tag = 2"));
    EXPECT_EQ(form()->windowTitle(), QStringLiteral("Copy - Mira"));
    EXPECT_NE(form()->RootContainer(), nullptr);
}

TEST_F(ConfigSets, OpenRefusesTheOpenSetAndFilesThatAreNoSets)
{
    const QString path = writeFile(QStringLiteral("Main.set"), setText());
    const QString bad = writeFile(QStringLiteral("Bad.set"), "OBJECT TBaseForm\r\nend\r\n");
    start({QStringLiteral("Main")});
    const QString otherCase = folder() + QStringLiteral("MAIN.set");
    EXPECT_FALSE(module()->File().Sets().OpenDlgCanClose(otherCase));
    EXPECT_EQ(modal.asked.last().text,
              QStringLiteral("The file %1 is already open.").arg(otherCase));
    EXPECT_FALSE(module()->File().Sets().OpenDlgCanClose(bad));
    EXPECT_EQ(modal.asked.last().text,
              QStringLiteral("The file %1 is not a configuration file.").arg(bad));
    EXPECT_EQ(modal.asked.last().caption, QStringLiteral("Illegal Configuration File"));
}

TEST_F(ConfigSets, OpenLoadsTheChosenSetAfterSavingTheOpenOne)
{
    const QString first = writeFile(QStringLiteral("First.set"), setText());
    const QString second = writeFile(QStringLiteral("Second.set"), setText(8));
    start({QStringLiteral("First")});
    module()->Action("FileAutoSaveAction")->trigger();
    modal.answerWith(choose(second));
    module()->Action("FileLoadAction")->trigger();
    EXPECT_EQ(module()->File().Sets().ConfigFileName, second);
    EXPECT_TRUE(readFile(first).contains("Tag = 2"));
    EXPECT_TRUE(module()->Action("SilentAction")->isChecked());
    EXPECT_EQ(form()->windowTitle(), QStringLiteral("Second - Mira"));
}

TEST_F(ConfigSets, DeleteClosesTheSetAndRemovesTheFile)
{
    const QString path = writeFile(QStringLiteral("Gone.set"), setText());
    start({QStringLiteral("Gone")});
    modal.answer(mrNo);
    module()->Action("FileDeleteAction")->trigger();
    EXPECT_TRUE(QFile::exists(path));
    modal.answer(mrYes);
    module()->Action("FileDeleteAction")->trigger();
    EXPECT_EQ(modal.asked.last().caption, QStringLiteral("Confirm Delete"));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(module()->File().Sets().ConfigFileName.isEmpty());
    EXPECT_EQ(form()->RootContainer(), nullptr);
    EXPECT_FALSE(module()->Action("FileSaveNowAction")->isEnabled());
    EXPECT_EQ(form()->windowTitle(), QStringLiteral("Mira"));
}

TEST_F(ConfigSets, DamagedSetEndsTheProgramWithoutTouchingTheFile)
{
    const QByteArray damaged =
        "object TBaseForm\r\n  object TPan\r\n    Width = 'x'\r\n  end\r\nend\r\n";
    const QString path = writeFile(QStringLiteral("Damaged.set"), damaged);
    start({QStringLiteral("Damaged")});
    EXPECT_TRUE(program->terminated());
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Mira"));
    EXPECT_EQ(modal.asked[0].type, MsgType::Error);
    EXPECT_EQ(modal.asked[0].text,
              QStringLiteral("Catastrophic error on reading configuration file set\n") + path
                  + QStringLiteral(" :\n\nError reading TPan.Width: Invalid property value\n\n"
                                   "Please, fix the file or delete it.\nApplication will terminate "
                                   "immediately."));
    program.reset(); // the exit saves nothing
    EXPECT_EQ(readFile(path), damaged);
}

TEST_F(ConfigSets, LockFlagWithoutKeyLoadsCleared)
{
    const QString path = writeFile(QStringLiteral("Lock.set"), setText(32));
    start({QStringLiteral("Lock")});
    EXPECT_FALSE(module()->Action("UseLockAction")->isEnabled());
    EXPECT_FALSE(module()->Action("UseLockAction")->isChecked());
    EXPECT_EQ(form()->Tag() & pfLockOnMinimize, 0);
    module()->Action("FileSaveNowAction")->trigger();
    EXPECT_FALSE(readFile(path).contains("Tag ="));
}

TEST_F(ConfigSets, LockFlagWithKeyStaysOn)
{
    writeFile(QStringLiteral("Lock.set"), setText(32, "  Key = 'AAAA'\r\n"));
    start({QStringLiteral("Lock")});
    EXPECT_TRUE(module()->Action("UseLockAction")->isEnabled());
    EXPECT_TRUE(module()->Action("UseLockAction")->isChecked());
    EXPECT_TRUE(module()->Action("SetLockKeyAction")->isEnabled());
}

TEST_F(ConfigSets, BothDialogBitsShowInteractiveAndSilent)
{
    writeFile(QStringLiteral("Modes.set"), setText(12));
    start({QStringLiteral("Modes")});
    EXPECT_TRUE(module()->Action("InteractiveAction")->isChecked());
    EXPECT_TRUE(module()->Action("SilentAction")->isChecked());
    EXPECT_FALSE(module()->Action("ModerateAction")->isChecked());
    module()->Action("ModerateAction")->trigger();
    EXPECT_EQ(form()->Tag() & (pfInteractive | pfSilent), 0);
    EXPECT_TRUE(module()->Action("ModerateAction")->isChecked());
    module()->Action("SilentAction")->trigger();
    EXPECT_EQ(form()->Tag() & (pfInteractive | pfSilent), pfSilent);
}

TEST_F(ConfigSets, SaveOnCloseOffSavesNothingAtExitOnSavesAll)
{
    const QString path = writeFile(QStringLiteral("Quiet.set"), setText(1));
    start({QStringLiteral("Quiet")});
    EXPECT_FALSE(module()->Action("FileSaveOnCloseAction")->isChecked());
    form()->SetTag(form()->Tag() | pfNoCache);
    program.reset();
    EXPECT_EQ(readFile(path), setText(1));

    start({QStringLiteral("Quiet")});
    module()->Action("FileSaveOnCloseAction")->trigger();
    EXPECT_TRUE(module()->Action("FileSaveOnCloseAction")->isChecked());
    program.reset();
    EXPECT_FALSE(readFile(path).contains("Tag ="));
}

TEST_F(ConfigSets, LockSizeWritesASingleBorderAndFixesTheSize)
{
    const QString path = writeFile(QStringLiteral("Fixed.set"), setText());
    start({QStringLiteral("Fixed")});
    module()->Action("LockSizeAction")->trigger();
    EXPECT_EQ(form()->minimumSize(), form()->maximumSize());
    module()->Action("FileSaveNowAction")->trigger();
    const QByteArray written = readFile(path);
    EXPECT_TRUE(written.contains("  Tag = 64\r\n"));
    EXPECT_TRUE(written.contains("  Height = 480\r\n  BorderStyle = bsSingle\r\n"));
    module()->Action("LockSizeAction")->trigger();
    EXPECT_NE(form()->minimumSize(), form()->maximumSize());
}

TEST_F(ConfigSets, HiddenMenuLeavesEveryFileCommandInTheStatusPopup)
{
    writeFile(QStringLiteral("Menu.set"), setText());
    start({QStringLiteral("Menu")});
    module()->Action("HiddenMenuAction")->trigger();
    for (QAction *a : form()->menuBar()->actions())
        EXPECT_FALSE(a->isVisible()) << a->text().toStdString();
    QMenu *file = nullptr;
    for (QAction *a : module()->Menus().StatusPopup()->actions())
        if (a->menu() && a->text() == QLatin1String("File"))
            file = a->menu();
    ASSERT_NE(file, nullptr);
    for (QAction *command :
         {module()->Action("FileNewAction"), module()->Action("FileLoadAction"),
          module()->Action("FileSaveNowAction"), module()->Action("FileSaveOnCloseAction"),
          module()->Action("FileAutoSaveAction"), module()->Action("FileSaveAsAction"),
          module()->Action("FileRenameAction"), module()->Action("FileDeleteAction")}) {
        EXPECT_TRUE(file->actions().contains(command)) << command->text().toStdString();
        EXPECT_TRUE(command->isVisible());
    }
    EXPECT_TRUE(
        module()->Menus().StatusPopup()->actions().contains(module()->Action("HiddenMenuAction")));
    module()->Action("HiddenMenuAction")->trigger();
    EXPECT_TRUE(module()->Action("FileActions")->isVisible());
}

TEST_F(ConfigSets, NoSetLeavesOptionsDisabledAndUnchecked)
{
    start();
    for (QAction *a : {module()->Action("FileAutoSaveAction"), module()->Action("HiddenMenuAction"),
                       module()->Action("LockSizeAction"), module()->Action("NoCacheAction"),
                       module()->Action("UseLockAction"), module()->Action("SetLockKeyAction")}) {
        EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
        EXPECT_FALSE(a->isChecked()) << a->text().toStdString();
    }
    EXPECT_TRUE(module()->Action("FileSaveOnCloseAction")->isChecked());
    EXPECT_FALSE(module()->Action("FileSaveOnCloseAction")->isEnabled());
    EXPECT_TRUE(module()->Action("ModerateAction")->isEnabled());
}

TEST_F(ConfigSets, AutoSaveRunsTheTimerAndSavesOnItsTick)
{
    const QString path = writeFile(QStringLiteral("Auto.set"), setText());
    start({QStringLiteral("Auto")});
    EXPECT_FALSE(module()->File().AutoSaveTimer().isActive());
    module()->Action("FileAutoSaveAction")->trigger();
    EXPECT_TRUE(module()->File().AutoSaveTimer().isActive());
    EXPECT_EQ(module()->File().AutoSaveTimer().interval(), 600000);
    module()->File().Sets().AutoSaveTimerTimer();
    EXPECT_TRUE(readFile(path).contains("Tag = 2"));
    module()->Action("FileAutoSaveAction")->trigger();
    EXPECT_FALSE(module()->File().AutoSaveTimer().isActive());
}

TEST_F(ConfigSets, AutoSaveWritesNothingWhileTheLayoutIsAsSaved)
{
    const QString path = writeFile(QStringLiteral("Idle.set"), setText());
    start({QStringLiteral("Idle")});
    module()->Action("FileAutoSaveAction")->trigger();
    module()->File().Sets().AutoSaveTimerTimer(); // the new flag is written once
    ASSERT_TRUE(readFile(path).contains("Tag = 2"));
    const QDateTime longAgo(QDate(2020, 1, 1), QTime(12, 0));
    auto stamp = [&] {
        QFile file(path);
        return file.open(QIODevice::ReadWrite)
               && file.setFileTime(longAgo, QFileDevice::FileModificationTime);
    };
    auto written = [&] { return QFileInfo(path).lastModified() != longAgo; };
    ASSERT_TRUE(stamp());
    module()->File().Sets().AutoSaveTimerTimer();
    module()->File().Sets().AutoSaveTimerTimer();
    EXPECT_FALSE(written()) << "an unchanged layout is not written again";

    module()->Action("HiddenMenuAction")->trigger();
    module()->File().Sets().AutoSaveTimerTimer();
    EXPECT_TRUE(written()) << "a change is";
    EXPECT_TRUE(readFile(path).contains("Tag = 18"));

    // The file gone from under the program: written again at the next tick.
    ASSERT_TRUE(QFile::remove(path));
    module()->File().Sets().AutoSaveTimerTimer();
    EXPECT_TRUE(readFile(path).contains("Tag = 18"));
}

TEST_F(ConfigSets, SaveThatCannotBeWrittenSaysSoAndDamagesNothing)
{
    QDir(folder()).mkdir(QStringLiteral("sets"));
    const QString path = writeFile(QStringLiteral("sets/Main.set"), setText());
    start({path});
    // The set's folder goes away under the program.
    ASSERT_TRUE(QDir(folder()).rename(QStringLiteral("sets"), QStringLiteral("moved")));
    module()->Action("FileAutoSaveAction")->trigger();
    module()->Action("FileSaveNowAction")->trigger();
    ASSERT_FALSE(modal.asked.isEmpty());
    EXPECT_EQ(modal.asked.last().caption, QStringLiteral("File Save Failure"));
    EXPECT_TRUE(modal.asked.last().text.contains(path));
    const int asked = modal.asked.size();
    module()->File().Sets().AutoSaveTimerTimer();
    EXPECT_EQ(modal.asked.size(), asked); // the auto-save tells the status bar only
    EXPECT_TRUE(form()->StatusText().contains(path));
    EXPECT_EQ(readFile(folder() + QStringLiteral("moved/Main.set")), setText());
    EXPECT_EQ(module()->File().Sets().ConfigFileName, path);
}

TEST(WriteFileAtomically, ReplacesTheWholeFileAndLeavesNoTemporaryBehind)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/a.set");
    QString error;
    ASSERT_TRUE(WriteFileAtomically(path, QByteArray(100000, 'x'), &error));
    ASSERT_TRUE(WriteFileAtomically(path, "short", &error));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("short"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("a.set")});
    EXPECT_FALSE(WriteFileAtomically(dir.path() + QStringLiteral("/missing/b.set"), "x", &error));
    EXPECT_FALSE(error.isEmpty());
}

namespace {

// Types a name into a file dialog's name box and presses its accept button.
bool typeAndAccept(QFileDialog *dialog, const QString &name)
{
    auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    if (!edit)
        return false;
    // Typing with the box focused drops the list's selection; the dialog is not
    // shown here, so drop it as the user's typing would.
    for (auto *view : dialog->findChildren<QAbstractItemView *>())
        if (view->selectionModel())
            view->selectionModel()->clearSelection();
    edit->setText(name);
    static_cast<QDialog *>(dialog)->accept();
    return dialog->result() == QDialog::Accepted;
}

// Makes the program folder the current one, where the file dialogs open.
class InProgramFolder {
public:
    explicit InProgramFolder(const QString &folder) : saved(QDir::currentPath())
    {
        QDir::setCurrent(folder);
    }
    ~InProgramFolder() { QDir::setCurrent(saved); }

private:
    QString saved;
};

} // namespace

TEST_F(ConfigSets, FileDialogsEnterFoldersAndCheckOnlyFiles)
{
    writeFile(QStringLiteral("Main.set"), setText());
    QDir(folder()).mkdir(QStringLiteral("sub"));
    const QString inner = writeFile(QStringLiteral("sub/Inner.set"), setText(8));
    InProgramFolder cwd(folder());
    start({QStringLiteral("Main")});

    QStringList visited;
    int messagesInside = -1;
    auto walk = [&](const QString &last) {
        return [&, last](ModalRecord &r) {
            auto *dialog = qobject_cast<QFileDialog *>(r.dialog);
            if (!dialog)
                return int(mrCancel);
            const qsizetype before = modal.asked.size();
            bool accepted = typeAndAccept(dialog, QStringLiteral("sub"));
            visited << QDir(dialog->directory()).dirName();
            accepted = accepted || typeAndAccept(dialog, QStringLiteral(".."));
            visited << QDir(dialog->directory()).dirName();
            accepted = accepted || typeAndAccept(dialog, QStringLiteral("sub"));
            messagesInside = int(modal.asked.size() - before);
            if (accepted)
                return int(mrCancel);
            return typeAndAccept(dialog, last) ? int(mrOK) : int(mrCancel);
        };
    };

    modal.answerWith(walk(QStringLiteral("Inner.set")));
    module()->Action("FileLoadAction")->trigger();
    EXPECT_EQ(visited, (QStringList{QStringLiteral("sub"), QDir(folder()).dirName()}));
    EXPECT_EQ(messagesInside, 0);
    EXPECT_EQ(module()->File().Sets().ConfigFileName, inner);

    visited.clear();
    modal.answerWith(walk(QStringLiteral("Copy.set")));
    module()->Action("FileSaveAsAction")->trigger();
    EXPECT_EQ(visited, (QStringList{QStringLiteral("sub"), QDir(folder()).dirName()}));
    EXPECT_EQ(messagesInside, 0);
    EXPECT_EQ(module()->File().Sets().ConfigFileName, folder() + QStringLiteral("sub/Copy.set"));
}

namespace {

int rootPanels(TBaseForm *form)
{
    int n = 0;
    for (QObject *c : form->ClientArea()->children())
        if (qobject_cast<TPan *>(c))
            ++n;
    return n;
}

int rootPanels(const QByteArray &saved)
{
    return int(saved.count("\r\n  object TPan\r\n"));
}

} // namespace

TEST_F(ConfigSets, FailedSaveCopyAsThenNewOrOpenKeepsOneRootContainer)
{
    const QString main = writeFile(QStringLiteral("Main.set"), setText());
    const QString other = writeFile(QStringLiteral("Other.set"), setText(8));
    start({QStringLiteral("Main")});
    const QString unreachable = folder() + QStringLiteral("missing/Copy.set");

    // Save Copy As... into a folder that is not there: the layout stays, no file owns it.
    modal.answerWith(choose(unreachable)).answer(mrOK);
    module()->Action("FileSaveAsAction")->trigger();
    ASSERT_TRUE(module()->File().Sets().ConfigFileName.isEmpty());
    EXPECT_EQ(rootPanels(form()), 1);
    modal.answerText(QStringLiteral("Fresh"));
    module()->Action("FileNewAction")->trigger();
    EXPECT_EQ(module()->File().Sets().ConfigFileName, folder() + QStringLiteral("Fresh.set"));
    EXPECT_EQ(rootPanels(form()), 1);
    EXPECT_EQ(rootPanels(readFile(module()->File().Sets().ConfigFileName)), 1);

    modal.answerWith(choose(unreachable)).answer(mrOK);
    module()->Action("FileSaveAsAction")->trigger();
    ASSERT_TRUE(module()->File().Sets().ConfigFileName.isEmpty());
    modal.answerWith(choose(other));
    module()->Action("FileLoadAction")->trigger();
    EXPECT_EQ(module()->File().Sets().ConfigFileName, other);
    EXPECT_EQ(rootPanels(form()), 1);
    module()->Action("FileSaveNowAction")->trigger();
    EXPECT_EQ(rootPanels(readFile(other)), 1);
    EXPECT_EQ(rootPanels(readFile(main)), 1);
}

TEST_F(ConfigSets, FailedNewOrRenameThenAnotherCommandKeepsOneRootContainer)
{
    const QString other = writeFile(QStringLiteral("Other.set"), setText(8));
    QDir(folder()).mkdir(QStringLiteral("sets"));
    const QString mine = writeFile(QStringLiteral("sets/Mine.set"), setText());
    start({mine});

    // Rename whose new file cannot be written (its folder went away), then Open...
    ASSERT_TRUE(QDir(folder()).rename(QStringLiteral("sets"), QStringLiteral("moved")));
    modal.answerText(QStringLiteral("Renamed")).answer(mrOK);
    module()->Action("FileRenameAction")->trigger();
    EXPECT_EQ(rootPanels(form()), 1);
    modal.answerWith(choose(other));
    module()->Action("FileLoadAction")->trigger();
    EXPECT_EQ(module()->File().Sets().ConfigFileName, other);
    EXPECT_EQ(rootPanels(form()), 1);

    // New into a program folder that went away, then New again once it is back.
    const QString programFolder = folder();
    programValues().programFolder = programFolder + QStringLiteral("gone/");
    modal.answerText(QStringLiteral("Lost")).answer(mrOK);
    module()->Action("FileNewAction")->trigger();
    ASSERT_TRUE(module()->File().Sets().ConfigFileName.isEmpty());
    EXPECT_EQ(rootPanels(form()), 1);
    programValues().programFolder = programFolder;
    modal.answerText(QStringLiteral("Found"));
    module()->Action("FileNewAction")->trigger();
    EXPECT_EQ(module()->File().Sets().ConfigFileName, programFolder + QStringLiteral("Found.set"));
    EXPECT_EQ(rootPanels(form()), 1);
    EXPECT_EQ(rootPanels(readFile(module()->File().Sets().ConfigFileName)), 1);
    EXPECT_EQ(rootPanels(readFile(other)), 1);
}
