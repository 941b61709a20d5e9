// The web view host on the real engine, against pages of a local server: what only
// the engine can show (requests the server saw, the cache, dialogs, files). What the
// fake must do alike is in webcontrol_contract_test.cpp.
#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

#include "browser/mwebbrowser.h"
#include "platform/profiles.h"
#include "platform/qtwebcontrol.h"
#include "platform/webengine.h"
#include "support/httpserver.h"
#include "support/scriptedmodal.h"
#include "support/wait.h"

using namespace mira;
using namespace mira::platform;
using mira::test::HttpServer;
using mira::test::ScriptedModal;

namespace {

constexpr int timeoutMs = mira::test::kWaitTimeoutMs;
using mira::test::waitUntil;

// Files under folder whose bytes contain text (cache entries hold their address).
QStringList filesContaining(const QString &folder, const QByteArray &text)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly) && f.readAll().contains(text))
            files << f.fileName();
    }
    return files;
}

class WebControlE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.start());
        server.serve("/a", "<html><head><title>Page A</title></head><body>A</body></html>");
        server.serve("/b", "<html><head><title>Page B</title></head><body>B</body></html>");
        owner = std::make_unique<QWidget>();
        owner->resize(640, 480);
        browser = newBrowser();
        owner->show();
    }
    void TearDown() override
    {
        browsers.clear();
        owner.reset();
        SetPrivateBrowsing(false);
        server.stop();
    }

    TMWebBrowser *newBrowser()
    {
        auto *b = new TMWebBrowser(owner.get());
        b->resize(640, 480);
        b->events.OnProgressChange = [this](int progress, int) {
            if (progress == -1)
                ++loadsFinished;
        };
        browsers.push_back(b);
        return b;
    }

    // Navigates (or runs the action) and waits for the load to end.
    bool load(const std::function<void()> &start)
    {
        const int before = loadsFinished;
        start();
        return waitUntil([&] { return loadsFinished > before; });
    }
    bool go(TMWebBrowser *b, const QString &path)
    {
        return load([&] { b->NavigateTo(server.url(path).toString()); });
    }

    HttpServer server;
    std::unique_ptr<QWidget> owner;
    std::vector<TMWebBrowser *> browsers; // owned by owner
    TMWebBrowser *browser = nullptr;
    int loadsFinished = 0;
};

} // namespace

TEST_F(WebControlE2E, RefreshFetchesThePageAgain)
{
    ASSERT_TRUE(go(browser, "/b"));
    const int fetched = server.count("/b");
    EXPECT_EQ(fetched, 1);
    ASSERT_TRUE(load([&] { EXPECT_TRUE(browser->Refresh()); }));
    EXPECT_EQ(server.count("/b"), fetched + 1);
}

TEST_F(WebControlE2E, NoCacheNavigationsFetchAgainAndLeaveNoTrace)
{
    for (const char *path : {"/cached", "/uncached"})
        server.serve(path, "<html><title>Cacheable</title><body>C</body></html>", "text/html",
                     {"Cache-Control: max-age=3600"});
    const QString cache = engine::CacheFolder();
    const QByteArray cachedUrl = server.url("/cached").toEncoded();
    const QByteArray uncachedUrl = server.url("/uncached").toEncoded();

    // Normally the page is kept in the cache and read from it.
    ASSERT_TRUE(go(browser, "/cached"));
    ASSERT_TRUE(go(browser, "/a"));
    ASSERT_TRUE(go(browser, "/cached"));
    EXPECT_EQ(server.count("/cached"), 1);
    EXPECT_TRUE(waitUntil([&] { return !filesContaining(cache, cachedUrl).isEmpty(); }, 5000));

    // The mode moves the page into the private profile, which has none of it.
    browser->SetNoCache(true);
    ASSERT_TRUE(load([&] { SetPrivateBrowsing(true); }));
    EXPECT_EQ(server.count("/cached"), 2);
    ASSERT_TRUE(go(browser, "/uncached"));
    ASSERT_TRUE(go(browser, "/uncached"));
    ASSERT_TRUE(go(browser, "/cached"));
    EXPECT_EQ(server.count("/uncached"), 2);
    EXPECT_EQ(server.count("/cached"), 3);
    // The fetch is unconditional: nothing was read from a cache.
    EXPECT_FALSE(server.log().last().headers.contains("if-modified-since"));
    EXPECT_EQ(filesContaining(cache, uncachedUrl), QStringList());
    auto *control = qobject_cast<QtWebControl *>(browser->Control());
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(control->isNoCachePage());

    // Back to normal: history is kept again.
    browser->SetNoCache(false);
    ASSERT_TRUE(load([&] { SetPrivateBrowsing(false); }));
    ASSERT_TRUE(go(browser, "/a"));
    ASSERT_TRUE(go(browser, "/b"));
    EXPECT_FALSE(control->isNoCachePage());
    ASSERT_TRUE(load([&] { EXPECT_TRUE(browser->GoBack()); }));
    EXPECT_EQ(browser->LocationName(), QStringLiteral("Page A"));
}

TEST_F(WebControlE2E, NoHistoryNavigationReplacesOnlyTheCurrentEntryAndFetchesFresh)
{
    server.serve("/c", "<html><head><title>Page C</title></head><body>C</body></html>", "text/html",
                 {"Cache-Control: max-age=3600", "ETag: \"c1\"",
                  "Last-Modified: Mon, 01 Jan 2024 00:00:00 GMT"});
    // Another view puts C into the program's cache first.
    ASSERT_TRUE(go(newBrowser(), "/c"));
    ASSERT_EQ(server.count("/c"), 1);

    ASSERT_TRUE(go(browser, "/a"));
    ASSERT_TRUE(go(browser, "/b"));
    browser->SetNoCache(true);
    // Both views show their pages again in the private profile (the other one C).
    const int before = loadsFinished;
    SetPrivateBrowsing(true);
    ASSERT_TRUE(waitUntil([&] { return loadsFinished >= before + 2; }));
    ASSERT_EQ(server.count("/c"), 2);
    ASSERT_TRUE(go(browser, "/c"));
    EXPECT_EQ(browser->LocationName(), QStringLiteral("Page C"));
    // A fresh request: C was neither read from the cache nor revalidated.
    ASSERT_EQ(server.count("/c"), 3);
    const HttpServer::Request &fetch = server.log().last();
    EXPECT_EQ(fetch.path, QStringLiteral("/c"));
    EXPECT_FALSE(fetch.headers.contains("if-none-match"));
    EXPECT_FALSE(fetch.headers.contains("if-modified-since"));

    // C took B's place; A stays before it.
    ASSERT_TRUE(load([&] { EXPECT_TRUE(browser->GoBack()); }));
    EXPECT_EQ(browser->LocationName(), QStringLiteral("Page A"));
    EXPECT_FALSE(browser->GoBack());
    ASSERT_TRUE(load([&] { EXPECT_TRUE(browser->GoForward()); }));
    EXPECT_EQ(browser->LocationName(), QStringLiteral("Page C"));
    EXPECT_FALSE(browser->GoForward());
}

TEST_F(WebControlE2E, TextSizeAppliesToEveryViewAndIsKept)
{
    TMWebBrowser *other = newBrowser();
    ASSERT_TRUE(go(browser, "/a"));
    ASSERT_TRUE(go(other, "/b"));
    EXPECT_EQ(browser->Document().TextSizeMin(), 0);
    EXPECT_EQ(browser->Document().TextSizeMax(), 4);
    browser->Document().SetTextSize(9);
    EXPECT_EQ(browser->Document().GetTextSize(), 4);
    auto *otherControl = qobject_cast<QtWebControl *>(other->Control());
    ASSERT_NE(otherControl, nullptr);
    EXPECT_DOUBLE_EQ(otherControl->zoomFactor(), 1.5);

    // A view made later, without a document, reads it after loading about:blank.
    TMWebBrowser *late = newBrowser();
    EXPECT_EQ(late->Document().GetTextSize(), 4);
    EXPECT_EQ(late->LocationURL(), QStringLiteral("about:blank"));

    QFile kept(engine::DataFolder() + "/textsize");
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll().trimmed(), QByteArray("4"));

    browser->Document().SetTextSize(0);
    EXPECT_DOUBLE_EQ(otherControl->zoomFactor(), 0.75);
    browser->Document().SetTextSize(2);
    EXPECT_DOUBLE_EQ(otherControl->zoomFactor(), 1.0);
}

TEST_F(WebControlE2E, FindDialogFindsTextInThePage)
{
    server.serve("/find", "<html><body><p>apple pear Apple apple</p></body></html>");
    ASSERT_TRUE(go(browser, "/find"));
    browser->Document().ShowFind();
    auto *control = qobject_cast<QtWebControl *>(browser->Control());
    QWidget *dialog = control->findDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Find"));
    auto *label = dialog->findChild<QLabel *>("findResult");
    dialog->findChild<QLineEdit *>("findText")->setText("apple");
    dialog->findChild<QPushButton *>("findNext")->click();
    EXPECT_TRUE(waitUntil([&] { return label->text() == "1 of 3"; }))
        << label->text().toStdString();
    dialog->findChild<QCheckBox *>("matchCase")->setChecked(true);
    dialog->findChild<QPushButton *>("findNext")->click();
    EXPECT_TRUE(waitUntil([&] { return label->text().endsWith(" of 2"); }))
        << label->text().toStdString();
    dialog->findChild<QLineEdit *>("findText")->setText("banana");
    dialog->findChild<QPushButton *>("findNext")->click();
    EXPECT_TRUE(waitUntil([&] { return label->text() == "Not found"; }));
}

TEST_F(WebControlE2E, SaveAsWritesTheChosenFormat)
{
    QTemporaryDir dir;
    ASSERT_TRUE(go(browser, "/a"));
    const QString path = dir.filePath("saved.mhtml");
    ScriptedModal modal;
    modal.answerWith([&](ModalRecord &record) {
        auto *dialog = qobject_cast<QFileDialog *>(record.dialog);
        EXPECT_NE(dialog, nullptr);
        if (!dialog)
            return int(QDialog::Rejected);
        dialog->selectNameFilter("Web Archive, single file (*.mht *.mhtml)");
        dialog->selectFile(path);
        return int(QDialog::Accepted);
    });
    bool finished = false;
    bool ok = false;
    QObject::connect(browser->Control(), &WebControl::commandFinished, owner.get(),
                     [&](int command, bool success) {
                         finished = command == OLECMDID_SAVEAS;
                         ok = success;
                     });
    browser->Document().SaveDocumentAs();
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Save Web Page"));
    ASSERT_TRUE(waitUntil([&] { return finished; }));
    EXPECT_TRUE(ok);
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray content = saved.readAll();
    EXPECT_TRUE(content.contains("MIME-Version")) << content.left(200).toStdString();
    EXPECT_TRUE(content.contains("Page A"));
}

TEST_F(WebControlE2E, PrintWithPromptWritesAPdf)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("page.pdf");
    ASSERT_TRUE(go(browser, "/a"));
    ScriptedModal modal;
    modal.answerWith([&](ModalRecord &record) {
        auto *dialog = qobject_cast<QPrintDialog *>(record.dialog);
        EXPECT_NE(dialog, nullptr);
        if (!dialog)
            return int(QDialog::Rejected);
        dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
        dialog->printer()->setOutputFileName(pdf);
        return int(QDialog::Accepted);
    });
    bool finished = false;
    bool ok = false;
    QObject::connect(browser->Control(), &WebControl::commandFinished, owner.get(),
                     [&](int command, bool success) {
                         finished = command == OLECMDID_PRINT;
                         ok = success;
                     });
    browser->Document().PrintWithDialog();
    ASSERT_EQ(modal.asked.size(), 1);
    ASSERT_TRUE(waitUntil([&] { return finished; }));
    EXPECT_TRUE(ok);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
}

TEST_F(WebControlE2E, DialogCommandsRunThroughTheModalRunner)
{
    ASSERT_TRUE(go(browser, "/a"));
    ScriptedModal modal;
    QStringList classes;
    for (int i = 0; i < 4; ++i)
        modal.answerWith([&](ModalRecord &record) {
            classes << QString::fromLatin1(record.dialog->metaObject()->className());
            return int(QDialog::Rejected);
        });
    browser->Document().PageSetup();
    browser->Document().PrintPreview();
    browser->Document().ShowInternetOptions();
    browser->Document().OpenDocument();
    ASSERT_EQ(modal.asked.size(), 4);
    EXPECT_EQ(classes,
              QStringList({"QPageSetupDialog", "QPrintPreviewDialog", "QDialog", "QFileDialog"}));
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Page Setup"));
    EXPECT_EQ(modal.asked[2].caption, QStringLiteral("Internet Options"));
    EXPECT_EQ(browser->LocationName(), QStringLiteral("Page A")); // nothing opened
}

TEST_F(WebControlE2E, OpenLoadsTheChosenFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("local.html");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<html><title>Local</title><body>L</body></html>");
    }
    ScriptedModal modal;
    modal.answerWith([&](ModalRecord &record) {
        auto *dialog = qobject_cast<QFileDialog *>(record.dialog);
        if (!dialog)
            return int(QDialog::Rejected);
        dialog->setDirectory(dir.path());
        dialog->selectFile(path);
        return int(QDialog::Accepted);
    });
    // Without a document: about:blank first, then the dialog, then the file.
    browser->Document().OpenDocument();
    EXPECT_EQ(modal.asked.size(), 1);
    ASSERT_TRUE(waitUntil([&] { return browser->LocationName() == "Local"; }));
    EXPECT_EQ(browser->LocationURL(), QUrl::fromLocalFile(path).toString());
}

TEST_F(WebControlE2E, OfflineFlagsKeepTheViewOffTheNetwork)
{
    browser->SetDownloadOptions(
        {TDownloadControlOption::DLCTL_DLIMAGES, TDownloadControlOption::DLCTL_OFFLINE});
    EXPECT_EQ(browser->Control()->downloadFlags(), 0x80000010u);
    ASSERT_TRUE(go(browser, "/a"));
    EXPECT_EQ(server.count("/a"), 0);

    browser->SetDownloadOptions({TDownloadControlOption::DLCTL_DLIMAGES});
    ASSERT_TRUE(go(browser, "/a"));
    EXPECT_EQ(server.count("/a"), 1);
}
