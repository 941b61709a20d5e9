#include "platform/qtwebcontrol.h"

// The document commands of the engine's web control: open, save as, print, print
// preview, page setup, find and the Internet Options.
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>
#include <QWebEngineDownloadRequest>
#include <QWebEngineFindTextResult>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <memory>

#include "dialogs/modal.h"
#include "platform/commandfailure.h"
#include "platform/internetoptions.h"
#include "platform/webdialogs.h"
#include "platform/webengine.h"

namespace mira::platform {

bool QtWebControl::openDocument()
{
    QFileDialog dialog(view, QStringLiteral("Open"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters({QStringLiteral("Web Pages (*.htm *.html *.xhtml *.mht *.mhtml)"),
                           QStringLiteral("Text Files (*.txt)"), QStringLiteral("All Files (*)")});
    if (RunDialog(dialog, view) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    const QString path = dialog.selectedFiles().constFirst();
    if (const QString problem = ReadSourceProblem(path); !problem.isEmpty()) {
        reportFailure(QStringLiteral("Open"), QDir::toNativeSeparators(path), problem);
        return false;
    }
    navigate(QUrl::fromLocalFile(path).toString(), 0);
    return true;
}

void QtWebControl::reportFailure(const QString &command, const QString &target,
                                 const QString &reason)
{
    WebMessage message;
    message.caption = QStringLiteral("Mira");
    message.text = CommandFailureText(command, target, reason);
    message.type = MB_OK | MB_ICONERROR;
    // Told after the engine's callback has returned: a box runs its own event loop.
    QTimer::singleShot(0, this, [this, message]() mutable { scriptMessage(message); });
}

bool QtWebControl::saveDocumentAs()
{
    static const QString complete = QStringLiteral("Web Page, complete (*.htm *.html)");
    static const QString archive = QStringLiteral("Web Archive, single file (*.mht *.mhtml)");
    static const QString htmlOnly = QStringLiteral("Web Page, HTML only (*.htm *.html)");
    static const QString text = QStringLiteral("Text File (*.txt)");
    QFileDialog dialog(view, QStringLiteral("Save Web Page"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters({complete, archive, htmlOnly, text});
    dialog.setDefaultSuffix(QStringLiteral("html"));
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString &filter) {
        dialog.setDefaultSuffix(filter == archive ? QStringLiteral("mht")
                                : filter == text  ? QStringLiteral("txt")
                                                  : QStringLiteral("html"));
    });
    QString name = page()->title().trimmed();
    name.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]")), QStringLiteral("_"));
    dialog.selectFile((name.isEmpty() ? QStringLiteral("page") : name) + QStringLiteral(".html"));
    if (RunDialog(dialog, view) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    const QString path = dialog.selectedFiles().constFirst();
    const QString shownPath = QDir::toNativeSeparators(path);
    const QString filter = dialog.selectedNameFilter();
    // The engine may give up on such a path without a word: tell it before asking.
    if (const QString problem = WriteTargetProblem(path); !problem.isEmpty()) {
        reportFailure(QStringLiteral("Save As"), shownPath, problem);
        Q_EMIT commandFinished(OLECMDID_SAVEAS, false);
        return true;
    }
    if (filter == text) {
        // The text as the page shows it; the engine hands it over later.
        QPointer<QtWebControl> self(this);
        page()->toPlainText([self, path, shownPath](const QString &plain) {
            QSaveFile file(path);
            const bool ok = file.open(QIODevice::WriteOnly) && file.write(plain.toUtf8()) >= 0
                            && file.commit();
            if (!self)
                return;
            if (!ok)
                self->reportFailure(QStringLiteral("Save As"), shownPath, file.errorString());
            Q_EMIT self->commandFinished(OLECMDID_SAVEAS, ok);
        });
        return true;
    }
    const auto format = filter == archive    ? QWebEngineDownloadRequest::MimeHtmlSaveFormat
                        : filter == htmlOnly ? QWebEngineDownloadRequest::SingleHtmlSaveFormat
                                             : QWebEngineDownloadRequest::CompleteHtmlSaveFormat;
    QWebEnginePage *p = page();
    QWebEngineProfile *profile = p->profile();
    // The engine saves through its download machinery; report when that download ends.
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = connect(profile, &QWebEngineProfile::downloadRequested, this,
                          [this, p, path, connection](QWebEngineDownloadRequest *request) {
                              // A kept copy of the page may be saved meanwhile.
                              if (!request->isSavePageDownload() || request->page() != p
                                  || QFileInfo(QDir(request->downloadDirectory()),
                                               request->downloadFileName())
                                             .absoluteFilePath()
                                         != QFileInfo(path).absoluteFilePath())
                                  return;
                              disconnect(*connection);
                              connect(request, &QWebEngineDownloadRequest::isFinishedChanged, this,
                                      [this, request, path] { saveEnded(request, path); });
                          });
    p->save(path, format);
    return true;
}

void QtWebControl::saveEnded(QWebEngineDownloadRequest *request, const QString &path)
{
    if (!request->isFinished())
        return;
    const bool ok = request->state() == QWebEngineDownloadRequest::DownloadCompleted;
    if (!ok)
        reportFailure(QStringLiteral("Save As"), QDir::toNativeSeparators(path),
                      SaveInterruptText(request->interruptReasonString()));
    Q_EMIT commandFinished(OLECMDID_SAVEAS, ok);
}

// Where the shared printer prints: a PDF file's path or the printer's name.
static QString printTarget(const QPrinter &printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat
               ? QDir::toNativeSeparators(printer.outputFileName())
               : printer.printerName();
}

bool QtWebControl::print(int option)
{
    if (printing || !view)
        return false;
    QPrinter &printer = engine::SharedPrinter();
    // Without a printer and before any print setup there is nowhere to print: ask.
    const bool nowhere = printer.outputFormat() == QPrinter::PdfFormat
                         && printer.outputFileName().isEmpty();
    if (option == OLECMDEXECOPT_PROMPTUSER || nowhere) {
        QPrintDialog dialog(&printer, view);
        dialog.setWindowTitle(QStringLiteral("Print"));
        if (RunDialog(dialog, view) != QDialog::Accepted)
            return false;
    }
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        if (const QString problem = WriteTargetProblem(printer.outputFileName());
            !problem.isEmpty()) {
            reportFailure(QStringLiteral("Print"), printTarget(printer), problem);
            Q_EMIT commandFinished(OLECMDID_PRINT, false);
            return true;
        }
    }
    printing = true;
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = connect(view.data(), &QWebEngineView::printFinished, this,
                          [this, connection, target = printTarget(printer)](bool ok) {
                              disconnect(*connection);
                              printing = false;
                              if (!ok)
                                  reportFailure(QStringLiteral("Print"), target,
                                                QStringLiteral("the printer could not be opened "
                                                               "or the page not printed"));
                              Q_EMIT commandFinished(OLECMDID_PRINT, ok);
                          });
    view->print(&printer);
    return true;
}

bool QtWebControl::printPreview()
{
    if (printing || !view)
        return false;
    QPrintPreviewDialog dialog(&engine::SharedPrinter(), view);
    dialog.setWindowTitle(QStringLiteral("Print Preview"));
    QPointer<QWebEngineView> viewRef = view;
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this, viewRef](QPrinter *p) {
        if (!viewRef || printing)
            return;
        // The preview paints synchronously; the engine prints asynchronously.
        printing = true;
        QEventLoop loop;
        bool finished = false;
        bool ok = false;
        connect(viewRef.data(), &QWebEngineView::printFinished, &loop,
                [&loop, &finished, &ok](bool success) {
                    finished = true;
                    ok = success;
                    loop.quit();
                });
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        viewRef->print(p);
        loop.exec();
        printing = false;
        if (!ok)
            reportFailure(QStringLiteral("Print Preview"), QString(),
                          finished ? QStringLiteral("the page could not be laid out for printing")
                                   : QStringLiteral("the engine did not lay the page out in time"));
    });
    RunDialog(dialog, view);
    return true;
}

bool QtWebControl::pageSetup()
{
    QPageSetupDialog dialog(&engine::SharedPrinter(), view);
    dialog.setWindowTitle(QStringLiteral("Page Setup"));
    return RunDialog(dialog, view) == QDialog::Accepted;
}

bool QtWebControl::showFind()
{
    if (!finder) {
        QPointer<QtWebControl> self(this);
        finder = new FindDialog(view, [self](const QString &text, bool matchCase, bool backward,
                                             FindDialog::ResultCallback done) {
            if (!self || !self->page())
                return;
            QWebEnginePage::FindFlags flags;
            if (matchCase)
                flags |= QWebEnginePage::FindCaseSensitively;
            if (backward)
                flags |= QWebEnginePage::FindBackward;
            self->page()->findText(text, flags, [done](const QWebEngineFindTextResult &result) {
                if (done)
                    done(result.activeMatch(), result.numberOfMatches());
            });
        });
        finder->setWindowFlag(Qt::Dialog);
    }
    finder->show();
    finder->raise();
    finder->activateWindow();
    return true;
}

bool QtWebControl::internetOptions()
{
    return RunInternetOptions(view);
}

} // namespace mira::platform
