#include <QList>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include "browser/mwebbrowser.h"
#include "browser/webbrowser.h"
#include "platform/fakewebcontrol.h"
#include "support/webviewfixture.h"

using namespace mira;
using namespace mira::platform;

namespace {

using TWebBrowserTest = test::WebViewTest;

} // namespace

TEST_F(TWebBrowserTest, PassThroughsReportTheControlsAnswers)
{
    EXPECT_FALSE(browser->HasDocument());
    EXPECT_FALSE(browser->GoBack());
    EXPECT_FALSE(browser->Stop());
    EXPECT_FALSE(browser->Refresh());
    fake->state.history = QStringList{"http://a/", "http://b/"};
    fake->state.historyIndex = 0;
    EXPECT_TRUE(browser->GoForward());
    browser->SetSilent(true);
    EXPECT_TRUE(browser->Silent());
    EXPECT_EQ(fake->calls.silentWrites, QList<bool>{true});
    fake->state.location = "http://x/";
    fake->state.title = "X";
    EXPECT_EQ(browser->LocationURL(), QStringLiteral("http://x/"));
    EXPECT_EQ(browser->LocationName(), QStringLiteral("X"));
}

TEST_F(TWebBrowserTest, WithoutItsControlTheViewAnswersAsWithoutADocument)
{
    giveDocument();
    fake->state.location = "http://x/";
    delete browser->Control();
    ASSERT_EQ(browser->Control(), nullptr);
    EXPECT_FALSE(browser->HasDocument());
    EXPECT_EQ(browser->LocationURL(), QString());
    EXPECT_EQ(browser->LocationName(), QString());
    EXPECT_EQ(browser->ReadyState(), READYSTATE_UNINITIALIZED);
    EXPECT_FALSE(browser->GoBack());
    EXPECT_FALSE(browser->GoForward());
    EXPECT_FALSE(browser->Stop());
    EXPECT_FALSE(browser->Refresh());
    browser->SetSilent(true);
    EXPECT_FALSE(browser->Silent());
    // What the pane's web view adds on top does nothing either.
    browser->NavigateTo(QStringLiteral("http://y/"));
    browser->NotifyDownloadControl();
    browser->Document().PrintDocument();
    EXPECT_EQ(browser->Document().TextSizeMax(), 0);
}
