// A wall that keeps showing, on the real engine: kept copies of the bookmarked pages,
// panes that stay on their last good page while the server is away and clear by
// themselves when it is back, and Offline Mode browsing the copies.
#include <QFile>
#include <QToolButton>
#include <gtest/gtest.h>

#include "app/appcontrol.h"
#include "bookmarks/urls.h"
#include "browser/browser.h"
#include "browser/stalepane.h"
#include "platform/connectivity.h"
#include "platform/pagecopies.h"
#include "platform/qtwebcontrol.h"
#include "support/httpserver.h"
#include "support/programfixture.h"
#include "support/wait.h"

using namespace mira;
using platform::PageCopies;

namespace {

// Panes side by side, one bookmark each; Go All runs when the set opens.
QByteArray wallSet(const QStringList &addresses)
{
    QByteArray t = "object TBaseForm\r\n  Tag = 256\r\n  Left = 0\r\n  Top = 0\r\n"
                   "  Width = 1000\r\n  Height = 500\r\n  PixelsPerInch = 96\r\n"
                   "  TextHeight = 13\r\n  object TPan\r\n    Left = 0\r\n    Top = 0\r\n"
                   "    Width = 992\r\n    Height = 435\r\n    Align = alClient\r\n";
    int n = 0;
    for (const QString &address : addresses) {
        const bool last = ++n == addresses.size();
        t += "    object TBrowser\r\n      Left = 0\r\n      Top = 0\r\n      Width = 240\r\n"
             "      Height = 435\r\n      Align = "
             + QByteArray(last ? "alClient" : "alLeft") + "\r\n      URLs = <\r\n        item\r\n"
             + "          Name = 'Pane " + QByteArray::number(n) + "'\r\n          Address = '"
             + address.toUtf8() + "'\r\n        end>\r\n    end\r\n";
    }
    t += "  end\r\nend\r\n";
    return t;
}

QByteArray page(const QString &title)
{
    return "<!DOCTYPE html><html><head><title>" + title.toUtf8() + "</title></head><body><h1>"
           + title.toUtf8() + " headline</h1></body></html>";
}

class KeptCopies : public test::ProgramTest {
protected:
    void TearDown() override
    {
        platform::SetConnectedState(true);
        ProgramTest::TearDown();
    }

    // The pane whose bookmark is address.
    TBrowser *pane(const QString &address) const
    {
        for (TBrowser *p : form()->findChildren<TBrowser *>())
            if (p->URLs()->Count() > 0 && p->URLs()->Items(0)->Address() == address)
                return p;
        return nullptr;
    }

    static QString text(TBrowser *pane)
    {
        auto *control = qobject_cast<platform::QtWebControl *>(pane->WebView->Control());
        return control ? control->pageText() : QString();
    }

    static bool hasCopy(const QString &address)
    {
        return PageCopies::Shared().find(address).has_value();
    }
};

} // namespace

TEST_F(KeptCopies, AWallKeepsShowingWhileItsServerIsAwayAndClearsWhenItIsBack)
{
    test::HttpServer server;
    ASSERT_TRUE(server.start());
    const QStringList names = {QStringLiteral("Alpha"), QStringLiteral("Bravo"),
                               QStringLiteral("Charlie"), QStringLiteral("Delta")};
    QStringList addresses;
    for (const QString &name : names) {
        server.serve(QLatin1Char('/') + name, page(name));
        addresses.append(server.url(QLatin1Char('/') + name).toString());
    }
    writeFile(QStringLiteral("Wall.set"), wallSet(addresses));
    start({QStringLiteral("Wall")});
    form()->show();
    // Every good load of a bookmark leaves a copy.
    ASSERT_TRUE(
        test::waitUntil([&] { return std::all_of(addresses.begin(), addresses.end(), hasCopy); },
                        30000));
    const quint16 port = server.port();
    server.stop();

    module()->Action("RefreshAllAction")->trigger();
    ASSERT_TRUE(test::waitUntil(
        [&] {
            return std::all_of(addresses.begin(), addresses.end(), [&](const QString &a) {
                return pane(a) && pane(a)->Stale->IsStale() && !pane(a)->Reloads().IsLoading();
            });
        },
        30000));
    for (int i = 0; i < names.size(); ++i) {
        TBrowser *p = pane(addresses[i]);
        ASSERT_TRUE(test::waitUntil([&] { return !p->Reloads().IsLoading(); }));
        const QString shown = text(p);
        EXPECT_TRUE(shown.contains(names[i] + QStringLiteral(" headline"))) << shown.toStdString();
        EXPECT_FALSE(shown.contains(QStringLiteral("reached"))) << shown.toStdString();
        EXPECT_FALSE(shown.contains(QStringLiteral("ERR_"))) << shown.toStdString();
        EXPECT_TRUE(p->Stale->Mark()->isVisible());
        EXPECT_TRUE(p->Stale->Mark()->toolTip().contains(QStringLiteral("refused")))
            << p->Stale->Mark()->toolTip().toStdString();
        // The pane still stands for its bookmark.
        EXPECT_EQ(p->Navigator().LoadedLocationURL(), addresses[i]);
    }

    ASSERT_TRUE(server.start(port));
    EXPECT_TRUE(test::waitUntil(
        [&] {
            return std::none_of(addresses.begin(), addresses.end(),
                                [&](const QString &a) { return pane(a)->Stale->IsStale(); });
        },
        20000));
    for (const QString &a : addresses)
        EXPECT_FALSE(pane(a)->Stale->Mark()->isVisible());
}

TEST_F(KeptCopies, OfflineModeShowsTheCopiesAndAsksNothingOfTheServer)
{
    test::HttpServer server;
    ASSERT_TRUE(server.start());
    for (const QString &name :
         {QStringLiteral("Echo"), QStringLiteral("Foxtrot"), QStringLiteral("Golf")})
        server.serve(QLatin1Char('/') + name, page(name));
    const QString echo = server.url(QStringLiteral("/Echo")).toString();
    const QString foxtrot = server.url(QStringLiteral("/Foxtrot")).toString();
    const QString golf = server.url(QStringLiteral("/Golf")).toString();
    writeFile(QStringLiteral("Copies.set"), wallSet({echo, foxtrot}));
    start({QStringLiteral("Copies")});
    form()->show();
    ASSERT_TRUE(test::waitUntil([&] { return hasCopy(echo) && hasCopy(foxtrot); }, 30000));
    module()->Action("OfflineAction")->trigger();
    ASSERT_FALSE(platform::IsOnline());

    // Restart with a third pane that never had a copy.
    program.reset();
    server.clearLog();
    writeFile(QStringLiteral("Offline.set"), wallSet({echo, foxtrot, golf}));
    start({QStringLiteral("Offline")});
    form()->show();
    module()->Action("GoAllAction")->trigger();
    auto shows = [&](const QString &address, const QString &what) {
        TBrowser *p = pane(address);
        return p && !p->Reloads().IsLoading() && text(p).contains(what);
    };
    EXPECT_TRUE(test::waitUntil(
        [&] {
            return shows(echo, QStringLiteral("Echo headline"))
                   && shows(foxtrot, QStringLiteral("Foxtrot headline"))
                   && shows(golf, QStringLiteral("Mira is offline"));
        },
        30000))
        << text(pane(echo)).toStdString() << " / " << text(pane(golf)).toStdString();
    EXPECT_TRUE(text(pane(golf)).contains(golf));
    EXPECT_FALSE(pane(echo)->Stale->IsStale());
    test::waitUntil([] { return false; }, 500);
    EXPECT_EQ(server.log().size(), 0);
}

TEST_F(KeptCopies, NoStorePagesAndNoCacheBrowsingLeaveNoCopy)
{
    test::HttpServer server;
    ASSERT_TRUE(server.start());
    server.serve(QStringLiteral("/kept"), page(QStringLiteral("Kept")));
    server.serve(QStringLiteral("/secret"), page(QStringLiteral("Secret")),
                 "text/html; charset=utf-8", {"Cache-Control: private, no-store"});
    server.serve(QStringLiteral("/private"), page(QStringLiteral("Private")));
    const QString kept = server.url(QStringLiteral("/kept")).toString();
    const QString secret = server.url(QStringLiteral("/secret")).toString();
    const QString privateOne = server.url(QStringLiteral("/private")).toString();
    writeFile(QStringLiteral("Mixed.set"), wallSet({kept, secret}));
    const QByteArray setBefore = readFile(folder() + QStringLiteral("Mixed.set"));
    start({QStringLiteral("Mixed")});
    form()->show();
    ASSERT_TRUE(test::waitUntil([&] { return hasCopy(kept); }, 30000));
    test::waitUntil([] { return false; }, 1500);
    EXPECT_FALSE(hasCopy(secret));
    EXPECT_EQ(server.count(QStringLiteral("/secret")), 1); // the check asks nothing more

    module()->Action("NoCacheAction")->trigger();
    TBrowser *p = pane(kept);
    p->Navigator().NavigateTo(privateOne);
    ASSERT_TRUE(test::waitUntil([&] {
        return server.count(QStringLiteral("/private")) >= 1 && !p->Reloads().IsLoading();
    }));
    p->URLs()->Items(0)->SetAddress(privateOne); // a bookmark of the pane, loaded traceless
    p->Navigator().Reload();
    ASSERT_TRUE(test::waitUntil([&] { return server.count(QStringLiteral("/private")) >= 2; }))
        << server.count(QStringLiteral("/private")) << " "
        << p->Navigator().LoadedLocationURL().toStdString() << " " << p->Reloads().IsLoading()
        << " " << server.log().size();
    test::waitUntil([] { return false; }, 1500);
    EXPECT_FALSE(hasCopy(privateOne));
    module()->Action("NoCacheAction")->trigger();
    // Keeping copies never touches the set.
    EXPECT_EQ(readFile(folder() + QStringLiteral("Mixed.set")), setBefore);
}

TEST_F(KeptCopies, ANewAddressThatFailsShowsTheProgramsPageWithATry)
{
    test::HttpServer server;
    ASSERT_TRUE(server.start());
    server.serve(QStringLiteral("/home"), page(QStringLiteral("Home")));
    const QString home = server.url(QStringLiteral("/home")).toString();
    writeFile(QStringLiteral("One.set"), wallSet({home}));
    start({QStringLiteral("One")});
    form()->show();
    TBrowser *p = pane(home);
    ASSERT_TRUE(test::waitUntil([&] { return p && text(p).contains(QStringLiteral("Home")); }));

    test::HttpServer gone;
    ASSERT_TRUE(gone.start());
    const QString dead = gone.url(QStringLiteral("/x")).toString();
    gone.stop();
    p->Navigator().NavigateTo(dead);
    ASSERT_TRUE(test::waitUntil([&] {
        return !p->Reloads().IsLoading() && text(p).contains(QStringLiteral("cannot be opened"));
    }));
    const QString shown = text(p);
    EXPECT_TRUE(shown.contains(QStringLiteral("refused"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("Try Again")));
    EXPECT_EQ(p->Navigator().LoadedLocationURL(), dead);
    EXPECT_FALSE(p->Stale->IsStale()); // not the pane's bookmark
}
