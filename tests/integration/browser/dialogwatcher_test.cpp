#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "browser/browser.h"
#include "browser/dialogwatcher.h"
#include "dialogs/pagedialogs.h"
#include "platform/webdialogs.h"
#include "support/panefixture.h"
#include "support/wait.h"

using namespace mira;
using namespace mira::platform;

namespace {

class Watcher : public test::PaneTest {
protected:
    void SetUp() override
    {
        PaneTest::SetUp();
        form()->setGeometry(100, 80, 800, 600);
    }
    // A question of the engine, as the engine puts it, through the watcher.
    int ask(const QString &caption, const QString &text, MsgButtons buttons, bool silent = false,
            int silentAnswer = mrCancel)
    {
        return AskEngineQuestion(form(), silent, silentAnswer, caption, text, MsgType::Confirmation,
                                 buttons);
    }
};

const QString engine = QStringLiteral("Microsoft Internet Explorer");

} // namespace

TEST_F(Watcher, ModerateRetitlesTheEngineOkDialogAnswersItAndShowsItsMessage)
{
    EXPECT_EQ(ask(engine, QStringLiteral("  The page says hello.  "), mbOK | mbCancel), mrOK);
    EXPECT_TRUE(modal.asked.isEmpty()); // never shown
    EXPECT_EQ(form()->StatusText(), QStringLiteral("Mira: The page says hello."));

    // Without an OK button the engine's No is pressed; without either, Escape cancels.
    EXPECT_EQ(ask(QStringLiteral("Script Error"), QStringLiteral("Continue running scripts?"),
                  mbYes | mbNo),
              mrNo);
    EXPECT_EQ(form()->StatusText(), QStringLiteral("Script Error: Continue running scripts?"));
    EXPECT_EQ(ask(engine, QStringLiteral("Retry the download?"), mbYes | mbCancel), mrCancel);
    EXPECT_TRUE(modal.asked.isEmpty());
}

TEST_F(Watcher, InteractiveLeavesTheEngineDialogToTheUserRetitled)
{
    form()->SetTag(pfInteractive);
    modal.answer(mrCancel);
    EXPECT_EQ(ask(engine, QStringLiteral("Leave this page?"), mbOK | mbCancel), mrCancel);
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Mira"));
    EXPECT_EQ(form()->StatusText(), QStringLiteral("Mira: Leave this page?"));
}

TEST_F(Watcher, SilentControlsAskNothingAndOtherCaptionsReachTheUser)
{
    EXPECT_EQ(ask(engine, QStringLiteral("Leave this page?"), mbOK | mbCancel, true, mrOK), mrOK);
    EXPECT_TRUE(modal.asked.isEmpty());
    EXPECT_TRUE(form()->StatusText().isEmpty());

    // A security question names neither the engine nor an error: Moderate shows it.
    modal.answer(mrYes);
    EXPECT_EQ(ask(QStringLiteral("Security Alert"), QStringLiteral("Open it anyway?"),
                  mbYes | mbNo),
              mrYes);
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Security Alert"));
}

TEST_F(Watcher, ThePageClosingItsWindowIsAnsweredNoInEveryModeAndTheLastWebViewGoesBack)
{
    TBrowser *pane = newPane();
    form()->show();
    for (const int tag : {int(pfInteractive), 0, int(pfSilent | pfInteractive)}) {
        form()->SetTag(tag);
        pane->WebView->NavigateTo(QStringLiteral("http://a/"));
        settle();
        pane->WebView->NavigateTo(QStringLiteral("http://b/"));
        settle();
        module()->SetLastControl(pane->WebView);
        // The page has asked already; the question comes next.
        fakeOf(pane)->script().emitCloseRequest();
        settle();
        settle();
        EXPECT_TRUE(modal.asked.isEmpty()) << tag;
        EXPECT_TRUE(pane->WebView->isVisible()) << tag;
        EXPECT_EQ(pane->WebView->LocationURL(), QStringLiteral("http://a/")) << tag;
    }
    // Asked directly, the answer is No.
    form()->SetTag(pfInteractive);
    EXPECT_EQ(ask(engine, CloseWindowQuestionText(), mbYes | mbNo), mrNo);
}

TEST_F(Watcher, CloseQuestionOfASilentViewIsNotAskedAndNothingGoesBack)
{
    TBrowser *pane = newPane();
    pane->Commands().SetSilent(true);
    pane->WebView->NavigateTo(QStringLiteral("http://a/"));
    settle();
    pane->WebView->NavigateTo(QStringLiteral("http://b/"));
    settle();
    module()->SetLastControl(pane->WebView);
    fakeOf(pane)->script().emitCloseRequest();
    settle();
    settle();
    EXPECT_EQ(pane->WebView->LocationURL(), QStringLiteral("http://b/"));
}

TEST_F(Watcher, FindAndPageSetupAreCentredOthersOnlyGetIconAndCaption)
{
    auto *watcher = dynamic_cast<DialogWatcher *>(CurrentEngineDialogWatcher());
    ASSERT_NE(watcher, nullptr);
    for (const char *title : {"Find", "Page Setup"}) {
        QDialog dialog(form());
        dialog.setWindowTitle(QString::fromLatin1(title));
        dialog.setGeometry(0, 0, 200, 100);
        EXPECT_FALSE(watcher->Watch(&dialog));
        EXPECT_EQ(dialog.frameGeometry().center(), form()->frameGeometry().center()) << title;
        EXPECT_FALSE(dialog.windowIcon().isNull());
    }
    QDialog other(form());
    other.setWindowTitle(QStringLiteral("Print Preview"));
    other.setGeometry(5, 6, 200, 100);
    EXPECT_FALSE(watcher->Watch(&other));
    EXPECT_EQ(other.pos(), QPoint(5, 6));
    EXPECT_EQ(other.windowTitle(), QStringLiteral("Print Preview"));
    EXPECT_FALSE(other.windowIcon().isNull());
}

TEST_F(Watcher, AWindowTakingTheActivationFromTheMainWindowIsWatched)
{
    form()->show();
    form()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form()));
    QDialog find(form());
    find.setWindowTitle(QStringLiteral("Find"));
    find.resize(200, 100);
    find.show();
    find.move(0, 0);
    find.activateWindow();
    ASSERT_TRUE(test::waitUntil([&] { return find.pos() != QPoint(0, 0); }, 3000));
    EXPECT_EQ(find.frameGeometry().center(), form()->frameGeometry().center());
    find.close();
    form()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form()));

    // A shown engine box with an OK button is answered in its own loop, Moderate.
    QMessageBox box(QMessageBox::Warning, engine, QStringLiteral("Shown and answered."),
                    QMessageBox::Ok | QMessageBox::Cancel, form());
    QTimer::singleShot(3000, &box, &QDialog::reject); // a stuck watcher fails the test
    const int result = box.exec();
    EXPECT_EQ(box.standardButton(box.clickedButton()), QMessageBox::Ok) << result;
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Mira"));
    EXPECT_EQ(form()->StatusText(), QStringLiteral("Mira: Shown and answered."));
}

TEST_F(Watcher, BothModeFlagsOfAHandEditedSetCheckBothSilenceEveryViewAndShowEveryBox)
{
    TBrowser *first = newPane();
    TBrowser *second = newPane();
    form()->SetTag(pfInteractive | pfSilent);
    module()->AllPanes().UpdateDialogMode();
    EXPECT_TRUE(module()->Action("InteractiveAction")->isChecked());
    EXPECT_FALSE(module()->Action("ModerateAction")->isChecked());
    EXPECT_TRUE(module()->Action("SilentAction")->isChecked());
    EXPECT_TRUE(first->WebView->Silent());
    EXPECT_TRUE(second->WebView->Silent());

    modal.answer(mrOK);
    WebMessage alert{QStringLiteral("Hello"), engine, MB_OK, false, {}, IDOK};
    EXPECT_TRUE(fakeOf(first)->script().askShowMessage(alert));
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Mira"));

    // Back to Moderate: one check mark, nothing silent.
    module()->Action("ModerateAction")->trigger();
    EXPECT_FALSE(module()->Action("InteractiveAction")->isChecked());
    EXPECT_TRUE(module()->Action("ModerateAction")->isChecked());
    EXPECT_FALSE(module()->Action("SilentAction")->isChecked());
    EXPECT_FALSE(second->WebView->Silent());
    EXPECT_EQ(form()->Tag() & (pfInteractive | pfSilent), 0);
}
