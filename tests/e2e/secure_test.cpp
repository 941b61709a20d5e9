// Secure pages, logins and file choosers on the real engine, in every dialog mode:
// what the user is asked, what the page gets, and that nothing waits for an answer
// that never comes.
#include <QFileDialog>
#include <QLineEdit>
#include <QSslConfiguration>
#include <QTest>
#include <gtest/gtest.h>

#include "browser/browser.h"
#include "layout/align.h"
#include "support/httpserver.h"
#include "support/programfixture.h"
#include "support/testcertificate.h"
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

class SecurePagesE2E : public test::ProgramTest, public ::testing::WithParamInterface<Mode> {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
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
    }
    void TearDown() override
    {
        program.reset();
        server.stop();
        ProgramTest::TearDown();
    }
    QString title() const { return pane->WebView->LocationName(); }
    void go(const QString &path) { pane->WebView->NavigateTo(server.url(path).toString()); }
    // The load has ended one way or the other and the program still runs its loop.
    bool settled()
    {
        return waitUntil(
            [&] { return pane->WebView->ReadyState() == platform::READYSTATE_COMPLETE; });
    }
    bool asks() const { return GetParam() != Mode::Silent; }

    HttpServer server;
    TBrowser *pane = nullptr;
};

} // namespace

TEST_P(SecurePagesE2E, AnUntrustedCertificateIsAskedShownOrRefused)
{
    // A certificate of its own for every test: the engine remembers an accepted one.
    QString error;
    const QSslConfiguration tls = test::MakeSelfSignedTls(dir.path(), &error);
    ASSERT_FALSE(tls.isNull()) << error.toStdString();
    server.serve("/secure", page("Secure", "<p>secret</p>"));
    ASSERT_TRUE(server.startTls(tls));

    modal.answer(mrYes);
    go(QStringLiteral("/secure"));
    if (asks()) {
        ASSERT_TRUE(waitUntil([&] { return !modal.asked.isEmpty(); }));
        EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Security Alert"));
        EXPECT_EQ(modal.asked[0].buttons, mbYes | mbNo);
        EXPECT_TRUE(modal.asked[0].text.contains(QStringLiteral("127.0.0.1")));
        ASSERT_TRUE(waitUntil([&] { return title() == QLatin1String("Secure"); }));
        EXPECT_EQ(server.count(QStringLiteral("/secure")), 1);
        return;
    }
    ASSERT_TRUE(settled());
    QTest::qWait(300);
    EXPECT_TRUE(modal.asked.isEmpty());
    EXPECT_NE(title(), QStringLiteral("Secure"));
    EXPECT_EQ(server.count(QStringLiteral("/secure")), 0);
}

TEST_P(SecurePagesE2E, ALoginIsAskedInADialogOrCancelled)
{
    server.serve("/private", page("Private", "<p>inside</p>"));
    server.requireLogin(QStringLiteral("/private"), "ann", "pw 1");
    ASSERT_TRUE(server.start());

    // Cancelled (by the user, or by Silent mode): the site's refusal shows, and the
    // engine does not go on sending empty logins.
    modal.answer(mrCancel);
    go(QStringLiteral("/private"));
    ASSERT_TRUE(waitUntil([&] { return title() == QLatin1String("Login refused"); }));
    QTest::qWait(500);
    EXPECT_EQ(server.count(QStringLiteral("/private")), 1);
    EXPECT_EQ(modal.asked.size(), asks() ? 1 : 0);
    if (!asks())
        return;
    EXPECT_EQ(modal.asked[0].kind, ModalRecord::Kind::Dialog);
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Authentication Required"));

    // A wrong answer is refused by the site and asked again; the right one lets the user in.
    const auto typeLogin = [](const char *user, const char *password) {
        return [user, password](ModalRecord &record) {
            if (!record.dialog)
                return int(mrCancel);
            auto *userEdit = record.dialog->findChild<QLineEdit *>(QStringLiteral("user"));
            auto *passwordEdit = record.dialog->findChild<QLineEdit *>(QStringLiteral("password"));
            if (!userEdit || !passwordEdit)
                return int(mrCancel);
            userEdit->setText(QString::fromLatin1(user));
            passwordEdit->setText(QString::fromLatin1(password));
            return int(QDialog::Accepted);
        };
    };
    modal.answerWith(typeLogin("ann", "wrong")).answerWith(typeLogin("ann", "pw 1"));
    go(QStringLiteral("/private"));
    ASSERT_TRUE(waitUntil([&] { return title() == QLatin1String("Private"); }));
    EXPECT_EQ(modal.asked.size(), 3);
}

TEST_P(SecurePagesE2E, AFileChooserOpensADialogOrChoosesNothing)
{
    server.serve("/choose",
                 page("Chooser", "<input type=file id=f style='position:absolute;left:0;top:0;"
                                 "width:300px;height:80px' onchange=\"document.title = 'files:' + "
                                 "this.files.length + ':' + this.files[0].name\">"
                                 "<div style='height:600px' onmousedown='window.touched = true'>"
                                 "</div>"));
    ASSERT_TRUE(server.start());
    const QString upload = writeFile(QStringLiteral("upload.txt"), "data");
    go(QStringLiteral("/choose"));
    ASSERT_TRUE(waitUntil([&] { return title() == QLatin1String("Chooser"); }));

    // The engine opens a chooser only for a real click, once the view takes input.
    QWidget *input = pane->WebView->Control()->widget();
    while (input->focusProxy())
        input = input->focusProxy();
    ASSERT_TRUE(waitUntil([&] {
        QTest::mouseClick(input, Qt::LeftButton, {}, QPoint(400, 300));
        QTest::qWait(50);
        return pane->WebView->Control()
            ->scripting()
            ->evaluateScript(QStringLiteral("window.touched === true"))
            .toBool();
    }));
    modal.answerWith([upload](ModalRecord &record) {
        auto *chooser = qobject_cast<QFileDialog *>(record.dialog);
        if (!chooser)
            return int(mrCancel);
        chooser->selectFile(upload);
        return int(QDialog::Accepted);
    });
    QTest::mouseClick(input, Qt::LeftButton, {}, QPoint(40, 30));
    if (asks()) {
        ASSERT_TRUE(waitUntil([&] { return title() == QLatin1String("files:1:upload.txt"); }));
        ASSERT_EQ(modal.asked.size(), 1);
        EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Choose File to Upload"));
        return;
    }
    QTest::qWait(500);
    EXPECT_TRUE(modal.asked.isEmpty());
    EXPECT_EQ(title(), QStringLiteral("Chooser"));
    // The page goes on taking script: nothing waits for a chooser.
    EXPECT_EQ(pane->WebView->Control()
                  ->scripting()
                  ->evaluateScript(QStringLiteral("1 + 1"))
                  .toInt(),
              2);
}

INSTANTIATE_TEST_SUITE_P(Modes, SecurePagesE2E,
                         ::testing::Values(Mode::Interactive, Mode::Moderate, Mode::Silent),
                         [](const ::testing::TestParamInfo<Mode> &param) {
                             switch (param.param) {
                             case Mode::Interactive: return "Interactive";
                             case Mode::Moderate: return "Moderate";
                             case Mode::Silent: return "Silent";
                             }
                             return "";
                         });
