#include <QAbstractItemView>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "bookmarks/urlcombo.h"
#include "browser/browser.h"
#include "support/panefixture.h"

using namespace mira;
using namespace mira::platform;

namespace {

class Combo : public test::PaneTest {
protected:
    void SetUp() override
    {
        PaneTest::SetUp();
        pane = newPane();
        combo = pane->AddressCombo;
        fake = fakeOf(pane);
        addBookmarks(pane, {{QStringLiteral("A"), QStringLiteral("http://a/")},
                            {QStringLiteral("B"), QStringLiteral("http://b/")},
                            {QStringLiteral("C"), QStringLiteral("http://c/")}});
    }
    void type(const QString &text)
    {
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo, text);
    }

    TBrowser *pane = nullptr;
    TURLCombo *combo = nullptr;
    FakeWebControl *fake = nullptr;
};

} // namespace

TEST_F(Combo, ListsNewestFirstAndAPickedBookmarkMovesToTheTopOnceItsTitleArrives)
{
    EXPECT_EQ(lines(combo), QStringList({"C", "B", "A"}));
    EXPECT_EQ(combo->MapIndex(0), 2);
    EXPECT_EQ(combo->MapIndex(-1), -1);
    EXPECT_EQ(combo->maxVisibleItems(), 20);

    form()->show();
    combo->showPopup();
    QAbstractItemView *view = combo->view();
    ASSERT_TRUE(view->isVisible());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(1, 0)).center());
    EXPECT_EQ(navigated(pane), QStringList({"http://b/"}));
    settle(); // title and end of load
    EXPECT_EQ(lines(combo), QStringList({"B", "C", "A"}));
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(combo->SelectedIndex(), 2);
    EXPECT_EQ(pane->URLs()->Items(2)->Name(), QStringLiteral("B"));
    EXPECT_EQ(combo->Hint(), QStringLiteral("http://b/|http://b/"));
}

TEST_F(Combo, EnterGoesToTheNamedBookmarkOrToTheTypedAddress)
{
    type(QStringLiteral("b"));
    EXPECT_TRUE(fake->calls.navigations.isEmpty()); // typing never navigates
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_EQ(navigated(pane), QStringList({"http://b/"}));
    EXPECT_EQ(combo->currentText(), QStringLiteral("B"));

    type(QStringLiteral("example.org"));
    QTest::keyClick(combo, Qt::Key_Enter);
    EXPECT_EQ(navigated(pane), QStringList({"http://b/", "example.org"}));
    EXPECT_EQ(combo->count(), 3); // typed text is not added to the list
}

TEST_F(Combo, GoAllSkipsTypedAddressesAndExcludedBookmarks)
{
    combo->setEditText(QStringLiteral("http://typed/"));
    pane->Commands().GoBookmarked();
    EXPECT_TRUE(fake->calls.navigations.isEmpty());
    pane->GoClick(pane->GoButton);
    EXPECT_EQ(navigated(pane), QStringList({"http://typed/"}));

    pane->URLs()->Items(0)->SetRefresh(-1);
    combo->setCurrentIndex(2); // A
    pane->Commands().GoBookmarked();
    EXPECT_EQ(fake->calls.navigations.size(), 1);
    pane->GoClick(pane->GoButton);
    EXPECT_EQ(navigated(pane), QStringList({"http://typed/", "http://a/"}));

    combo->setCurrentIndex(0); // C
    pane->Commands().GoBookmarked();
    EXPECT_EQ(navigated(pane).last(), QStringLiteral("http://c/"));
}

TEST_F(Combo, UpWalksWithoutLoadingCtrlUpLoadsEachBookmarkReached)
{
    combo->setCurrentIndex(2);
    QTest::keyClick(combo, Qt::Key_Up);
    EXPECT_EQ(combo->currentText(), QStringLiteral("B"));
    EXPECT_TRUE(fake->calls.navigations.isEmpty());
    QTest::keyClick(combo, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(combo->currentText(), QStringLiteral("C"));
    EXPECT_EQ(navigated(pane), QStringList({"http://c/"}));
    QTest::keyClick(combo, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(navigated(pane), QStringList({"http://c/", "http://b/"}));
}

TEST_F(Combo, EscapeTakesTypingBackAndLoadsNothing)
{
    combo->setCurrentIndex(1);
    QTest::keyClicks(combo, QStringLiteral("xyz"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("Bxyz"));
    EXPECT_EQ(combo->SelectedIndex(), -1); // typing deselects the bookmark
    QTest::keyClick(combo, Qt::Key_Escape);
    EXPECT_EQ(combo->currentText(), QStringLiteral("B"));
    EXPECT_EQ(combo->SelectedIndex(), 1);
    EXPECT_TRUE(fake->calls.navigations.isEmpty());
}

TEST(ShownBookmark, IsTheBookmarkOfTheLoadedAddressWhateverTheBoxHolds)
{
    TURLs urls;
    ASSERT_TRUE(urls.Add()->SetNameAndAddress(QStringLiteral("A"), QStringLiteral("http://a/")));
    ASSERT_TRUE(urls.Add()->SetNameAndAddress(QStringLiteral("B"), QStringLiteral("http://b/")));
    urls.Add(); // no address yet
    const struct {
        const char *location;
        int shown;
    } cases[] = {
        {"", -1},           // nothing loaded, not even the bookmark without an address
        {"http://a/", 0},   //
        {"HTTP://B/", 1},   // addresses match ignoring case
        {"http://a/x", -1}, // a page reached from a bookmark is not that bookmark
        {"http://c/", -1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ShownBookmark(urls, QString::fromLatin1(c.location)), c.shown) << c.location;
}

TEST_F(Combo, EscapePutsTheShownBookmarkBackWhateverWasWalkedOrTyped)
{
    combo->setEditText(QStringLiteral("A"));
    pane->GoClick(pane->GoButton);
    settle();
    ASSERT_EQ(combo->currentText(), QStringLiteral("A"));
    const int shown = combo->ShownIndex();
    ASSERT_EQ(combo->SelectedIndex(), shown);
    fake->calls.navigations.clear();

    QTest::keyClick(combo, Qt::Key_Down); // walks the list, loads nothing
    QTest::keyClicks(combo, QStringLiteral("xyz"));
    combo->setEditText(QStringLiteral("http://pasted.test/")); // as a Favorites paste
    EXPECT_EQ(combo->SelectedIndex(), -1);
    EXPECT_EQ(combo->ShownIndex(), shown);

    QTest::keyClick(combo, Qt::Key_Escape);
    EXPECT_EQ(combo->currentText(), QStringLiteral("A"));
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(combo->SelectedIndex(), shown);
    EXPECT_EQ(combo->lineEdit()->selectedText(), QStringLiteral("A"));
    EXPECT_TRUE(fake->calls.navigations.isEmpty());
}

TEST_F(Combo, EscapeOnAPageThatIsNoBookmarkShowsItsAddress)
{
    type(QStringLiteral("http://elsewhere.test/"));
    QTest::keyClick(combo, Qt::Key_Return);
    settle();
    type(QStringLiteral("B"));
    QTest::keyClick(combo, Qt::Key_Escape);
    EXPECT_EQ(combo->currentText(), QStringLiteral("http://elsewhere.test/"));
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(combo->ShownIndex(), -1);
    EXPECT_EQ(navigated(pane), QStringList({"http://elsewhere.test/"}));
}

TEST_F(Combo, LeavingTheBoxWithATypedBookmarkNameLoadsNothing)
{
    type(QStringLiteral("a"));
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(combo, &out);
    EXPECT_TRUE(fake->calls.navigations.isEmpty());
}

TEST_F(Combo, ATitleForALocationThatIsNoBookmarkShowsTheLocation)
{
    combo->setCurrentIndex(0);
    fake->state.location = QStringLiteral("http://elsewhere/");
    fake->state.title = QStringLiteral("Elsewhere");
    fake->state.document = true;
    fake->script().emitTitle(QStringLiteral("Elsewhere"));
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(combo->currentText(), QStringLiteral("http://elsewhere/"));
    EXPECT_EQ(combo->Hint(), QStringLiteral("Elsewhere|http://elsewhere/"));
    EXPECT_EQ(combo->toolTip(), QStringLiteral("Elsewhere"));
    EXPECT_TRUE(combo->IsAddressLoaded());
    EXPECT_FALSE(combo->IsSelectionLoaded());
    EXPECT_TRUE(combo->CanAddToFavorites());
    EXPECT_EQ(lines(combo), QStringList({"C", "B", "A"}));
}

TEST_F(Combo, ScrollSettingsApplyOnlyWhenLineZeroIsSelectedAtLoadEnd)
{
    TURL *c = pane->URLs()->Items(2);
    c->SetScrollX(120);
    c->SetScrollY(40);
    fake->state.document = true;
    fake->state.scriptResult = [](const QString &) { return QVariant(true); };

    combo->setCurrentIndex(1);
    fake->script().emitProgress(-1, 100);
    EXPECT_TRUE(fake->calls.scripts.isEmpty());

    combo->setCurrentIndex(0);
    combo->DocumentLoaded();
    ASSERT_EQ(fake->calls.scripts.size(), 2);
    EXPECT_TRUE(fake->calls.scripts[0].contains(QStringLiteral("scrollTo(120")));
    EXPECT_TRUE(fake->calls.scripts[1].contains(QStringLiteral("scrollTo(window.scrollX, 40)")));

    fake->calls.scripts.clear();
    c->SetNoScroll(true);
    combo->DocumentLoaded();
    ASSERT_EQ(fake->calls.scripts.size(), 1);
    EXPECT_TRUE(fake->calls.scripts[0].contains(QStringLiteral("overflow = 'hidden'")));
}

TEST_F(Combo, APageWithoutBodyAbandonsTheScrollSettings)
{
    TURL *c = pane->URLs()->Items(2);
    c->SetScrollX(10);
    c->SetScrollY(20);
    fake->state.document = true;
    fake->state.scriptResult = [](const QString &) { return QVariant(false); };
    combo->setCurrentIndex(0);
    combo->DocumentLoaded();
    EXPECT_EQ(fake->calls.scripts.size(), 1);
}

TEST_F(Combo, RebuildingTheListKeepsTypedTextAndTheSelectionByName)
{
    type(QStringLiteral("half typed"));
    pane->URLs()->Add()->SetName(QStringLiteral("D"));
    EXPECT_EQ(lines(combo), QStringList({"D", "C", "B", "A"}));
    EXPECT_EQ(combo->currentText(), QStringLiteral("half typed"));

    combo->setCurrentIndex(2); // B
    pane->URLs()->Items(0)->SetIndex(3);
    EXPECT_EQ(lines(combo), QStringList({"A", "D", "C", "B"}));
    EXPECT_EQ(combo->currentText(), QStringLiteral("B"));
    EXPECT_EQ(combo->currentIndex(), 3);

    pane->URLs()->Items(0)->SetName(QStringLiteral("Bee")); // one line refreshed
    EXPECT_EQ(combo->itemText(3), QStringLiteral("Bee"));
}

TEST_F(Combo, AnOwnerThatIsNoPaneIsRefused)
{
    QWidget owner;
    EXPECT_EQ(TURLCombo::Create(&owner), nullptr);
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].text,
              QStringLiteral("Instance of TURLCombo needed an owner of TBrowser type"));
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Instanciating Failure - Invalid owner"));
    EXPECT_EQ(modal.asked[0].type, MsgType::Error);
    EXPECT_TRUE(owner.children().isEmpty());
}

TEST_F(Combo, AssignedBookmarksAreCopies)
{
    TURLs other;
    (void)other.Add()->SetNameAndAddress(QStringLiteral("X"), QStringLiteral("http://x/"));
    other.Items(0)->SetRefresh(-1);
    pane->SetURLs(other);
    EXPECT_EQ(lines(combo), QStringList({"X"}));
    EXPECT_EQ(pane->URLs()->Items(0)->Refresh(), -1);
    EXPECT_NE(pane->URLs()->Items(0), other.Items(0));
}

TEST_F(Combo, InTheOpenListCtrlUpAndDownLoadEachBookmarkAndTheBoxFollows)
{
    form()->show();
    combo->setCurrentIndex(2); // A
    combo->showPopup();
    QAbstractItemView *view = combo->view();
    ASSERT_TRUE(view->isVisible());
    QTest::keyClick(view, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(combo->currentText(), QStringLiteral("B"));
    EXPECT_EQ(navigated(pane), QStringList({"http://b/"}));
    QTest::keyClick(view, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(combo->currentText(), QStringLiteral("C"));
    EXPECT_EQ(combo->SelectedIndex(), 2);
    QTest::keyClick(view, Qt::Key_Up, Qt::ControlModifier); // at the top: nothing more
    QTest::keyClick(view, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(combo->currentText(), QStringLiteral("B"));
    EXPECT_EQ(navigated(pane), QStringList({"http://b/", "http://c/", "http://b/"}));
    EXPECT_EQ(view->currentIndex().row(), 1);
    // A plain walk in the list loads nothing.
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(fake->calls.navigations.size(), 3);
}

TEST_F(Combo, EscapeInTheOpenListTakesTypingBackAndLoadsNothing)
{
    form()->show();
    combo->setCurrentIndex(1);
    QTest::keyClicks(combo, QStringLiteral("xyz"));
    ASSERT_EQ(combo->currentText(), QStringLiteral("Bxyz"));
    combo->showPopup();
    ASSERT_TRUE(combo->view()->isVisible());
    QTest::keyClick(combo->view(), Qt::Key_Escape);
    EXPECT_EQ(combo->currentText(), QStringLiteral("B"));
    EXPECT_EQ(combo->SelectedIndex(), 1);
    EXPECT_FALSE(combo->view()->isVisible());
    EXPECT_TRUE(fake->calls.navigations.isEmpty());
}

TEST_F(Combo, NamesDoNotSizeTheBoxAndTheOpenListShowsEveryLine)
{
    form()->show();
    const QWidget &box = *combo;
    const QSize before = box.sizeHint();
    // Sized as the toolkit sizes a box for its least contents, with no list made for it.
    QComboBox plain;
    plain.setEditable(true);
    plain.setFont(combo->font());
    plain.setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    plain.setMinimumContentsLength(16);
    EXPECT_EQ(before, plain.sizeHint());
    EXPECT_EQ(box.minimumSizeHint(), plain.minimumSizeHint());
    EXPECT_EQ(combo->findChild<QAbstractItemView *>(), nullptr);
    const QString longName = QString(300, QLatin1Char('W'));
    addBookmarks(pane, {{longName, QStringLiteral("http://long/")}});
    for (int i = 0; i < 200; ++i)
        pane->URLs()->Add()->SetName(QStringLiteral("Site %1").arg(i));
    EXPECT_EQ(box.sizeHint(), before);
    // A font change (as reparenting brings) lays the list out again.
    combo->setFont(QFont(combo->font().family(), 20));

    combo->showPopup();
    QAbstractItemView *view = combo->view();
    ASSERT_TRUE(view->isVisible());
    EXPECT_EQ(view->model()->rowCount(), 204);
    const QRect first = view->visualRect(view->model()->index(0, 0));
    const QRect last = view->visualRect(view->model()->index(203, 0));
    EXPECT_GT(first.height(), 0);
    EXPECT_EQ(last.height(), first.height());
    EXPECT_EQ(last.top() - first.top(), 203 * first.height());
    combo->hidePopup();
}
