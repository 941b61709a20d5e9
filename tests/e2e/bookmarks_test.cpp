// Bookmarks on the real engine: a page added from the address box's popup keeps its
// scroll setting through a saved and reopened set, and Go All applies it.
#include <QMenu>
#include <gtest/gtest.h>

#include "bookmarks/urlcombo.h"
#include "browser/browser.h"
#include "support/httpserver.h"
#include "support/programfixture.h"
#include "support/wait.h"

using namespace mira;
using mira::test::HttpServer;
using mira::test::waitUntil;

namespace {

const QByteArray kSet = "object TBaseForm\n"
                        "  Left = 0\n"
                        "  Top = 0\n"
                        "  Width = 800\n"
                        "  Height = 600\n"
                        "  object TPan\n"
                        "    Align = alClient\n"
                        "    object TBrowser\n"
                        "      Align = alClient\n"
                        "      URLs = <>\n"
                        "    end\n"
                        "  end\n"
                        "end\n";

class BookmarksE2E : public test::ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        ASSERT_TRUE(server.start());
        server.serve("/long", "<!DOCTYPE html><html><head><title>A long page</title></head>"
                              "<body><div style='width:3000px;height:3000px'>long</div>"
                              "</body></html>");
        setPath = writeFile(QStringLiteral("Desk.set"), kSet);
        open();
    }
    void TearDown() override
    {
        program.reset();
        server.stop();
        ProgramTest::TearDown();
    }
    // Starts the program on the set; the one pane is watched for finished loads.
    void open()
    {
        program.reset();
        start({setPath});
        form()->resize(800, 600);
        form()->show();
        ASSERT_EQ(module()->Panes().List().size(), 1);
        pane = qobject_cast<TBrowser *>(module()->Panes().List()[0]);
        ASSERT_NE(pane, nullptr);
        loads = 0;
        QObject::connect(pane->WebView->Control(), &platform::WebControl::progressChange, pane,
                         [this](int progress, int) {
                             if (progress == -1)
                                 ++loads;
                         });
    }
    QString page() const { return server.url(QStringLiteral("/long")).toString(); }
    bool loaded(int count)
    {
        return waitUntil([&] { return loads >= count && pane->WebView->LocationURL() == page(); });
    }
    int scriptInt(const char *text)
    {
        return pane->WebView->Control()
            ->scripting()
            ->evaluateScript(QString::fromLatin1(text))
            .toInt();
    }
    // The address popup opened on the pane's box.
    void popup()
    {
        module()->SetLastControl(pane->AddressCombo);
        Q_EMIT module()->Menus().URLPopup()->aboutToShow();
    }

    HttpServer server;
    QString setPath;
    TBrowser *pane = nullptr;
    int loads = 0;
};

} // namespace

TEST_F(BookmarksE2E, ASavedScrollPositionAndHiddenBarsComeBackWithTheSet)
{
    pane->WebView->NavigateTo(page());
    ASSERT_TRUE(loaded(1));
    ASSERT_TRUE(waitUntil([&] { return pane->AddressCombo->currentText() == page(); }));
    popup();
    ASSERT_TRUE(module()->Action("AddBookmarkAction")->isEnabled());
    modal.answer(mrOK); // the proposed name
    module()->Action("AddBookmarkAction")->trigger();
    ASSERT_EQ(pane->URLs()->Count(), 1);
    EXPECT_EQ(pane->URLs()->Items(0)->Name(), QStringLiteral("A long page"));
    EXPECT_EQ(pane->AddressCombo->SelectedIndex(), 0);

    pane->WebView->Control()->scripting()->evaluateScript(
        QStringLiteral("window.scrollTo(150, 900)"));
    ASSERT_TRUE(waitUntil([&] { return scriptInt("window.scrollY") == 900; }));
    popup();
    ASSERT_TRUE(module()->Action("SaveScrollPositionAction")->isEnabled());
    module()->Action("SaveScrollPositionAction")->trigger();
    EXPECT_EQ(pane->URLs()->Items(0)->ScrollX(), 150);
    EXPECT_EQ(pane->URLs()->Items(0)->ScrollY(), 900);
    module()->Action("FileSaveNowAction")->trigger();
    EXPECT_TRUE(readFile(setPath).contains("ScrollY = 900"));

    open();
    ASSERT_EQ(pane->URLs()->Count(), 1);
    module()->Action("GoAllAction")->trigger();
    ASSERT_TRUE(loaded(1));
    EXPECT_TRUE(waitUntil(
        [&] { return scriptInt("window.scrollX") == 150 && scriptInt("window.scrollY") == 900; }));

    // No Scroll Bars: the reload hides them, and so does the next load of the set.
    popup();
    ASSERT_TRUE(module()->Action("NoScrollBarsAction")->isEnabled());
    module()->Action("NoScrollBarsAction")->trigger();
    ASSERT_TRUE(loaded(2));
    EXPECT_TRUE(waitUntil([&] { return PageBody(pane->WebView).Scroll() == QLatin1String("no"); }));
    module()->Action("FileSaveNowAction")->trigger();

    open();
    ASSERT_TRUE(pane->URLs()->Items(0)->NoScroll());
    module()->Action("GoAllAction")->trigger();
    ASSERT_TRUE(loaded(1));
    EXPECT_TRUE(waitUntil([&] { return PageBody(pane->WebView).Scroll() == QLatin1String("no"); }));
    // No bar takes room from the page, and the page cannot be scrolled by the user.
    EXPECT_EQ(scriptInt("window.innerWidth - document.documentElement.clientWidth"), 0);
    EXPECT_EQ(scriptInt("window.scrollY"), 0);
}
