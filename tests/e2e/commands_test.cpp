// Commands on all panes and the Go drop-down's document commands, run through the
// program's actions on the real engine against pages of a local server.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "bookmarks/urlcombo.h"
#include "browser/browser.h"
#include "layout/align.h"
#include "platform/connectivity.h"
#include "platform/internetoptions.h"
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

QByteArray page(const char *title, const char *body)
{
    return QByteArray("<!DOCTYPE html><html><head><title>") + title + "</title></head><body>" + body
           + "</body></html>";
}

class CommandsE2E : public test::ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        ASSERT_TRUE(server.start());
        server.serve("/a", page("Page A", "<span id='t'>Some text</span>"));
        server.serve("/b", page("Page B", "<span id='t'>Other text</span>"));
        server.serve("/typed", page("Typed", "T"));
        server.serve("/find", page("Find", "<p>apple pear Apple apple</p>"));
        start();
        form()->resize(900, 600);
        form()->show();
        first = newPane(QRect(0, 0, 450, 500));
        second = newPane(QRect(450, 0, 450, 500));
    }
    void TearDown() override
    {
        platform::SetConnectedState(true);
        platform::engine::SetZoomLevel(2);
        platform::WriteInternetOptions(platform::InternetOptions());
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
    // Starts a load on pane and waits for it to end.
    bool load(TBrowser *pane, const std::function<void()> &start)
    {
        const int before = loads.value(pane);
        start();
        return waitUntil([&] { return loads.value(pane) > before; });
    }
    bool go(TBrowser *pane, const char *path)
    {
        return load(pane, [&] { pane->WebView->NavigateTo(url(path)); });
    }
    QVariant script(TBrowser *pane, const QString &text)
    {
        return pane->WebView->Control()->scripting()->evaluateScript(text);
    }
    // The width of the text in device pixels, as the page is drawn.
    double renderedWidth(TBrowser *pane)
    {
        return script(pane, QStringLiteral("document.getElementById('t').getBoundingClientRect()"
                                           ".width * window.devicePixelRatio"))
            .toDouble();
    }
    static platform::QtWebControl *control(TBrowser *pane)
    {
        return qobject_cast<platform::QtWebControl *>(pane->WebView->Control());
    }
    // The Go drop-down of pane opens, as after a press on its bar.
    void openArrowPopup(TBrowser *pane)
    {
        module()->SetLastControl(pane->NaviBar);
        module()->Documents().ArrowPopupPopup();
    }
    bool waitForCommand(TBrowser *pane, int command, bool *ok)
    {
        bool finished = false;
        QObject::connect(pane->WebView->Control(), &platform::WebControl::commandFinished, pane,
                         [&, command](int which, bool success) {
                             if (which != command)
                                 return;
                             finished = true;
                             *ok = success;
                         });
        // Printing goes through the engine's print compositor: slow on a busy machine.
        return waitUntil([&] { return finished; }, 60000);
    }

    HttpServer server;
    TBrowser *first = nullptr;
    TBrowser *second = nullptr;
    QHash<TBrowser *, int> loads;
};

} // namespace

TEST_F(CommandsE2E, OfflineNoRequestLeavesUntilOnlineAgain)
{
    ASSERT_TRUE(module()->Action("OnlineAction")->isChecked());
    module()->Action("OfflineAction")->trigger();
    EXPECT_TRUE(module()->Action("OfflineAction")->isChecked());
    EXPECT_FALSE(module()->Action("OnlineAction")->isChecked());
    // The state outlives the program: a later start reads it back.
    EXPECT_FALSE(platform::IsOnline());

    ASSERT_TRUE(go(first, "/a"));
    ASSERT_TRUE(go(second, "/b"));
    TBrowser *later = newPane(QRect(0, 0, 300, 300)); // a pane made while offline
    ASSERT_TRUE(go(later, "/a"));
    EXPECT_EQ(server.count("/a"), 0);
    EXPECT_EQ(server.count("/b"), 0);
    EXPECT_NE(first->WebView->LocationName(), QStringLiteral("Page A"));

    module()->Action("OnlineAction")->trigger();
    EXPECT_TRUE(platform::IsOnline());
    ASSERT_TRUE(go(first, "/a"));
    ASSERT_TRUE(go(later, "/b"));
    EXPECT_EQ(server.count("/a"), 1);
    EXPECT_EQ(server.count("/b"), 1);
    EXPECT_EQ(first->WebView->LocationName(), QStringLiteral("Page A"));
}

TEST_F(CommandsE2E, TextSizeLargestEnlargesTheTextOfEveryPane)
{
    ASSERT_TRUE(go(first, "/a"));
    ASSERT_TRUE(go(second, "/b"));
    const double firstMedium = renderedWidth(first);
    const double secondMedium = renderedWidth(second);
    ASSERT_GT(firstMedium, 0);
    ASSERT_GT(secondMedium, 0);
    TBrowser *empty = newPane(QRect(0, 0, 300, 300)); // no document: takes the level quietly

    module()->Action("TextSizeLargestAction")->trigger();
    EXPECT_TRUE(module()->Action("TextSizeLargestAction")->isChecked());
    EXPECT_TRUE(modal.asked.isEmpty());
    EXPECT_TRUE(waitUntil([&] { return renderedWidth(first) > firstMedium * 1.3; }))
        << renderedWidth(first) << " against " << firstMedium;
    EXPECT_TRUE(waitUntil([&] { return renderedWidth(second) > secondMedium * 1.3; }))
        << renderedWidth(second) << " against " << secondMedium;

    // The pane without a document, and a pane made afterwards, show the level kept.
    TBrowser *later = newPane(QRect(300, 0, 300, 300));
    ASSERT_TRUE(go(empty, "/a"));
    ASSERT_TRUE(go(later, "/a"));
    EXPECT_NEAR(renderedWidth(empty), renderedWidth(first), 1.0);
    EXPECT_NEAR(renderedWidth(later), renderedWidth(first), 1.0);
    EXPECT_EQ(platform::engine::ZoomLevel(), 4);
}

TEST_F(CommandsE2E, GoAllLeavesATypedAddressWhichTheGoButtonLoads)
{
    (void)first->URLs()->Add()->SetNameAndAddress(QStringLiteral("A"), url("/a"));
    first->AddressCombo->setCurrentIndex(0);
    second->AddressCombo->setEditText(url("/typed"));

    ASSERT_TRUE(load(first, [&] { module()->Action("GoAllAction")->trigger(); }));
    EXPECT_EQ(first->WebView->LocationName(), QStringLiteral("Page A"));
    EXPECT_EQ(server.count("/typed"), 0);
    EXPECT_FALSE(second->WebView->HasDocument());

    ASSERT_TRUE(load(second, [&] { second->GoButton->click(); }));
    EXPECT_EQ(server.count("/typed"), 1);
    EXPECT_EQ(second->WebView->LocationName(), QStringLiteral("Typed"));
}

TEST_F(CommandsE2E, FindFromTheGoDropDownHighlightsTheWordInThatPane)
{
    ASSERT_TRUE(go(first, "/a"));
    ASSERT_TRUE(go(second, "/find"));
    openArrowPopup(second);
    ASSERT_TRUE(module()->Action("FindAction")->isEnabled());
    module()->Action("FindAction")->trigger();
    QWidget *dialog = control(second)->findDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(control(first)->findDialog(), nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Find"));
    auto *result = dialog->findChild<QLabel *>("findResult");
    dialog->findChild<QLineEdit *>("findText")->setText("apple");
    dialog->findChild<QPushButton *>("findNext")->click();
    ASSERT_TRUE(waitUntil([&] { return result->text() == "1 of 3"; }))
        << result->text().toStdString();
    dialog->findChild<QPushButton *>("findNext")->click();
    EXPECT_TRUE(waitUntil([&] { return result->text() == "2 of 3"; }));
    dialog->findChild<QPushButton *>("findPrevious")->click();
    EXPECT_TRUE(waitUntil([&] { return result->text() == "1 of 3"; }));
    // Closing the dialog leaves the word found selected in the page.
    dialog->close();
    EXPECT_TRUE(waitUntil([&] {
        return script(second, QStringLiteral("window.getSelection().toString()")).toString()
               == QLatin1String("apple");
    })) << script(second, QStringLiteral("window.getSelection().toString()"))
               .toString()
               .toStdString();
}

TEST_F(CommandsE2E, SaveAsWritesThePageOfThatPane)
{
    QTemporaryDir out;
    ASSERT_TRUE(go(first, "/a"));
    ASSERT_TRUE(go(second, "/b"));
    const QString path = out.filePath("saved.html");
    modal.answerWith([&](ModalRecord &record) {
        auto *dialog = qobject_cast<QFileDialog *>(record.dialog);
        if (!dialog)
            return int(QDialog::Rejected);
        dialog->selectNameFilter("Web Page, complete (*.htm *.html)");
        dialog->selectFile(path);
        return int(QDialog::Accepted);
    });
    openArrowPopup(second);
    ASSERT_TRUE(module()->Action("SaveDocAction")->isEnabled());
    module()->Action("SaveDocAction")->trigger();
    ASSERT_EQ(modal.asked.size(), 1);
    bool ok = false;
    ASSERT_TRUE(waitForCommand(second, platform::OLECMDID_SAVEAS, &ok));
    EXPECT_TRUE(ok);
    const QByteArray saved = readFile(path);
    EXPECT_TRUE(saved.contains("Other text")) << saved.left(300).toStdString();

    // As text: the words of the page, without its markup.
    const QString textPath = out.filePath("saved.txt");
    modal.answerWith([&](ModalRecord &record) {
        auto *dialog = qobject_cast<QFileDialog *>(record.dialog);
        if (!dialog)
            return int(QDialog::Rejected);
        dialog->selectNameFilter("Text File (*.txt)");
        dialog->selectFile(textPath);
        return int(QDialog::Accepted);
    });
    module()->Action("SaveDocAction")->trigger();
    ASSERT_TRUE(waitForCommand(second, platform::OLECMDID_SAVEAS, &ok));
    EXPECT_TRUE(ok);
    EXPECT_EQ(readFile(textPath).trimmed(), QByteArray("Other text"));
}

TEST_F(CommandsE2E, PrintPreviewOpensWithThePageAndPrintWritesAPdf)
{
    QTemporaryDir out;
    ASSERT_TRUE(go(first, "/a"));
    openArrowPopup(first);
    ASSERT_TRUE(module()->Action("PrintPreviewAction")->isEnabled());
    int previewPages = 0;
    modal.answerWith([&](ModalRecord &record) {
        auto *dialog = qobject_cast<QPrintPreviewDialog *>(record.dialog);
        if (!dialog)
            return int(QDialog::Rejected);
        dialog->show(); // the preview paints as it is shown
        auto *preview = dialog->findChild<QPrintPreviewWidget *>();
        if (preview && waitUntil([&] { return preview->pageCount() > 0; }, 60000))
            previewPages = preview->pageCount();
        dialog->hide();
        return int(QDialog::Rejected);
    });
    module()->Action("PrintPreviewAction")->trigger();
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Print Preview"));
    EXPECT_GE(previewPages, 1);

    // Print Setup chooses a PDF file; Print then prints there without asking.
    const QString pdf = out.filePath("page.pdf");
    modal.answerWith([&](ModalRecord &record) {
        auto *dialog = qobject_cast<QPrintDialog *>(record.dialog);
        if (!dialog)
            return int(QDialog::Rejected);
        dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
        dialog->printer()->setOutputFileName(pdf);
        return int(QDialog::Accepted);
    });
    module()->Action("PrintSetupAction")->trigger();
    bool ok = false;
    ASSERT_TRUE(waitForCommand(first, platform::OLECMDID_PRINT, &ok));
    EXPECT_TRUE(ok);
    ASSERT_TRUE(QFile::remove(pdf));

    const int asked = int(modal.asked.size());
    module()->Action("PrintAction")->trigger();
    ASSERT_TRUE(waitForCommand(first, platform::OLECMDID_PRINT, &ok));
    EXPECT_TRUE(ok);
    EXPECT_EQ(int(modal.asked.size()), asked);
    const QByteArray written = readFile(pdf);
    EXPECT_TRUE(written.startsWith("%PDF-"));
    EXPECT_GT(written.size(), 1000);
}

TEST_F(CommandsE2E, InternetOptionsOnTheVisiblePaneSetCookiesAndScriptsForEveryPane)
{
    server.serve("/setcookie", page("Set", "S"), "text/html", {"Set-Cookie: k=v; Path=/"});
    server.serve("/check", page("Check", "C"));
    server.serve("/script", "<html><head><title>not run</title></head><body>"
                            "<script>document.title='ran'</script></body></html>");
    auto answer = [&](int cookies, bool scripts, const char *encoding) {
        modal.answerWith([&, cookies, scripts, encoding](ModalRecord &record) {
            QDialog *dialog = record.dialog;
            EXPECT_EQ(record.caption, QStringLiteral("Internet Options"));
            dialog->findChild<QComboBox *>("acceptCookies")->setCurrentIndex(cookies);
            dialog->findChild<QCheckBox *>("runScripts")->setChecked(scripts);
            dialog->findChild<QComboBox *>("defaultEncoding")
                ->setCurrentIndex(int(platform::EncodingNames().indexOf(encoding)));
            dialog->accept(); // what OK does
            return int(QDialog::Accepted);
        });
    };
    auto cookieSent = [&] { return server.log().last().headers.value("cookie"); };

    answer(2, false, "ISO-8859-1"); // block all cookies, no scripts
    module()->Action("InternetOptionsAction")->trigger();
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(first->WebView->LocationURL(), QStringLiteral("about:blank")); // the target
    EXPECT_FALSE(second->WebView->HasDocument());
    EXPECT_EQ(platform::ReadInternetOptions().cookies,
              platform::InternetOptions::Cookies::BlockAll);
    ASSERT_TRUE(go(second, "/setcookie"));
    ASSERT_TRUE(go(second, "/check"));
    EXPECT_EQ(cookieSent(), QByteArray());
    ASSERT_TRUE(go(second, "/script"));
    EXPECT_EQ(second->WebView->LocationName(), QStringLiteral("not run"));

    answer(0, true, "windows-1251");
    module()->Action("InternetOptionsAction")->trigger();
    ASSERT_TRUE(go(second, "/setcookie"));
    ASSERT_TRUE(go(second, "/check"));
    EXPECT_EQ(cookieSent(), QByteArray("k=v"));
    ASSERT_TRUE(go(second, "/script"));
    EXPECT_TRUE(waitUntil([&] { return second->WebView->LocationName() == "ran"; }));
    EXPECT_EQ(platform::ReadInternetOptions().defaultEncoding, QStringLiteral("windows-1251"));
}

TEST_F(CommandsE2E, NoCacheNorHistoryReachesEveryPane)
{
    server.serve("/cached", page("Cached", "C"), "text/html", {"Cache-Control: max-age=3600"});
    ASSERT_TRUE(go(first, "/a"));
    ASSERT_TRUE(go(second, "/a"));
    // Each switch shows the panes' pages again, in the other profile.
    auto switchAndWait = [&](bool on) {
        const int firstLoads = loads.value(first);
        const int secondLoads = loads.value(second);
        on ? module()->SetProgramFlag(pfNoCache) : module()->SetProgramFlag(pfNoCache, false);
        module()->AllPanes().UpdateNoCache();
        return waitUntil(
            [&] { return loads.value(first) > firstLoads && loads.value(second) > secondLoads; });
    };
    ASSERT_TRUE(switchAndWait(true));
    EXPECT_TRUE(module()->Action("NoCacheAction")->isChecked());
    EXPECT_TRUE(control(second)->isPrivatePage());
    for (TBrowser *pane : {first, second}) {
        ASSERT_TRUE(go(pane, "/cached"));
        ASSERT_TRUE(go(pane, "/cached"));
        EXPECT_EQ(pane->WebView->LocationName(), QStringLiteral("Cached"));
        EXPECT_FALSE(pane->WebView->GoBack()); // each page took the place of the one before
    }
    EXPECT_EQ(server.count("/cached"), 4); // never read from the cache

    // Switching off shows both pages again in the normal profile: fetched, as the
    // private session kept nothing for it.
    ASSERT_TRUE(switchAndWait(false));
    const int fetched = server.count("/cached");
    EXPECT_GE(fetched, 5); // one of the two may come from the other's fresh copy
    EXPECT_FALSE(control(first)->isPrivatePage());
    ASSERT_TRUE(go(first, "/a"));
    ASSERT_TRUE(go(first, "/cached"));
    EXPECT_EQ(server.count("/cached"), fetched); // now the cache is read again
    EXPECT_TRUE(first->WebView->GoBack());
}
