#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

#include "bookmarks/urlcombo.h"
#include "browser/browser.h"
#include "support/panefixture.h"

using namespace mira;
using namespace mira::platform;

namespace {

class AddressPopup : public test::PaneTest {
protected:
    void SetUp() override
    {
        PaneTest::SetUp();
        pane = newPane();
        combo = pane->AddressCombo;
        fake = fakeOf(pane);
        addBookmarks(pane, {{"A", "http://a/"}, {"B", "http://b/"}});
        QGuiApplication::clipboard()->clear();
    }
    void TearDown() override
    {
        module()->Menus().URLPopup()->hide();
        PaneTest::TearDown();
    }
    // The popup opened on the box: its states are computed for it.
    void popup()
    {
        module()->SetLastControl(combo);
        Q_EMIT module()->Menus().URLPopup()->aboutToShow();
    }
    void showPage(const QString &address)
    {
        fake->state.document = true;
        fake->state.location = address;
        fake->state.title = address;
        fake->script().emitTitle(address);
    }
    // The captions of the enabled entries.
    QStringList enabled() const
    {
        QStringList result;
        for (QAction *a : module()->Menus().URLPopup()->actions())
            if (!a->isSeparator() && a->isEnabled() && a->menu() == nullptr)
                result << a->text();
        return result;
    }

    TBrowser *pane = nullptr;
    TURLCombo *combo = nullptr;
    FakeWebControl *fake = nullptr;
};

} // namespace

TEST_F(AddressPopup, ListsEveryEntryInOrder)
{
    QStringList entries;
    for (QAction *a : module()->Menus().URLPopup()->actions())
        entries << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(entries, QStringList({"Add Address To Bookmarks",
                                    "-",
                                    "Cut Bookmark",
                                    "Cut All Bookmarks",
                                    "Copy Bookmark",
                                    "Copy All Bookmarks",
                                    "Paste Bookmark(s)",
                                    "Delete Bookmark",
                                    "Delete All Bookmarks",
                                    "Edit Bookmark...",
                                    "-",
                                    "Add To Favorites...",
                                    "Organize Favorites...",
                                    "Paste From Favorites",
                                    "-",
                                    "Cut Address",
                                    "Copy Address",
                                    "Paste Address",
                                    "Delete Address",
                                    "Undo Address",
                                    "Edit Address...",
                                    "-",
                                    "No Scroll Bars",
                                    "Save Scroll Position"}));
    EXPECT_TRUE(module()->Action("NoScrollBarsAction")->isCheckable());
    EXPECT_EQ(module()->Action("SaveScrollPositionAction")->statusTip(),
              QStringLiteral("Remember adjusted scroll bars position of currently loaded and "
                             "bookmarked document for subsequent reloads"));
}

TEST_F(AddressPopup, EntriesFollowTheBoxEachTimeItOpens)
{
    combo->lineEdit()->setText(QStringLiteral("http://typed/"));
    popup();
    EXPECT_EQ(enabled(),
              QStringList({"Add Address To Bookmarks", "Cut All Bookmarks", "Copy All Bookmarks",
                           "Delete All Bookmarks", "Organize Favorites...", "Cut Address",
                           "Copy Address", "Delete Address", "Edit Address..."}));

    // The selected bookmark's page loaded, something to paste in both buffers, an edit to undo.
    showPage(QStringLiteral("http://b/"));
    module()->BookmarkBuffer().Copy(*pane->URLs()->Items(0));
    QGuiApplication::clipboard()->setText(QStringLiteral("http://clip/"));
    combo->lineEdit()->setText(QStringLiteral("Bx"));
    QTest::keyClick(combo, Qt::Key_Backspace);
    ASSERT_EQ(combo->SelectedIndex(), 1);
    popup();
    EXPECT_FALSE(module()->Action("AddBookmarkAction")->isEnabled());
    EXPECT_TRUE(module()->Action("EditBookmarksAction")->isEnabled());
    EXPECT_TRUE(module()->Action("PasteBookmarkAction")->isEnabled());
    EXPECT_TRUE(module()->Action("PasteAddressAction")->isEnabled());
    EXPECT_TRUE(module()->Action("UndoAddressAction")->isEnabled());
    EXPECT_TRUE(module()->Action("AddToFavoritesAction")->isEnabled());
    EXPECT_TRUE(module()->Action("NoScrollBarsAction")->isEnabled());
    EXPECT_FALSE(module()->Action("NoScrollBarsAction")->isChecked());
    EXPECT_TRUE(module()->Action("SaveScrollPositionAction")->isEnabled());

    // No Scroll Bars from the menu: checked at the next popup, and no position to save.
    module()->Action("NoScrollBarsAction")->trigger();
    EXPECT_TRUE(pane->URLs()->Items(1)->NoScroll());
    EXPECT_EQ(fake->calls.refreshCalls, 1);
    popup();
    EXPECT_TRUE(module()->Action("NoScrollBarsAction")->isChecked());
    EXPECT_FALSE(module()->Action("SaveScrollPositionAction")->isEnabled());
    module()->Action("NoScrollBarsAction")->trigger();
    EXPECT_FALSE(pane->URLs()->Items(1)->NoScroll());

    // Another page loaded: the selection is no longer the loaded one.
    showPage(QStringLiteral("http://elsewhere/"));
    popup();
    EXPECT_FALSE(module()->Action("NoScrollBarsAction")->isEnabled());
    EXPECT_FALSE(module()->Action("NoScrollBarsAction")->isChecked());
    EXPECT_TRUE(module()->Action("AddBookmarkAction")->isEnabled());
}

TEST_F(AddressPopup, TheMenuKeyAndShiftF10OpenItOnTheBoxWithTheFocus)
{
    form()->show();
    form()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form()));
    combo->setFocus();
    module()->SetLastControl(nullptr);
    combo->setCurrentIndex(0);
    QTest::keyClick(combo, Qt::Key_Menu);
    QMenu *menu = module()->Menus().URLPopup();
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(module()->LastControl(), combo);
    EXPECT_TRUE(module()->Action("DeleteBookmarkAction")->isEnabled());
    // Under the box.
    EXPECT_EQ(menu->pos().y(), combo->mapToGlobal(QPoint(0, combo->height())).y());
    menu->hide();

    module()->SetLastControl(nullptr);
    QTest::keyClick(combo, Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(module()->LastControl(), combo);
    // The entries are reached by keys: Down to the first entry, Enter runs it.
    modal.answer(mrNo);
    menu->setActiveAction(module()->Action("DeleteBookmarkAction"));
    QTest::keyClick(menu, Qt::Key_Return);
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_TRUE(modal.asked[0].text.startsWith(QStringLiteral("Deleting bookmark")));
}

TEST_F(AddressPopup, AddressCommandsEditTheTextThroughTheClipboardWithoutLoading)
{
    module()->SetLastControl(combo);
    combo->setCurrentIndex(0);
    module()->Action("CopyAddressAction")->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("B"));
    EXPECT_FALSE(combo->lineEdit()->hasSelectedText());

    QGuiApplication::clipboard()->setText(
        QStringLiteral("javascript:navigateClose(\"news/today.html\")"));
    module()->Action("PasteAddressAction")->trigger();
    EXPECT_EQ(combo->currentText(), QStringLiteral("news/today.html"));
    EXPECT_EQ(combo->lineEdit()->cursorPosition(), combo->currentText().size());
    const QString further = QStringLiteral("x javascript:navigateClose(\"a\")");
    QGuiApplication::clipboard()->setText(further);
    module()->Action("PasteAddressAction")->trigger();
    EXPECT_EQ(combo->currentText(), further);
    module()->Action("UndoAddressAction")->trigger();
    EXPECT_EQ(combo->currentText(), QStringLiteral("news/today.html"));

    module()->Action("CutAddressAction")->trigger();
    EXPECT_EQ(combo->currentText(), QString());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("news/today.html"));
    module()->Action("UndoAddressAction")->trigger();
    module()->Action("DeleteAddressAction")->trigger();
    EXPECT_EQ(combo->currentText(), QString());

    modal.answerText(QStringLiteral("http://edited.test/"));
    module()->Action("EditAddressAction")->trigger();
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Address Editing"));
    EXPECT_EQ(modal.asked[0].prompt, QString());
    EXPECT_EQ(modal.asked[0].maxLength, 0);
    EXPECT_EQ(modal.asked[0].geometry.size(), QSize(594, 110));
    EXPECT_EQ(combo->currentText(), QStringLiteral("http://edited.test/"));
    EXPECT_TRUE(fake->calls.navigations.isEmpty());

    // A pick from the list still loads afterwards: no edit left a skip behind.
    form()->show();
    combo->showPopup();
    QAbstractItemView *view = combo->view();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(1, 0)).center());
    EXPECT_EQ(navigated(pane), QStringList({"http://a/"}));
}
