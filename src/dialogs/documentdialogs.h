#pragma once
// The dialogs of a page's document commands: open a local page, save a page, print,
// print preview and page setup. Each runs through the modal runner.
#include <QString>
#include <functional>

class QPrinter;
class QWidget;

namespace mira {

// Asks for a local page (or any file) to open; empty when cancelled.
QString AskOpenDocumentPath(QWidget *owner);

enum class SavePageForm { Complete, Archive, HtmlOnly, Text };
struct SavePageChoice {
    QString path; // empty when cancelled
    SavePageForm form = SavePageForm::Complete;
};
// Asks where and in which form to save the page titled title (it names the file).
SavePageChoice AskSavePagePath(QWidget *owner, const QString &title);

// The print dialog on printer; true when accepted.
bool AskPrintSetup(QPrinter &printer, QWidget *owner);
// The print preview of printer; paint lays the page out on the printer it is given.
void RunPrintPreview(QPrinter &printer, QWidget *owner,
                     const std::function<void(QPrinter *)> &paint);
// Page setup of printer; true when accepted.
bool RunPageSetup(QPrinter &printer, QWidget *owner);

} // namespace mira
