// A document command of the Go drop-down that fails says so, as the dialog mode says:
// a box in Interactive mode, the status bar in Moderate and Silent mode.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/statusbar.h"
#include "browser/browser.h"
#include "layout/align.h"
#include "platform/webcontrol.h"
#include "platform/webengine.h"
#include "support/httpserver.h"
#include "support/programfixture.h"
#include "support/scratchmount.h"
#include "support/wait.h"

using namespace mira;
using mira::test::HttpServer;
using mira::test::waitUntil;

namespace {

enum class Mode { Interactive, Moderate, Silent };

class CommandFailuresE2E : public test::ProgramTest, public ::testing::WithParamInterface<Mode> {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        ASSERT_TRUE(server.start());
        server.serve("/page", "<!DOCTYPE html><html><head><title>Page</title></head><body>"
                              "<p>Some words</p></body></html>");
        start();
        form()->resize(800, 600);
        form()->show();
        pane = new TBrowser(form());
        PutInto(pane, form()->ClientArea());
        pane->resize(700, 500);
        pane->show();
        switch (GetParam()) {
        case Mode::Interactive: module()->Action("InteractiveAction")->trigger(); break;
        case Mode::Moderate: module()->Action("ModerateAction")->trigger(); break;
        case Mode::Silent: module()->Action("SilentAction")->trigger(); break;
        }
        QObject::connect(form()->StatusBar(), &MainStatusBar::PanelTextChanged, pane,
                         [this](const QString &text) { statusTexts << text; });
        QObject::connect(pane->WebView->Control(), &platform::WebControl::commandFinished, pane,
                         [this](int command, bool ok) { finished << qMakePair(command, ok); });
        pane->WebView->NavigateTo(server.url(QStringLiteral("/page")).toString());
        ASSERT_TRUE(waitUntil([&] { return pane->WebView->LocationName() == "Page"; }));
        module()->SetLastControl(pane->NaviBar);
        module()->Documents().ArrowPopupPopup();
    }
    void TearDown() override
    {
        // The shared printer outlives the program: leave no broken PDF path behind.
        platform::engine::SharedPrinter().setOutputFileName(QString());
        program.reset();
        server.stop();
        ProgramTest::TearDown();
    }
    // The file dialog of Save As picks path with the filter.
    void saveAs(const QString &path, const char *filter)
    {
        modal.answerWith([path, filter](ModalRecord &record) {
            auto *dialog = qobject_cast<QFileDialog *>(record.dialog);
            if (!dialog)
                return int(QDialog::Rejected);
            dialog->selectNameFilter(QString::fromLatin1(filter));
            dialog->selectFile(path);
            return int(QDialog::Accepted);
        });
        module()->Action("SaveDocAction")->trigger();
    }
    bool commandEnded(int command, bool ok)
    {
        return waitUntil([&] { return finished.contains(qMakePair(command, ok)); }, 60000);
    }
    // The failure reached the user the way the mode says, starting with start; returns
    // what it said.
    QString told(const QString &start)
    {
        if (GetParam() == Mode::Interactive) {
            const auto box = [&]() -> const ModalRecord * {
                for (const ModalRecord &record : modal.asked)
                    if (record.kind == ModalRecord::Kind::MessageBox
                        && record.text.startsWith(start))
                        return &record;
                return nullptr;
            };
            if (!waitUntil([&] { return box() != nullptr; })) {
                for (const ModalRecord &record : modal.asked)
                    ADD_FAILURE() << "asked: " << record.caption.toStdString() << " / "
                                  << record.text.toStdString();
                return {};
            }
            EXPECT_EQ(box()->caption, QStringLiteral("Mira"));
            EXPECT_EQ(box()->buttons, mbOK);
            return box()->text;
        }
        const QString line = QStringLiteral("Mira: ") + start;
        const auto said = [&]() -> QString {
            for (const QString &text : statusTexts)
                if (text.startsWith(line))
                    return text.mid(6);
            return {};
        };
        waitUntil([&] { return !said().isEmpty(); });
        for (const ModalRecord &record : modal.asked)
            EXPECT_NE(record.kind, ModalRecord::Kind::MessageBox) << record.text.toStdString();
        return said();
    }

    HttpServer server;
    TBrowser *pane = nullptr;
    QStringList statusTexts;
    QList<QPair<int, bool>> finished;
};

} // namespace

TEST_P(CommandFailuresE2E, SaveAsWhereNoFileCanBeWrittenSaysWhy)
{
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const QString missing = out.filePath("gone/page.html");
    saveAs(missing, "Web Page, complete (*.htm *.html)");
    ASSERT_TRUE(commandEnded(platform::OLECMDID_SAVEAS, false));
    // The file dialog names the path in its own (absolute, resolved) form.
    const QString said = told(QStringLiteral("Save As failed: "));
    EXPECT_TRUE(said.contains("gone/page.html: ")) << said.toStdString();
    EXPECT_TRUE(said.contains("does not exist")) << said.toStdString();
    EXPECT_FALSE(QFile::exists(missing));
    modal.asked.clear();
}

TEST_P(CommandFailuresE2E, SaveAsRefusedByTheFileSystemIsToldWithItsReason)
{
    // Tests run as root, whom a read-only folder does not refuse; nothing can be
    // created in /proc, not even by root.
    const QString path = QStringLiteral("/proc/mira-saved-page.mht");
    saveAs(path, "Web Archive, single file (*.mht *.mhtml)");
    ASSERT_TRUE(commandEnded(platform::OLECMDID_SAVEAS, false));
    const QString said = told(QStringLiteral("Save As failed: ") + path + ": ");
    EXPECT_GT(said.size(), QString(QStringLiteral("Save As failed: ") + path + ": ").size())
        << said.toStdString();

    // The same for the page's text, which the program writes itself.
    finished.clear();
    saveAs(QStringLiteral("/proc/mira-saved-page.txt"), "Text File (*.txt)");
    ASSERT_TRUE(commandEnded(platform::OLECMDID_SAVEAS, false));
    EXPECT_FALSE(told(QStringLiteral("Save As failed: /proc/mira-saved-page.txt: ")).isEmpty());
}

TEST_P(CommandFailuresE2E, SaveAsThatTheEngineCannotFinishIsToldAndTheProgramGoesOn)
{
    // A full disk takes the empty file of the trial, so only the engine's own save
    // fails: its reason for that has no text of its own.
    const QString mountPoint = dir.filePath(QStringLiteral("full"));
    test::ScratchMount disk(mountPoint, QStringLiteral("64k"));
    if (!disk.ok())
        GTEST_SKIP() << "cannot mount a scratch file system here";
    disk.fill();
    const QString path = mountPoint + QStringLiteral("/page.mht");
    saveAs(path, "Web Archive, single file (*.mht *.mhtml)");
    ASSERT_TRUE(commandEnded(platform::OLECMDID_SAVEAS, false));
    EXPECT_EQ(told(QStringLiteral("Save As failed: ") + path + ": "),
              QStringLiteral("Save As failed: ") + path
                  + QStringLiteral(": there is no space left on the disk"));
    modal.asked.clear();
    // The pane still answers.
    pane->WebView->NavigateTo(server.url(QStringLiteral("/page")).toString() + "?again");
    EXPECT_TRUE(waitUntil([&] { return pane->WebView->LocationURL().endsWith("?again"); }));
}

TEST_P(CommandFailuresE2E, PrintToAnUnwritablePdfSaysSo)
{
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const QString pdf = out.filePath("gone/page.pdf");
    modal.answerWith([&](ModalRecord &record) {
        auto *dialog = qobject_cast<QPrintDialog *>(record.dialog);
        if (!dialog)
            return int(QDialog::Rejected);
        dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
        dialog->printer()->setOutputFileName(pdf);
        return int(QDialog::Accepted);
    });
    module()->Action("PrintSetupAction")->trigger();
    ASSERT_TRUE(commandEnded(platform::OLECMDID_PRINT, false));
    EXPECT_TRUE(told(QStringLiteral("Print failed: ") + pdf + ": ").contains("does not exist"));

    // Print without asking: the engine's printer cannot open the file.
    finished.clear();
    platform::engine::SharedPrinter().setOutputFileName(QStringLiteral("/proc/mira-page.pdf"));
    module()->Action("PrintAction")->trigger();
    ASSERT_TRUE(commandEnded(platform::OLECMDID_PRINT, false));
    EXPECT_FALSE(told(QStringLiteral("Print failed: /proc/mira-page.pdf: ")).isEmpty());
}

TEST_P(CommandFailuresE2E, OpeningAFileThatIsGoneSaysSoAndKeepsThePage)
{
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const QString gone = out.filePath("gone.html");
    modal.answerWith([&](ModalRecord &record) {
        auto *dialog = qobject_cast<QFileDialog *>(record.dialog);
        if (!dialog)
            return int(QDialog::Rejected);
        dialog->selectFile(gone);
        return int(QDialog::Accepted);
    });
    module()->Action("OpenDocAction")->trigger();
    EXPECT_EQ(told(QStringLiteral("Open failed: ") + gone + ": "),
              QStringLiteral("Open failed: ") + gone + ": the file does not exist");
    EXPECT_EQ(pane->WebView->LocationName(), QStringLiteral("Page"));
}

INSTANTIATE_TEST_SUITE_P(Modes, CommandFailuresE2E,
                         ::testing::Values(Mode::Interactive, Mode::Moderate, Mode::Silent),
                         [](const ::testing::TestParamInfo<Mode> &param) {
                             switch (param.param) {
                             case Mode::Interactive: return "Interactive";
                             case Mode::Moderate: return "Moderate";
                             case Mode::Silent: return "Silent";
                             }
                             return "";
                         });
