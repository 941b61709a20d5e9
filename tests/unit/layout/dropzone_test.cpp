#include <gtest/gtest.h>

#include "layout/dropzone.h"

using namespace mira;

namespace {

struct ZoneCase {
    const char *where;
    QPoint p;
    QSize size;
    Zone zone;
};

} // namespace

TEST(DropZone, AnEmptyContainerIsFilledWhereverTheClick)
{
    EXPECT_EQ(DropZone(true, QPoint(0, 0), QSize(100, 50)), Zone::Fill);
    EXPECT_EQ(DropZone(true, QPoint(99, 25), QSize(100, 50)), Zone::Fill);
}

TEST(DropZone, TheDiagonalsCutFourTriangles)
{
    const QSize r(100, 50);
    const ZoneCase cases[] = {
        {"left middle", {10, 25}, r, Zone::Left},
        {"top middle", {50, 5}, r, Zone::Top},
        {"bottom middle", {50, 45}, r, Zone::Bottom},
        {"right middle", {90, 25}, r, Zone::Right},
        // Ties: on the falling diagonal counts as above it, on the rising one as below.
        {"centre", {50, 25}, r, Zone::Right},
        {"top-left corner", {0, 0}, r, Zone::Top},
        {"bottom-left corner", {0, 50}, r, Zone::Bottom},
        {"top-right corner", {100, 0}, r, Zone::Right},
        {"bottom-right corner", {100, 50}, r, Zone::Right},
        {"on the falling diagonal, left half", {20, 10}, r, Zone::Top},
        {"on the rising diagonal, left half", {20, 40}, r, Zone::Bottom},
        // Outside the rectangle the same lines decide.
        {"left of it", {-30, 25}, r, Zone::Left},
        {"below it", {50, 80}, r, Zone::Bottom},
        // A lone pane as the design test meets it: 149 wide triangles on a wide pane.
        {"wide pane, near the left edge", {5, 100}, QSize(600, 400), Zone::Left},
        {"wide pane, near the top", {300, 5}, QSize(600, 400), Zone::Top},
    };
    for (const ZoneCase &c : cases)
        EXPECT_EQ(DropZone(false, c.p, c.size), c.zone) << c.where;
}

TEST(DropZone, ProductsWrapAsSigned32BitIntegers)
{
    // 50000 * 50000 wraps to a negative number: the point reads as above both lines.
    EXPECT_EQ(DropZone(false, QPoint(0, 50000), QSize(50000, 10)), Zone::Top);
    // Without overflow the same shape gives Bottom.
    EXPECT_EQ(DropZone(false, QPoint(0, 500), QSize(500, 10)), Zone::Bottom);
}

TEST(FitsBeside, WithoutTargetAlwaysFits)
{
    EXPECT_TRUE(FitsBeside(QSize(5000, 5000), std::nullopt));
}

TEST(FitsBeside, BothSidesStrictlyBelowWhatTheTargetCanGive)
{
    const QSize pane(149, 52); // a new pane inside the shown window
    const QSize book(157, 80); // a new book
    const QSize paneMin(149, 26);
    const QSize bookMin(157, 54);
    struct Case {
        const char *what;
        QSize n;
        TargetExtent t;
        bool fits;
    } cases[] = {
        {"pane beside a 298 wide pane", pane, {{298, 200}, paneMin}, false},
        {"pane beside a 299 x 79 pane", pane, {{299, 79}, paneMin}, true},
        {"pane beside a 299 x 78 pane", pane, {{299, 78}, paneMin}, false},
        {"book beside a 307 x 107 pane", book, {{307, 107}, paneMin}, true},
        {"book beside a 306 x 107 pane", book, {{306, 107}, paneMin}, false},
        {"book beside a 307 x 106 pane", book, {{307, 106}, paneMin}, false},
        // An empty page measures the new control against its book.
        {"pane into a page of a 307 x 107 book", pane, {{307, 107}, bookMin}, true},
        {"pane into a page of a 306 x 107 book", pane, {{306, 107}, bookMin}, false},
        {"pane into a page of a 307 x 106 book", pane, {{307, 106}, bookMin}, false},
        {"book into a page of a 315 x 135 book", book, {{315, 135}, bookMin}, true},
        {"book into a page of a 314 x 135 book", book, {{314, 135}, bookMin}, false},
        {"book into a page of a 315 x 134 book", book, {{315, 134}, bookMin}, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FitsBeside(c.n, c.t), c.fits) << c.what;
}
