#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

#include "browser/mwebbrowser.h"
#include "platform/fakewebcontrol.h"
#include "support/webviewfixture.h"

using namespace mira;
using namespace mira::platform;

namespace {

class WebBrowserTest : public test::WebViewTest {
protected:
    // The host answers are the control's to ask.
    platform::WebControlHost &host() { return *browser; }
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
    EXPECT_TRUE(host().Invoke(DISPID_AMBIENT_DLCONTROL, DISPATCH_PROPERTYGET, &result));
    EXPECT_EQ(result.toUInt(), 0x70u);
    EXPECT_EQ(fake->downloadFlags(), 0x70u);

    DocHostInfo info;
    info.hostCss = QStringLiteral("kept");
    EXPECT_TRUE(host().GetHostInfo(info));
    EXPECT_EQ(info.cbSize, 20u);
    EXPECT_EQ(info.dwFlags, 0u);
    EXPECT_EQ(info.dwDoubleClick, 0u);
    EXPECT_EQ(info.hostCss, QStringLiteral("kept"));
    EXPECT_EQ(browser->NavigateFlags().toInt(), 0);
}

TEST_F(WebBrowserTest, DownloadFlagsAnswerComesBeforeTheInvokeEvent)
{
    int events = 0;
    browser->events.OnInvoke = [&events](int, int, QVariant *result) {
        ++events;
        if (result)
            *result = 99;
        return true;
    };
    QVariant result;
    EXPECT_TRUE(host().Invoke(DISPID_AMBIENT_DLCONTROL, DISPATCH_PROPERTYGET, &result));
    EXPECT_EQ(result.toUInt(), 0x70u);
    EXPECT_EQ(events, 0);
    // Other properties, or a put, go to the event.
    EXPECT_TRUE(host().Invoke(-5501, DISPATCH_PROPERTYGET, &result));
    EXPECT_EQ(events, 1);
    browser->events.OnInvoke = nullptr;
    EXPECT_FALSE(host().Invoke(-5501, DISPATCH_PROPERTYGET, &result));
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
    host().GetHostInfo(info);
    EXPECT_EQ(info.dwFlags, 0x8u);
}

TEST_F(WebBrowserTest, HostInfoEventSeesTheFilledStructure)
{
    browser->events.OnGetHostInfo = [](DocHostInfo &info) {
        EXPECT_EQ(info.cbSize, 20u);
        info.dwDoubleClick = 2;
        return false;
    };
    DocHostInfo info;
    EXPECT_FALSE(host().GetHostInfo(info));
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

TEST_F(WebBrowserTest, NavigateBlankGivesUpOnAStuckEngine)
{
    fake->state.completeNavigations = false;
    browser->NavigateBlankTimeoutMs = 200;
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(browser->Document().GetTextSize(), 0);
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_TRUE(fake->calls.commands.isEmpty());
}

TEST_F(WebBrowserTest, NavigateBlankSurvivesTheViewGoingAway)
{
    fake->state.completeNavigations = false;
    TMWebBrowser *raw = browser.release();
    QTimer::singleShot(0, raw, [raw] { delete raw; });
    EXPECT_EQ(raw->Document().GetTextSize(), 0);
}

TEST_F(WebBrowserTest, CloseRequestIsDroppedWhileTheOwnerLives)
{
    int asked = 0;
    browser->events.OnCloseQuery = [&asked](QObject *, bool &canClose) {
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
    browser->events.OnStatusTextChange = [&seen](const QString &t) { seen << "status " + t; };
    browser->events.OnTitleChange = [&seen](const QString &t) { seen << "title " + t; };
    browser->events.OnProgressChange = [&seen](int p, int m) {
        seen << QStringLiteral("progress %1/%2").arg(p).arg(m);
    };
    browser->events.OnBeforeNavigate2 = [&seen](const QString &a, bool &cancel) {
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
    browser->events.OnNewWindow2 = [&catcher](WebControl *&target, bool &) { target = &catcher; };
    EXPECT_EQ(fake->script().emitNewWindow(), &catcher);
    browser->events.OnNewWindow2 = [](WebControl *&, bool &cancel) { cancel = true; };
    bool cancelled = false;
    EXPECT_EQ(fake->script().emitNewWindow(&cancelled), nullptr);
    EXPECT_TRUE(cancelled);
}

TEST_F(WebBrowserTest, MessagesGoToTheHandlerOrBackToTheEngine)
{
    WebMessage message{"Hello", "Web Page Message", MB_OKCANCEL, false, {}, IDCANCEL};
    EXPECT_FALSE(fake->script().askShowMessage(message));
    browser->events.OnShowMessage = [](WebMessage &m) {
        m.result = IDOK;
        return true;
    };
    EXPECT_TRUE(fake->script().askShowMessage(message));
    EXPECT_EQ(message.result, IDOK);
}
