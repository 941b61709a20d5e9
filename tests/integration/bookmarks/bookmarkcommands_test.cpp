#include <QLineEdit>
#include <gtest/gtest.h>

#include "bookmarks/bookmarkbuffer.h"
#include "bookmarks/bookmarkcommands.h"
#include "bookmarks/urlcombo.h"
#include "bookmarks/wrapmessage.h"
#include "browser/browser.h"
#include "support/panefixture.h"

using namespace mira;
using namespace mira::platform;

namespace {

class BookmarkCommands : public test::PaneTest {
protected:
    void SetUp() override
    {
        PaneTest::SetUp();
        pane = newPane();
        combo = pane->AddressCombo;
    }
    // The web view shows address with title, as the engine reports a finished load.
    static void showPage(TBrowser *p, const QString &address, const QString &title)
    {
        FakeWebControl *f = fakeOf(p);
        f->state.document = true;
        f->state.location = address;
        f->state.title = title;
        f->script().emitTitle(title);
    }
    void type(const QString &text)
    {
        combo->lineEdit()->selectAll();
        combo->lineEdit()->insert(text);
    }
    BookmarkCopyBuffer &buffer() { return module()->BookmarkBuffer(); }

    TBrowser *pane = nullptr;
    TURLCombo *combo = nullptr;
};

} // namespace

TEST_F(BookmarkCommands, CopiesFromTwoPanesArriveInAThirdNewestOnTopAndEmptyTheBuffer)
{
    TBrowser *second = newPane();
    TBrowser *third = newPane();
    addBookmarks(pane, {{"A", "http://a/"}});
    addBookmarks(second, {{"B", "http://b/"}, {"B2", "http://b2/"}});
    addBookmarks(third, {{"Z", "http://z/"}});
    pane->URLs()->Items(0)->SetScrollY(300);
    pane->URLs()->Items(0)->SetRefresh(-1);

    combo->setCurrentIndex(0);
    CopyBookmark(*combo, buffer());
    second->AddressCombo->setCurrentIndex(1); // B
    CopyBookmark(*second->AddressCombo, buffer());
    EXPECT_EQ(buffer().Count(), 2);
    PasteBookmarks(*third->AddressCombo, buffer());

    EXPECT_EQ(lines(third->AddressCombo), QStringList({"B", "A", "Z"}));
    EXPECT_EQ(third->AddressCombo->currentText(), QStringLiteral("B"));
    EXPECT_EQ(buffer().Count(), 0);
    const TURL *a = third->URLs()->Items(1);
    EXPECT_EQ(a->Address(), QStringLiteral("http://a/"));
    EXPECT_EQ(a->ScrollY(), 300); // whole bookmarks travel
    EXPECT_EQ(a->Refresh(), -1);
    // The sources keep theirs.
    EXPECT_EQ(lines(combo), QStringList({"A"}));
    EXPECT_TRUE(modal.asked.isEmpty());
}

TEST_F(BookmarkCommands, TheBufferKeepsItsOwnUniquenessRules)
{
    addBookmarks(pane, {{"A", "http://a/"}, {"B", "http://b/"}});
    combo->setCurrentIndex(1); // A
    CopyBookmark(*combo, buffer());
    combo->setCurrentIndex(0); // B
    CopyBookmark(*combo, buffer());
    combo->setCurrentIndex(1);
    CopyBookmark(*combo, buffer()); // A again: moved to the end
    ASSERT_EQ(buffer().Count(), 2);
    EXPECT_EQ(buffer().Items(1)->Name(), QStringLiteral("A"));

    // Same name, other address: the replace question, with no box to sit under.
    TURLs other;
    (void)other.Add()->SetNameAndAddress(QStringLiteral("a"), QStringLiteral("http://elsewhere/"));
    modal.answer(mrOK);
    buffer().Copy(*other.Items(0));
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].owner, nullptr);
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Confirm"));
    ASSERT_EQ(buffer().Count(), 2);
    EXPECT_EQ(buffer().Items(1)->Address(), QStringLiteral("http://elsewhere/"));

    CopyAllBookmarks(*combo, buffer()); // replaces the content
    ASSERT_EQ(buffer().Count(), 2);
    EXPECT_EQ(buffer().Items(0)->Name(), QStringLiteral("A"));
    EXPECT_EQ(buffer().Items(1)->Name(), QStringLiteral("B"));
}

TEST_F(BookmarkCommands, PastingAnExistingBookmarkOnlyMovesItToTheTop)
{
    addBookmarks(pane, {{"A", "http://a/"}, {"B", "http://b/"}});
    TURLs source;
    (void)source.Add()->SetNameAndAddress(QStringLiteral("a"), QStringLiteral("HTTP://A/"));
    buffer().Copy(*source.Items(0));
    PasteBookmarks(*combo, buffer());
    EXPECT_EQ(lines(combo), QStringList({"A", "B"}));
    EXPECT_EQ(pane->URLs()->Count(), 2);
    EXPECT_EQ(pane->URLs()->Items(1)->Address(), QStringLiteral("http://a/"));
    EXPECT_EQ(buffer().Count(), 0);
    EXPECT_TRUE(modal.asked.isEmpty());
}

TEST_F(BookmarkCommands, DeletingSelectsTheBookmarkThatTookThePlace)
{
    addBookmarks(pane, {{"A", "http://a/"}, {"B", "http://b/"}, {"C", "http://c/"}});
    combo->setCurrentIndex(1); // B
    modal.answer(mrYes);
    EXPECT_TRUE(DeleteBookmark(*combo));
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].text,
              QStringLiteral(
                  "Deleting bookmark for address\nhttp://b/\npermanently. Are you sure?"));
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Confirm"));
    EXPECT_EQ(modal.asked[0].buttons, mbYes | mbNo);
    EXPECT_EQ(modal.asked[0].owner, combo);
    EXPECT_EQ(lines(combo), QStringList({"C", "A"}));
    EXPECT_EQ(combo->currentText(), QStringLiteral("C"));
    EXPECT_EQ(combo->currentIndex(), 0);

    modal.answer(mrYes); // the top line: the new top is selected
    EXPECT_TRUE(DeleteBookmark(*combo));
    EXPECT_EQ(lines(combo), QStringList({"A"}));
    EXPECT_EQ(combo->currentText(), QStringLiteral("A"));
    EXPECT_EQ(combo->SelectedIndex(), 0);

    addBookmarks(pane, {{"D", "http://d/"}});
    combo->setCurrentIndex(1); // the bottom line (A): the line above it is selected
    modal.answer(mrYes);
    EXPECT_TRUE(DeleteBookmark(*combo));
    EXPECT_EQ(combo->currentText(), QStringLiteral("D"));
}

TEST_F(BookmarkCommands, DeletingTheOnlyBookmarkEmptiesTheBox)
{
    addBookmarks(pane, {{"A", "http://a/"}});
    combo->setCurrentIndex(0);
    modal.answer(mrNo);
    EXPECT_FALSE(DeleteBookmark(*combo));
    EXPECT_EQ(lines(combo), QStringList({"A"}));
    modal.answer(mrYes);
    EXPECT_TRUE(DeleteBookmark(*combo));
    EXPECT_EQ(combo->count(), 0);
    EXPECT_EQ(combo->currentText(), QString());

    // Nothing selected, nothing to delete: a beep, no question.
    EXPECT_FALSE(DeleteBookmark(*combo));
    EXPECT_FALSE(DeleteAllBookmarks(*combo));
    EXPECT_EQ(modal.asked.size(), 2);
}

TEST_F(BookmarkCommands, CutAnsweredNoKeepsTheBookmarkAndItsCopy)
{
    addBookmarks(pane, {{"A", "http://a/"}, {"B", "http://b/"}});
    combo->setCurrentIndex(0);
    module()->SetLastControl(combo);
    modal.answer(mrNo);
    module()->Action("CutBookmarkAction")->trigger();
    EXPECT_EQ(lines(combo), QStringList({"B", "A"}));
    ASSERT_EQ(buffer().Count(), 1);
    EXPECT_EQ(buffer().Items(0)->Name(), QStringLiteral("B"));

    modal.answer(mrNo);
    module()->Action("CutAllBookmarksAction")->trigger();
    EXPECT_EQ(pane->URLs()->Count(), 2);
    EXPECT_EQ(buffer().Count(), 2);
    EXPECT_EQ(modal.asked.last().text,
              QStringLiteral("Deleting all bookmarks permanently. Are you sure?"));
    modal.answer(mrYes);
    module()->Action("CutAllBookmarksAction")->trigger();
    EXPECT_EQ(pane->URLs()->Count(), 0);
    EXPECT_EQ(combo->currentText(), QString());
    EXPECT_EQ(buffer().Count(), 2);
}

TEST_F(BookmarkCommands, ATypedAddressIsAddedAfterTheWarningAsUnverifiedLocation)
{
    addBookmarks(pane, {{"A", "http://a/"}});
    type(QStringLiteral("http://typed.test/"));
    modal.answer(mrNo);
    AddBookmark(*combo);
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].text,
              QStringLiteral("Entered location is not currently loaded nor verified for "
                             "validity.\nAdd it to bookmark list anyway?"));
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Location Warning"));
    EXPECT_EQ(modal.asked[0].type, MsgType::Warning);
    EXPECT_EQ(modal.asked[0].buttons, mbYes | mbNo);
    EXPECT_EQ(pane->URLs()->Count(), 1);

    modal.answer(mrYes).answer(mrOK);
    AddBookmark(*combo);
    ASSERT_EQ(modal.asked.size(), 3);
    const ModalRecord &prompt = modal.asked[2];
    EXPECT_EQ(prompt.kind, ModalRecord::Kind::InputBox);
    EXPECT_EQ(prompt.text, QStringLiteral("Unverified location"));
    EXPECT_EQ(prompt.caption, QStringLiteral("Bookmark Adding"));
    EXPECT_EQ(prompt.prompt, QStringLiteral("Enter a name for the address\nhttp://typed.test/"));
    EXPECT_EQ(prompt.maxLength, 25);
    EXPECT_EQ(prompt.geometry.size(), QSize(270, 160));
    EXPECT_EQ(lines(combo), QStringList({"Unverified location", "A"}));
    EXPECT_EQ(combo->SelectedIndex(), 1);
    EXPECT_EQ(pane->URLs()->Items(1)->Address(), QStringLiteral("http://typed.test/"));
    EXPECT_TRUE(navigated(pane).isEmpty()); // selecting the new line loads nothing
}

TEST_F(BookmarkCommands, AnAddressAlreadyBookmarkedInOtherCaseIsNamed)
{
    addBookmarks(pane, {{"Home", "http://home.test/"}});
    type(QStringLiteral("HTTP://HOME.TEST/"));
    modal.answer(mrYes);
    AddBookmark(*combo);
    ASSERT_EQ(modal.asked.size(), 2);
    EXPECT_EQ(modal.asked[1].text,
              QStringLiteral("This location already exists in bookmark list with name \"Home\"."));
    EXPECT_EQ(modal.asked[1].caption, QStringLiteral("Information"));
    EXPECT_EQ(modal.asked[1].buttons, mbOK);
    EXPECT_EQ(pane->URLs()->Count(), 1);
}

TEST_F(BookmarkCommands, ANameInUseBringsThePromptBackWithTheTitleAndTheOtherAddress)
{
    addBookmarks(pane, {{"Daily", "http://daily.test/"}});
    const QString title = QStringLiteral("Daily news from the river valley");
    showPage(pane, QStringLiteral("http://news.test/"), title);
    ASSERT_TRUE(combo->IsAddressLoaded());
    modal.answerText(QStringLiteral("DAILY")).answerText(QStringLiteral("River news"));
    AddBookmark(*combo);
    ASSERT_EQ(modal.asked.size(), 2);
    EXPECT_EQ(modal.asked[0].text, QStringLiteral("Daily news from the")); // shortened
    const ModalRecord &again = modal.asked[1];
    EXPECT_EQ(again.text, title); // the title before shortening
    EXPECT_EQ(again.prompt, WrapMessage(QStringLiteral("Entered name already assigned for "
                                                       "address\nhttp://daily.test/\nPlease, "
                                                       "re-enter")));
    EXPECT_EQ(again.geometry.size(), QSize(270, 174));
    EXPECT_EQ(again.maxLength, 25);
    EXPECT_EQ(lines(combo), QStringList({"River news", "Daily"}));
    EXPECT_EQ(combo->currentText(), QStringLiteral("River news"));
    EXPECT_EQ(pane->URLs()->Items(1)->Address(), QStringLiteral("http://news.test/"));

    // Cancel at either prompt adds nothing.
    showPage(pane, QStringLiteral("http://other.test/"), QStringLiteral("Other"));
    modal.answer(mrCancel);
    AddBookmark(*combo);
    EXPECT_EQ(pane->URLs()->Count(), 2);
}

TEST_F(BookmarkCommands, ScrollSettingsNeedTheSelectedBookmarksPageLoaded)
{
    addBookmarks(pane, {{"Long", "http://long.test/"}});
    FakeWebControl *fake = fakeOf(pane);
    fake->state.scriptResult = [](const QString &script) {
        if (script.contains(QStringLiteral("scrollX :")))
            return QVariant(30);
        if (script.contains(QStringLiteral("scrollY :")))
            return QVariant(700);
        return QVariant(true);
    };
    showPage(pane, QStringLiteral("http://long.test/"), QStringLiteral("Long page"));
    ASSERT_TRUE(combo->IsSelectionLoaded());
    TURL *url = pane->URLs()->Items(0);
    SaveScrollPosition(*combo);
    EXPECT_EQ(url->ScrollX(), 30);
    EXPECT_EQ(url->ScrollY(), 700);

    SetNoScrollBars(*combo, true);
    EXPECT_TRUE(url->NoScroll());
    EXPECT_TRUE(SelectedNoScroll(*combo));
    EXPECT_EQ(fake->calls.refreshCalls, 1);
    SetNoScrollBars(*combo, false);
    EXPECT_EQ(url->ScrollX(), 0);
    EXPECT_EQ(url->ScrollY(), 0);

    // Typed text: nothing is the loaded selection. A beep, and still a reload.
    type(QStringLiteral("Lon"));
    SetNoScrollBars(*combo, true);
    EXPECT_FALSE(url->NoScroll());
    EXPECT_EQ(fake->calls.refreshCalls, 3);
    SaveScrollPosition(*combo);
    EXPECT_EQ(url->ScrollY(), 0);
}

TEST_F(BookmarkCommands, ATitleWithBarsOfItsOwnStillGivesTheLoadedAddress)
{
    showPage(pane, QStringLiteral("http://river.test/"), QStringLiteral("Today | River | News"));
    modal.answer(mrOK);
    AddBookmark(*combo);
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].text, QStringLiteral("Today | River | News"));
    ASSERT_EQ(pane->URLs()->Count(), 1);
    EXPECT_EQ(pane->URLs()->Items(0)->Address(), QStringLiteral("http://river.test/"));
}
