// Program-wide browser commands on panes with the fake web control: Internet Options'
// target pane and the kept text size.
#include <QAction>
#include <gtest/gtest.h>

#include "browser/browser.h"
#include "layout/book.h"
#include "platform/fakewebcontrol.h"
#include "platform/webcontrol.h"
#include "platform/webengine.h"
#include "support/programfixture.h"
#include "support/testdata.h"
#include "support/wait.h"

using namespace mira;
using platform::FakeWebControl;

namespace {

class BrowserCommands : public test::ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        previous = platform::SetWebControlFactory(
            [](QWidget *parent) { return new FakeWebControl(parent); });
        // A pane on the left, and one on the first page of a book showing its second page.
        writeFile(QStringLiteral("Example.set"), test::crlf(test::testData("example.set")));
        start({QStringLiteral("Example")});
        ASSERT_EQ(module()->Panes().List().size(), 2);
        left = static_cast<TBrowser *>(module()->Panes().List().at(0));
        inBook = static_cast<TBrowser *>(module()->Panes().List().at(1));
        for (QWidget *w = inBook->parentWidget(); w && !book; w = w->parentWidget())
            book = qobject_cast<TBook *>(w);
        ASSERT_NE(book, nullptr);
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        platform::SetWebControlFactory(previous);
    }
    static FakeWebControl *fakeOf(TBrowser *pane)
    {
        return static_cast<FakeWebControl *>(pane->WebView->Control());
    }
    static bool askedForOptions(TBrowser *pane)
    {
        for (const FakeWebControl::Command &c : fakeOf(pane)->calls.commands)
            if (c.useGroup && c.command == platform::CGID_IWebBrowser_OPTIONS)
                return true;
        return false;
    }

    platform::WebControlFactory previous;
    TBrowser *left = nullptr;
    TBrowser *inBook = nullptr;
    TBook *book = nullptr;
};

} // namespace

TEST_F(BrowserCommands, InternetOptionsGoToTheFirstVisiblePane)
{
    form()->show();
    ASSERT_EQ(book->ActivePageIndex(), 1);
    EXPECT_EQ(module()->AllPanes().FirstVisibleBrowser(), 0);
    module()->Action("InternetOptionsAction")->trigger();
    EXPECT_TRUE(askedForOptions(left));
    EXPECT_FALSE(askedForOptions(inBook));
    // Without a document the pane loads about:blank first.
    EXPECT_EQ(fakeOf(left)->calls.navigations.first().address, QStringLiteral("about:blank"));
    EXPECT_EQ(book->ActivePageIndex(), 1);
    EXPECT_TRUE(modal.asked.isEmpty()); // no "not implemented yet"
}

TEST_F(BrowserCommands, WithNoVisiblePaneTheFirstPaneIsBroughtIntoView)
{
    form()->show();
    delete left;
    ASSERT_EQ(module()->Panes().List().size(), 1);
    EXPECT_EQ(module()->AllPanes().FirstVisibleBrowser(), -1); // its page is behind another
    module()->Action("InternetOptionsAction")->trigger();
    EXPECT_EQ(book->ActivePageIndex(), 0);
    EXPECT_TRUE(inBook->isVisible());
    EXPECT_TRUE(askedForOptions(inBook));
}

TEST_F(BrowserCommands, AHiddenWindowShowsNoPaneButTheFirstPaneStillAnswers)
{
    EXPECT_EQ(module()->AllPanes().FirstVisibleBrowser(), -1);
    module()->Action("InternetOptionsAction")->trigger();
    EXPECT_TRUE(askedForOptions(left));
}

TEST_F(BrowserCommands, TextSizeWithoutAnyDocumentIsKeptForLaterPages)
{
    ASSERT_FALSE(left->Commands().HasDocument());
    module()->Action("TextSizeSmallestAction")->trigger();
    EXPECT_TRUE(module()->Action("TextSizeSmallestAction")->isChecked());
    EXPECT_EQ(platform::engine::ZoomLevel(), 0);
    EXPECT_TRUE(modal.asked.isEmpty());
    module()->Action("TextSizeMediumAction")->trigger();
    EXPECT_EQ(platform::engine::ZoomLevel(), 2);
}
