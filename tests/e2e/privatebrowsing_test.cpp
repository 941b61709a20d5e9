// No Cache Nor History on the real engine: every pane browses off the record, so
// nothing reaches the engine's folders, and switching moves what the panes show.
#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <string>

#include "bookmarks/urlcombo.h"
#include "browser/browser.h"
#include "layout/align.h"
#include "platform/connectivity.h"
#include "platform/profiles.h"
#include "platform/qtwebcontrol.h"
#include "platform/webengine.h"
#include "support/httpserver.h"
#include "support/programfixture.h"
#include "support/wait.h"

using namespace mira;
using mira::test::HttpServer;
using mira::test::waitUntil;

namespace {

QByteArray page(const char *title)
{
    return QByteArray("<!DOCTYPE html><html><head><title>") + title + "</title></head><body>"
           + title + "</body></html>";
}

// Every file and folder under root with its size and time of change, a line each.
std::string listing(const QString &root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        entries << QStringLiteral("%1 %2 %3")
                       .arg(QDir(root).relativeFilePath(info.filePath()))
                       .arg(info.isDir() ? -1 : info.size())
                       .arg(info.lastModified().toMSecsSinceEpoch());
    }
    entries.sort();
    return entries.join(QLatin1Char('\n')).toStdString();
}

// Files under folder whose bytes contain text (cache entries hold their address).
bool anyFileContains(const QString &folder, const QByteArray &text)
{
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly) && f.readAll().contains(text))
            return true;
    }
    return false;
}

class PrivateBrowsingE2E : public test::ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        ASSERT_TRUE(server.start());
        for (const char *path : {"/a", "/b", "/p2", "/p3", "/p4"})
            server.serve(QString::fromLatin1(path), page(path + 1), "text/html",
                         {"Cache-Control: max-age=3600"});
        server.serve("/setcookie", page("Set"), "text/html",
                     {"Cache-Control: max-age=3600",
                      "Set-Cookie: kept=yes; Path=/; Max-Age=86400"});
        server.serve("/check", page("Check"));
        start();
        form()->resize(900, 600);
        form()->show();
        panes = {newPane(QRect(0, 0, 300, 500)), newPane(QRect(300, 0, 300, 500)),
                 newPane(QRect(600, 0, 300, 500))};
    }
    void TearDown() override
    {
        platform::SetConnectedState(true);
        platform::engine::SetZoomLevel(2);
        program.reset();
        platform::SetPrivateBrowsing(false);
        server.stop();
        ProgramTest::TearDown();
    }

    TBrowser *newPane(const QRect &geometry)
    {
        auto *pane = new TBrowser(form());
        PutInto(pane, form()->ClientArea());
        pane->setGeometry(geometry);
        pane->show();
        QObject::connect(pane->WebView->Control(), &platform::WebControl::progressChange, pane,
                         [this, pane](int progress, int) {
                             if (progress == -1)
                                 ++loads[pane];
                         });
        return pane;
    }
    QString url(const char *path) const { return server.url(QString::fromLatin1(path)).toString(); }
    // Runs start and waits until each of these panes has ended a load.
    bool loadAll(const QList<TBrowser *> &which, const std::function<void()> &start)
    {
        QHash<TBrowser *, int> before;
        for (TBrowser *pane : which)
            before[pane] = loads.value(pane);
        start();
        return waitUntil([&] {
            return std::all_of(which.begin(), which.end(),
                               [&](TBrowser *p) { return loads.value(p) > before.value(p); });
        });
    }
    bool go(TBrowser *pane, const char *path)
    {
        return loadAll({pane}, [&] { pane->WebView->NavigateTo(url(path)); });
    }
    void setMode(bool on)
    {
        on ? module()->SetProgramFlag(pfNoCache) : module()->SetProgramFlag(pfNoCache, false);
        module()->AllPanes().UpdateNoCache();
    }
    static platform::QtWebControl *control(TBrowser *pane)
    {
        return qobject_cast<platform::QtWebControl *>(pane->WebView->Control());
    }
    QByteArray cookieSent() const { return server.log().last().headers.value("cookie"); }
    // The listing once the engine has stopped writing (lazy writes of earlier work).
    static std::string settledListing(const QString &root)
    {
        std::string last = listing(root);
        for (int i = 0; i < 10; ++i) {
            waitUntil([] { return false; }, 1000);
            const std::string now = listing(root);
            if (now == last)
                break;
            last = now;
        }
        return last;
    }

    HttpServer server;
    QList<TBrowser *> panes;
    QHash<TBrowser *, int> loads;
};

} // namespace

TEST_F(PrivateBrowsingE2E, GoAllWritesNothingAndNoCookieOutlivesTheMode)
{
    const QString data = platform::engine::DataFolder();
    setMode(true);
    // Added as the design popup adds a pane: after the switch, never told of the mode.
    panes << newPane(QRect(0, 500, 900, 100));
    const char *paths[] = {"/setcookie", "/p2", "/p3", "/p4"};
    for (int i = 0; i < 4; ++i) {
        (void)panes[i]->URLs()->Add()->SetNameAndAddress(QStringLiteral("Page"), url(paths[i]));
        panes[i]->AddressCombo->setCurrentIndex(0);
    }
    const std::string before = settledListing(data);

    ASSERT_TRUE(loadAll(panes, [&] { module()->Action("GoAllAction")->trigger(); }));
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(control(panes[i])->isPrivatePage()) << i;
        EXPECT_EQ(panes[i]->WebView->LocationURL(), url(paths[i]));
    }
    for (const char *path : paths)
        EXPECT_EQ(server.count(QString::fromLatin1(path)), 1) << path;
    // The cookie is there for the private session...
    ASSERT_TRUE(go(panes[0], "/check"));
    EXPECT_TRUE(cookieSent().contains("kept=yes")) << cookieSent().toStdString();
    waitUntil([] { return false; }, 2000); // room for any late write
    EXPECT_EQ(listing(data), before);

    // ...and gone with it: the normal profile never had it, nor has a new private one.
    ASSERT_TRUE(loadAll(panes, [&] { setMode(false); }));
    for (TBrowser *pane : panes)
        EXPECT_FALSE(control(pane)->isPrivatePage());
    ASSERT_TRUE(go(panes[0], "/check"));
    EXPECT_FALSE(cookieSent().contains("kept=")) << cookieSent().toStdString();
    ASSERT_TRUE(loadAll(panes, [&] { setMode(true); }));
    ASSERT_TRUE(go(panes[0], "/check"));
    EXPECT_FALSE(cookieSent().contains("kept=")) << cookieSent().toStdString();

    // Without the mode the same loads do write: the comparison above can fail.
    ASSERT_TRUE(loadAll(panes, [&] { setMode(false); }));
    ASSERT_TRUE(go(panes[1], "/p3"));
    const QByteArray written = server.url("/p3").toEncoded();
    EXPECT_TRUE(waitUntil([&] { return anyFileContains(platform::engine::CacheFolder(), written); },
                          10000));
    EXPECT_NE(listing(data), before);
}

TEST_F(PrivateBrowsingE2E, SwitchingMovesShownPagesWithTheirHistoryAndTextSize)
{
    TBrowser *first = panes[0];
    TBrowser *blank = panes[1];
    TBrowser *resting = panes[2];
    ASSERT_TRUE(go(resting, "/p4"));
    resting->hide(); // as on a book page not shown
    resting->WebView->Control()->setResting(true);
    ASSERT_TRUE(resting->WebView->Control()->scripting()->evaluateScript("1").isNull()); // frozen
    ASSERT_TRUE(go(first, "/a"));
    ASSERT_TRUE(go(first, "/b"));
    first->WebView->Document().SetTextSize(4);
    EXPECT_FALSE(control(first)->isPrivatePage());
    const bool blankHadEngine = control(blank)->hasEngine();

    ASSERT_TRUE(loadAll({first, resting}, [&] { setMode(true); }));
    EXPECT_TRUE(control(first)->isPrivatePage());
    // The resting pane showed its page again and went back to rest.
    EXPECT_TRUE(control(resting)->isPrivatePage());
    EXPECT_EQ(server.count("/p4"), 2);
    EXPECT_TRUE(waitUntil(
        [&] { return resting->WebView->Control()->scripting()->evaluateScript("1").isNull(); },
        5000));
    EXPECT_EQ(first->WebView->LocationURL(), url("/b"));
    EXPECT_EQ(first->WebView->LocationName(), QStringLiteral("b"));
    EXPECT_EQ(server.count("/b"), 2); // shown again from the new profile
    EXPECT_DOUBLE_EQ(control(first)->zoomFactor(), 1.5);
    // A pane that has shown nothing gets its page at its first navigation.
    EXPECT_EQ(control(blank)->hasEngine(), blankHadEngine);
    ASSERT_TRUE(go(blank, "/p2"));
    EXPECT_TRUE(control(blank)->isPrivatePage());
    EXPECT_TRUE(control(blank)->isNoCachePage());

    // Offline Mode holds there too.
    platform::SetConnectedState(false);
    ASSERT_TRUE(go(blank, "/p3"));
    EXPECT_EQ(server.count("/p3"), 0);
    platform::SetConnectedState(true);

    // Back still leads where it did before the switch.
    ASSERT_TRUE(loadAll({first}, [&] { EXPECT_TRUE(first->WebView->GoBack()); }));
    EXPECT_EQ(first->WebView->LocationName(), QStringLiteral("a"));

    ASSERT_TRUE(loadAll({first, blank, resting}, [&] { setMode(false); }));
    EXPECT_FALSE(control(first)->isPrivatePage());
    EXPECT_FALSE(control(blank)->isPrivatePage());
    EXPECT_EQ(first->WebView->LocationName(), QStringLiteral("a"));
    EXPECT_DOUBLE_EQ(control(first)->zoomFactor(), 1.5);
}
