#include "platform/qtwebcontrol.h"

// The document commands of the engine's web control: open, save as, print, print
// preview, page setup, find and the Internet Options.
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QPrinter>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>
#include <QWebEngineDownloadRequest>
#include <QWebEngineFindTextResult>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <memory>

#include "dialogs/documentdialogs.h"
#include "dialogs/finddialog.h"
#include "platform/commandfailure.h"
#include "platform/internetoptions.h"
#include "platform/webdialogs.h"
#include "platform/webengine.h"

namespace mira::platform {

bool QtWebControl::commandable() const
{
    return documentShown && page();
}

bool QtWebControl::open()
{
    if (!commandable())
        return false;
    const QString path = AskOpenDocumentPath(view);
    if (path.isEmpty())
        return false;
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

bool QtWebControl::saveAs()
{
    if (!commandable())
        return false;
    const SavePageChoice choice = AskSavePagePath(view, page()->title());
    if (choice.path.isEmpty())
        return false;
    const QString path = choice.path;
    const QString shownPath = QDir::toNativeSeparators(path);
    // The engine may give up on such a path without a word: tell it before asking.
    // A new file is tried and removed; an existing one is kept whole until replaced.
    if (const QString problem = WriteTargetProblem(path); !problem.isEmpty()) {
        reportFailure(QStringLiteral("Save As"), shownPath, problem);
        Q_EMIT commandFinished(OLECMDID_SAVEAS, false);
        return true;
    }
    if (choice.form == SavePageForm::Text) {
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
    const auto format = choice.form == SavePageForm::Archive
                            ? QWebEngineDownloadRequest::MimeHtmlSaveFormat
                        : choice.form == SavePageForm::HtmlOnly
                            ? QWebEngineDownloadRequest::SingleHtmlSaveFormat
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
                      SaveFailureText(int(request->interruptReason()), path));
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
    if (!commandable() || printing || !view)
        return false;
    QPrinter &printer = engine::SharedPrinter();
    // Without a printer and before any print setup there is nowhere to print: ask.
    const bool nowhere = printer.outputFormat() == QPrinter::PdfFormat
                         && printer.outputFileName().isEmpty();
    if ((option == OLECMDEXECOPT_PROMPTUSER || nowhere) && !AskPrintSetup(printer, view))
        return false;
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
    if (!commandable() || printing || !view)
        return false;
    QPointer<QtWebControl> self(this);
    QPointer<QWebEngineView> viewRef = view;
    RunPrintPreview(engine::SharedPrinter(), view, [self, viewRef](QPrinter *p) {
        if (!self || !viewRef || self->printing)
            return;
        // The preview paints synchronously; the engine prints asynchronously.
        self->printing = true;
        QEventLoop loop;
        bool finished = false;
        bool ok = false;
        QObject::connect(viewRef.data(), &QWebEngineView::printFinished, &loop,
                         [&loop, &finished, &ok](bool success) {
                             finished = true;
                             ok = success;
                             loop.quit();
                         });
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        viewRef->print(p);
        loop.exec();
        if (!self)
            return;
        self->printing = false;
        if (!ok)
            self->reportFailure(QStringLiteral("Print Preview"), QString(),
                                finished
                                    ? QStringLiteral("the page could not be laid out for printing")
                                    : QStringLiteral(
                                        "the engine did not lay the page out in time"));
    });
    return true;
}

bool QtWebControl::pageSetup()
{
    if (!commandable())
        return false;
    return RunPageSetup(engine::SharedPrinter(), view);
}

bool QtWebControl::find()
{
    if (!commandable())
        return false;
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
    if (!commandable())
        return false;
    return RunInternetOptions(view);
}

} // namespace mira::platform
