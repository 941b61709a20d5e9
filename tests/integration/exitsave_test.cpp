// The save on exit runs where the main window closes, while the window and its layout
// are whole: a message it shows never comes from a destructor, and a second request to
// close while it asks waits for the answer.
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "app/setcommands.h"
#include "support/programfixture.h"

using namespace mira;

namespace {

// A set with Save On Close on (no pfNoSaveOnClose bit) and one root container.
const QByteArray kSet =
    "object TBaseForm\r\n  Left = 10\r\n  Top = 20\r\n  Width = 640\r\n"
    "  Height = 480\r\n  object TPan\r\n    Align = alClient\r\n  end\r\nend\r\n";

class ExitSave : public test::ProgramTest {
protected:
    void open(bool fresh = true)
    {
        path = fresh ? writeFile(QStringLiteral("Exit.set"), kSet) : folder() + "Exit.set";
        start({QStringLiteral("Exit")});
        ASSERT_TRUE(module()->Action("FileSaveOnCloseAction")->isChecked());
        form()->show();
        QCoreApplication::processEvents();
    }
    // A folder where the set was: every save of it fails, also for root.
    void breakTheSet() const
    {
        ASSERT_TRUE(QFile::remove(path));
        ASSERT_TRUE(QDir().mkdir(path));
    }
    int failuresTold() const
    {
        int n = 0;
        for (const ModalRecord &record : modal.asked)
            n += record.caption == QStringLiteral("File Save Failure") ? 1 : 0;
        return n;
    }
    QString path;
};

} // namespace

TEST_F(ExitSave, AFailingSaveAsksWhileTheWindowAndItsLayoutAreWhole)
{
    open();
    breakTheSet();
    bool shown = false;
    bool whole = false;
    modal.answerWith([&](ModalRecord &) {
        shown = form()->isVisible();
        whole = form()->RootContainer() != nullptr && !form()->Destroying();
        return int(mrOK);
    });
    EXPECT_TRUE(form()->close());
    EXPECT_EQ(failuresTold(), 1);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(whole);
    EXPECT_FALSE(form()->isVisible());

    // The window, once closed, goes without asking again.
    program.reset();
    EXPECT_EQ(failuresTold(), 1);
}

TEST_F(ExitSave, ACloseAskedWhileTheSaveAsksWaitsAndSavesNothingMore)
{
    open();
    breakTheSet();
    bool shownAfterSecondClose = false;
    modal.answerWith([&](ModalRecord &) {
        // A second SIGTERM or the window manager's close while the box is up.
        form()->close();
        shownAfterSecondClose = form()->isVisible();
        return int(mrOK);
    });
    EXPECT_TRUE(form()->close());
    EXPECT_TRUE(shownAfterSecondClose);
    EXPECT_EQ(failuresTold(), 1);
    // Closed again later (the window manager, the end of the program): nothing more.
    EXPECT_TRUE(form()->close());
    program.reset();
    EXPECT_EQ(failuresTold(), 1);
    EXPECT_TRUE(QDir(path).isEmpty());
}

TEST_F(ExitSave, AnEndWithoutACloseSavesAsExitDoesAndAnUnchangedSetKeepsItsBytes)
{
    open();
    program.reset();
    const QByteArray saved = readFile(path);
    EXPECT_NE(saved, kSet) << "the set was not saved";

    open(false);
    form()->close();
    EXPECT_EQ(readFile(path), saved);
    program.reset();
    EXPECT_EQ(readFile(path), saved);
}
