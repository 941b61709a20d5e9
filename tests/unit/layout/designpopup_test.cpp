#include <QTabBar>
#include <QToolBar>
#include <gtest/gtest.h>

#include "layout/align.h"
#include "layout/book.h"
#include "layout/designablepane.h"
#include "layout/designpopup.h"
#include "layout/pan.h"
#include "layout/split.h"

using namespace mira;

namespace {

struct StateCase {
    const char *what;
    PopupFacts facts;
    bool bookNew, bookDelete, tabsChecked, pageItems, browserNew, browserDelete, barChecked;
};

PopupFacts facts(SpotKind kind, bool container, bool clickedContainer, int n,
                 bool tabsBottom = false, bool barBottom = false)
{
    PopupFacts f;
    f.kind = kind;
    f.hasContainer = container;
    f.clickedContainer = clickedContainer;
    f.controls = n;
    f.tabsAtBottom = tabsBottom;
    f.paneBarAtBottom = barBottom;
    return f;
}

// A stand-in for a browser pane: a bar, a view marked as its own control.
class FakePane : public QWidget, public DesignablePane {
public:
    explicit FakePane(QWidget *parent) : QWidget(parent)
    {
        StoreAlign(this, TAlign::alClient);
        bar = new QToolBar(this);
        barPan = new TPan(this);
        bar->addWidget(barPan);
        view = new QWidget(this);
        MarkControl(view);
    }
    bool BottomBar() const override { return bottom; }
    void SetBottomBar(bool b) override { bottom = b; }
    QToolBar *bar;
    TPan *barPan;
    QWidget *view;
    bool bottom = false;
};

} // namespace

TEST(DesignPopupState, EnablesItemsByWhatIsUnderTheMouse)
{
    using K = SpotKind;
    const StateCase cases[] = {
        {"empty root container", facts(K::Pan, true, true, 0), true, false, false, false, true,
         false, false},
        {"splitter or gap of a filled container", facts(K::Pan, true, true, 3), false, false, false,
         false, false, false, false},
        {"pane bar, pane alone", facts(K::PanePart, true, false, 1), true, false, false, false,
         true, true, false},
        {"bar's own panel, bar at the bottom", facts(K::BarPan, true, false, 3, false, true), true,
         false, false, false, true, true, true},
        {"pane in an unsupported group", facts(K::PanePart, true, false, 2), false, false, false,
         false, false, true, false},
        {"pane in a group of four", facts(K::PanePart, true, false, 4), false, false, false, false,
         false, true, false},
        {"book's tab row, tabs at the bottom", facts(K::Book, true, false, 1, true), false, true,
         true, true, false, false, false},
        {"book's tab row, tabs on top", facts(K::Book, true, false, 3), false, true, false, true,
         false, false, false},
        {"free surface of an empty page", facts(K::Page, true, true, 0), true, false, false, false,
         true, false, false},
        {"splitter on a filled page", facts(K::Page, true, true, 3), false, false, false, false,
         false, false, false},
        {"nothing", facts(K::None, false, false, 0, true, true), false, false, false, false, false,
         false, false},
    };
    for (const StateCase &c : cases) {
        const PopupState s = DesignPopupState(c.facts);
        EXPECT_EQ(s.book.newItem, c.bookNew) << c.what;
        EXPECT_EQ(s.book.paste, c.bookNew) << c.what;
        EXPECT_EQ(s.book.del, c.bookDelete) << c.what;
        EXPECT_EQ(s.book.cut, c.bookDelete) << c.what;
        EXPECT_EQ(s.book.copy, c.bookDelete) << c.what;
        EXPECT_EQ(s.book.toggle, c.bookDelete) << c.what;
        EXPECT_EQ(s.book.checked, c.tabsChecked) << c.what;
        EXPECT_EQ(s.pageItems, c.pageItems) << c.what;
        EXPECT_EQ(s.browser.newItem, c.browserNew) << c.what;
        EXPECT_EQ(s.browser.paste, c.browserNew) << c.what;
        EXPECT_EQ(s.browser.del, c.browserDelete) << c.what;
        EXPECT_EQ(s.browser.toggle, c.browserDelete) << c.what;
        EXPECT_EQ(s.browser.checked, c.barChecked) << c.what;
    }
}

TEST(DeriveSpot, FollowsTheTableForEveryKindOfControl)
{
    QWidget window;
    auto *root = new TPan(&window);
    auto *pane = new FakePane(root);
    auto *book = new TBook(&window);
    PutInto(book, root);
    TPage *page = book->Page(0);
    auto *split = new TSplit(&window);
    PutInto(split, root);
    QWidget stray;

    EXPECT_EQ(pane->barPan->parentWidget(), pane->bar);

    struct Case {
        const char *what;
        QWidget *control;
        SpotKind kind;
        QWidget *container;
        QWidget *target;
    } cases[] = {
        {"the panel in a pane's bar", pane->barPan, SpotKind::BarPan, root, pane},
        {"a container", root, SpotKind::Pan, root, nullptr},
        {"a page", page, SpotKind::Page, page, book},
        {"a book", book, SpotKind::Book, root, book},
        {"a pane's bar", pane->bar, SpotKind::PanePart, root, pane},
        {"a pane's view", pane->view, SpotKind::PanePart, root, pane},
        {"a splitter", split, SpotKind::None, nullptr, nullptr},
        {"an unrelated widget", &stray, SpotKind::None, nullptr, nullptr},
        {"nothing", nullptr, SpotKind::None, nullptr, nullptr},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(ClassifySpot(c.control), c.kind) << c.what;
        const DesignSpot s = DeriveSpot(c.control);
        EXPECT_EQ(s.container.data(), c.container) << c.what;
        EXPECT_EQ(s.target.data(), c.target) << c.what;
    }
}

TEST(DeriveSpot, FactsCountTheContainersControlsAndReadThePositions)
{
    QWidget window;
    auto *root = new TPan(&window);
    auto *pane = new FakePane(root);
    pane->bottom = true;
    const DesignSpot spot = DeriveSpot(pane->bar);
    const PopupFacts f = FactsFor(pane->bar, spot);
    EXPECT_EQ(f.kind, SpotKind::PanePart);
    EXPECT_TRUE(f.hasContainer);
    EXPECT_FALSE(f.clickedContainer);
    EXPECT_EQ(f.controls, 1);
    EXPECT_TRUE(f.paneBarAtBottom);

    auto *book = new TBook(&window);
    book->SetTabPosition(TabSide::tpBottom);
    PutInto(book, root);
    const PopupFacts onRoot = FactsFor(root, DeriveSpot(root));
    EXPECT_TRUE(onRoot.clickedContainer);
    EXPECT_EQ(onRoot.controls, 2);
    EXPECT_TRUE(FactsFor(book, DeriveSpot(book)).tabsAtBottom);
}
