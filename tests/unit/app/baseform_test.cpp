#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

#include "app/actiontable.h"
#include "app/application.h"
#include "app/statusbar.h"
#include "browser/browser.h"
#include "dialogs/messagebox.h"
#include "layout/pan.h"
#include "support/panefixture.h"
#include "support/programfixture.h"

using namespace mira;

namespace {

// Stands in for a browser pane: the main window only knows panes by class name.
class MainWindow : public test::ProgramTest {};
class MainWindowPanes : public test::PaneTest {};

} // namespace

TEST_F(MainWindow, WithoutASetTheWindowIsCaptionedMiraOverTheWorkArea)
{
    start();
    EXPECT_EQ(form()->windowTitle(), QStringLiteral("Mira"));
    EXPECT_EQ(module()->File().ApplicationTitle(), QStringLiteral("Mira"));
    EXPECT_EQ(form()->StoredBounds(), WorkArea());
    EXPECT_EQ(form()->RootContainer(), nullptr);
    EXPECT_TRUE(module()->Action("FileNewAction")->isEnabled());
    EXPECT_TRUE(module()->Action("FileLoadAction")->isEnabled());
    EXPECT_FALSE(module()->Action("FileSaveNowAction")->isEnabled());
    EXPECT_FALSE(module()->Action("FileDeleteAction")->isEnabled());
    EXPECT_TRUE(module()->Action("FileSaveOnCloseAction")->isChecked());
    EXPECT_TRUE(module()->Action("ModerateAction")->isChecked());
}

TEST_F(MainWindow, CannotGrowBeyondTheWorkAreaPlusFour)
{
    start();
    EXPECT_EQ(form()->maximumSize(), QSize(1024 + 4, 740 + 4));
    form()->SetStoredBounds(QRect(0, 0, 3000, 3000));
    EXPECT_LE(form()->width(), 1028);
    EXPECT_LE(form()->height(), 744);
}

TEST_F(MainWindowPanes, PanesJoinAndLeaveTheListAndDriveTheActionsHeading)
{
    start();
    EXPECT_FALSE(module()->Action("ActionsAction")->isEnabled());
    TBrowser *a = newPane();
    TBrowser *b = newPane();
    auto *other = new TPan(form());
    EXPECT_EQ(module()->Panes().List(), (QList<TBrowser *>{a, b}));
    EXPECT_TRUE(module()->Action("ActionsAction")->isEnabled());
    delete a;
    EXPECT_EQ(module()->Panes().List(), (QList<TBrowser *>{b}));
    delete b;
    EXPECT_TRUE(module()->Panes().List().isEmpty());
    EXPECT_FALSE(module()->Action("ActionsAction")->isEnabled());
    delete other;
}

TEST_F(MainWindow, StatusTextGoesToTheThirdPanelAndHintsShowTheirLongPart)
{
    start();
    form()->SetStatusText(QStringLiteral("Mira: done"));
    EXPECT_EQ(form()->StatusText(), QStringLiteral("Mira: done"));
    EXPECT_EQ(module()->Action("ExitAction")->statusTip(), QStringLiteral("Close the program"));
    EXPECT_EQ(module()->Action("ExitAction")->toolTip(), QStringLiteral("Quit"));
    module()->Action("ExitAction")->showStatusText(form());
    EXPECT_EQ(form()->StatusText(), QStringLiteral("Close the program"));
    EXPECT_EQ(form()->StatusBar()->Panel(0)->width(), 21);
    EXPECT_EQ(form()->StatusBar()->Panel(1)->width(), 21);
}

TEST_F(MainWindow, MenusHoldTheirEntriesInOrder)
{
    start();
    QMenuBar *bar = form()->menuBar();
    QStringList visible;
    for (QAction *a : bar->actions())
        if (a->isVisible())
            visible << a->text();
    EXPECT_EQ(visible, (QStringList{QStringLiteral("File"), QStringLiteral("Actions"),
                                    QStringLiteral("Help")}));
    EXPECT_EQ(bar->actions().size(), 6); // Edit, View and Tools exist but are never shown

    QStringList file;
    for (QAction *a : module()->Action("FileActions")->menu()->actions())
        file << (a->isSeparator() ? (a->isVisible() ? QStringLiteral("-") : QStringLiteral("(-)"))
                                  : a->text());
    EXPECT_EQ(file, (QStringList{"New",
                                 "Open...",
                                 "-",
                                 "Save Now",
                                 "Save On Close",
                                 "AutoSave",
                                 "Save Copy As...",
                                 "Rename",
                                 "Delete",
                                 "-",
                                 "Go All On Open",
                                 "Start With Desktop",
                                 "Full Screen",
                                 "Separate Processes",
                                 "(-)",
                                 "Options...",
                                 "-",
                                 "Lock Size",
                                 "Hidden Menu",
                                 "Set Lock Key...",
                                 "Lock On Minimize",
                                 "-",
                                 "Minimize",
                                 "Exit"}));
    EXPECT_FALSE(module()->Action("OptionsAction")->isVisible());
    EXPECT_EQ(module()->Menus().StopAllMenuEntry()->statusTip(),
              QStringLiteral("Stop documents loading in all browsers"));
    EXPECT_EQ(module()->Action("StopAllAction")->statusTip(),
              QStringLiteral("Stop loading documents in all browsers"));
}

TEST_F(MainWindow, ActionsCarryTheirShortcutsImagesCategoriesAndTags)
{
    start();
    EXPECT_EQ(module()->Action("GoAllAction")->shortcut(), QKeySequence(Qt::Key_F9));
    EXPECT_EQ(module()->Action("RefreshAllAction")->shortcut(), QKeySequence(Qt::Key_F8));
    EXPECT_EQ(module()->Action("StopAllAction")->shortcut(), QKeySequence(Qt::Key_F7));
    EXPECT_EQ(module()->Action("MinimizeAction")->shortcut(), QKeySequence(Qt::Key_F4));
    EXPECT_EQ(module()->Action("AboutAction")->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(ActionCategory(module()->Action("FileNewAction")), QStringLiteral("File"));
    EXPECT_EQ(ActionCategory(module()->Action("FindAction")), QStringLiteral("Arrow"));
    EXPECT_EQ(ActionCategory(module()->Action("NoCacheAction")), QStringLiteral("Browser"));
    EXPECT_EQ(ActionTag(module()->Action("TextSizeLargestAction")), 4);
    EXPECT_EQ(ActionTag(module()->Action("TextSizeSmallestAction")), 0);
    EXPECT_FALSE(module()->Action("FileNewAction")->icon().isNull());
    EXPECT_TRUE(module()->Action("FileSaveNowAction")->icon().isNull());
    EXPECT_EQ(ActionHint(module()->Action("InteractiveAction")),
              QStringLiteral("Interactive mode shows all dialog messages including  document "
                             "loading and script errors"));
}

TEST_F(MainWindow, NotImplementedCommandsSaySo)
{
    start();
    module()->Action("OptionsAction")->trigger();
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].text, QStringLiteral("Sorry, not imlemented yet."));
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Information"));
    EXPECT_EQ(modal.asked[0].owner, form());
}

TEST_F(MainWindow, OnlineAndOfflineAreExclusiveAndOfflinePausesTimedReloads)
{
    start();
    module()->Action("OfflineAction")->trigger();
    EXPECT_TRUE(module()->Action("OfflineAction")->isChecked());
    EXPECT_FALSE(module()->Action("OnlineAction")->isChecked());
    EXPECT_TRUE(module()->AllPanes().Refresher().Paused());
    module()->Action("OnlineAction")->trigger();
    EXPECT_TRUE(module()->Action("OnlineAction")->isChecked());
    EXPECT_FALSE(module()->Action("OfflineAction")->isChecked());
    EXPECT_FALSE(module()->AllPanes().Refresher().Paused());
}

namespace {
class Thrower : public QObject {
public:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::User)
            throw std::runtime_error("boom");
        return QObject::event(e);
    }
};
} // namespace

TEST(Application, ExceptionsFromEventsAreDroppedAndTheProgramGoesOn)
{
    auto *app = qobject_cast<MiraApplication *>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    const int before = app->droppedExceptions();
    Thrower t;
    QEvent e(QEvent::User);
    QCoreApplication::sendEvent(&t, &e);
    EXPECT_EQ(app->droppedExceptions(), before + 1);
}

namespace {

QByteArray windowSet(const QByteArray &state = {})
{
    return "object TBaseForm\r\n  Left = 10\r\n  Top = 20\r\n  Width = 640\r\n  Height = 480\r\n"
           + state
           + "  PixelsPerInch = 96\r\n  TextHeight = 13\r\n"
             "  object TPan\r\n    Left = 0\r\n    Top = 0\r\n    Width = 632\r\n    Height = "
             "415\r\n"
             "    Align = alClient\r\n  end\r\nend\r\n";
}

class SavedWindow : public test::ProgramTest {
protected:
    void open(const QByteArray &state = {})
    {
        path = writeFile(QStringLiteral("Window.set"), windowSet(state));
        start({QStringLiteral("Window")});
        form()->show();
        QCoreApplication::processEvents();
    }
    // Closes the window as Exit does and ends the program; returns the saved set.
    QByteArray exitAndRead()
    {
        form()->close();
        QCoreApplication::processEvents();
        program.reset();
        return readFile(path);
    }
    QString path;
};

} // namespace

TEST_F(SavedWindow, MaximisedByTheUserIsSavedOnExitWithTheNormalBounds)
{
    open();
    form()->showMaximized();
    QCoreApplication::processEvents();
    ASSERT_NE(form()->geometry().size(), QSize(640, 480));
    const QByteArray saved = exitAndRead();
    EXPECT_TRUE(saved.contains("WindowState = wsMaximized")) << saved.constData();
    EXPECT_TRUE(saved.contains("Left = 10\r\n  Top = 20\r\n  Width = 640\r\n  Height = 480\r\n"))
        << saved.constData();
}

TEST_F(SavedWindow, RestoredByTheUserIsSavedOnExitWithoutAState)
{
    open("  WindowState = wsMaximized\r\n");
    ASSERT_TRUE(form()->isMaximized());
    form()->showNormal();
    QCoreApplication::processEvents();
    form()->SetStoredBounds(QRect(30, 40, 500, 400));
    QCoreApplication::processEvents();
    const QByteArray saved = exitAndRead();
    EXPECT_FALSE(saved.contains("WindowState")) << saved.constData();
    EXPECT_TRUE(saved.contains("Left = 30\r\n  Top = 40\r\n  Width = 500\r\n  Height = 400\r\n"))
        << saved.constData();
}

TEST_F(SavedWindow, SavingWhileMinimisedKeepsTheStateToComeBackTo)
{
    open();
    form()->showMinimized();
    QCoreApplication::processEvents();
    module()->Action("FileSaveNowAction")->trigger();
    QByteArray saved = readFile(path);
    EXPECT_FALSE(saved.contains("WindowState")) << saved.constData();
    EXPECT_TRUE(saved.contains("Width = 640\r\n  Height = 480\r\n")) << saved.constData();

    form()->showMaximized();
    QCoreApplication::processEvents();
    form()->setWindowState(form()->windowState() | Qt::WindowMinimized);
    QCoreApplication::processEvents();
    module()->File().Sets().AutoSaveTimerTimer();
    saved = readFile(path);
    EXPECT_TRUE(saved.contains("WindowState = wsMaximized")) << saved.constData();
    EXPECT_FALSE(saved.contains("wsMinimized")) << saved.constData();
    EXPECT_TRUE(saved.contains("Width = 640\r\n  Height = 480\r\n")) << saved.constData();
}

TEST_F(SavedWindow, ASetStoredMinimisedOpensAndSavesAsNormal)
{
    open("  WindowState = wsMinimized\r\n");
    module()->Action("FileSaveNowAction")->trigger();
    EXPECT_FALSE(readFile(path).contains("WindowState"));
}
