#include <QCoreApplication>
#include <QTabBar>
#include <gtest/gtest.h>

#include "browser/browser.h"
#include "layout/align.h"
#include "layout/book.h"
#include "layout/designcommands.h"
#include "layout/pan.h"
#include "layout/split.h"
#include "support/designfixture.h"

using namespace mira;

namespace {

class Insert : public test::DesignTest {};
class Delete : public test::DesignTest {};

} // namespace

TEST_F(Insert, EmptyRootIsFilledWhereverTheClick)
{
    open();
    const PopupState s = clickOn(root, QPoint(3, 400));
    EXPECT_TRUE(s.book.newItem);
    EXPECT_TRUE(s.browser.newItem);
    EXPECT_FALSE(s.book.del);
    EXPECT_FALSE(s.browser.del);
    insert("TBrowser");
    ASSERT_EQ(ControlsOf(root).size(), 1);
    auto *pane = qobject_cast<TBrowser *>(ControlsOf(root).first());
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(AlignOf(pane), TAlign::alClient);
    EXPECT_EQ(pane->geometry(), root->rect());
    EXPECT_EQ(module()->Panes().List(), QList<TBrowser *>{pane});
    EXPECT_TRUE(pane->isVisible());
    EXPECT_TRUE(form()->updatesEnabled());
}

TEST_F(Insert, TheThreeTrianglesBesideALonePane)
{
    open();
    TBrowser *old = fillRoot();
    const QSize size = old->size();

    // Left: the new pane keeps its 149, a splitter, the old pane in the rest.
    clickPane(old, QPoint(5, size.height() / 2));
    insert("TBrowser");
    QList<QWidget *> c = ControlsOf(root);
    ASSERT_EQ(c.size(), 3);
    auto *s = qobject_cast<TSplit *>(c[0]);
    ASSERT_NE(s, nullptr);
    QWidget *added = c[2] == old ? c[1] : c[2];
    EXPECT_EQ(added->geometry(), QRect(0, 0, 149, size.height()));
    EXPECT_EQ(s->geometry(), QRect(149, 0, 3, size.height()));
    EXPECT_EQ(old->geometry(), QRect(152, 0, size.width() - 152, size.height()));
    EXPECT_EQ(AlignOf(old), TAlign::alClient);
    EXPECT_EQ(AlignOf(added), TAlign::alLeft);
    EXPECT_EQ(module()->Panes().List().size(), 2);
}

TEST_F(Insert, RightTriangleTakesTheNewWidthFromTheOldPane)
{
    open();
    TBrowser *old = fillRoot();
    const QSize size = old->size();
    // The centre gives Right.
    clickPane(old, QPoint(size.width() / 2, size.height() / 2));
    insert("TBrowser");
    const QList<QWidget *> c = ControlsOf(root);
    ASSERT_EQ(c.size(), 3);
    EXPECT_EQ(AlignOf(old), TAlign::alLeft);
    EXPECT_EQ(old->geometry(), QRect(0, 0, size.width() - 149, size.height()));
    EXPECT_EQ(c[0]->geometry(), QRect(size.width() - 149, 0, 3, size.height()));
    QWidget *added = c[2] == old ? c[1] : c[2];
    EXPECT_EQ(AlignOf(added), TAlign::alClient);
    EXPECT_EQ(added->x(), size.width() - 146);
}

TEST_F(Insert, TopTriangleStacksA52HighPaneAboveASplitter)
{
    open();
    TBrowser *old = fillRoot();
    const QSize size = old->size();
    clickPane(old, QPoint(size.width() / 2, 4));
    insert("TBrowser");
    const QList<QWidget *> c = ControlsOf(root);
    ASSERT_EQ(c.size(), 3);
    auto *s = qobject_cast<TSplit *>(c[0]);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->Align(), TAlign::alTop);
    EXPECT_EQ(s->MinSize(), 26);
    EXPECT_EQ(s->geometry(), QRect(0, 52, size.width(), 3));
    QWidget *added = c[2] == old ? c[1] : c[2];
    EXPECT_EQ(added->geometry(), QRect(0, 0, size.width(), 52));
    EXPECT_EQ(old->geometry(), QRect(0, 55, size.width(), size.height() - 55));
    // The root's minimum size is not touched by a splitter made for it.
    EXPECT_EQ(root->minimumSize(), QSize(149, 26));
}

TEST_F(Insert, BottomTriangleGivesUpTheNewHeight)
{
    open();
    TBrowser *old = fillRoot();
    const QSize size = old->size();
    clickPane(old, QPoint(size.width() / 2, size.height() - 4));
    insert("TBook");
    const QList<QWidget *> c = ControlsOf(root);
    ASSERT_EQ(c.size(), 3);
    EXPECT_EQ(AlignOf(old), TAlign::alTop);
    EXPECT_EQ(old->geometry(), QRect(0, 0, size.width(), size.height() - 80));
    auto *book = qobject_cast<TBook *>(c[2] == old ? c[1] : c[2]);
    ASSERT_NE(book, nullptr);
    EXPECT_EQ(book->y(), size.height() - 77);
    EXPECT_EQ(book->PageCount(), 1);
    EXPECT_EQ(book->Page(0)->Caption(), QStringLiteral("Page 1"));
}

TEST_F(Insert, BesideOneOfAPairWrapsItInANewContainer)
{
    open();
    TBrowser *a = fillRoot();
    clickPane(a, QPoint(a->width() - 5, a->height() / 2));
    insert("TBrowser");
    const QRect place = a->geometry();
    clickPane(a, QPoint(a->width() / 2, a->height() - 3)); // bottom of A
    insert("TBrowser");
    const QList<QWidget *> c = ControlsOf(root);
    ASSERT_EQ(c.size(), 3);
    auto *p = qobject_cast<TPan *>(a->parentWidget());
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->parentWidget(), root);
    EXPECT_EQ(p->geometry(), place);
    EXPECT_EQ(AlignOf(p), TAlign::alLeft);
    const QList<QWidget *> inner = ControlsOf(p);
    ASSERT_EQ(inner.size(), 3);
    EXPECT_NE(qobject_cast<TSplit *>(inner[0]), nullptr);
    EXPECT_EQ(inner[0]->geometry(), QRect(0, place.height() - 52, place.width(), 3));
    EXPECT_EQ(AlignOf(a), TAlign::alTop);
    EXPECT_EQ(a->geometry(), QRect(0, 0, place.width(), place.height() - 52));
    EXPECT_EQ(module()->Panes().List().size(), 3);
}

TEST_F(Insert, SizeLimitsOfAPaneTarget)
{
    open();
    TBrowser *old = fillRoot();
    struct Case {
        QSize size;
        bool fits;
    } cases[] = {{{298, 200}, false}, {{299, 79}, true}, {{299, 78}, false}};
    for (const Case &c : cases) {
        modal.asked.clear();
        // Back to one pane filling the root before each try.
        while (ControlsOf(root).size() > 1) {
            QWidget *extra = module()->Panes().List().last();
            clickPane(static_cast<TBrowser *>(extra), QPoint(2, 2));
            modal.answer(mrYes);
            remove("TBrowser");
        }
        old->resize(c.size);
        clickPane(old, QPoint(2, old->height() / 2));
        modal.asked.clear();
        insert("TBrowser");
        EXPECT_EQ(module()->Panes().List().size(), c.fits ? 2 : 1)
            << c.size.width() << "x" << c.size.height();
        EXPECT_EQ(modal.asked.size(), c.fits ? 0 : 1);
        if (!c.fits && !modal.asked.isEmpty()) {
            EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Size Checker"));
            EXPECT_EQ(modal.asked[0].text,
                      QStringLiteral("Not enough space to insert the control.\nTry to enlarge the "
                                     "control under the popup menu."));
            EXPECT_EQ(modal.asked[0].owner, form());
            EXPECT_EQ(ControlsOf(root).size(), 1);
        }
        EXPECT_TRUE(form()->updatesEnabled());
    }
}

TEST_F(Insert, EmptyPageIsMeasuredAgainstItsBook)
{
    open();
    clickOn(root, QPoint(10, 10));
    insert("TBook");
    auto *book = qobject_cast<TBook *>(ControlsOf(root).first());
    ASSERT_NE(book, nullptr);
    TPage *page = book->Page(0);
    book->resize(306, 300);
    const PopupState s = clickOn(page, QPoint(10, 10));
    EXPECT_TRUE(s.browser.newItem);
    insert("TBrowser");
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Size Checker"));
    book->resize(307, 107);
    clickOn(page, QPoint(10, 10));
    insert("TBrowser");
    ASSERT_EQ(ControlsOf(page).size(), 1);
    EXPECT_EQ(AlignOf(ControlsOf(page).first()), TAlign::alClient);
}

TEST_F(Insert, RefusalsOnGapsAndUnsupportedShapes)
{
    open();
    TBrowser *a = fillRoot();
    clickPane(a, QPoint(a->width() - 2, a->height() / 2));
    insert("TBrowser");
    // The root's own surface (its splitter) is no place for a new control.
    const PopupState s = clickOn(root, QPoint(0, 0));
    EXPECT_FALSE(s.browser.newItem);
    modal.asked.clear();
    insert("TBrowser");
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Boundary Spot"));
    EXPECT_EQ(modal.asked[0].text,
              QStringLiteral(
                  "Invalid zone under the mouse.\nPlease, choose the location more precisely."));
    EXPECT_EQ(module()->Panes().List().size(), 2);

    // Two controls without a splitter: a hand-made shape.
    delete ControlsOf(root).first();
    clickPane(a, QPoint(2, 2));
    modal.asked.clear();
    insert("TBook");
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Configuration Checker"));
    EXPECT_EQ(modal.asked[0].text,
              QStringLiteral("Configuration not supported.\nTry to delete excessive controls."));
    EXPECT_EQ(modal.asked[0].owner, form());
    EXPECT_EQ(ControlsOf(root).size(), 2);
}

TEST_F(Delete, OneOfAPairInTheRootLeavesTheOtherAlone)
{
    open();
    TBrowser *a = fillRoot();
    clickPane(a, QPoint(a->width() - 2, a->height() / 2));
    insert("TBrowser");
    QPointer<TBrowser> b = module()->Panes().List().last();
    clickPane(a, QPoint(2, 2));
    modal.answer(mrYes);
    remove("TBrowser");
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Confirm Deleting"));
    EXPECT_EQ(modal.asked[0].text, QStringLiteral("This Browser will be deleted.\nAre you sure?"));
    EXPECT_EQ(modal.asked[0].owner, a);
    ASSERT_EQ(ControlsOf(root), QList<QWidget *>{b.data()});
    EXPECT_EQ(AlignOf(b), TAlign::alClient);
    EXPECT_EQ(b->geometry(), root->rect());
    EXPECT_EQ(module()->Panes().List(), QList<TBrowser *>{b.data()});
    EXPECT_TRUE(form()->updatesEnabled());
}

TEST_F(Delete, OneOfAPairInANestedContainerRemovesTheContainer)
{
    open();
    TBrowser *a = fillRoot();
    clickPane(a, QPoint(a->width() - 2, a->height() / 2));
    insert("TBrowser");
    clickPane(a, QPoint(a->width() / 2, a->height() - 3));
    insert("TBrowser");
    auto *n = static_cast<TBrowser *>(module()->Panes().List().last());
    QPointer<QWidget> p = a->parentWidget();
    ASSERT_NE(p.data(), root);
    const QRect place = p->geometry();
    clickPane(n, QPoint(2, 2));
    modal.answer(mrYes);
    remove("TBrowser");
    EXPECT_TRUE(p.isNull());
    EXPECT_EQ(a->parentWidget(), root);
    EXPECT_EQ(AlignOf(a), TAlign::alLeft);
    EXPECT_EQ(a->geometry(), place);
    EXPECT_EQ(ControlsOf(root).size(), 3);
    EXPECT_EQ(module()->Panes().List().size(), 2);
    EXPECT_TRUE(form()->updatesEnabled());
}

TEST_F(Delete, TheOnlyPaneLeavesTheRootEmpty)
{
    open();
    TBrowser *a = fillRoot();
    clickPane(a, QPoint(2, 2));
    modal.answer(mrNo);
    remove("TBrowser");
    EXPECT_EQ(ControlsOf(root).size(), 1); // No changes nothing
    modal.answer(mrYes);
    remove("TBrowser");
    EXPECT_TRUE(ControlsOf(root).isEmpty());
    EXPECT_EQ(form()->RootContainer(), root);
    EXPECT_TRUE(module()->Panes().List().isEmpty());
}

TEST_F(Delete, TheOnlyControlOfAPageTakesThePageOutOfItsBook)
{
    open();
    clickOn(root, QPoint(10, 10));
    insert("TBook");
    auto *book = qobject_cast<TBook *>(ControlsOf(root).first());
    ASSERT_NE(book, nullptr);
    for (int round = 0; round < 2; ++round) {
        if (round == 0) {
            auto *second = new TPage(form());
            second->SetCaption(QStringLiteral("Page 2"));
            book->AddPage(second);
        }
        TPage *page = book->Page(0);
        book->SetActivePageIndex(0);
        clickOn(page, QPoint(10, 10));
        insert("TBrowser");
        auto *pane = qobject_cast<TBrowser *>(ControlsOf(page).value(0));
        ASSERT_NE(pane, nullptr);
        QPointer<TPage> gone = page;
        clickPane(pane, QPoint(2, 2));
        modal.answer(mrYes);
        remove("TBrowser");
        EXPECT_TRUE(gone.isNull());
        EXPECT_EQ(book->PageCount(), round == 0 ? 1 : 0);
    }
    // The book stays, with no page left.
    EXPECT_EQ(ControlsOf(root), QList<QWidget *>{book});
}

TEST_F(Delete, ABookFromItsTabRowAndRefusals)
{
    open();
    TBrowser *a = fillRoot();
    clickPane(a, QPoint(a->width() - 2, a->height() / 2));
    insert("TBook");
    auto *book = qobject_cast<TBook *>(ControlsOf(root).value(2));
    ASSERT_NE(book, nullptr);
    const PopupState s = clickOn(book, QPoint(5, 5));
    EXPECT_TRUE(s.book.del);
    EXPECT_TRUE(s.book.toggle);
    EXPECT_TRUE(s.pageItems);
    EXPECT_FALSE(s.book.newItem);
    EXPECT_FALSE(s.browser.newItem);

    modal.asked.clear();
    remove("TBrowser");
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Wrong Type Selected"));
    EXPECT_EQ(modal.asked[0].text, QStringLiteral("-----------"));

    // A splitter under the mouse: refused while updates are held, released after.
    clickOn(book, QPoint(5, 5));
    module()->SetLastControl(root);
    bool heldWhileAsked = false;
    modal.answer(mrYes).answerWith([&](ModalRecord &) {
        heldWhileAsked = !form()->updatesEnabled();
        return int(mrOK);
    });
    modal.asked.clear();
    remove("TBook");
    ASSERT_EQ(modal.asked.size(), 2);
    EXPECT_EQ(modal.asked[0].text, QStringLiteral("This Book will be deleted.\nAre you sure?"));
    EXPECT_EQ(modal.asked[1].caption, QStringLiteral("Boundary Spot"));
    EXPECT_EQ(modal.asked[1].text,
              QStringLiteral(
                  "Splitter under the mouse.\nPlease, choose the location more precisely."));
    EXPECT_TRUE(heldWhileAsked);
    EXPECT_TRUE(form()->updatesEnabled());
    EXPECT_EQ(ControlsOf(root).size(), 3);

    modal.answer(mrYes);
    module()->SetLastControl(book);
    remove("TBook");
    EXPECT_EQ(ControlsOf(root), QList<QWidget *>{a});
}

TEST_F(Delete, AnUnsupportedGroupGoesWhole)
{
    open();
    TBrowser *a = fillRoot();
    clickPane(a, QPoint(a->width() - 2, a->height() / 2));
    insert("TBrowser");
    delete ControlsOf(root).first(); // the splitter: two panes, a hand-made shape
    clickPane(a, QPoint(2, 2));
    modal.answer(mrYes);
    remove("TBrowser");
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].text,
              QStringLiteral("Unsupported configuration group will be deleted.\nProceed?"));
    EXPECT_EQ(modal.asked[0].owner, form());
    EXPECT_TRUE(ControlsOf(root).isEmpty());
    EXPECT_TRUE(module()->Panes().List().isEmpty());
}
