#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

#include "browser/mwebbrowser.h"
#include "platform/fakewebcontrol.h"

using namespace mira;
using namespace mira::platform;

namespace {

// Every web view made during a test gets a fake; the last one made is at hand.
class WebBrowserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous = SetWebControlFactory([this](QWidget *parent) {
            fake = new FakeWebControl(parent);
            return fake;
        });
        owner = std::make_unique<QWidget>();
        browser = std::make_unique<TMWebBrowser>(owner.get());
        ASSERT_NE(fake, nullptr);
    }
    void TearDown() override
    {
        browser.reset();
        owner.reset();
        SetWebControlFactory(previous);
    }
    void giveDocument()
    {
        fake->state.document = true;
        fake->state.ready = READYSTATE_COMPLETE;
    }

    WebControlFactory previous;
    FakeWebControl *fake = nullptr;
    std::unique_ptr<QWidget> owner; // a child widget's close only hides it
    std::unique_ptr<TMWebBrowser> browser;
};

} // namespace

TEST(DownloadControlFlags, MembersMapToTheEngineConstants)
{
    using O = TDownloadControlOption;
    EXPECT_EQ(DownloadControlFlags({}), 0u);
    EXPECT_EQ(DownloadControlFlags({O::DLCTL_DLIMAGES, O::DLCTL_VIDEOS, O::DLCTL_BGSOUNDS}), 0x70u);
    EXPECT_EQ(DownloadControlFlags({O::DLCTL_NO_SCRIPTS}), 0x80u);
    EXPECT_EQ(DownloadControlFlags({O::DLCTL_URL_ENCODING_ENABLE_UTF8}), 0x40000u);
    // The last four jump to the top bits.
    EXPECT_EQ(DownloadControlFlags({O::DLCTL_FORCEOFFLINE}), 0x10000000u);
    EXPECT_EQ(DownloadControlFlags({O::DLCTL_NO_CLIENTPULL}), 0x20000000u);
    EXPECT_EQ(DownloadControlFlags({O::DLCTL_SILENT}), 0x40000000u);
    EXPECT_EQ(DownloadControlFlags({O::DLCTL_OFFLINE}), 0x80000000u);
}

TEST(UserInterfaceFlags, MemberNIsBitN)
{
    using O = TUserInterfaceOption;
    EXPECT_EQ(UserInterfaceFlags({}), 0u);
    EXPECT_EQ(UserInterfaceFlags({O::DIALOG, O::SCROLL_NO}), 0x9u);
    EXPECT_EQ(UserInterfaceFlags({O::ENABLE_FORMS_AUTOCOMPLETE}), 0x4000u);
}

TEST_F(WebBrowserTest, NewViewReportsDefaultFlagsToTheControl)
{
    QVariant result;
    EXPECT_TRUE(browser->Invoke(DISPID_AMBIENT_DLCONTROL, DISPATCH_PROPERTYGET, &result));
    EXPECT_EQ(result.toUInt(), 0x70u);
    EXPECT_EQ(fake->downloadFlags(), 0x70u);

    DocHostInfo info;
    info.hostCss = QStringLiteral("kept");
    EXPECT_TRUE(browser->GetHostInfo(info));
    EXPECT_EQ(info.cbSize, 20u);
    EXPECT_EQ(info.dwFlags, 0u);
    EXPECT_EQ(info.dwDoubleClick, 0u);
    EXPECT_EQ(info.hostCss, QStringLiteral("kept"));
    EXPECT_EQ(browser->NavigateFlags().toInt(), 0);
}

TEST_F(WebBrowserTest, DownloadFlagsAnswerComesBeforeTheInvokeEvent)
{
    int events = 0;
    browser->OnInvoke = [&events](int, int, QVariant *result) {
        ++events;
        if (result)
            *result = 99;
        return true;
    };
    QVariant result;
    EXPECT_TRUE(browser->Invoke(DISPID_AMBIENT_DLCONTROL, DISPATCH_PROPERTYGET, &result));
    EXPECT_EQ(result.toUInt(), 0x70u);
    EXPECT_EQ(events, 0);
    // Other properties, or a put, go to the event.
    EXPECT_TRUE(browser->Invoke(-5501, DISPATCH_PROPERTYGET, &result));
    EXPECT_EQ(events, 1);
    browser->OnInvoke = nullptr;
    EXPECT_FALSE(browser->Invoke(-5501, DISPATCH_PROPERTYGET, &result));
}

TEST_F(WebBrowserTest, ChangedOptionsReachTheControlAtOnce)
{
    using O = TDownloadControlOption;
    browser->SetDownloadOptions({O::DLCTL_NO_SCRIPTS, O::DLCTL_SILENT});
    EXPECT_EQ(browser->DownloadFlags(), 0x40000080u);
    EXPECT_EQ(fake->calls.ambientChanges, QList<int>{DISPID_AMBIENT_DLCONTROL});
    EXPECT_EQ(fake->downloadFlags(), 0x40000080u);

    browser->SetUserInterfaceOptions({TUserInterfaceOption::SCROLL_NO});
    EXPECT_EQ(browser->HostFlags(), 0x8u);
    DocHostInfo info;
    browser->GetHostInfo(info);
    EXPECT_EQ(info.dwFlags, 0x8u);
}

TEST_F(WebBrowserTest, HostInfoEventSeesTheFilledStructure)
{
    browser->OnGetHostInfo = [](DocHostInfo &info) {
        EXPECT_EQ(info.cbSize, 20u);
        info.dwDoubleClick = 2;
        return false;
    };
    DocHostInfo info;
    EXPECT_FALSE(browser->GetHostInfo(info));
    EXPECT_EQ(info.dwDoubleClick, 2u);
}

TEST_F(WebBrowserTest, NoCacheFlagsApplyToLaterNavigationsOnly)
{
    browser->NavigateTo(QStringLiteral("http://a.example/"));
    browser->SetNoCache(true);
    EXPECT_EQ(browser->NavigateFlags().toInt(), 14);
    browser->NavigateTo(QStringLiteral("http://b.example/"));
    browser->SetNoCache(false);
    browser->NavigateTo(QStringLiteral("http://c.example/"));
    ASSERT_EQ(fake->calls.navigations.size(), 3);
    EXPECT_EQ(fake->calls.navigations[0].flags, 0);
    EXPECT_EQ(fake->calls.navigations[1].address, QStringLiteral("http://b.example/"));
    EXPECT_EQ(fake->calls.navigations[1].flags, 14);
    EXPECT_EQ(fake->calls.navigations[2].flags, 0);
}

TEST_F(WebBrowserTest, TextSizeIsClampedToTheRange)
{
    giveDocument();
    browser->SetTextSize(7);
    EXPECT_EQ(fake->state.zoomLevel, 4);
    browser->SetTextSize(-1);
    EXPECT_EQ(fake->state.zoomLevel, 0);
    browser->SetTextSize(3);
    EXPECT_EQ(fake->state.zoomLevel, 3);
    EXPECT_EQ(browser->GetTextSize(), 3);

    fake->state.zoomMin = 1;
    fake->state.zoomMax = 3;
    EXPECT_EQ(browser->TextSizeMin(), 1);
    EXPECT_EQ(browser->TextSizeMax(), 3);
    browser->SetTextSize(0);
    EXPECT_EQ(fake->state.zoomLevel, 1);
    ASSERT_FALSE(fake->calls.commands.isEmpty());
    EXPECT_EQ(fake->calls.commands.last().command, OLECMDID_ZOOM);
    EXPECT_EQ(fake->calls.commands.last().option, OLECMDEXECOPT_DONTPROMPTUSER);
    EXPECT_EQ(fake->calls.commands.last().in.toInt(), 1);
}

TEST_F(WebBrowserTest, CommandsWithoutDocumentDoNothing)
{
    browser->SetTextSize(3);
    browser->ShowFind();
    browser->SaveDocumentAs();
    browser->PrintDocument();
    browser->PrintWithDialog();
    browser->PrintPreview();
    browser->PageSetup();
    EXPECT_EQ(browser->TextSizeMin(), 0);
    EXPECT_EQ(browser->TextSizeMax(), 0);
    EXPECT_TRUE(fake->calls.commands.isEmpty());
    EXPECT_TRUE(fake->calls.navigations.isEmpty());
    EXPECT_EQ(fake->state.zoomLevel, 2);
}

TEST_F(WebBrowserTest, GetTextSizeLoadsBlankFirst)
{
    fake->state.zoomLevel = 1;
    EXPECT_EQ(browser->GetTextSize(), 1);
    ASSERT_EQ(fake->calls.navigations.size(), 1);
    EXPECT_EQ(fake->calls.navigations[0].address, QStringLiteral("about:blank"));
    ASSERT_EQ(fake->calls.commands.size(), 1);
    EXPECT_EQ(fake->calls.commands[0].command, OLECMDID_ZOOM);
    EXPECT_TRUE(fake->calls.commands[0].in.isNull());
}

TEST_F(WebBrowserTest, OpenAndInternetOptionsLoadBlankFirst)
{
    browser->OpenDocument();
    ASSERT_EQ(fake->calls.navigations.size(), 1);
    ASSERT_EQ(fake->calls.commands.size(), 1);
    EXPECT_FALSE(fake->calls.commands[0].useGroup);
    EXPECT_EQ(fake->calls.commands[0].command, OLECMDID_OPEN);
    EXPECT_EQ(fake->calls.commands[0].option, OLECMDEXECOPT_DODEFAULT);

    browser->ShowInternetOptions();
    EXPECT_EQ(fake->calls.navigations.size(), 1); // it has a document now
    ASSERT_EQ(fake->calls.commands.size(), 2);
    EXPECT_TRUE(fake->calls.commands[1].useGroup);
    EXPECT_EQ(fake->calls.commands[1].command, CGID_IWebBrowser_OPTIONS);
}

TEST_F(WebBrowserTest, DocumentCommandsPassTheirCommandAndOption)
{
    giveDocument();
    browser->ShowFind();
    browser->SaveDocumentAs();
    browser->PageSetup();
    browser->PrintWithDialog();
    browser->PrintDocument();
    browser->PrintPreview();
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

TEST_F(WebBrowserTest, PageSetupExchangeKeepsNothingAndPrintingStillRuns)
{
    giveDocument();
    TMWebBrowser::ExchangePageSetupValue(QStringLiteral("header"), QStringLiteral("engine's"),
                                         nullptr);
    QString old = QStringLiteral("untouched");
    TMWebBrowser::ExchangePageSetupValue(QStringLiteral("header"), QStringLiteral("x"), &old);
    EXPECT_EQ(old, QString());
    browser->SetPrintHeader(QStringLiteral("ours"));
    browser->PrintDocument();
    ASSERT_EQ(fake->calls.commands.size(), 1);
    EXPECT_EQ(fake->calls.commands[0].command, OLECMDID_PRINT);
}

TEST_F(WebBrowserTest, NavigateBlankGivesUpOnAStuckEngine)
{
    fake->state.completeNavigations = false;
    browser->NavigateBlankTimeoutMs = 200;
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(browser->GetTextSize(), 0);
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_TRUE(fake->calls.commands.isEmpty());
}

TEST_F(WebBrowserTest, NavigateBlankSurvivesTheViewGoingAway)
{
    fake->state.completeNavigations = false;
    TMWebBrowser *raw = browser.release();
    QTimer::singleShot(0, raw, [raw] { delete raw; });
    EXPECT_EQ(raw->GetTextSize(), 0);
}

TEST_F(WebBrowserTest, CloseRequestIsDroppedWhileTheOwnerLives)
{
    int asked = 0;
    browser->OnCloseQuery = [&asked](QObject *, bool &canClose) {
        ++asked;
        canClose = false;
    };
    owner->show();
    fake->script().emitCloseRequest();
    QCoreApplication::processEvents();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(browser->isVisible());

    browser->SetOwnerDestroying(true);
    fake->script().emitCloseRequest();
    QCoreApplication::processEvents();
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(browser->isVisible());
}

TEST_F(WebBrowserTest, CloseRequestWithoutHandlerCloses)
{
    owner->show();
    int closed = 0;
    QObject::connect(browser.get(), &TMWebBrowser::Closed, browser.get(), [&closed] { ++closed; });
    fake->script().emitCloseRequest();
    QCoreApplication::processEvents();
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(browser->isVisible());
}

TEST_F(WebBrowserTest, EventsReachTheHandlers)
{
    QStringList seen;
    browser->OnStatusTextChange = [&seen](const QString &t) { seen << "status " + t; };
    browser->OnTitleChange = [&seen](const QString &t) { seen << "title " + t; };
    browser->OnProgressChange = [&seen](int p, int m) {
        seen << QStringLiteral("progress %1/%2").arg(p).arg(m);
    };
    browser->OnBeforeNavigate2 = [&seen](const QString &a, bool &cancel) {
        seen << "before " + a;
        cancel = a.contains("blocked");
    };
    fake->script().emitStatusText("Opening");
    fake->script().emitTitle("T");
    fake->script().emitProgress(-1, 100);
    EXPECT_FALSE(fake->script().emitBeforeNavigate("http://ok/"));
    EXPECT_TRUE(fake->script().emitBeforeNavigate("http://blocked/"));
    EXPECT_EQ(seen, QStringList({"status Opening", "title T", "progress -1/100",
                                 "before http://ok/", "before http://blocked/"}));
}

TEST_F(WebBrowserTest, NewWindowGoesWhereTheHandlerSays)
{
    EXPECT_EQ(fake->script().emitNewWindow(), nullptr); // nobody handles it: discarded
    FakeWebControl catcher;
    browser->OnNewWindow2 = [&catcher](WebControl *&target, bool &) { target = &catcher; };
    EXPECT_EQ(fake->script().emitNewWindow(), &catcher);
    browser->OnNewWindow2 = [](WebControl *&, bool &cancel) { cancel = true; };
    bool cancelled = false;
    EXPECT_EQ(fake->script().emitNewWindow(&cancelled), nullptr);
    EXPECT_TRUE(cancelled);
}

TEST_F(WebBrowserTest, MessagesGoToTheHandlerOrBackToTheEngine)
{
    WebMessage message{"Hello", "Web Page Message", MB_OKCANCEL, false, {}, IDCANCEL};
    EXPECT_FALSE(fake->script().askShowMessage(message));
    browser->OnShowMessage = [](WebMessage &m) {
        m.result = IDOK;
        return true;
    };
    EXPECT_TRUE(fake->script().askShowMessage(message));
    EXPECT_EQ(message.result, IDOK);
}

TEST_F(WebBrowserTest, PassThroughsReportTheControlsAnswers)
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
