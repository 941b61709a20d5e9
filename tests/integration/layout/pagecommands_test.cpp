#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

#include "browser/browser.h"
#include "layout/align.h"
#include "layout/book.h"
#include "layout/designcommands.h"
#include "layout/pan.h"
#include "support/designfixture.h"

using namespace mira;

namespace {

class Pages : public test::DesignTest {
protected:
    // A book filling the root with the given page captions, the first active.
    TBook *bookWith(const QStringList &captions)
    {
        open();
        clickOn(root, QPoint(10, 10));
        insert("TBook");
        auto *book = qobject_cast<TBook *>(ControlsOf(root).value(0));
        book->Page(0)->SetCaption(captions.value(0));
        for (int i = 1; i < captions.size(); ++i) {
            auto *page = new TPage(form());
            page->SetCaption(captions[i]);
            book->AddPage(page);
        }
        book->SetActivePageIndex(0);
        clickOn(book, QPoint(5, 5));
        modal.asked.clear();
        return book;
    }
    static QStringList captions(TBook *book)
    {
        QStringList result;
        for (int i = 0; i < book->PageCount(); ++i)
            result << book->Page(i)->Caption();
        return result;
    }
};

} // namespace

TEST_F(Pages, RenameAsksWithTheCaptionAndAcceptsAnEmptyName)
{
    TBook *book = bookWith({"Alpha", "Beta"});
    book->SetActivePageIndex(1);
    modal.answerText(QStringLiteral("Gamma"));
    module()->Action("PageRenameAction")->trigger();
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Rename Page"));
    EXPECT_EQ(modal.asked[0].prompt, QStringLiteral("Enter new name for selected page:"));
    EXPECT_EQ(modal.asked[0].text, QStringLiteral("Beta"));
    EXPECT_EQ(modal.asked[0].maxLength, 25);
    EXPECT_EQ(modal.asked[0].owner, book);
    EXPECT_EQ(captions(book), (QStringList{"Alpha", "Gamma"}));
    EXPECT_EQ(book->tabText(1), QStringLiteral("Gamma"));
    modal.answerText(QString());
    module()->Action("PageRenameAction")->trigger();
    EXPECT_EQ(captions(book), (QStringList{"Alpha", ""}));
    modal.answerText(QStringLiteral("Never"), mrCancel);
    module()->Action("PageRenameAction")->trigger();
    EXPECT_EQ(captions(book), (QStringList{"Alpha", ""}));
}

TEST_F(Pages, MoveRefusesPositionsOutsideTheBook)
{
    TBook *book = bookWith({"A", "B", "C"});
    for (const char *typed : {"0", "x", "4", "-1"}) {
        modal.asked.clear();
        modal.answerText(QString::fromLatin1(typed)).answer(mrOK);
        module()->Action("PageMoveAction")->trigger();
        ASSERT_EQ(modal.asked.size(), 2) << typed;
        EXPECT_EQ(modal.asked[1].caption, QStringLiteral("Page Move Failure"));
        EXPECT_EQ(modal.asked[1].text,
                  QStringLiteral("Invalid page position.\n\nValid page positions are 1...3."));
        EXPECT_EQ(modal.asked[1].owner, book);
        EXPECT_EQ(captions(book), (QStringList{"A", "B", "C"})) << typed;
    }
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Moving Page \"A\""));
    EXPECT_EQ(modal.asked[0].prompt, QStringLiteral("Enter new position for selected page:"));
    EXPECT_EQ(modal.asked[0].text, QStringLiteral("1"));
    EXPECT_EQ(modal.asked[0].maxLength, 2);
}

TEST_F(Pages, MoveToAPositionAndToItsOwn)
{
    TBook *book = bookWith({"A", "B", "C"});
    modal.answerText(QStringLiteral("1"));
    module()->Action("PageMoveAction")->trigger();
    EXPECT_EQ(captions(book), (QStringList{"A", "B", "C"}));
    modal.answerText(QStringLiteral("3"));
    module()->Action("PageMoveAction")->trigger();
    EXPECT_EQ(captions(book), (QStringList{"B", "C", "A"}));
    EXPECT_EQ(book->Page(2)->PageIndex(), 2);
}

TEST_F(Pages, NewProposesTheNextNumberAndAppendsAtTheEnd)
{
    TBook *book = bookWith({"Page 1", "Page 2", "Page 3"});
    modal.answer(mrOK);
    module()->Action("PageNewAction")->trigger();
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("New Page"));
    EXPECT_EQ(modal.asked[0].prompt, QStringLiteral("Enter a name for new page:"));
    EXPECT_EQ(modal.asked[0].text, QStringLiteral("Page 4"));
    EXPECT_EQ(modal.asked[0].maxLength, 0);
    EXPECT_EQ(captions(book), (QStringList{"Page 1", "Page 2", "Page 3", "Page 4"}));
    EXPECT_EQ(book->ActivePageIndex(), 0);
    EXPECT_EQ(book->Page(3)->Owner(), form());
}

TEST_F(Pages, DeleteKeepsTheLastPageAndShowsTheFollowingOne)
{
    TBook *book = bookWith({"Only"});
    module()->Action("PageDeleteAction")->trigger();
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Information"));
    EXPECT_EQ(modal.asked[0].text, QStringLiteral("Book should contain at least one page.\nYou "
                                                  "should delete the whole book instead."));
    EXPECT_EQ(book->PageCount(), 1);

    auto *two = new TPage(form());
    two->SetCaption(QStringLiteral("Two"));
    book->AddPage(two);
    auto *three = new TPage(form());
    three->SetCaption(QStringLiteral("Three"));
    book->AddPage(three);
    book->SetActivePageIndex(1);
    modal.asked.clear();
    modal.answer(mrNo);
    module()->Action("PageDeleteAction")->trigger();
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Deleting Page \"Two\""));
    EXPECT_EQ(modal.asked[0].text,
              QStringLiteral("Active page of this book will be deleted.\nAre you sure?"));
    EXPECT_EQ(book->PageCount(), 3);
    modal.answer(mrYes);
    module()->Action("PageDeleteAction")->trigger();
    EXPECT_EQ(captions(book), (QStringList{"Only", "Three"}));
    EXPECT_EQ(book->ActivePageIndex(), 1);
    modal.answer(mrYes);
    module()->Action("PageDeleteAction")->trigger(); // the last page: the first is shown
    EXPECT_EQ(captions(book), (QStringList{"Only"}));
    EXPECT_EQ(book->ActivePageIndex(), 0);
}

TEST_F(Pages, ABookWithoutPagesTakesANewOneAndIgnoresTheRest)
{
    TBook *book = bookWith({"Only"});
    delete book->Page(0);
    for (QAction *a : {module()->Action("PageRenameAction"), module()->Action("PageMoveAction"),
                       module()->Action("PageDeleteAction")})
        a->trigger();
    EXPECT_TRUE(modal.asked.isEmpty());
    modal.answer(mrOK);
    module()->Action("PageNewAction")->trigger();
    EXPECT_EQ(captions(book), (QStringList{"Page 1"}));
}

TEST_F(Pages, TabsAndNavigationBarMoveAndThePopupChecksThem)
{
    TBook *book = bookWith({"A"});
    module()->Menus().DesignPopup()->aboutToShow();
    EXPECT_FALSE(module()->Action("BookTabsPosAction")->isChecked());
    module()->Action("BookTabsPosAction")->trigger();
    EXPECT_EQ(book->TabPosition(), TabSide::tpBottom);
    module()->Menus().DesignPopup()->aboutToShow();
    EXPECT_TRUE(module()->Action("BookTabsPosAction")->isChecked());
    EXPECT_TRUE(module()->Action("BookTabsPosAction")->isEnabled());
    EXPECT_FALSE(module()->Action("BrowserNaviBarPosAction")->isEnabled());
    module()->Action("BookTabsPosAction")->trigger();
    EXPECT_EQ(book->TabPosition(), TabSide::tpTop);

    clickOn(book->Page(0), QPoint(5, 5));
    insert("TBrowser");
    auto *pane = qobject_cast<TBrowser *>(ControlsOf(book->Page(0)).value(0));
    ASSERT_NE(pane, nullptr);
    module()->SetLastControl(pane->NaviBar);
    module()->Menus().DesignPopup()->aboutToShow();
    EXPECT_TRUE(module()->Action("BrowserNaviBarPosAction")->isEnabled());
    EXPECT_FALSE(module()->Action("BrowserNaviBarPosAction")->isChecked());
    EXPECT_FALSE(module()->Action("BookTabsPosAction")->isEnabled());
    EXPECT_FALSE(module()->Action("PageNewAction")->isEnabled());
    module()->Action("BrowserNaviBarPosAction")->trigger();
    EXPECT_TRUE(static_cast<DesignablePane *>(pane)->BottomBar());
    module()->Menus().DesignPopup()->aboutToShow();
    EXPECT_TRUE(module()->Action("BrowserNaviBarPosAction")->isChecked());
    EXPECT_FALSE(module()->Action("BrowserNewAction")->isVisible() == false);
    EXPECT_FALSE(module()->Action("BrowserCutAction")->isVisible());
}

TEST_F(Pages, CutCopyPasteUndoAndBlockNewAreNotThereYet)
{
    TBook *book = bookWith({"A"});
    for (QAction *a : {module()->Action("BlockNewAction"), module()->Action("BookCutAction"),
                       module()->Action("BookCopyAction"), module()->Action("BookPasteAction"),
                       module()->Action("PageCutAction"), module()->Action("PageCopyAction"),
                       module()->Action("PagePasteAction"), module()->Action("BrowserCutAction"),
                       module()->Action("BrowserCopyAction"),
                       module()->Action("BrowserPasteAction"), module()->Action("UndoAction")}) {
        modal.asked.clear();
        a->trigger();
        ASSERT_EQ(modal.asked.size(), 1) << a->objectName().toStdString();
        EXPECT_EQ(modal.asked[0].text, QStringLiteral("Sorry, not imlemented yet."));
    }
    EXPECT_EQ(ControlsOf(root), QList<QWidget *>{book});
    EXPECT_EQ(book->PageCount(), 1);
}
