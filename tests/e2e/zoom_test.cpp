// Zoom per bookmark on the real engine: two panes show the same page of one host; the
// zoomed pane alone changes, and a saved set brings the zoom back before the page is
// first drawn.
#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "bookmarks/urlcombo.h"
#include "browser/browser.h"
#include "platform/qtwebcontrol.h"
#include "support/httpserver.h"
#include "support/programfixture.h"
#include "support/wait.h"

using namespace mira;
using mira::test::HttpServer;
using mira::test::waitUntil;

namespace {

// Two panes side by side, each with a bookmark "Same" at the same address.
QByteArray wallSet(const QString &address)
{
    const QByteArray urls = "<\n        item\n          Name = 'Same'\n          Address = '"
                            + address.toUtf8() + "'\n        end>\n";
    return "object TBaseForm\n  Left = 0\n  Top = 0\n  Width = 800\n  Height = 600\n"
           "  object TPan\n    Align = alClient\n"
           "    object TBrowser\n      Left = 0\n      Top = 0\n      Width = 400\n"
           "      Height = 500\n      Align = alLeft\n      URLs = "
           + urls + "    end\n    object TBrowser\n      Align = alClient\n      URLs = " + urls
           + "    end\n  end\nend\n";
}

class ZoomE2E : public test::ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        ASSERT_TRUE(server.start());
        // What the page sees while it is parsed, before anything is drawn.
        server.serve("/same", "<!DOCTYPE html><html><head><title>Same</title><script>"
                              "var early = window.devicePixelRatio;</script></head>"
                              "<body><div style='height:5000px'>tall</div></body></html>");
        setPath = writeFile(QStringLiteral("Wall.set"), wallSet(address()));
        open();
    }
    void TearDown() override
    {
        program.reset();
        server.stop();
        ProgramTest::TearDown();
    }
    QString address() const { return server.url(QStringLiteral("/same")).toString(); }
    // Starts the program on the set and runs Go All; both panes have loaded once.
    void open()
    {
        program.reset();
        start({setPath});
        form()->resize(800, 600);
        form()->show();
        ASSERT_EQ(module()->Panes().List().size(), 2);
        panes.clear();
        loads.clear();
        for (QWidget *w : module()->Panes().List()) {
            auto *pane = qobject_cast<TBrowser *>(w);
            ASSERT_NE(pane, nullptr);
            panes.append(pane);
            QObject::connect(pane->WebView->Control(), &platform::WebControl::progressChange, pane,
                             [this, pane](int progress, int) {
                                 if (progress != -1)
                                     return;
                                 ++loads[pane];
                                 // Taken at the load's end, before anything else runs.
                                 if (loads[pane] == 1)
                                     zoomAtLoadEnd[pane] = control(pane)->zoomFactor();
                             });
        }
        module()->Action("GoAllAction")->trigger();
        ASSERT_TRUE(
            waitUntil([&] { return loads.value(panes[0]) >= 1 && loads.value(panes[1]) >= 1; }));
    }
    static platform::QtWebControl *control(TBrowser *pane)
    {
        return qobject_cast<platform::QtWebControl *>(pane->WebView->Control());
    }
    static double number(TBrowser *pane, const char *script)
    {
        return pane->WebView->Control()
            ->scripting()
            ->evaluateScript(QString::fromLatin1(script))
            .toDouble();
    }
    // The focus in the pane's page, as after a click into it.
    void focusPage(TBrowser *pane)
    {
        form()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form()));
        pane->WebView->Control()->widget()->setFocus();
        ASSERT_TRUE(waitUntil([&] {
            QWidget *focus = QApplication::focusWidget();
            return focus && pane->WebView->isAncestorOf(focus);
        }));
    }
    // A Ctrl+wheel notch over the widget the page is drawn in.
    static void ctrlWheel(int delta)
    {
        QWidget *page = QApplication::focusWidget();
        const QPointF at(50, 50);
        QWheelEvent wheel(at, page->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(page, &wheel);
    }

    HttpServer server;
    QString setPath;
    QList<TBrowser *> panes;
    QHash<TBrowser *, int> loads;
    QHash<TBrowser *, double> zoomAtLoadEnd;
};

} // namespace

TEST_F(ZoomE2E, OnePanesZoomStaysInThatPaneAndComesBackWithTheSetBeforeThePaintsFirst)
{
    TBrowser *zoomed = panes[0];
    TBrowser *plain = panes[1];
    const double plainRatio = number(plain, "window.devicePixelRatio");
    const double zoomedWidth = number(zoomed, "window.innerWidth");
    const double plainWidth = number(plain, "window.innerWidth");
    ASSERT_GT(plainRatio, 0);
    ASSERT_GT(zoomedWidth, 0);
    EXPECT_NEAR(number(zoomed, "window.devicePixelRatio"), plainRatio, 0.01);

    focusPage(zoomed);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(form()->StatusText(), QStringLiteral("Zoom 110 %"));
    EXPECT_TRUE(waitUntil([&] {
        return std::abs(number(zoomed, "window.devicePixelRatio") - plainRatio * 1.1) < 0.01;
    })) << number(zoomed, "window.devicePixelRatio");
    EXPECT_LT(number(zoomed, "window.innerWidth"), zoomedWidth * 0.95);
    // The other pane shows the same host, and the same page, as before.
    EXPECT_NEAR(number(plain, "window.devicePixelRatio"), plainRatio, 0.01);
    EXPECT_EQ(number(plain, "window.innerWidth"), plainWidth);

    // Ctrl+wheel zooms on and the tall page does not scroll.
    ctrlWheel(120);
    ctrlWheel(120);
    EXPECT_EQ(form()->StatusText(), QStringLiteral("Zoom 150 %"));
    EXPECT_TRUE(waitUntil([&] {
        return std::abs(number(zoomed, "window.devicePixelRatio") - plainRatio * 1.5) < 0.01;
    }));
    EXPECT_EQ(number(zoomed, "window.scrollY"), 0);
    EXPECT_EQ(zoomed->URLs()->Items(0)->Zoom(), 150);
    EXPECT_EQ(plain->URLs()->Items(0)->Zoom(), 100);

    // A reload of the other pane, on the same host, still shows it unzoomed.
    const int before = loads.value(plain);
    plain->RefreshClick(plain->RefreshButton);
    ASSERT_TRUE(waitUntil([&] { return loads.value(plain) > before; }));
    EXPECT_NEAR(number(plain, "early"), plainRatio, 0.01);

    module()->Action("FileSaveNowAction")->trigger();
    const QByteArray saved = readFile(setPath);
    EXPECT_EQ(saved.count("Zoom = 150"), 1) << saved.constData();

    open();
    zoomed = panes[0];
    plain = panes[1];
    // The script in the page's head already saw the zoom, and it held at the load's end.
    EXPECT_NEAR(number(zoomed, "early"), plainRatio * 1.5, 0.01);
    EXPECT_NEAR(zoomAtLoadEnd.value(zoomed) / zoomAtLoadEnd.value(plain), 1.5, 0.01);
    EXPECT_NEAR(number(plain, "early"), plainRatio, 0.01);

    // Back to 100 %: the set is written as it was before any zoom.
    focusPage(zoomed);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_0, Qt::ControlModifier);
    module()->Action("FileSaveNowAction")->trigger();
    EXPECT_EQ(readFile(setPath).count("Zoom"), 0);
}
