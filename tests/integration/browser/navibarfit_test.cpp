#include <QMenu>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include "bookmarks/urlcombo.h"
#include "browser/browser.h"
#include "browser/navibarfit.h"
#include "browser/stalepane.h"
#include "layout/pan.h"
#include "support/panefixture.h"

using namespace mira;

namespace {

// Back, Forward, Stop, Refresh and Go (with its arrow); Forward leaves first, Refresh last.
NaviBarItems bar(int spacing = 0)
{
    NaviBarItems items;
    items.buttons = {26, 26, 26, 26, 39};
    items.dropOrder = {1, 2, 0, 4, 3};
    items.more = 18;
    items.spacing = spacing;
    items.comboMin = 110;
    items.comboPreferred = 149;
    return items;
}

NaviBarFit fit(QList<bool> shown, bool more, int combo)
{
    NaviBarFit f;
    f.shown = std::move(shown);
    f.more = more;
    f.combo = combo;
    return f;
}

const QList<bool> all{true, true, true, true, true};

} // namespace

TEST(NaviBarFitRule, TheBoxShrinksToItsMinimumBeforeAnyButtonLeaves)
{
    struct Case {
        int room;
        NaviBarFit expected;
    };
    const Case cases[] = {
        {600, fit(all, false, 149)}, // room to spare: the box stops at its preferred width
        {292, fit(all, false, 149)}, // exactly everything at its preferred width
        {280, fit(all, false, 137)},
        {253, fit(all, false, 110)}, // exactly the minimum
    };
    for (const Case &c : cases)
        EXPECT_EQ(FitNaviBar(c.room, bar()), c.expected) << c.room;
}

TEST(NaviBarFitRule, ButtonsLeaveInDropOrderAndTheMoreButtonComes)
{
    struct Case {
        int room;
        NaviBarFit expected;
    };
    const Case cases[] = {
        // One pixel short: Forward leaves, the more button takes its place.
        {252, fit({true, false, true, true, true}, true, 117)},
        {219, fit({true, false, false, true, true}, true, 110)},
        {193, fit({false, false, false, true, true}, true, 110)},
        // A 150-pixel pane: only Refresh could stay, and it does not fit beside the box.
        {155, fit({false, false, false, true, false}, true, 111)},
        {150, fit({false, false, false, false, false}, true, 132)},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FitNaviBar(c.room, bar()), c.expected) << c.room;
}

TEST(NaviBarFitRule, NothingEverOverflowsEvenBelowTheMinimum)
{
    EXPECT_EQ(FitNaviBar(100, bar()), fit({false, false, false, false, false}, true, 82));
    EXPECT_EQ(FitNaviBar(10, bar()), fit({false, false, false, false, false}, true, 0));
    for (int room = 0; room < 400; ++room) {
        const NaviBarFit f = FitNaviBar(room, bar(3));
        int used = f.combo + (f.more ? 18 + 3 : 0);
        for (int i = 0; i < 5; ++i)
            used += f.shown[i] ? bar().buttons[i] + 3 : 0;
        EXPECT_TRUE(used <= room || f.combo == 0) << room;
        EXPECT_TRUE(f.combo >= 110 || !f.shown.contains(true)) << room;
    }
}

TEST(NaviBarFitRule, SpacingCountsBetweenNeighbours)
{
    // Five buttons and the box: five gaps.
    EXPECT_EQ(FitNaviBar(253 + 5 * 4, bar(4)), fit(all, false, 110));
    EXPECT_TRUE(FitNaviBar(253 + 5 * 4 - 1, bar(4)).more);
}

TEST(NaviBarFitRule, OddInputsAreTakenSafely)
{
    NaviBarItems items = bar();
    items.comboPreferred = 50; // below the minimum: the minimum wins
    EXPECT_EQ(FitNaviBar(600, items).combo, 110);
    items = bar();
    items.dropOrder = {7, -1, 1}; // unknown indexes are passed over
    EXPECT_EQ(FitNaviBar(252, items), fit({true, false, true, true, true}, true, 117));
}

// ------------------------------------------------------------------------ on a pane

namespace {

class NaviBarOnPane : public test::PaneTest {
protected:
    TBrowser *paneOf(int width)
    {
        TBrowser *pane = newPane();
        form()->show();
        pane->resize(width, 300);
        QCoreApplication::processEvents();
        return pane;
    }
    static QToolButton *extension(TBrowser *pane)
    {
        return pane->NaviBar->findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button"));
    }
    // The address box lies wholly inside the bar, where a user can see it.
    static bool boxShown(TBrowser *pane)
    {
        const QRect box(pane->AddressCombo->mapTo(pane->NaviBar, QPoint(0, 0)),
                        pane->AddressCombo->size());
        return pane->AddressCombo->isVisible() && pane->NaviBar->rect().contains(box);
    }
};

} // namespace

TEST_F(NaviBarOnPane, AtOneHundredFiftyAndThreeHundredPixelsTheBoxStaysUsable)
{
    for (int width : {150, 300}) {
        TBrowser *pane = paneOf(width);
        const int least = pane->BarFitter->ComboMinWidth();
        const QFontMetrics metrics(pane->AddressCombo->font());
        EXPECT_GE(least, metrics.averageCharWidth() * NaviBarFitter::MinChars) << width;
        EXPECT_TRUE(boxShown(pane)) << width;
        EXPECT_GE(pane->AddressCombo->width(), least) << width;
        EXPECT_TRUE(!extension(pane) || !extension(pane)->isVisible()) << width;
    }
}

TEST_F(NaviBarOnPane, NoWidthHidesTheBoxBehindTheOverflow)
{
    TBrowser *pane = paneOf(149);
    const int least = pane->BarFitter->ComboMinWidth();
    for (int width = 149; width <= 420; width += 3) {
        pane->resize(width, 300);
        QCoreApplication::processEvents();
        ASSERT_TRUE(boxShown(pane)) << width;
        ASSERT_GE(pane->AddressCombo->width(), least) << width;
        ASSERT_TRUE(!extension(pane) || !extension(pane)->isVisible()) << width;
        // The buttons on the bar do not overlap the box.
        for (QToolButton *b : pane->NaviBar->findChildren<QToolButton *>()) {
            if (b->isVisible() && b != extension(pane)) {
                ASSERT_LE(b->geometry().right(), pane->ComboPanel->x()) << width;
            }
        }
    }
    // Wide again: every button is back and the box has its usual width.
    pane->resize(500, 300);
    QCoreApplication::processEvents();
    EXPECT_FALSE(pane->BarFitter->MoreButton()->isVisible());
    for (QToolButton *b : {pane->BackButton, pane->ForwardButton, pane->StopButton,
                           pane->RefreshButton, pane->GoButton})
        EXPECT_TRUE(b->isVisible());
    EXPECT_EQ(pane->AddressCombo->width(), NaviBarFitter::DefaultWidth);
}

TEST_F(NaviBarOnPane, AStaleMarkTakesItsRoomAndTheBoxStaysOnTheBar)
{
    for (int width : {220, 300, 400}) {
        TBrowser *pane = paneOf(width);
        platform::PageLoad failed;
        failed.address = QStringLiteral("http://host/wall");
        failed.kept = true;
        failed.copyTaken = QDateTime(QDate(2026, 12, 10), QTime(9, 24, 1));
        failed.error = QStringLiteral("The server refused the connection.");
        pane->Stale->LoadEnded(failed);
        QCoreApplication::processEvents();
        ASSERT_TRUE(pane->Stale->IsStale());
        EXPECT_TRUE(pane->Stale->Mark()->isVisible()) << width;
        EXPECT_TRUE(boxShown(pane)) << width;
        EXPECT_TRUE(!extension(pane) || !extension(pane)->isVisible()) << width;
    }
}

TEST_F(NaviBarOnPane, TheMoreMenuRunsTheButtonsThatLeft)
{
    TBrowser *pane = paneOf(150);
    QToolButton *more = pane->BarFitter->MoreButton();
    ASSERT_TRUE(more->isVisible());
    auto *menu = pane->NaviBar->findChild<QMenu *>(QStringLiteral("MoreMenu"));
    ASSERT_NE(menu, nullptr);
    QStringList offered;
    QAction *go = nullptr;
    QMenu *page = nullptr;
    for (QAction *a : menu->actions()) {
        if (!a->isVisible())
            continue;
        offered << a->text();
        if (a->text() == QStringLiteral("Go"))
            go = a;
        if (a->menu())
            page = a->menu();
    }
    // Only what left the bar, in bar order, with Go's drop-down as a submenu.
    QStringList expected;
    for (QToolButton *b : {pane->BackButton, pane->ForwardButton, pane->StopButton,
                           pane->RefreshButton, pane->GoButton})
        if (!b->isVisible())
            expected << b->toolTip();
    expected << QStringLiteral("Page");
    EXPECT_EQ(offered, expected);
    ASSERT_NE(go, nullptr);
    ASSERT_NE(page, nullptr);

    pane->AddressCombo->setEditText(QStringLiteral("http://typed.test/"));
    go->trigger();
    settle();
    EXPECT_EQ(navigated(pane), QStringList{QStringLiteral("http://typed.test/")});
    // The submenu offers the page commands of the Go button's own drop-down.
    Q_EMIT page->aboutToShow();
    EXPECT_EQ(page->actions(), pane->GoButton->menu()->actions());
    Q_EMIT page->aboutToShow(); // opening it again lists them once
    EXPECT_EQ(page->actions(), pane->GoButton->menu()->actions());
}

TEST_F(NaviBarOnPane, ABiggerFontWidensTheBoxsMinimum)
{
    TBrowser *pane = paneOf(400);
    const int before = pane->BarFitter->ComboMinWidth();
    QFont big = pane->AddressCombo->font();
    if (big.pixelSize() > 0)
        big.setPixelSize(big.pixelSize() * 3 / 2);
    else
        big.setPointSizeF(big.pointSizeF() * 1.5);
    pane->AddressCombo->setFont(big);
    QCoreApplication::processEvents();
    EXPECT_GT(pane->BarFitter->ComboMinWidth(), before);
    EXPECT_GE(pane->AddressCombo->width(), pane->BarFitter->ComboMinWidth());
    EXPECT_GE(pane->AddressCombo->width(), NaviBarFitter::DefaultWidth);
}
