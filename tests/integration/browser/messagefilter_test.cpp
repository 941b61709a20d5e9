#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QStatusTipEvent>
#include <QTest>
#include <gtest/gtest.h>

#include "browser/browser.h"
#include "browser/messagefilter.h"
#include "support/panefixture.h"

using namespace mira;

namespace {

// Records the keys that reach it, as a page would.
class KeyCatcher : public QWidget {
public:
    using QWidget::QWidget;
    QList<int> keys;

protected:
    void keyPressEvent(QKeyEvent *event) override { keys << event->key(); }
    // A page moves its own focus with Tab; the window's other controls (the address
    // box) do not take it from there.
    bool focusNextPrevChild(bool) override { return false; }
};

class Filter : public test::PaneTest {
protected:
    void SetUp() override
    {
        PaneTest::SetUp();
        pane = newPane();
        form()->resize(600, 400);
        form()->show();
        form()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form()));
        page = new KeyCatcher(pane->WebView->Control()->widget());
        page->setFocusPolicy(Qt::StrongFocus);
        page->show();
        page->setFocus();
        // A program shortcut on an edit key, as a command could have.
        deleteAction = new QAction(form());
        deleteAction->setShortcut(Qt::Key_Delete);
        deleteAction->setShortcutContext(Qt::ApplicationShortcut);
        form()->addAction(deleteAction);
    }

    TBrowser *pane = nullptr;
    KeyCatcher *page = nullptr;
    QAction *deleteAction = nullptr;
};

} // namespace

TEST_F(Filter, PageKeysReachAFocusedWebViewInsteadOfTheProgramsShortcuts)
{
    QSignalSpy deleted(deleteAction, &QAction::triggered);
    for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Delete,
                              Qt::Key_Left, Qt::Key_Right, Qt::Key_Backspace})
        QTest::keyClick(page, key);
    EXPECT_EQ(page->keys, (QList<int>{Qt::Key_Tab, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Delete,
                                      Qt::Key_Left, Qt::Key_Right, Qt::Key_Backspace}));
    EXPECT_EQ(deleted.count(), 0);
    // The last control follows the keys into the web view.
    EXPECT_EQ(module()->LastControl(), pane->WebView);

    // Outside a web view the shortcut keeps its key.
    auto *other = new KeyCatcher(form()->ClientArea());
    other->setFocusPolicy(Qt::StrongFocus);
    other->show();
    other->setFocus();
    QTest::keyClick(other, Qt::Key_Delete);
    EXPECT_EQ(deleted.count(), 1);
}

TEST_F(Filter, TheProgramsFunctionKeysWorkWhileAWebViewHasTheFocus)
{
    QSignalSpy goAll(module()->Action("GoAllAction"), &QAction::triggered);
    QSignalSpy stopAll(module()->Action("StopAllAction"), &QAction::triggered);
    QSignalSpy refreshAll(module()->Action("RefreshAllAction"), &QAction::triggered);
    QSignalSpy minimize(module()->Action("MinimizeAction"), &QAction::triggered);
    QTest::keyClick(page, Qt::Key_F9);
    QTest::keyClick(page, Qt::Key_F7);
    QTest::keyClick(page, Qt::Key_F8);
    EXPECT_EQ(goAll.count(), 1);
    EXPECT_EQ(stopAll.count(), 1);
    EXPECT_EQ(refreshAll.count(), 1);
    EXPECT_TRUE(page->keys.isEmpty());
    QTest::keyClick(page, Qt::Key_F4);
    EXPECT_EQ(minimize.count(), 1);
}

TEST_F(Filter, HintsOfMenusWithoutAParentReachTheStatusBarAsTheirLongPart)
{
    QStatusTipEvent tip(QStringLiteral("Find|Find text in currently loaded document"));
    QCoreApplication::sendEvent(module()->Menus().ArrowPopup(), &tip);
    EXPECT_EQ(form()->StatusText(), QStringLiteral("Find text in currently loaded document"));
    QStatusTipEvent plain(QStringLiteral("Stop loading documents in all browsers"));
    QCoreApplication::sendEvent(module()->Menus().StatusPopup(), &plain);
    EXPECT_EQ(form()->StatusText(), QStringLiteral("Stop loading documents in all browsers"));
    QStatusTipEvent left{QString()};
    QCoreApplication::sendEvent(pane->GoButton, &left);
    EXPECT_TRUE(form()->StatusText().isEmpty());
}
