#include <QList>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <utility>

#include "browser/mwebbrowser.h"
#include "browser/webdocument.h"
#include "platform/fakewebcontrol.h"
#include "support/webviewfixture.h"

using namespace mira;
using namespace mira::platform;

namespace {

class WebDocumentTest : public test::WebViewTest {
protected:
    WebDocument &document() { return browser->Document(); }
};

} // namespace

TEST_F(WebDocumentTest, TextSizeIsClampedToTheRange)
{
    giveDocument();
    document().SetTextSize(7);
    EXPECT_EQ(fake->state.zoomLevel, 4);
    document().SetTextSize(-1);
    EXPECT_EQ(fake->state.zoomLevel, 0);
    document().SetTextSize(3);
    EXPECT_EQ(fake->state.zoomLevel, 3);
    EXPECT_EQ(document().GetTextSize(), 3);

    fake->state.zoomMin = 1;
    fake->state.zoomMax = 3;
    EXPECT_EQ(document().TextSizeMin(), 1);
    EXPECT_EQ(document().TextSizeMax(), 3);
    document().SetTextSize(0);
    EXPECT_EQ(fake->state.zoomLevel, 1);
    ASSERT_FALSE(fake->calls.commands.isEmpty());
    EXPECT_EQ(fake->calls.commands.last().command, OLECMDID_ZOOM);
    EXPECT_EQ(fake->calls.commands.last().option, OLECMDEXECOPT_DONTPROMPTUSER);
    EXPECT_EQ(fake->calls.commands.last().in.toInt(), 1);
}

TEST_F(WebDocumentTest, CommandsWithoutDocumentDoNothing)
{
    document().SetTextSize(3);
    document().ShowFind();
    document().SaveDocumentAs();
    document().PrintDocument();
    document().PrintWithDialog();
    document().PrintPreview();
    document().PageSetup();
    EXPECT_EQ(document().TextSizeMin(), 0);
    EXPECT_EQ(document().TextSizeMax(), 0);
    EXPECT_TRUE(fake->calls.commands.isEmpty());
    EXPECT_TRUE(fake->calls.navigations.isEmpty());
    EXPECT_EQ(fake->state.zoomLevel, 2);
}

TEST_F(WebDocumentTest, GetTextSizeLoadsBlankFirst)
{
    fake->state.zoomLevel = 1;
    EXPECT_EQ(document().GetTextSize(), 1);
    ASSERT_EQ(fake->calls.navigations.size(), 1);
    EXPECT_EQ(fake->calls.navigations[0].address, QStringLiteral("about:blank"));
    ASSERT_EQ(fake->calls.commands.size(), 1);
    EXPECT_EQ(fake->calls.commands[0].command, OLECMDID_ZOOM);
    EXPECT_TRUE(fake->calls.commands[0].in.isNull());
}

TEST_F(WebDocumentTest, OpenAndInternetOptionsLoadBlankFirst)
{
    document().OpenDocument();
    ASSERT_EQ(fake->calls.navigations.size(), 1);
    ASSERT_EQ(fake->calls.commands.size(), 1);
    EXPECT_FALSE(fake->calls.commands[0].useGroup);
    EXPECT_EQ(fake->calls.commands[0].command, OLECMDID_OPEN);
    EXPECT_EQ(fake->calls.commands[0].option, OLECMDEXECOPT_DODEFAULT);

    document().ShowInternetOptions();
    EXPECT_EQ(fake->calls.navigations.size(), 1); // it has a document now
    ASSERT_EQ(fake->calls.commands.size(), 2);
    EXPECT_TRUE(fake->calls.commands[1].useGroup);
    EXPECT_EQ(fake->calls.commands[1].command, CGID_IWebBrowser_OPTIONS);
}

TEST_F(WebDocumentTest, DocumentCommandsPassTheirCommandAndOption)
{
    giveDocument();
    document().ShowFind();
    document().SaveDocumentAs();
    document().PageSetup();
    document().PrintWithDialog();
    document().PrintDocument();
    document().PrintPreview();
    const QList<std::pair<int, int>> expected = {{CGID_IWebBrowser_FIND, 0},
                                                 {OLECMDID_SAVEAS, 0},
                                                 {OLECMDID_PAGESETUP, 0},
                                                 {OLECMDID_PRINT, 1},
                                                 {OLECMDID_PRINT, 2},
                                                 {OLECMDID_PRINTPREVIEW, 0}};
    ASSERT_EQ(fake->calls.commands.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(fake->calls.commands[i].useGroup, i == 0) << i;
        EXPECT_EQ(fake->calls.commands[i].command, expected[i].first) << i;
        EXPECT_EQ(fake->calls.commands[i].option, expected[i].second) << i;
    }
}

TEST_F(WebDocumentTest, PageSetupExchangeKeepsNothingAndPrintingStillRuns)
{
    giveDocument();
    WebDocument::ExchangePageSetupValue(QStringLiteral("header"), QStringLiteral("engine's"),
                                        nullptr);
    QString old = QStringLiteral("untouched");
    WebDocument::ExchangePageSetupValue(QStringLiteral("header"), QStringLiteral("x"), &old);
    EXPECT_EQ(old, QString());
    document().SetPrintHeader(QStringLiteral("ours"));
    document().PrintDocument();
    ASSERT_EQ(fake->calls.commands.size(), 1);
    EXPECT_EQ(fake->calls.commands[0].command, OLECMDID_PRINT);
}

TEST_F(WebDocumentTest, CommandsThatLoadBlankFirstSurviveTheViewGoingAway)
{
    const QList<std::pair<const char *, std::function<void(WebDocument &)>>> commands = {
        {"open", [](WebDocument &d) { d.OpenDocument(); }},
        {"internet options", [](WebDocument &d) { d.ShowInternetOptions(); }},
        {"text size", [](WebDocument &d) { (void)d.GetTextSize(); }},
    };
    for (const auto &[name, run] : commands) {
        // The view goes while about:blank is awaited; the command must not touch it after.
        auto *view = new TMWebBrowser(owner.get());
        fake->state.completeNavigations = false;
        const QPointer<TMWebBrowser> watch(view);
        QTimer::singleShot(0, view, [view] { delete view; });
        run(view->Document());
        EXPECT_TRUE(watch.isNull()) << name; // it went during the command
    }
}
