#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QTabBar>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

#include "bookmarks/urlcombo.h"
#include "browser/browser.h"
#include "layout/align.h"
#include "layout/book.h"
#include "layout/designcommands.h"
#include "layout/pan.h"
#include "support/designfixture.h"

using namespace mira;

namespace {

class DesignPopupMenu : public test::DesignTest {
protected:
    // A right click as the platform delivers it: the press, then the context menu
    // event, passed up the parents until one takes it. True when the design popup opened.
    bool rightClick(QWidget *w, QPoint local)
    {
        QTest::mousePress(w, Qt::RightButton, {}, local);
        QContextMenuEvent event(QContextMenuEvent::Mouse, local, w->mapToGlobal(local));
        QCoreApplication::sendEvent(w, &event);
        QTest::mouseRelease(w, Qt::RightButton, {}, local);
        const bool opened = module()->Menus().DesignPopup()->isVisible();
        module()->Menus().DesignPopup()->hide();
        module()->Menus().URLPopup()->hide();
        return opened;
    }
};

} // namespace

TEST_F(DesignPopupMenu, OpensWhereNoInnerControlTakesTheClick)
{
    open();
    EXPECT_TRUE(rightClick(root, QPoint(30, 30)));
    EXPECT_EQ(module()->LastControl(), root);
    EXPECT_EQ(module()->LastMousePos(), root->mapToGlobal(QPoint(30, 30)));
    // The popup read the click: New is there for an empty container.
    EXPECT_TRUE(module()->Action("BrowserNewAction")->isEnabled());
    EXPECT_FALSE(module()->Action("BrowserDeleteAction")->isEnabled());

    TBrowser *a = fillRoot();
    clickPane(a, QPoint(a->width() - 3, a->height() / 2));
    insert("TBook");
    auto *book = qobject_cast<TBook *>(ControlsOf(root).value(2));
    ASSERT_NE(book, nullptr);

    EXPECT_TRUE(rightClick(a->NaviBar, QPoint(a->NaviBar->width() - 3, 3)));
    EXPECT_EQ(module()->LastControl(), a->NaviBar);
    EXPECT_TRUE(module()->Action("BrowserDeleteAction")->isEnabled());
    EXPECT_TRUE(rightClick(a->ComboPanel, QPoint(148, 1)));
    EXPECT_EQ(module()->LastControl(), a->ComboPanel);
    EXPECT_TRUE(module()->Action("BrowserDeleteAction")->isEnabled());
    EXPECT_TRUE(rightClick(ControlsOf(root).first(), QPoint(1, 5))); // the splitter
    EXPECT_EQ(module()->LastControl(), root);
    EXPECT_TRUE(rightClick(book->tabBar(), QPoint(5, 5)));
    EXPECT_EQ(module()->LastControl(), book);
    EXPECT_TRUE(module()->Action("BookDeleteAction")->isEnabled());
    EXPECT_TRUE(module()->Action("PageRenameAction")->isEnabled());
    EXPECT_TRUE(rightClick(book->Page(0), QPoint(5, 5)));
    EXPECT_EQ(module()->LastControl(), book->Page(0));
    EXPECT_TRUE(module()->Action("BrowserNewAction")->isEnabled());

    // The address box has its own menu.
    EXPECT_FALSE(rightClick(a->AddressCombo, QPoint(5, 5)));
}

TEST_F(DesignPopupMenu, TheActionsRunTheCommandsOnTheLastClick)
{
    open();
    clickOn(root, QPoint(5, 5));
    module()->Action("BrowserNewAction")->trigger();
    ASSERT_EQ(module()->Panes().List().size(), 1);
    auto *pane = static_cast<TBrowser *>(module()->Panes().List().first());
    clickPane(pane, QPoint(3, pane->height() / 2));
    module()->Action("BookNewAction")->trigger();
    ASSERT_EQ(ControlsOf(root).size(), 3);
    auto *book = qobject_cast<TBook *>(ControlsOf(root).value(2));
    ASSERT_NE(book, nullptr);
    EXPECT_EQ(AlignOf(book), TAlign::alLeft);
    clickOn(book, QPoint(3, 3));
    modal.answer(mrYes);
    module()->Action("BookDeleteAction")->trigger();
    EXPECT_EQ(ControlsOf(root), QList<QWidget *>{pane});
    clickPane(pane, QPoint(3, 3));
    modal.answer(mrYes);
    module()->Action("BrowserDeleteAction")->trigger();
    EXPECT_TRUE(ControlsOf(root).isEmpty());
    EXPECT_TRUE(module()->Panes().List().isEmpty());
}
