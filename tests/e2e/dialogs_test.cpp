// The dialog modes on the real engine: what a page's alert, confirmation, prompt and
// leave question become in each mode, against pages of a local server.
#include <QTest>
#include <gtest/gtest.h>

#include "app/statusbar.h"
#include "browser/browser.h"
#include "dialogs/pagedialogs.h"
#include "layout/align.h"
#include "platform/webdialogs.h"
#include "support/httpserver.h"
#include "support/programfixture.h"
#include "support/wait.h"

using namespace mira;
using mira::test::HttpServer;
using mira::test::waitUntil;

namespace {

enum class Mode { Interactive, Moderate, Silent };

QByteArray page(const char *title, const char *body)
{
    return QByteArray("<!DOCTYPE html><html><head><title>") + title + "</title></head><body>" + body
           + "</body></html>";
}

class DialogModesE2E : public test::ProgramTest, public ::testing::WithParamInterface<Mode> {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        ASSERT_TRUE(server.start());
        server.serve("/page", page("Page", "<p>page</p>"));
        server.serve("/leave",
                     page("Leave", "<p style='height:400px'>stay</p><script>onmousedown = () => "
                                   "{ window.touched = true; }; onbeforeunload = "
                                   "e => { e.preventDefault(); e.returnValue = ''; };</script>"));
        server.serve("/next", page("Next", "next"));
        server.serve("/file", "data", "text/plain",
                     {"Content-Disposition: attachment; filename=data.txt"});
        start();
        form()->resize(800, 600);
        form()->show();
        pane = new TBrowser(form());
        PutInto(pane, form()->ClientArea());
        pane->resize(700, 500);
        switch (GetParam()) {
        case Mode::Interactive: module()->Action("InteractiveAction")->trigger(); break;
        case Mode::Moderate: module()->Action("ModerateAction")->trigger(); break;
        case Mode::Silent: module()->Action("SilentAction")->trigger(); break;
        }
        ASSERT_EQ(pane->WebView->Silent(), GetParam() == Mode::Silent);
        QObject::connect(form()->StatusBar(), &MainStatusBar::PanelTextChanged, pane,
                         [this](const QString &text) { statusTexts << text; });
    }
    void TearDown() override
    {
        program.reset();
        server.stop();
        ProgramTest::TearDown();
    }
    bool open(const char *path, const char *title)
    {
        pane->WebView->NavigateTo(server.url(QString::fromLatin1(path)).toString());
        return waitUntil([&] { return pane->WebView->LocationName() == QLatin1String(title); });
    }
    // Runs a page script that ends by setting the title, and waits for that title.
    bool run(const char *script, const QString &title)
    {
        pane->WebView->Control()->scripting()->evaluateScript(
            QStringLiteral("setTimeout(() => { %1 }, 0); 1").arg(QString::fromLatin1(script)));
        return waitUntil([&] { return pane->WebView->LocationName() == title; });
    }
    bool interactive() const { return GetParam() == Mode::Interactive; }

    HttpServer server;
    TBrowser *pane = nullptr;
    QStringList statusTexts; // every text the status bar showed
};

} // namespace

TEST_P(DialogModesE2E, ScriptAlertConfirmAndPromptGoAsTheModeSays)
{
    ASSERT_TRUE(open("/page", "Page"));
    ASSERT_TRUE(
        run("alert(' Hello there '); document.title = 'alerted';", QStringLiteral("alerted")));
    if (interactive()) {
        ASSERT_EQ(modal.asked.size(), 1);
        EXPECT_EQ(modal.asked[0].kind, ModalRecord::Kind::MessageBox);
        EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Mira"));
        EXPECT_EQ(modal.asked[0].text, QStringLiteral(" Hello there "));
        EXPECT_EQ(modal.asked[0].buttons, mbOK);
        modal.asked.clear();
    } else {
        // Answered at once; the status bar tells what it said.
        EXPECT_TRUE(modal.asked.isEmpty());
        EXPECT_EQ(form()->StatusText(), QStringLiteral("Mira: Hello there"));
    }

    // Questions reach the user in every mode, and the page gets the answer.
    modal.answer(mrOK);
    ASSERT_TRUE(
        run("document.title = 'confirm:' + confirm('Go on?');", QStringLiteral("confirm:true")));
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Mira"));
    EXPECT_EQ(modal.asked[0].buttons, mbOK | mbCancel);

    modal.answerText(QStringLiteral("typed"));
    ASSERT_TRUE(run("document.title = 'prompt:' + prompt('Your name?', 'none');",
                    QStringLiteral("prompt:typed")));
    ASSERT_EQ(modal.asked.size(), 2);
    EXPECT_EQ(modal.asked[1].kind, ModalRecord::Kind::InputBox);
    EXPECT_EQ(modal.asked[1].prompt, QStringLiteral("Your name?"));
    EXPECT_EQ(modal.asked[1].text, QStringLiteral("none"));

    modal.answer(mrCancel);
    ASSERT_TRUE(
        run("document.title = 'prompt:' + prompt('Again?');", QStringLiteral("prompt:null")));
}

TEST_P(DialogModesE2E, TheLeaveQuestionIsLeftToTheUserOnlyInInteractiveMode)
{
    ASSERT_TRUE(open("/leave", "Leave"));
    // The engine asks only a page the user has touched; the view takes input once
    // its first frame is there.
    QWidget *view = pane->WebView->Control()->widget();
    ASSERT_TRUE(waitUntil([&] {
        // The holder's proxy is the view, whose proxy takes the input.
        QWidget *input = view;
        while (input->focusProxy())
            input = input->focusProxy();
        QTest::mouseClick(input, Qt::LeftButton, {}, QPoint(20, 20));
        QTest::qWait(50);
        return pane->WebView->Control()
            ->scripting()
            ->evaluateScript(QStringLiteral("window.touched === true"))
            .toBool();
    }));
    modal.answer(mrCancel); // stay
    pane->WebView->NavigateTo(server.url(QStringLiteral("/next")).toString());
    if (interactive()) {
        ASSERT_TRUE(waitUntil([&] { return !modal.asked.isEmpty(); }));
        EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Mira"));
        EXPECT_TRUE(modal.asked[0].text.startsWith(QStringLiteral("Are you sure")));
        QTest::qWait(300);
        EXPECT_EQ(pane->WebView->LocationName(), QStringLiteral("Leave"));
        return;
    }
    ASSERT_TRUE(waitUntil([&] { return pane->WebView->LocationName() == QLatin1String("Next"); }));
    EXPECT_TRUE(modal.asked.isEmpty());
    const QString told = QStringLiteral("Mira: ") + LeavePageQuestionText();
    // Moderate answers the engine's question and says so; Silent never asks it.
    EXPECT_EQ(statusTexts.contains(told), GetParam() == Mode::Moderate)
        << statusTexts.join(QLatin1Char('|')).toStdString();
}

TEST_P(DialogModesE2E, ADownloadIsOfferedToTheUserUnlessTheViewIsSilent)
{
    ASSERT_TRUE(open("/page", "Page"));
    modal.answer(mrNo); // not saved
    pane->WebView->NavigateTo(server.url(QStringLiteral("/file")).toString());
    ASSERT_TRUE(waitUntil([&] { return server.count(QStringLiteral("/file")) > 0; }));
    if (GetParam() == Mode::Silent) {
        QTest::qWait(500);
        EXPECT_TRUE(modal.asked.isEmpty());
        return;
    }
    ASSERT_TRUE(waitUntil([&] { return !modal.asked.isEmpty(); }));
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("File Download"));
    EXPECT_TRUE(modal.asked[0].text.contains(QStringLiteral("data.txt")));
    EXPECT_EQ(modal.asked[0].buttons, mbYes | mbNo);
    EXPECT_EQ(modal.asked.size(), 1); // declined: no place to save is asked
}

INSTANTIATE_TEST_SUITE_P(Modes, DialogModesE2E,
                         ::testing::Values(Mode::Interactive, Mode::Moderate, Mode::Silent),
                         [](const ::testing::TestParamInfo<Mode> &param) {
                             switch (param.param) {
                             case Mode::Interactive: return "Interactive";
                             case Mode::Moderate: return "Moderate";
                             case Mode::Silent: return "Silent";
                             }
                             return "";
                         });
