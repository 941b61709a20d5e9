#include <QAbstractItemView>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include "app/appcontrol.h"
#include "app/statusbar.h"
#include "bookmarks/urlcombo.h"
#include "browser/browser.h"
#include "layout/pan.h"
#include "support/panefixture.h"

using namespace mira;
using namespace mira::platform;

namespace {

class Pane : public test::PaneTest {};

WebMessage message(const QString &text, const QString &caption, int type)
{
    WebMessage m;
    m.text = text;
    m.caption = caption;
    m.type = type;
    return m;
}

} // namespace

TEST_F(Pane, FreshPaneMeasures149By52AndKeepsItsMinimum)
{
    TBrowser *pane = newPane();
    EXPECT_EQ(pane->size(), QSize(149, 52));
    form()->show();
    pane->resize(10, 10);
    EXPECT_EQ(pane->size(), QSize(149, 26));
}

TEST_F(Pane, LowResizesRaiseTheMinimumWidthTo297UntilTheHeightIsBack)
{
    TBrowser *pane = newPane();
    form()->show();
    pane->resize(200, 60);
    pane->resize(200, 40); // crosses 52: the minimum stays
    EXPECT_EQ(pane->minimumWidth(), 149);
    pane->resize(200, 30); // stays below 52
    EXPECT_EQ(pane->minimumWidth(), 297);
    EXPECT_EQ(pane->width(), 297);
    pane->resize(150, 30);
    EXPECT_EQ(pane->width(), 297);
    pane->resize(297, 80); // crosses back: still 297
    EXPECT_EQ(pane->minimumWidth(), 297);
    pane->resize(297, 90);
    EXPECT_EQ(pane->minimumWidth(), 149);
    pane->resize(160, 90);
    EXPECT_EQ(pane->width(), 160);
}

TEST_F(Pane, BarButtonsInOrderWithHintsAndTheArrowMenu)
{
    TBrowser *pane = newPane();
    const QList<QToolButton *> buttons = {pane->BackButton, pane->ForwardButton, pane->StopButton,
                                          pane->RefreshButton, pane->GoButton};
    form()->show();
    pane->resize(500, 300);
    int x = -1;
    for (QToolButton *b : buttons) {
        EXPECT_GT(b->x(), x);
        x = b->x();
    }
    EXPECT_GT(pane->ComboPanel->x(), x);
    EXPECT_EQ(pane->ComboPanel->size(), QSize(149, 26));
    EXPECT_EQ(pane->AddressCombo->geometry(), QRect(2, 2, 145, 25));
    EXPECT_EQ(pane->BackButton->toolTip(), QStringLiteral("Back"));
    EXPECT_EQ(pane->BackButton->statusTip(),
              QStringLiteral("Navigate to the previously viewed document"));
    EXPECT_EQ(pane->GoButton->statusTip(), QStringLiteral("Navigate to selected location"));
    EXPECT_EQ(pane->GoButton->menu(), module()->Menus().ArrowPopup());
    EXPECT_EQ(pane->GoButton->popupMode(), QToolButton::MenuButtonPopup);
    EXPECT_EQ(pane->AddressCombo->Hint(),
              QStringLiteral("Choose Location|Select bookmarked location name from the list or "
                             "enter a new address"));
    // The web view fills what the bar leaves.
    EXPECT_EQ(pane->NaviBar->geometry(), QRect(0, 0, 500, pane->NaviBar->height()));
    EXPECT_EQ(pane->WebView->geometry(),
              QRect(0, pane->NaviBar->height(), 500, 300 - pane->NaviBar->height()));
}

TEST_F(Pane, BottomBarMovesTheBarAndKeepsItThereAcrossResizes)
{
    TBrowser *pane = newPane();
    DesignablePane &designable = *pane;
    form()->show();
    pane->resize(400, 300);
    designable.SetBottomBar(true);
    EXPECT_TRUE(designable.BottomBar());
    pane->resize(500, 350);
    EXPECT_EQ(pane->NaviBar->geometry().bottom(), 349);
    EXPECT_EQ(pane->WebView->y(), 0);
    designable.SetBottomBar(false);
    EXPECT_EQ(pane->NaviBar->y(), 0);
}

TEST_F(Pane, StopRefreshAndBackOnAFreshPaneDoNothing)
{
    TBrowser *pane = newPane();
    FakeWebControl *fake = fakeOf(pane);
    const QString status = form()->StatusText();
    pane->StopClick();
    pane->RefreshClick(pane->RefreshButton);
    pane->Commands().RefreshBookmarked();
    pane->BackClick();
    EXPECT_EQ(fake->calls.stopCalls, 0);
    EXPECT_EQ(fake->calls.refreshCalls, 0);
    EXPECT_TRUE(modal.asked.isEmpty());
    EXPECT_EQ(form()->StatusText(), status);
}

TEST_F(Pane, RefreshButtonReloadsAnyPageRefreshAllOnlyTheSelectedBookmarksOwn)
{
    TBrowser *pane = newPane();
    addBookmarks(pane, {{QStringLiteral("Home"), QStringLiteral("http://home/")},
                        {QStringLiteral("Never"), QStringLiteral("http://never/")}});
    pane->URLs()->Items(1)->SetRefresh(-1);
    FakeWebControl *fake = fakeOf(pane);

    pane->AddressCombo->setEditText(QStringLiteral("http://typed/"));
    pane->GoClick(pane->GoButton);
    settle();
    pane->Commands().RefreshBookmarked(); // a typed address is no bookmark
    EXPECT_EQ(fake->calls.refreshCalls, 0);
    pane->RefreshClick(pane->RefreshButton);
    EXPECT_EQ(fake->calls.refreshCalls, 1);

    pane->AddressCombo->setEditText(QStringLiteral("HOME"));
    pane->GoClick(pane->GoButton);
    settle();
    pane->Commands().RefreshBookmarked();
    EXPECT_EQ(fake->calls.refreshCalls, 2);

    pane->AddressCombo->setEditText(QStringLiteral("Never"));
    pane->GoClick(pane->GoButton);
    settle();
    pane->Commands().RefreshBookmarked(); // excluded from global reload
    EXPECT_EQ(fake->calls.refreshCalls, 2);
    pane->Commands().StopLoading();
    EXPECT_EQ(fake->calls.stopCalls, 1);
}

TEST_F(Pane, StatusTextGoesToTheMainWindow)
{
    TBrowser *pane = newPane();
    fakeOf(pane)->script().emitStatusText(QStringLiteral("Opening page..."));
    EXPECT_EQ(form()->StatusText(), QStringLiteral("Opening page..."));
}

TEST_F(Pane, NewWindowsLoadInThePaneTheyCameFromWithoutNoCacheFlags)
{
    TBrowser *first = newPane();
    TBrowser *second = newPane();
    first->Commands().SetNoCache(true);
    WebControl *catcher = fakeOf(first)->script().emitNewWindow();
    ASSERT_NE(catcher, nullptr);
    EXPECT_EQ(module()->NewWindows().RedirectTarget(), first->WebView);
    // A later request replaces one not yet redirected.
    EXPECT_EQ(fakeOf(second)->script().emitNewWindow(), catcher);
    EXPECT_EQ(module()->NewWindows().RedirectTarget(), second->WebView);
    EXPECT_EQ(fakeOf(first)->script().emitNewWindow(), catcher);

    auto *fakeCatcher = static_cast<FakeWebControl *>(catcher);
    EXPECT_TRUE(fakeCatcher->script().emitBeforeNavigate(QStringLiteral("http://popup/")));
    ASSERT_EQ(fakeOf(first)->calls.navigations.size(), 1);
    EXPECT_EQ(fakeOf(first)->calls.navigations[0].address, QStringLiteral("http://popup/"));
    EXPECT_EQ(fakeOf(first)->calls.navigations[0].flags, 0);
    EXPECT_TRUE(fakeOf(second)->calls.navigations.isEmpty());
    EXPECT_EQ(module()->NewWindows().RedirectTarget(), nullptr);
    // Nothing is waiting: a stray navigation of the catcher goes nowhere.
    EXPECT_TRUE(fakeCatcher->script().emitBeforeNavigate(QStringLiteral("http://stray/")));
    EXPECT_EQ(fakeOf(first)->calls.navigations.size(), 1);
    EXPECT_TRUE(fakeCatcher->calls.navigations.isEmpty());
}

TEST_F(Pane, APageCannotCloseItsPane)
{
    TBrowser *pane = newPane();
    form()->show();
    QPointer<TBrowser> guard(pane);
    fakeOf(pane)->script().emitCloseRequest();
    settle();
    ASSERT_TRUE(guard);
    EXPECT_TRUE(pane->WebView->isVisible());
}

TEST_F(Pane, ModerateModeSendsAlertsAndErrorsToTheStatusBarAndAsksTheRest)
{
    TBrowser *pane = newPane();
    FakeWebControl *fake = fakeOf(pane);

    WebMessage alert = message(QStringLiteral("  Hello \n"), QStringLiteral("Web Page Message"),
                               MB_OK | MB_ICONWARNING);
    EXPECT_TRUE(fake->script().askShowMessage(alert));
    EXPECT_EQ(form()->StatusText(), QStringLiteral("Web Page Message: Hello"));
    EXPECT_TRUE(modal.asked.isEmpty());

    WebMessage error = message(QStringLiteral("Bad"), QStringLiteral("Certificate Error"),
                               MB_YESNO | MB_ICONWARNING);
    EXPECT_TRUE(fake->script().askShowMessage(error));
    EXPECT_EQ(form()->StatusText(), QStringLiteral("Certificate Error: Bad"));
    EXPECT_TRUE(modal.asked.isEmpty());

    modal.answer(mrCancel);
    WebMessage confirm = message(QStringLiteral("Leave?"),
                                 QStringLiteral("Microsoft Internet Explorer"),
                                 MB_OKCANCEL | MB_ICONQUESTION);
    EXPECT_TRUE(fake->script().askShowMessage(confirm));
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Mira"));
    EXPECT_EQ(modal.asked[0].text, QStringLiteral("Leave?"));
    EXPECT_EQ(modal.asked[0].buttons, mbOK | mbCancel);
    EXPECT_EQ(modal.asked[0].owner, form());
    EXPECT_EQ(confirm.result, IDCANCEL);

    modal.answerText(QStringLiteral("Ann"));
    WebMessage prompt = message(QStringLiteral("Name?"), QStringLiteral("Web Page Prompt"),
                                MB_OKCANCEL | MB_ICONQUESTION);
    prompt.prompt = true;
    prompt.value = QStringLiteral("default");
    EXPECT_TRUE(fake->script().askShowMessage(prompt));
    ASSERT_EQ(modal.asked.size(), 2);
    EXPECT_EQ(modal.asked[1].kind, ModalRecord::Kind::InputBox);
    EXPECT_EQ(prompt.result, IDOK);
    EXPECT_EQ(prompt.value, QStringLiteral("Ann"));
}

TEST_F(Pane, InteractiveModeShowsEveryMessageAsABox)
{
    TBrowser *pane = newPane();
    form()->SetTag(pfInteractive);
    modal.answer(mrOK);
    WebMessage alert = message(QStringLiteral("Hello"), QStringLiteral("Script Error"), MB_OK);
    EXPECT_TRUE(fakeOf(pane)->script().askShowMessage(alert));
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Script Error"));
    EXPECT_EQ(alert.result, IDOK);
}

TEST_F(Pane, NoMainWindowNoMessage)
{
    QWidget owner;
    TBrowser pane(&owner);
    WebMessage confirm = message(QStringLiteral("Sure?"), QStringLiteral("Web Page Message"),
                                 MB_OKCANCEL);
    EXPECT_TRUE(fakeOf(&pane)->script().askShowMessage(confirm));
    EXPECT_TRUE(modal.asked.isEmpty());
}

TEST_F(Pane, RightClickInTheAddressBoxOpensTheBookmarkMenu)
{
    TBrowser *pane = newPane();
    form()->show();
    QLineEdit *edit = pane->AddressCombo->lineEdit();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            edit->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(edit, &event);
    EXPECT_TRUE(module()->Menus().URLPopup()->isVisible());
    module()->Menus().URLPopup()->hide();
}

TEST_F(Pane, GoAllStopAllAndRefreshAllReachEveryPaneInOrder)
{
    TBrowser *first = newPane();
    TBrowser *typed = newPane();
    TBrowser *excluded = newPane();
    addBookmarks(first, {{QStringLiteral("One"), QStringLiteral("http://one/")}});
    addBookmarks(typed, {{QStringLiteral("Two"), QStringLiteral("http://two/")}});
    addBookmarks(excluded, {{QStringLiteral("Three"), QStringLiteral("http://three/")}});
    excluded->URLs()->Items(0)->SetRefresh(-1);
    first->AddressCombo->setCurrentIndex(0);
    excluded->AddressCombo->setCurrentIndex(0);
    typed->AddressCombo->setEditText(QStringLiteral("http://typed/"));

    module()->Action("GoAllAction")->trigger();
    settle();
    EXPECT_EQ(navigated(first), QStringList{QStringLiteral("http://one/")});
    EXPECT_TRUE(navigated(typed).isEmpty());
    EXPECT_TRUE(navigated(excluded).isEmpty());

    module()->Action("RefreshAllAction")->trigger();
    EXPECT_EQ(fakeOf(first)->calls.refreshCalls, 1);
    module()->Action("StopAllAction")->trigger();
    EXPECT_EQ(fakeOf(first)->calls.stopCalls, 1);
    EXPECT_EQ(fakeOf(typed)->calls.stopCalls, 0); // nothing loaded there
}

TEST_F(Pane, PressesRecordTheirControlAndTheArrowCommandsActOnThatPane)
{
    form()->resize(800, 600);
    form()->show();
    TBrowser *first = newPane();
    TBrowser *second = newPane();
    first->setGeometry(0, 0, 400, 300);
    second->setGeometry(400, 0, 400, 300);
    QTest::mouseClick(second->GoButton, Qt::LeftButton);
    EXPECT_EQ(module()->LastControl(), second->NaviBar);
    EXPECT_EQ(module()->Documents().ArrowPane(), second);

    module()->Documents().ArrowPopupPopup();
    EXPECT_FALSE(module()->Action("FindAction")->isEnabled()); // nothing loaded yet
    EXPECT_TRUE(module()->Action("OpenDocAction")->isEnabled());

    second->WebView->NavigateTo(QStringLiteral("http://page/"));
    settle();
    module()->Documents().ArrowPopupPopup();
    EXPECT_TRUE(module()->Action("FindAction")->isEnabled());
    EXPECT_TRUE(module()->Action("PrintAction")->isEnabled());
    const int before = fakeOf(second)->calls.commands.size();
    module()->Action("FindAction")->trigger();
    ASSERT_EQ(fakeOf(second)->calls.commands.size(), before + 1);
    EXPECT_TRUE(fakeOf(second)->calls.commands.last().useGroup);
    EXPECT_EQ(fakeOf(second)->calls.commands.last().command, 1);
    EXPECT_TRUE(fakeOf(first)->calls.commands.isEmpty());

    // A press inside the page belongs to the web view that shows it.
    QWidget *page = first->WebView->childAt(first->WebView->rect().center());
    ASSERT_NE(page, nullptr);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), page->mapToGlobal(QPointF(5, 5)),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(page, &press);
    EXPECT_EQ(module()->LastControl(), first->WebView);
    EXPECT_EQ(module()->Documents().ArrowPane(), nullptr); // only a navigation bar names a pane
}

// ------------------------------------------------------ timed reloads and resting

namespace {

class TimedPane : public test::PaneTest {
protected:
    // A pane with bookmarks Zero (0), Skip (-1) and Half (30 seconds).
    TBrowser *wallPane()
    {
        TBrowser *pane = newPane();
        addBookmarks(pane, {{QStringLiteral("Zero"), QStringLiteral("http://zero.test/")},
                            {QStringLiteral("Skip"), QStringLiteral("http://skip.test/")},
                            {QStringLiteral("Half"), QStringLiteral("http://half.test/")}});
        pane->URLs()->Items(1)->SetRefresh(-1);
        pane->URLs()->Items(2)->SetRefresh(30);
        return pane;
    }
    static void show(TBrowser *pane, const QString &text)
    {
        pane->AddressCombo->setEditText(text);
        pane->GoClick(pane->GoButton);
        settle();
    }
};

} // namespace

TEST_F(TimedPane, OnlyAShownBookmarkWithAPositiveRefreshReloadsByItself)
{
    TBrowser *pane = wallPane();
    EXPECT_EQ(pane->Reloads().TimedRefreshPeriod(), 0); // nothing loaded
    show(pane, QStringLiteral("Half"));
    EXPECT_EQ(pane->Reloads().TimedRefreshPeriod(), 30);
    module()->AllPanes().Refresher().Tick();
    EXPECT_TRUE(
        pane->RefreshButton->statusTip().endsWith(QStringLiteral(" (reloads by itself in 30 s)")));
    show(pane, QStringLiteral("Zero"));
    EXPECT_EQ(pane->Reloads().TimedRefreshPeriod(), 0);
    show(pane, QStringLiteral("Skip"));
    EXPECT_EQ(pane->Reloads().TimedRefreshPeriod(), 0);
    show(pane, QStringLiteral("http://elsewhere.test/"));
    EXPECT_EQ(pane->Reloads().TimedRefreshPeriod(), 0);
    module()->AllPanes().Refresher().Tick();
    EXPECT_EQ(pane->RefreshButton->statusTip(),
              QStringLiteral("Reload the currently loaded document"));
}

TEST_F(TimedPane, TheTimerBelongsToTheShownBookmarkWhateverTheBoxHolds)
{
    TBrowser *pane = wallPane();
    TURLCombo *combo = pane->AddressCombo;
    FakeWebControl *fake = fakeOf(pane);
    TimedRefresh &refresher = module()->AllPanes().Refresher();
    qint64 now = 0;
    refresher.Clock = [&now] { return now; };
    show(pane, QStringLiteral("Half"));
    refresher.Tick();

    // Typing, a paste and a Favorites address load nothing: the page is still Half's.
    QTest::keyClicks(combo, QStringLiteral("typed"));
    EXPECT_EQ(pane->Reloads().TimedRefreshPeriod(), 30);
    QGuiApplication::clipboard()->setText(QStringLiteral("http://pasted.test/"));
    combo->lineEdit()->selectAll();
    combo->lineEdit()->paste();
    ASSERT_EQ(combo->currentText(), QStringLiteral("http://pasted.test/"));
    EXPECT_EQ(pane->Reloads().TimedRefreshPeriod(), 30);
    combo->setEditText(QStringLiteral("http://favorite.test/"));
    EXPECT_EQ(pane->Reloads().TimedRefreshPeriod(), 30);
    now = 30000;
    refresher.Tick();
    EXPECT_EQ(fake->calls.refreshCalls, 1);
    EXPECT_EQ(fake->calls.navigations.size(), 1); // Half's load alone

    // Escape shows Half again; the timer never stopped.
    QTest::keyClick(combo, Qt::Key_Escape);
    EXPECT_EQ(combo->currentText(), QStringLiteral("Half"));
    EXPECT_EQ(pane->Reloads().TimedRefreshPeriod(), 30);

    // Another bookmark chosen from the list is shown once loaded: its own period.
    form()->show();
    combo->showPopup();
    QAbstractItemView *list = combo->view();
    const int zeroLine = combo->findText(QStringLiteral("Zero"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(zeroLine, 0)).center());
    settle();
    ASSERT_EQ(fake->state.location, QStringLiteral("http://zero.test/"));
    EXPECT_EQ(pane->Reloads().TimedRefreshPeriod(), 0);

    // Go on a typed address: the page shown is no bookmark, so no timer.
    show(pane, QStringLiteral("Half"));
    ASSERT_EQ(pane->Reloads().TimedRefreshPeriod(), 30);
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo, QStringLiteral("http://typed.test/"));
    QTest::keyClick(combo, Qt::Key_Return);
    settle();
    ASSERT_EQ(fake->state.location, QStringLiteral("http://typed.test/"));
    EXPECT_EQ(pane->Reloads().TimedRefreshPeriod(), 0);
}

TEST_F(TimedPane, APageThatRetitlesItselfLeavesTypingAloneANewPageTakesTheBoxBack)
{
    TBrowser *pane = wallPane();
    TURLCombo *combo = pane->AddressCombo;
    FakeWebControl *fake = fakeOf(pane);
    show(pane, QStringLiteral("Half"));
    fake->script().emitTitle(QStringLiteral("12:00")); // not typing: the bookmark stays shown
    EXPECT_EQ(combo->currentText(), QStringLiteral("Half"));

    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo, QStringLiteral("http://next"));
    fake->script().emitTitle(QStringLiteral("12:01"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("http://next"));
    EXPECT_EQ(combo->Hint(), QStringLiteral("12:01|http://half.test/"));

    QTest::keyClick(combo, Qt::Key_Return);
    settle();
    EXPECT_EQ(combo->currentText(), QStringLiteral("http://next"));
    show(pane, QStringLiteral("Half")); // a bookmark named and gone to
    EXPECT_EQ(combo->currentText(), QStringLiteral("Half"));
    EXPECT_EQ(combo->currentIndex(), 0);
    fake->script().emitTitle(QStringLiteral("12:02"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("Half"));
}

TEST_F(TimedPane, APaneWaitsWhileItsPagesAlertIsOpen)
{
    TBrowser *pane = wallPane();
    form()->SetTag(pfInteractive);
    FakeWebControl *fake = fakeOf(pane);
    fake->state.site = std::make_shared<FakeWebControl::Site>();
    (*fake->state.site)[QStringLiteral("http://half.test/")] =
        FakeWebControl::Page{QStringLiteral("Half"),
                             {},
                             {{FakeWebControl::PageStep::Alert, QStringLiteral("Look"), {}}},
                             false};
    bool waitedDuringBox = false;
    modal.answerWith([&](ModalRecord &) {
        waitedDuringBox = pane->Reloads().WaitsForAnswer();
        return int(mrOK);
    });
    EXPECT_FALSE(pane->Reloads().WaitsForAnswer());
    show(pane, QStringLiteral("Half"));
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].text, QStringLiteral("Look"));
    EXPECT_TRUE(waitedDuringBox);
    EXPECT_FALSE(pane->Reloads().WaitsForAnswer());
}

TEST_F(TimedPane, CountdownHintSaysSecondsLeftOrPaused)
{
    TBrowser *pane = newPane();
    pane->Reloads().ShowRefreshCountdown(12, false);
    EXPECT_EQ(pane->RefreshButton->statusTip(),
              QStringLiteral("Reload the currently loaded document (reloads by itself in 12 s)"));
    EXPECT_EQ(pane->RefreshButton->toolTip(),
              QStringLiteral("Refresh (reloads by itself in 12 s)"));
    pane->Reloads().ShowRefreshCountdown(12, true);
    EXPECT_EQ(pane->RefreshButton->statusTip(),
              QStringLiteral("Reload the currently loaded document (timed reload paused)"));
}

TEST_F(TimedPane, TimedReloadPutsTheScrollPositionBack)
{
    TBrowser *pane = wallPane();
    show(pane, QStringLiteral("Half"));
    FakeWebControl *fake = fakeOf(pane);
    fake->state.scriptResult = [](const QString &script) -> QVariant {
        if (script.contains(QLatin1String("window.scrollTo")))
            return true;
        if (script.contains(QLatin1String("window.scrollX : -1")))
            return 40;
        if (script.contains(QLatin1String("window.scrollY : -1")))
            return 300;
        return {};
    };
    fake->calls.scripts.clear();
    pane->Reloads().TimedReload();
    EXPECT_EQ(fake->calls.refreshCalls, 1);
    settle();
    EXPECT_TRUE(fake->calls.scripts.contains(
        QStringLiteral("document.body ? (window.scrollTo(40, window.scrollY), true) : false")));
    EXPECT_TRUE(fake->calls.scripts.contains(
        QStringLiteral("document.body ? (window.scrollTo(window.scrollX, 300), true) : false")));

    // At the top of the page nothing is put back.
    fake->state.scriptResult = [](const QString &) -> QVariant { return 0; };
    fake->calls.scripts.clear();
    pane->Reloads().TimedReload();
    settle();
    for (const QString &script : std::as_const(fake->calls.scripts))
        EXPECT_FALSE(script.contains(QLatin1String("scrollTo"))) << script.toStdString();
}

TEST_F(TimedPane, AHiddenPaneRestsAfterItsDelayAndWakesToShowOrLoad)
{
    TBrowser *pane = wallPane();
    pane->SetRestDelay(0);
    form()->show();
    show(pane, QStringLiteral("Zero"));
    FakeWebControl *fake = fakeOf(pane);
    EXPECT_FALSE(pane->Resting()); // shown

    form()->ClientArea()->hide(); // as a book page in the background
    settle();
    EXPECT_TRUE(pane->Resting());
    EXPECT_TRUE(fake->state.resting);

    pane->GoClick(nullptr); // Go All wakes it to load, and it rests again after
    EXPECT_FALSE(fake->state.resting);
    settle();
    EXPECT_TRUE(fake->state.resting);

    form()->ClientArea()->show();
    EXPECT_FALSE(pane->Resting());
    EXPECT_FALSE(fake->state.resting);

    // A hidden window is not a book page in the background: nothing rests.
    form()->hide();
    settle();
    EXPECT_FALSE(fake->state.resting);
}
