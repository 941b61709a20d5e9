#include "dialogs/documentdialogs.h"

#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>

#include "dialogs/modal.h"

namespace mira {

QString AskOpenDocumentPath(QWidget *owner)
{
    QFileDialog dialog(owner, QStringLiteral("Open"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters({QStringLiteral("Web Pages (*.htm *.html *.xhtml *.mht *.mhtml)"),
                           QStringLiteral("Text Files (*.txt)"), QStringLiteral("All Files (*)")});
    if (RunDialog(dialog, owner) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

SavePageChoice AskSavePagePath(QWidget *owner, const QString &title)
{
    static const QString complete = QStringLiteral("Web Page, complete (*.htm *.html)");
    static const QString archive = QStringLiteral("Web Archive, single file (*.mht *.mhtml)");
    static const QString htmlOnly = QStringLiteral("Web Page, HTML only (*.htm *.html)");
    static const QString text = QStringLiteral("Text File (*.txt)");
    QFileDialog dialog(owner, QStringLiteral("Save Web Page"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters({complete, archive, htmlOnly, text});
    dialog.setDefaultSuffix(QStringLiteral("html"));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString &filter) {
                         dialog.setDefaultSuffix(filter == archive ? QStringLiteral("mht")
                                                 : filter == text  ? QStringLiteral("txt")
                                                                   : QStringLiteral("html"));
                     });
    QString name = title.trimmed();
    name.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]")), QStringLiteral("_"));
    dialog.selectFile((name.isEmpty() ? QStringLiteral("page") : name) + QStringLiteral(".html"));
    if (RunDialog(dialog, owner) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString filter = dialog.selectedNameFilter();
    const SavePageForm form = filter == archive    ? SavePageForm::Archive
                              : filter == htmlOnly ? SavePageForm::HtmlOnly
                              : filter == text     ? SavePageForm::Text
                                                   : SavePageForm::Complete;
    return {dialog.selectedFiles().constFirst(), form};
}

bool AskPrintSetup(QPrinter &printer, QWidget *owner)
{
    QPrintDialog dialog(&printer, owner);
    dialog.setWindowTitle(QStringLiteral("Print"));
    return RunDialog(dialog, owner) == QDialog::Accepted;
}

void RunPrintPreview(QPrinter &printer, QWidget *owner,
                     const std::function<void(QPrinter *)> &paint)
{
    QPrintPreviewDialog dialog(&printer, owner);
    dialog.setWindowTitle(QStringLiteral("Print Preview"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, paint);
    RunDialog(dialog, owner);
}

bool RunPageSetup(QPrinter &printer, QWidget *owner)
{
    QPageSetupDialog dialog(&printer, owner);
    dialog.setWindowTitle(QStringLiteral("Page Setup"));
    return RunDialog(dialog, owner) == QDialog::Accepted;
}

} // namespace mira
