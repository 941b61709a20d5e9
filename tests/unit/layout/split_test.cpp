#include <QWidget>
#include <gtest/gtest.h>

#include "layout/align.h"
#include "layout/book.h"
#include "layout/pan.h"
#include "layout/split.h"

using namespace mira;

TEST(SplitAlign, TopSplitterReadIntoPanRaisesMinimumHeightOnly)
{
    QWidget owner;
    TPan pan(&owner);
    TSplit split(&owner);
    PutInto(&split, &pan);
    {
        // As the set reader applies Width, Height, then Align.
        ReadingGuard reading;
        AlignSuspender suspended;
        split.resize(400, 3);
        split.SetAlign(TAlign::alTop);
    }
    EXPECT_EQ(pan.minimumHeight(), 29);
    EXPECT_EQ(pan.minimumWidth(), 0);
    EXPECT_EQ(split.MinSize(), 26);
    EXPECT_EQ(split.size(), QSize(400, 3));
}

TEST(SplitAlign, SameAlignmentKeepsMinimumsButSetsMinSizeByOrientation)
{
    QWidget owner;
    TPan pan(&owner);
    TSplit split(&owner);
    PutInto(&split, &pan);
    split.SetMinSize(10);
    split.SetAlign(TAlign::alLeft);
    EXPECT_EQ(pan.minimumSize(), QSize(149, 26));
    EXPECT_EQ(split.MinSize(), 149);
    split.SetAlign(TAlign::alBottom);
    EXPECT_EQ(split.MinSize(), 26);
    split.SetAlign(TAlign::alClient);
    EXPECT_EQ(split.MinSize(), 26);
}

TEST(SplitAlign, TurningKeepsThicknessOutsideReading)
{
    QWidget owner;
    TSplit split(&owner);
    split.resize(3, 200);
    split.SetAlign(TAlign::alTop);
    EXPECT_EQ(split.height(), 3);
    EXPECT_EQ(split.cursor().shape(), Qt::SplitVCursor);
}

TEST(SplitAlign, SplitterInAPageLeavesThePageAlone)
{
    QWidget owner;
    TBook book(&owner);
    TPage *page = book.Page(0);
    const QSize before = page->minimumSize();
    TSplit split(&owner);
    PutInto(&split, page);
    split.SetAlign(TAlign::alTop);
    EXPECT_EQ(page->minimumSize(), before);
}

namespace {

// A container with a left control, a left splitter and a client control, shown.
struct Pair {
    QWidget owner;
    TPan *pan;
    TPan *left;
    TSplit *split;
    TPan *client;
    Pair()
    {
        pan = new TPan(&owner);
        left = new TPan(&owner);
        split = new TSplit(&owner);
        client = new TPan(&owner);
        owner.resize(800, 400);
        pan->setGeometry(0, 0, 800, 400);
        PutInto(left, pan);
        left->resize(200, 100);
        StoreAlign(left, TAlign::alLeft);
        PutInto(split, pan);
        split->move(200, 0);
        PutInto(client, pan);
        StoreAlign(client, TAlign::alClient);
        owner.show();
        AlignControls(pan);
    }
};

} // namespace

TEST(SplitDrag, SplitterStaysBehindTheFirstControlThroughResizes)
{
    Pair p;
    for (QSize s : {QSize(600, 300), QSize(1000, 500), QSize(400, 200), QSize(360, 120)}) {
        p.pan->resize(s);
        EXPECT_EQ(p.split->x(), p.left->x() + p.left->width()) << s.width();
        EXPECT_EQ(p.client->x(), p.split->x() + p.split->width());
        EXPECT_EQ(p.client->x() + p.client->width(), p.pan->width());
    }
}

TEST(SplitDrag, DraggingNeverMakesEitherSideNarrowerThan149)
{
    Pair p;
    EXPECT_EQ(p.split->ResizedControl(), p.left);
    p.split->DragBy(-500);
    EXPECT_EQ(p.left->width(), 149);
    EXPECT_EQ(p.split->x(), 149);
    p.split->DragBy(+2000);
    EXPECT_EQ(p.client->width(), 149);
    EXPECT_EQ(p.left->width(), 800 - 3 - 149);
    p.split->DragBy(-100);
    EXPECT_EQ(p.left->width(), 800 - 3 - 149 - 100);
    EXPECT_EQ(p.client->width(), 249);
}

TEST(SplitDrag, StackedPairKeeps26Pixels)
{
    QWidget owner;
    auto *pan = new TPan(&owner);
    auto *top = new TPan(&owner);
    auto *split = new TSplit(&owner);
    auto *rest = new TPan(&owner);
    owner.resize(500, 300);
    pan->setGeometry(0, 0, 500, 300);
    PutInto(top, pan);
    top->resize(500, 100);
    StoreAlign(top, TAlign::alTop);
    PutInto(split, pan);
    split->SetAlign(TAlign::alTop);
    split->move(0, 100);
    PutInto(rest, pan);
    StoreAlign(rest, TAlign::alClient);
    owner.show();
    AlignControls(pan);
    EXPECT_EQ(split->height(), 3);
    split->DragBy(-1000);
    EXPECT_EQ(top->height(), 26);
    split->DragBy(1000);
    EXPECT_EQ(rest->height(), 26);
}
