// Browser panes on the real engine, against pages of a local server.
#include <QEventLoop>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "bookmarks/urlcombo.h"
#include "browser/browser.h"
#include "layout/align.h"
#include "layout/book.h"
#include "platform/profiles.h"
#include "platform/qtwebcontrol.h"
#include "support/httpserver.h"
#include "support/programfixture.h"
#include "support/wait.h"

using namespace mira;
using mira::test::HttpServer;

namespace {

constexpr int timeoutMs = mira::test::kWaitTimeoutMs;
using mira::test::waitUntil;

QByteArray page(const char *title, const char *body)
{
    return QByteArray("<!DOCTYPE html><html><head><title>") + title + "</title></head><body>" + body
           + "</body></html>";
}

class PaneE2E : public test::ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        ASSERT_TRUE(server.start());
        server.serve("/a",
                     page("Page A", "<a id='blank' href='/b' target='_blank'>b</a>"
                                    "<button id='open' onclick=\"window.open('/c')\">c</button>"));
        server.serve("/b", page("Page B", "B"));
        server.serve("/c", page("Page C", "C"));
        server.serve("/scripted", page("Static", "<script>document.title='Ran'</script>"));
        server.serve("/long", page("Long", "<div style='width:3000px;height:3000px'>long</div>"));
        start();
        form()->resize(800, 600);
        form()->show();
        pane = new TBrowser(form());
        PutInto(pane, form()->ClientArea());
        pane->resize(700, 500);
        loads = 0;
        QObject::connect(pane->WebView->Control(), &platform::WebControl::progressChange, pane,
                         [this](int progress, int) {
                             if (progress == -1)
                                 ++loads;
                         });
    }
    void TearDown() override
    {
        program.reset();
        platform::SetPrivateBrowsing(false);
        server.stop();
        ProgramTest::TearDown();
    }
    QString url(const char *path) const { return server.url(QString::fromLatin1(path)).toString(); }
    QString location() const { return pane->WebView->LocationURL(); }
    bool loadedAt(const char *path, int count)
    {
        return waitUntil([&] { return loads >= count && location() == url(path); });
    }
    QVariant script(const QString &text)
    {
        return pane->WebView->Control()->scripting()->evaluateScript(text);
    }
    void addBookmark(const QString &name, const char *path)
    {
        (void)pane->URLs()->Add()->SetNameAndAddress(name, url(path));
    }

    HttpServer server;
    TBrowser *pane = nullptr;
    int loads = 0;
};

} // namespace

TEST_F(PaneE2E, GoesToABookmarkAndToATypedAddress)
{
    addBookmark(QStringLiteral("A"), "/a");
    addBookmark(QStringLiteral("B"), "/b");
    pane->AddressCombo->setCurrentIndex(1); // A
    pane->GoClick(pane->GoButton);
    ASSERT_TRUE(loadedAt("/a", 1));
    ASSERT_TRUE(waitUntil([&] { return pane->AddressCombo->itemText(0) == QLatin1String("A"); }));
    EXPECT_EQ(pane->AddressCombo->currentIndex(), 0);
    EXPECT_EQ(pane->AddressCombo->Hint(), QStringLiteral("Page A|") + url("/a"));

    pane->AddressCombo->lineEdit()->setText(url("/c"));
    QTest::keyClick(pane->AddressCombo, Qt::Key_Return);
    ASSERT_TRUE(loadedAt("/c", 2));
    EXPECT_EQ(pane->AddressCombo->currentIndex(), -1);
    EXPECT_EQ(pane->AddressCombo->currentText(), url("/c"));
}

TEST_F(PaneE2E, NewWindowsOfLinksAndScriptsLoadInTheSamePane)
{
    auto *control = qobject_cast<platform::QtWebControl *>(pane->WebView->Control());
    ASSERT_NE(control, nullptr);
    pane->Commands().SetNoCache(true);
    platform::SetPrivateBrowsing(true);
    pane->WebView->NavigateTo(url("/a"));
    ASSERT_TRUE(loadedAt("/a", 1));
    EXPECT_TRUE(control->isNoCachePage());
    script(QStringLiteral("document.getElementById('blank').click()"));
    ASSERT_TRUE(loadedAt("/b", 2));
    EXPECT_FALSE(control->isNoCachePage()); // a caught window goes without the flags
    EXPECT_TRUE(control->isPrivatePage());  // but in the private profile all the same
    platform::SetPrivateBrowsing(false);
    ASSERT_TRUE(loadedAt("/b", 3));
    EXPECT_FALSE(control->isPrivatePage());

    pane->WebView->NavigateTo(url("/a"));
    ASSERT_TRUE(loadedAt("/a", 4));
    script(QStringLiteral("window.open('/c')"));
    ASSERT_TRUE(loadedAt("/c", 5));
    EXPECT_EQ(module()->NewWindows().RedirectTarget(), nullptr);
}

TEST_F(PaneE2E, APageClosingItsWindowLeavesThePane)
{
    pane->WebView->NavigateTo(url("/a"));
    ASSERT_TRUE(loadedAt("/a", 1));
    bool asked = false;
    QObject::connect(pane->WebView->Control(), &platform::WebControl::windowCloseRequested, pane,
                     [&asked] { asked = true; });
    script(QStringLiteral("window.close()"));
    ASSERT_TRUE(waitUntil([&] { return asked; }));
    QTest::qWait(50);
    EXPECT_TRUE(pane->WebView->isVisible());
    EXPECT_EQ(location(), url("/a"));
}

TEST_F(PaneE2E, ABookmarksScrollPositionAndHiddenScrollBarsApplyAfterTheLoad)
{
    addBookmark(QStringLiteral("Long"), "/long");
    TURL *bookmark = pane->URLs()->Items(0);
    bookmark->SetScrollX(120);
    bookmark->SetScrollY(340);
    pane->AddressCombo->setCurrentIndex(0);
    pane->GoClick(pane->GoButton);
    ASSERT_TRUE(loadedAt("/long", 1));
    EXPECT_EQ(script(QStringLiteral("window.scrollX")).toInt(), 120);
    EXPECT_EQ(script(QStringLiteral("window.scrollY")).toInt(), 340);
    EXPECT_EQ(PageBody(pane->WebView).ScrollTop(), 340);

    bookmark->SetNoScroll(true);
    pane->RefreshClick(pane->RefreshButton);
    ASSERT_TRUE(loadedAt("/long", 2));
    EXPECT_EQ(PageBody(pane->WebView).Scroll(), QStringLiteral("no"));
}

TEST_F(PaneE2E, APaneMakesItsEnginePageAtItsFirstNavigationWithWhatWasSetBefore)
{
    auto *control = qobject_cast<platform::QtWebControl *>(pane->WebView->Control());
    ASSERT_NE(control, nullptr);
    // A pane on a book page never shown, beside the shown one.
    auto *book = new TBook(form());
    PutInto(book, form()->ClientArea());
    book->AddPage(new TPage(form()));
    book->AddPage(new TPage(form()));
    auto *hidden = new TBrowser(form());
    PutInto(hidden, book->Page(1));
    QTest::qWait(100);
    EXPECT_TRUE(pane->WebView->isVisible());
    EXPECT_FALSE(control->hasEngine());
    EXPECT_FALSE(qobject_cast<platform::QtWebControl *>(hidden->WebView->Control())->hasEngine());
    EXPECT_EQ(pane->WebView->LocationURL(), QString());
    EXPECT_FALSE(pane->WebView->GoBack());
    EXPECT_FALSE(pane->WebView->Refresh());

    // Settings made before the page exists hold once it does.
    pane->WebView->SetSilent(true);
    pane->WebView->SetDownloadOptions({TDownloadControlOption::DLCTL_NO_SCRIPTS});
    pane->WebView->NavigateTo(url("/scripted"));
    EXPECT_TRUE(control->hasEngine());
    ASSERT_TRUE(loadedAt("/scripted", 1));
    EXPECT_EQ(pane->WebView->LocationName(), QStringLiteral("Static"));
    EXPECT_TRUE(pane->WebView->Silent());
    EXPECT_FALSE(qobject_cast<platform::QtWebControl *>(hidden->WebView->Control())->hasEngine());
}
