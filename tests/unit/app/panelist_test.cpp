#include <QAction>
#include <QPointer>
#include <gtest/gtest.h>

#include "app/appcontrol.h"
#include "browser/browser.h"
#include "support/panefixture.h"

using namespace mira;

namespace {

class Panes : public test::PaneTest {
protected:
    const PaneList &panes() const { return module()->Panes(); }
};

} // namespace

TEST_F(Panes, KeepCreationOrderAndForgetAPaneThatGoes)
{
    start();
    QAction *actions = module()->Action("ActionsAction");
    EXPECT_FALSE(actions->isEnabled());
    TBrowser *a = newPane();
    auto *b = newPane();
    TBrowser *c = newPane();
    EXPECT_EQ(panes().List(), (QList<TBrowser *>{a, b, c}));
    EXPECT_TRUE(actions->isEnabled());

    delete b;
    EXPECT_EQ(panes().List(), (QList<TBrowser *>{a, c}));
    EXPECT_EQ(panes().IndexOf(c), 1);
    EXPECT_EQ(panes().IndexOf(form()), -1);

    delete a;
    delete c;
    EXPECT_TRUE(panes().IsEmpty());
    EXPECT_FALSE(actions->isEnabled());
}

TEST_F(Panes, AreListedOnceAndOnlyAsPanes)
{
    start();
    TBrowser *pane = newPane();
    module()->BrowserInserted(pane);
    QWidget other;
    module()->BrowserInserted(&other);
    module()->BrowserInserted(nullptr);
    EXPECT_EQ(panes().List(), QList<TBrowser *>{pane});
}

TEST_F(Panes, ACommandOnEveryPaneSkipsPanesThatWentMeanwhile)
{
    start();
    TBrowser *a = newPane();
    QPointer<TBrowser> b = newPane();
    TBrowser *c = newPane();
    QList<TBrowser *> visited;
    panes().ForEach([&](TBrowser &pane) {
        visited.append(&pane);
        if (&pane == a)
            delete b.data();
    });
    EXPECT_TRUE(b.isNull());
    EXPECT_EQ(visited, (QList<TBrowser *>{a, c}));
}
