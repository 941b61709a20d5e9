// Faults and escapes of pages on the real engine: a renderer killed in one pane of
// three, a page that never returns from its script, a page trying every way out of
// its pane, and Offline Mode against a server that counts what reaches it.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>

#include "app/statusbar.h"
#include "bookmarks/urlcombo.h"
#include "browser/browser.h"
#include "layout/align.h"
#include "platform/connectivity.h"
#include "platform/processmodel.h"
#include "platform/qtwebcontrol.h"
#include "support/httpserver.h"
#include "support/programfixture.h"
#include "support/wait.h"

using namespace mira;
using mira::test::HttpServer;
using mira::test::waitUntil;

namespace {

QByteArray page(const char *title, const char *body)
{
    return QByteArray("<!DOCTYPE html><html><head><title>") + title + "</title></head><body>" + body
           + "</body></html>";
}

class EscapesE2E : public test::ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        ASSERT_TRUE(server.start());
        server.serve("/a", page("Page A", "A"));
        server.serve("/b", page("Page B", "B"));
        server.serve("/c", page("Page C", "C"));
        start();
        form()->resize(900, 600);
        form()->show();
        for (int i = 0; i < 3; ++i) {
            auto *pane = new TBrowser(form());
            PutInto(pane, form()->ClientArea());
            pane->setGeometry(i * 300, 0, 300, 500);
            pane->show();
            panes << pane;
        }
        QObject::connect(form()->StatusBar(), &MainStatusBar::PanelTextChanged, form(),
                         [this](const QString &text) { statusTexts << text; });
    }
    void TearDown() override
    {
        platform::SetConnectedState(true);
        program.reset();
        server.stop();
        ProgramTest::TearDown();
    }
    QString url(const char *path) const { return server.url(QString::fromLatin1(path)).toString(); }
    static platform::QtWebControl *control(TBrowser *pane)
    {
        return qobject_cast<platform::QtWebControl *>(pane->WebView->Control());
    }
    static QVariant script(TBrowser *pane, const QString &text)
    {
        return pane->WebView->Control()->scripting()->evaluateScript(text);
    }
    bool open(TBrowser *pane, const char *path, const char *title)
    {
        pane->WebView->NavigateTo(url(path));
        return waitUntil([&] { return pane->WebView->LocationName() == QLatin1String(title); });
    }
    // The pane's page runs scripts and answers.
    static bool answers(TBrowser *pane)
    {
        return script(pane, QStringLiteral("6 * 7")).toInt() == 42;
    }
    bool statusSaid(const QString &part) const
    {
        for (const QString &text : statusTexts)
            if (text.contains(part))
                return true;
        return false;
    }

    HttpServer server;
    QList<TBrowser *> panes;
    QStringList statusTexts;
};

// Panes with a renderer each: the set asks for Separate Processes.
class EscapesSeparateE2E : public EscapesE2E {
protected:
    void SetUp() override
    {
        platform::SetSharedRenderers(false);
        EscapesE2E::SetUp();
    }
};

TEST_F(EscapesE2E, AKilledSharedRendererStopsThePanesOfItsSiteAndGoAllBringsThemAllBack)
{
    if (!platform::SharedRenderers())
        GTEST_SKIP() << "the engine of this process started with a renderer per pane";
    const char *paths[] = {"/a", "/b", "/c"};
    const char *titles[] = {"Page A", "Page B", "Page C"};
    for (int i = 0; i < 3; ++i) {
        (void)panes[i]->URLs()->Add()->SetNameAndAddress(QString::fromLatin1(titles[i]),
                                                         url(paths[i]));
        static_cast<Component *>(panes[i])->Loaded();
        ASSERT_TRUE(open(panes[i], paths[i], titles[i]));
    }
    // One site, one renderer.
    const qint64 pid = control(panes[0])->rendererProcessId();
    ASSERT_GT(pid, 0);
    for (TBrowser *pane : panes)
        ASSERT_EQ(control(pane)->rendererProcessId(), pid);
    ASSERT_EQ(::kill(pid_t(pid), SIGKILL), 0);
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(waitUntil([&] { return control(panes[i])->isPageStopped(); }));
        EXPECT_TRUE(statusSaid(url(paths[i])));
    }
    module()->Action("GoAllAction")->trigger();
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(waitUntil([&] {
            return !control(panes[i])->isPageStopped() && answers(panes[i]);
        })) << titles[i];
        EXPECT_EQ(panes[i]->WebView->LocationName(), QString::fromLatin1(titles[i]));
    }
}

TEST_F(EscapesSeparateE2E, AKilledRendererStopsOnlyItsPaneUntilGoOrRefresh)
{
    if (platform::SharedRenderers())
        GTEST_SKIP() << "the engine of this process started with renderers shared per site";
    const char *paths[] = {"/a", "/b", "/c"};
    const char *titles[] = {"Page A", "Page B", "Page C"};
    for (int i = 0; i < 3; ++i) {
        (void)panes[i]->URLs()->Add()->SetNameAndAddress(QString::fromLatin1(titles[i]),
                                                         url(paths[i]));
        static_cast<Component *>(panes[i])->Loaded();
        ASSERT_TRUE(open(panes[i], paths[i], titles[i]));
    }
    TBrowser *victim = panes[1];
    auto kill = [&] {
        // A page that has just come back may still move to another renderer; the kill
        // follows it until the page's own renderer is the one that ended.
        QList<qint64> killed;
        for (int round = 0; round < 3 && !control(victim)->isPageStopped(); ++round) {
            const qint64 pid = control(victim)->rendererProcessId();
            ASSERT_GT(pid, 0);
            for (TBrowser *other : {panes[0], panes[2]})
                ASSERT_NE(control(other)->rendererProcessId(), pid);
            if (!killed.contains(pid)) {
                ASSERT_EQ(::kill(pid_t(pid), SIGKILL), 0);
                killed << pid;
            }
            (void)waitUntil(
                [&] {
                    const qint64 now = control(victim)->rendererProcessId();
                    return control(victim)->isPageStopped() || (now > 0 && now != pid);
                },
                8000);
        }
        ASSERT_TRUE(control(victim)->isPageStopped())
            << "killed " << killed.size() << " renderer(s), the page's is now "
            << control(victim)->rendererProcessId();
        auto *label = victim->findChild<QLabel *>(QStringLiteral("pageStopped"));
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(label->isVisible());
        EXPECT_TRUE(label->text().startsWith(QStringLiteral("This page stopped working.")));
        EXPECT_TRUE(statusSaid(url("/b")));
        EXPECT_TRUE(answers(panes[0]));
        EXPECT_TRUE(answers(panes[2]));
    };

    kill();
    victim->GoClick(victim->GoButton);
    ASSERT_TRUE(waitUntil([&] { return !control(victim)->isPageStopped() && answers(victim); }));
    EXPECT_EQ(victim->WebView->LocationName(), QStringLiteral("Page B"));

    kill();
    victim->RefreshClick(victim->RefreshButton);
    ASSERT_TRUE(waitUntil([&] { return !control(victim)->isPageStopped() && answers(victim); }));

    kill();
    module()->Action("GoAllAction")->trigger();
    ASSERT_TRUE(waitUntil([&] { return !control(victim)->isPageStopped() && answers(victim); }));
}

// With renderers shared, a looping page holds the panes of its site, and a pane that has
// shown nothing yet may be given its renderer too: only separate renderers keep them going.
TEST_F(EscapesSeparateE2E, APageThatNeverReturnsLeavesTheWindowRunning)
{
    if (platform::SharedRenderers())
        GTEST_SKIP() << "the engine of this process started with renderers shared per site";
    server.serve("/loop",
                 page("Loop", "<script>setTimeout(() => { while (true) {} }, 0)</script>"));
    ASSERT_TRUE(open(panes[0], "/loop", "Loop"));
    // The loop holds its renderer; the program's own timers keep firing on time.
    QElapsedTimer clock;
    clock.start();
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &timer, [&] { ++ticks; });
    timer.start(50);
    EXPECT_TRUE(waitUntil([&] { return ticks >= 10; }, 5000));
    EXPECT_LT(clock.elapsed(), 3000);
    // A script in the looping page gets no answer, within a bounded wait.
    EXPECT_FALSE(script(panes[0], QStringLiteral("1")).isValid());
    EXPECT_TRUE(open(panes[1], "/b", "Page B"));
    EXPECT_TRUE(answers(panes[1]));
    // End the loop so the program ends without waiting on it.
    ::kill(pid_t(control(panes[0])->rendererProcessId()), SIGKILL);
    EXPECT_TRUE(waitUntil([&] { return control(panes[0])->isPageStopped(); }));
}

TEST_F(EscapesE2E, APageTryingEveryEscapeStaysInItsPane)
{
    module()->Action("ModerateAction")->trigger();
    server.serve("/file", "data", "text/plain",
                 {"Content-Disposition: attachment; filename=data.txt"});
    server
        .serve("/escape",
               page("Escape",
                    "<p style='height:400px'>escape</p><script>"
                    "window.results = {};"
                    "const tryIt = f => { try { f(); } catch (e) {} };"
                    "onmousedown = () => {"
                    "  results.touched = true;"
                    "  tryIt(() => document.documentElement.requestFullscreen()"
                    "    .then(() => results.full = 'granted', () => results.full = 'denied'));"
                    "  tryIt(() => window.close());"
                    "  tryIt(() => navigator.geolocation.getCurrentPosition("
                    "    () => results.geo = 'granted', () => results.geo = 'denied'));"
                    "  tryIt(() => Notification.requestPermission().then(p => results.note = p));"
                    "  tryIt(() => navigator.mediaDevices.getUserMedia({video: true, audio: true})"
                    "    .then(() => results.media = 'granted', () => results.media = 'denied'));"
                    "  tryIt(() => { const a = document.createElement('a'); a.href = '/file';"
                    "    a.download = 'data.txt'; document.body.appendChild(a); a.click(); });"
                    "};</script>"));
    TBrowser *pane = panes[0];
    ASSERT_TRUE(open(pane, "/escape", "Escape"));
    QWidget *view = pane->WebView->Control()->widget();
    QWidget *input = view;
    while (input->focusProxy())
        input = input->focusProxy();
    ASSERT_TRUE(waitUntil([&] {
        QTest::mouseClick(input, Qt::LeftButton, {}, QPoint(20, 20));
        QTest::qWait(50);
        return script(pane, QStringLiteral("results.touched === true")).toBool();
    }));
    ASSERT_TRUE(waitUntil([&] {
        return script(pane, QStringLiteral("!!(results.full && results.geo && results.note"
                                           " && results.media)"))
            .toBool();
    }));
    EXPECT_EQ(script(pane, QStringLiteral("results.full")).toString(), QStringLiteral("denied"));
    EXPECT_EQ(script(pane, QStringLiteral("results.geo")).toString(), QStringLiteral("denied"));
    EXPECT_EQ(script(pane, QStringLiteral("results.note")).toString(), QStringLiteral("denied"));
    EXPECT_EQ(script(pane, QStringLiteral("results.media")).toString(), QStringLiteral("denied"));
    EXPECT_FALSE(script(pane, QStringLiteral("document.fullscreenElement !== null")).toBool());
    EXPECT_TRUE(statusSaid(QStringLiteral("Denied location")));
    EXPECT_TRUE(statusSaid(QStringLiteral("Denied notifications")));
    // Without devices the engine refuses the camera before asking; when it asks, the
    // status bar says so as for the others.
    // A second press opens a new window: no window of its own appears, and the pane
    // and the program's window stay as they were.
    QTest::mouseClick(input, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::qWait(500);
    EXPECT_EQ(panes.size(), form()->findChildren<TBrowser *>().size());
    EXPECT_TRUE(pane->isVisible());
    for (QWidget *w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible() && w != form() && w->isWindow()
                     && w->windowState() & Qt::WindowFullScreen);
    EXPECT_FALSE(form()->isFullScreen());
}

TEST_F(EscapesE2E, APermissionIsAskedInInteractiveModeAndGrantedOnlyOnYes)
{
    module()->Action("InteractiveAction")->trigger();
    server.serve("/ask", page("Ask", "<script>window.ask = () => Notification.requestPermission()"
                                     ".then(p => document.title = p);</script>"));
    TBrowser *pane = panes[0];
    ASSERT_TRUE(open(pane, "/ask", "Ask"));
    modal.answer(mrNo);
    script(pane, QStringLiteral("ask(); 1"));
    ASSERT_TRUE(
        waitUntil([&] { return pane->WebView->LocationName() == QLatin1String("denied"); }));
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_TRUE(statusSaid(QStringLiteral("Denied notifications")));

    ASSERT_TRUE(open(pane, "/ask", "Ask"));
    modal.answer(mrYes);
    script(pane, QStringLiteral("ask(); 1"));
    EXPECT_TRUE(
        waitUntil([&] { return pane->WebView->LocationName() == QLatin1String("granted"); }));
    EXPECT_EQ(modal.asked.size(), 2);
}

TEST_F(EscapesE2E, OfflineNothingOfAnyPaneReachesTheServerUntilOnlineAgain)
{
    for (TBrowser *pane : panes)
        ASSERT_TRUE(open(pane, "/a", "Page A"));
    server.serve("/img", "GIF89a", "image/gif");
    server.serve("/js", "window.ran = true;", "text/javascript");
    server.serve("/frame", page("Frame", "F"));
    server.serve("/fetch", "fetched", "text/plain");
    server.serve("/moved", page("Moved", "M"), "text/html", {"Refresh: 0; url=/b"});
    server.clearLog();

    module()->Action("OfflineAction")->trigger();
    ASSERT_FALSE(platform::IsOnline());
    // Every kind of request from pages already open, from every pane.
    const QString tries = QStringLiteral(
        "const i = new Image(); i.src = '/img?%1'; document.body.appendChild(i);"
        "const s = document.createElement('script'); s.src = '/js?%1';"
        "document.body.appendChild(s);"
        "const f = document.createElement('iframe'); f.src = '/frame?%1';"
        "document.body.appendChild(f);"
        "fetch('/fetch?%1').catch(() => {});"
        "const l = document.createElement('link'); l.rel = 'prefetch'; l.href = '/fetch?p%1';"
        "document.head.appendChild(l); 1");
    for (int i = 0; i < panes.size(); ++i)
        ASSERT_EQ(script(panes[i], tries.arg(i)).toInt(), 1);
    panes[0]->WebView->NavigateTo(url("/moved"));
    panes[1]->WebView->NavigateTo(url("/c"));
    QTest::qWait(1500);
    EXPECT_TRUE(server.log().isEmpty()) << server.log().constFirst().path.toStdString();

    module()->Action("OnlineAction")->trigger();
    ASSERT_TRUE(open(panes[2], "/b", "Page B"));
    ASSERT_EQ(script(panes[2], tries.arg(9)).toInt(), 1);
    EXPECT_TRUE(waitUntil([&] {
        return server.count("/img?9") == 1 && server.count("/js?9") == 1
               && server.count("/frame?9") == 1 && server.count("/fetch?9") == 1;
    }));
    EXPECT_TRUE(open(panes[0], "/moved", "Page B"));
    EXPECT_EQ(server.count("/moved"), 1);
}

} // namespace
