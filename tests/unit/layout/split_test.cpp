#include <QApplication>
#include <QEnterEvent>
#include <QSet>
#include <QTest>
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

// ------------------------------------------------------------------------- its look

namespace {

QSet<QRgb> coloursOf(const QImage &image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return colours;
}

void hover(QWidget *w, bool in)
{
    if (in) {
        const QPointF at(1, 10);
        QEnterEvent enter(at, at, w->mapToGlobal(at));
        QApplication::sendEvent(w, &enter);
    } else {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(w, &leave);
    }
}

} // namespace

TEST(SplitLook, AGripAtRestTheHighlightUnderTheMouse)
{
    Pair p;
    const QImage rest = p.split->grab().toImage();
    // Not a plain strip of window colour: the style's grip is on it.
    EXPECT_GT(coloursOf(rest).size(), 1);
    EXPECT_FALSE(p.split->Hovered());

    hover(p.split, true);
    EXPECT_TRUE(p.split->Hovered());
    const QImage lit = p.split->grab().toImage();
    EXPECT_NE(lit, rest);
    // Away from the grip the whole width takes the highlight's hue.
    const QColor highlight = p.split->palette().color(QPalette::Highlight);
    for (int x = 0; x < 3; ++x) {
        const QColor c = lit.pixelColor(x, 5);
        EXPECT_NEAR(c.hue(), highlight.hue(), 3) << x;
        EXPECT_NE(c, p.split->palette().color(QPalette::Window)) << x;
    }

    hover(p.split, false);
    EXPECT_FALSE(p.split->Hovered());
    EXPECT_EQ(p.split->grab().toImage(), rest);
}

TEST(SplitLook, StaysLitWhileDraggedAndWhereTheDragEnds)
{
    Pair p;
    hover(p.split, true);
    const QImage lit = p.split->grab().toImage();
    QTest::mousePress(p.split, Qt::LeftButton, {}, QPoint(1, 10));
    hover(p.split, false); // the mouse runs ahead of the splitter
    EXPECT_TRUE(p.split->Hovered());
    // Dragged, the highlight is full.
    EXPECT_NE(p.split->grab().toImage(), lit);
    QTest::mouseMove(p.split, QPoint(41, 10));
    QTest::mouseRelease(p.split, Qt::LeftButton, {}, QPoint(41, 10));
    EXPECT_EQ(p.left->width(), 240);
    // Released away from it: at rest again.
    EXPECT_FALSE(p.split->Hovered());
    hover(p.split, true);
    QTest::mousePress(p.split, Qt::LeftButton, {}, QPoint(1, 10));
    QTest::mouseRelease(p.split, Qt::LeftButton, {}, QPoint(1, 10));
    EXPECT_TRUE(p.split->Hovered()); // released over it: still lit
}

TEST(SplitLook, TheResizeCursorFollowsTheOrientationAndTheSizeStaysAsStored)
{
    Pair p;
    EXPECT_EQ(p.split->cursor().shape(), Qt::SplitHCursor);
    const QRect stored = p.split->geometry();
    hover(p.split, true);
    p.split->grab();
    EXPECT_EQ(p.split->geometry(), stored);
    EXPECT_EQ(stored.width(), 3);

    QWidget owner;
    TSplit stacked(&owner);
    stacked.SetAlign(TAlign::alBottom);
    EXPECT_EQ(stacked.cursor().shape(), Qt::SplitVCursor);
    stacked.resize(200, 3);
    EXPECT_GT(coloursOf(stacked.grab().toImage()).size(), 1); // its grip lies along it
}
