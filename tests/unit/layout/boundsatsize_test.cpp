#include <QWidget>
#include <gtest/gtest.h>

#include "layout/align.h"
#include "layout/alignrule.h"
#include "layout/book.h"
#include "layout/boundsatsize.h"
#include "layout/pan.h"
#include "layout/split.h"
#include "layout/text.h"

using namespace mira;

TEST(AlignRule, PlacesTopBottomLeftRightThenClient)
{
    using A = TAlign;
    const QRect client(2, 2, 100, 80);
    const struct {
        const char *what;
        QList<AlignItem> items;
        QList<QRect> placed;
    } rows[] = {
        {"each side once, listed client first",
         {{A::alClient, QRect(0, 0, 5, 5)},
          {A::alTop, QRect(0, 0, 1, 10)},
          {A::alBottom, QRect(0, 0, 1, 20)},
          {A::alLeft, QRect(0, 0, 30, 1)},
          {A::alRight, QRect(0, 0, 15, 1)}},
         {QRect(32, 12, 55, 50), QRect(2, 2, 100, 10), QRect(2, 62, 100, 20), QRect(2, 12, 30, 50),
          QRect(87, 12, 15, 50)}},
        {"lefts stack by position, not by list order",
         {{A::alLeft, QRect(50, 0, 10, 1)}, {A::alLeft, QRect(0, 0, 20, 1)}},
         {QRect(22, 2, 10, 80), QRect(2, 2, 20, 80)}},
        {"bottoms stack from the bottom by their lower edges",
         {{A::alBottom, QRect(0, 10, 1, 5)}, {A::alBottom, QRect(0, 40, 1, 7)}},
         {QRect(2, 70, 100, 5), QRect(2, 75, 100, 7)}},
        {"unaligned and hidden controls stay where they are",
         {{A::alNone, QRect(7, 8, 9, 10)},
          {A::alClient, QRect(1, 1, 1, 1), {0, 0}, {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX}, true},
          {A::alClient, QRect(0, 0, 1, 1)}},
         {QRect(7, 8, 9, 10), QRect(1, 1, 1, 1), QRect(2, 2, 100, 80)}},
        {"sizes bounded as a widget bounds them, and the rest gives way",
         {{A::alLeft, QRect(0, 0, 10, 1), {40, 0}},
          {A::alTop, QRect(0, 0, 1, 30), {0, 0}, {QWIDGETSIZE_MAX, 12}},
          {A::alClient, QRect(0, 0, 1, 1)}},
         {QRect(2, 14, 40, 68), QRect(2, 2, 100, 12), QRect(42, 14, 60, 68)}},
        {"too little room: the client gets none, never less",
         {{A::alLeft, QRect(0, 0, 150, 1)}, {A::alClient, QRect(0, 0, 1, 1)}},
         {QRect(2, 2, 150, 80), QRect(152, 2, 0, 80)}},
    };
    for (const auto &r : rows)
        EXPECT_EQ(AlignRects(client, r.items), r.placed) << r.what;
}

namespace {

// A wall's layout: a bar on top, a list on the left with its splitter, and a book
// whose page holds a pane and a caption.
struct Wall {
    QWidget area;
    TPan *root = new TPan(&area);
    TText *bar = new TText(&area);
    TPan *list = new TPan(&area);
    TSplit *split = new TSplit(&area);
    TBook *book = new TBook(&area);
    TPan *pane = new TPan(&area);
    TText *caption = new TText(&area);
    TPan *loose = new TPan(&area);

    Wall()
    {
        area.resize(640, 420);
        PutInto(root, &area);
        StoreAlign(root, TAlign::alClient);
        for (QWidget *w : {static_cast<QWidget *>(bar), static_cast<QWidget *>(list),
                           static_cast<QWidget *>(split), static_cast<QWidget *>(book),
                           static_cast<QWidget *>(loose)})
            PutInto(w, root);
        bar->setGeometry(0, 0, 10, 24);
        StoreAlign(bar, TAlign::alTop);
        list->setGeometry(0, 30, 180, 10);
        StoreAlign(list, TAlign::alLeft);
        split->setGeometry(185, 30, 3, 10);
        StoreAlign(book, TAlign::alClient);
        loose->setGeometry(300, 200, 50, 40);
        PutInto(pane, book->Page(0));
        StoreAlign(pane, TAlign::alClient);
        PutInto(caption, book->Page(0));
        caption->setGeometry(0, 0, 10, 18);
        StoreAlign(caption, TAlign::alBottom);
        area.show();
        RealignTree(&area);
    }
    QList<QWidget *> controls() const
    {
        return {root, bar, list, split, book, pane, caption, loose};
    }
    QHash<const QWidget *, QRect> geometry() const
    {
        QHash<const QWidget *, QRect> g;
        for (QWidget *w : controls())
            g.insert(w, w->geometry());
        return g;
    }
};

} // namespace

TEST(BoundsAtSize, ForetellsTheLayoutAResizeGives)
{
    for (const QSize size : {QSize(1024, 740), QSize(400, 300), QSize(640, 420)}) {
        Wall wall;
        const QHash<const QWidget *, QRect> foretold = BoundsAtSize(&wall.area, size);
        wall.area.resize(size);
        AlignControls(&wall.area); // as the main window's client area does
        for (QWidget *w : wall.controls())
            EXPECT_EQ(foretold.value(w, w->geometry()), w->geometry())
                << size.width() << " " << w->metaObject()->className();
        // The splitter and the page's pane follow their containers.
        EXPECT_EQ(wall.split->height(), wall.list->height());
        EXPECT_EQ(wall.pane->width(), wall.book->Page(0)->width());
    }
}

TEST(BoundsAtSize, AScopeStoresThoseBoundsAndLeavesTheWidgetsAlone)
{
    Wall wall;
    const QHash<const QWidget *, QRect> now = wall.geometry();
    {
        const StoredBoundsScope scope(BoundsAtSize(&wall.area, QSize(800, 600)));
        EXPECT_EQ(StoredBoundsOf(wall.root), QRect(0, 0, 800, 600));
        EXPECT_EQ(StoredBoundsOf(wall.list).height(), 600 - 24);
        EXPECT_EQ(StoredBoundsOf(wall.loose), now.value(wall.loose)); // not aligned
        EXPECT_EQ(wall.geometry(), now);
        {
            const StoredBoundsScope none({});
            EXPECT_EQ(StoredBoundsOf(wall.root), wall.root->geometry());
        }
        EXPECT_EQ(StoredBoundsOf(wall.root), QRect(0, 0, 800, 600));
    }
    EXPECT_EQ(StoredBoundsOf(wall.root), wall.root->geometry());
}
