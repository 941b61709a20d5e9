#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

#include "bookmarks/bookmarkcommands.h"
#include "bookmarks/bookmarkedform.h"
#include "bookmarks/urlcombo.h"
#include "browser/browser.h"
#include "support/panefixture.h"

using namespace mira;

namespace {

class BookmarkEditor : public test::PaneTest {
protected:
    void SetUp() override
    {
        PaneTest::SetUp();
        pane = newPane();
        combo = pane->AddressCombo;
        addBookmarks(pane, {{"Alpha", "http://alpha.test/"}, {"Beta", "http://beta.test/"}});
        beta = pane->URLs()->Items(1);
        combo->setCurrentIndex(0); // Beta
    }
    // Opens the editor on the selected bookmark; act plays the user and gives the
    // dialog's result.
    void edit(const std::function<int(TBookmarkEdForm &)> &act)
    {
        modal.answerWith([act](ModalRecord &record) {
            return act(*static_cast<TBookmarkEdForm *>(record.dialog));
        });
        EditBookmark(*combo);
    }
    // Types into a field as the user would (after placing the caret at the end).
    static void typeInto(QLineEdit *field, const QString &keys)
    {
        field->end(false);
        QTest::keyClicks(field, keys);
    }

    TBrowser *pane = nullptr;
    TURLCombo *combo = nullptr;
    TURL *beta = nullptr;
};

} // namespace

TEST_F(BookmarkEditor, ShowsTheBookmarkAndStoresWhatOKConfirms)
{
    beta->SetRefresh(-1);
    beta->SetScrollX(12);
    beta->SetScrollY(345);
    edit([](TBookmarkEdForm &form) {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Bookmark Editor"));
        EXPECT_EQ(form.edName->text(), QStringLiteral("Beta"));
        EXPECT_EQ(form.edAddress->text(), QStringLiteral("http://beta.test/"));
        EXPECT_EQ(form.edScrollX->text(), QStringLiteral("12"));
        EXPECT_EQ(form.edScrollY->text(), QStringLiteral("345"));
        EXPECT_FALSE(form.cbRefresh->isChecked());
        EXPECT_FALSE(form.cbNoScroll->isChecked());
        EXPECT_FALSE(form.paScrollPos->isHidden());
        form.edName->setText(QStringLiteral("Beta two"));
        form.edAddress->setText(QStringLiteral("http://beta.test/two"));
        form.cbRefresh->setChecked(true);
        form.edScrollY->setText(QStringLiteral("40"));
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(beta->Name(), QStringLiteral("Beta two"));
    EXPECT_EQ(beta->Address(), QStringLiteral("http://beta.test/two"));
    EXPECT_EQ(beta->Refresh(), 0);
    EXPECT_EQ(beta->ScrollX(), 12);
    EXPECT_EQ(beta->ScrollY(), 40);
    EXPECT_EQ(combo->currentText(), QStringLiteral("Beta two"));
    EXPECT_EQ(combo->SelectedIndex(), 1);

    edit([](TBookmarkEdForm &form) {
        form.edName->setText(QStringLiteral("Changed"));
        return int(QDialog::Rejected);
    });
    EXPECT_EQ(beta->Name(), QStringLiteral("Beta two"));
}

TEST_F(BookmarkEditor, HiddenBarsShowAsAPanelOfZerosWhenUnchecked)
{
    beta->SetNoScroll(true);
    edit([](TBookmarkEdForm &form) {
        EXPECT_TRUE(form.cbNoScroll->isChecked());
        EXPECT_TRUE(form.paScrollPos->isHidden());
        EXPECT_EQ(form.edScrollX->text(), QStringLiteral("-1")); // as written, not taken back
        form.cbNoScroll->click();
        EXPECT_FALSE(form.paScrollPos->isHidden());
        EXPECT_EQ(form.edScrollX->text(), QStringLiteral("0"));
        EXPECT_EQ(form.edScrollY->text(), QStringLiteral("0"));
        return int(QDialog::Accepted);
    });
    EXPECT_FALSE(beta->NoScroll());
    EXPECT_EQ(beta->ScrollX(), 0);
    EXPECT_EQ(beta->ScrollY(), 0);

    beta->SetScrollX(120);
    beta->SetScrollY(40);
    edit([](TBookmarkEdForm &form) {
        form.cbNoScroll->click();
        EXPECT_TRUE(form.paScrollPos->isHidden());
        form.cbNoScroll->click(); // shown again: a real position stays
        EXPECT_EQ(form.edScrollX->text(), QStringLiteral("120"));
        form.cbNoScroll->click();
        return int(QDialog::Accepted);
    });
    EXPECT_TRUE(beta->NoScroll());
}

TEST_F(BookmarkEditor, ScrollFieldsTakeOnlyWholeNumbersUpToFourDigits)
{
    edit([](TBookmarkEdForm &form) {
        QLineEdit *x = form.edScrollX;
        x->setFocus();
        for (const char *key : {"-", "a", " "}) {
            typeInto(x, QString::fromLatin1(key));
            EXPECT_EQ(x->text(), QStringLiteral("0")) << key;
        }
        QTest::keyClick(x, Qt::Key_Backspace); // emptied: taken back
        EXPECT_EQ(x->text(), QStringLiteral("0"));
        typeInto(x, QStringLiteral("12345"));
        EXPECT_EQ(x->text(), QStringLiteral("0123"));
        x->selectAll();
        QTest::keyClicks(x, QStringLiteral("9"));
        EXPECT_EQ(x->text(), QStringLiteral("9"));
        x->selectAll();
        QTest::keyClicks(x, QStringLiteral("-"));
        EXPECT_EQ(x->text(), QStringLiteral("9"));

        form.edScrollY->setText(QStringLiteral("77"));
        form.btnDefaultPos->click();
        EXPECT_EQ(x->text(), QStringLiteral("0"));
        EXPECT_EQ(form.edScrollY->text(), QStringLiteral("0"));
        return int(QDialog::Rejected);
    });
}

TEST_F(BookmarkEditor, ANameOrAddressOfAnotherBookmarkCancelsTheWholeEdit)
{
    beta->SetScrollX(5);
    beta->SetScrollY(6);
    edit([](TBookmarkEdForm &form) {
        form.edName->setText(QStringLiteral("ALPHA"));
        form.cbRefresh->setChecked(false);
        form.edScrollX->setText(QStringLiteral("100"));
        return int(QDialog::Accepted);
    });
    ASSERT_EQ(modal.asked.size(), 2);
    EXPECT_EQ(modal.asked[1].caption, QStringLiteral("Editing Cancelled"));
    EXPECT_EQ(modal.asked[1].text, QStringLiteral("URL having name \"ALPHA\" already exists with "
                                                  "preset address \"http://alpha.test/\"."));
    EXPECT_EQ(modal.asked[1].type, MsgType::Information);
    EXPECT_EQ(modal.asked[1].owner, combo);
    EXPECT_EQ(beta->Name(), QStringLiteral("Beta"));
    EXPECT_EQ(beta->Refresh(), 0);
    EXPECT_EQ(beta->ScrollX(), 5);
    EXPECT_EQ(beta->ScrollY(), 6);

    // Without a selected bookmark there is nothing to edit.
    combo->setEditText(QStringLiteral("typed"));
    EditBookmark(*combo);
    EXPECT_EQ(modal.asked.size(), 2);
}

TEST_F(BookmarkEditor, EnterWalksTheTabOrderAndEscapeCancels)
{
    TBookmarkEdForm form(combo);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QList<QWidget *> order;
    for (QWidget *w = form.edName; order.size() < 9; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && !qobject_cast<QSpinBox *>(w->parentWidget()))
            order << w;
    EXPECT_EQ(order, QList<QWidget *>({form.edName, form.edAddress, form.cbRefresh, form.edPeriod,
                                       form.cbNoScroll, form.edScrollX, form.edScrollY, form.btnOK,
                                       form.btnCancel}));
    EXPECT_FALSE(form.btnDefaultPos->focusPolicy() & Qt::TabFocus);
    EXPECT_FALSE(form.btnOK->isDefault());

    form.edName->setFocus();
    QTest::keyClick(form.edName, Qt::Key_Return);
    EXPECT_TRUE(form.edAddress->hasFocus());
    QTest::keyClick(form.edAddress, Qt::Key_Enter);
    EXPECT_TRUE(form.cbRefresh->hasFocus());
    EXPECT_TRUE(form.isVisible());
    QTest::keyClick(form.cbRefresh, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

TEST_F(BookmarkEditor, ThePeriodFieldKeepsATimedReloadAndFollowsGlobalRefresh)
{
    beta->SetRefresh(30);
    edit([](TBookmarkEdForm &form) {
        EXPECT_TRUE(form.cbRefresh->isChecked());
        EXPECT_EQ(form.edPeriod->value(), 30);
        EXPECT_TRUE(form.edPeriod->isEnabled());
        form.edPeriod->setValue(45);
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(beta->Refresh(), 45);
    edit([](TBookmarkEdForm &form) {
        form.cbRefresh->setChecked(false);
        EXPECT_FALSE(form.edPeriod->isEnabled());
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(beta->Refresh(), -1);
    edit([](TBookmarkEdForm &form) {
        EXPECT_EQ(form.edPeriod->value(), 0);
        EXPECT_FALSE(form.edPeriod->isEnabled());
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(beta->Refresh(), -1);
}

TEST(PlaceBookmarkEditor, UnderTheBoxInsideTheWorkAreaOrAboveIt)
{
    const QRect work(0, 0, 1024, 740);
    const QSize form(586, 120);
    // Under the box, from its left edge.
    EXPECT_EQ(PlaceBookmarkEditor(form, QRect(100, 200, 145, 25), work), QPoint(100, 225));
    // Moved left to end at the work area's width.
    EXPECT_EQ(PlaceBookmarkEditor(form, QRect(800, 200, 145, 25), work), QPoint(438, 225));
    // No room below: above the box.
    EXPECT_EQ(PlaceBookmarkEditor(form, QRect(100, 650, 145, 25), work), QPoint(100, 530));
    // Never at negative coordinates.
    EXPECT_EQ(PlaceBookmarkEditor(QSize(1100, 800), QRect(10, 10, 145, 25), work), QPoint(0, 0));
}
