#include <QCoreApplication>
#include <QEnterEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include "layout/align.h"
#include "layout/book.h"
#include "layout/pan.h"
#include "layout/text.h"

using namespace mira;

TEST(Book, NewBookHasOnePageCalledPage1)
{
    QWidget owner;
    TBook book(&owner);
    ASSERT_EQ(book.PageCount(), 1);
    EXPECT_EQ(book.Page(0)->Caption(), QStringLiteral("Page 1"));
    EXPECT_EQ(book.tabText(0), QStringLiteral("Page 1"));
    EXPECT_EQ(book.size(), QSize(157, 80));
    EXPECT_EQ(book.minimumSize(), QSize(157, 54));
}

TEST(Book, AfterLoadingDropsTheConstructorsPageAndShowsThePendingIndex)
{
    QWidget owner;
    TBook book(&owner);
    for (const char *c : {"One", "Two", "Three"}) {
        auto *p = new TPage(&owner);
        book.AddPage(p);
        p->SetCaption(QString::fromLatin1(c));
    }
    book.SetPendingActiveIndex(2);
    book.Loaded();
    ASSERT_EQ(book.PageCount(), 3);
    EXPECT_EQ(book.Page(0)->Caption(), QStringLiteral("One"));
    EXPECT_EQ(book.ActivePageIndex(), 2);
}

TEST(Book, BookWithoutStoredPagesKeepsPage1AndOutOfRangeIndexShowsFirst)
{
    QWidget owner;
    TBook empty(&owner);
    empty.SetPendingActiveIndex(3);
    empty.Loaded();
    ASSERT_EQ(empty.PageCount(), 1);
    EXPECT_EQ(empty.Page(0)->Caption(), QStringLiteral("Page 1"));

    TBook book(&owner);
    book.AddPage(new TPage(&owner));
    book.AddPage(new TPage(&owner));
    book.SetPendingActiveIndex(7);
    book.Loaded();
    EXPECT_EQ(book.PageCount(), 2);
    EXPECT_EQ(book.ActivePageIndex(), 0);
}

TEST(Book, PagesTakeTheBooksPageAreaAndAlignTheirChildren)
{
    QWidget owner;
    owner.resize(600, 400);
    auto *book = new TBook(&owner);
    book->setGeometry(0, 0, 500, 300);
    TPage *page = book->Page(0);
    auto *pane = new TPan(&owner);
    PutInto(pane, page);
    StoreAlign(pane, TAlign::alClient);
    owner.show();
    book->SyncPageSizes();
    AlignControls(page);
    const QRect area = book->DisplayRect();
    EXPECT_LT(area.height(), 300);
    EXPECT_EQ(page->size(), area.size());
    EXPECT_EQ(pane->size(), area.size());
    book->SetTabPosition(TabSide::tpBottom);
    EXPECT_EQ(book->TabPosition(), TabSide::tpBottom);
}

TEST(Book, DestroyingAPageTakesItOutOfItsBook)
{
    QWidget owner;
    TBook book(&owner);
    book.AddPage(new TPage(&owner));
    delete book.Page(0);
    EXPECT_EQ(book.PageCount(), 1);
}

namespace {
class HoverWatcher : public QWidget {
public:
    QStringList seen;
    bool event(QEvent *e) override
    {
        if (e->type() == TextHoverEvent::enterType())
            seen << QStringLiteral("parent-enter");
        if (e->type() == TextHoverEvent::leaveType())
            seen << QStringLiteral("parent-leave");
        return QWidget::event(e);
    }
};
} // namespace

TEST(Text, HandlerRunsBeforeTheParentIsToldAndParentIsToldWithoutHandler)
{
    HoverWatcher parent;
    auto *label = new TText(&parent);
    EXPECT_TRUE(label->Transparent());
    label->OnMouseEnter = [&](TText *) { parent.seen << QStringLiteral("handler-enter"); };
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(label, &enter);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(label, &leave);
    EXPECT_EQ(parent.seen,
              (QStringList{QStringLiteral("handler-enter"), QStringLiteral("parent-enter"),
                           QStringLiteral("parent-leave")}));
}

TEST(Pan, DefaultsAndOrderOfControls)
{
    QWidget owner;
    TPan pan(&owner);
    EXPECT_EQ(pan.size(), QSize(301, 107));
    EXPECT_EQ(pan.minimumSize(), QSize(149, 26));
    auto *a = new TPan(&owner);
    auto *t = new TText(&owner);
    auto *b = new TPan(&owner);
    PutInto(a, &pan);
    PutInto(t, &pan);
    PutInto(b, &pan);
    a->raise(); // stacking order must not change the stored order
    EXPECT_EQ(ControlsOf(&pan), (QList<QWidget *>{t, a, b}));
    EXPECT_EQ(WindowedControlsOf(&pan), (QList<QWidget *>{a, b}));
}
