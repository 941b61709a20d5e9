#pragma once
// The engine's document commands of a web view as plain operations: open, save,
// find, print, page setup, print preview, Internet Options and text size. Commands
// need a document; those that cannot do without one load about:blank first.
#include <QString>
#include <QVariant>
#include <functional>

namespace mira {

namespace platform {
class WebDocumentCommands;
}
class TMWebBrowser;

class WebDocument {
public:
    explicit WebDocument(TMWebBrowser &webView) : view(webView) {}

    // Header and footer put in the page setup while printing; empty keeps the engine's.
    QString PrintHeader() const { return printHeader; }
    void SetPrintHeader(const QString &text) { printHeader = text; }
    QString PrintFooter() const { return printFooter; }
    void SetPrintFooter(const QString &text) { printFooter = text; }

    // Runs a command on the document; nothing without a document, failures are silent.
    void ExecCommand(bool useGroup, int command, int option, const QVariant &in,
                     QVariant *out = nullptr);

    // Those that load about:blank first may see the web view destroyed meanwhile;
    // they return at once then, touching nothing.
    void OpenDocument();
    void SaveDocumentAs();
    void ShowFind();
    void ShowInternetOptions();
    void PageSetup();
    void PrintWithDialog();
    void PrintDocument();
    void PrintPreview();
    int TextSizeMin();
    int TextSizeMax();
    int GetTextSize();
    void SetTextSize(int level);

    // The page setup exchange of header and footer around printing. The engine has
    // no such store, so this is a no-op: the old value is always empty.
    static void ExchangePageSetupValue(const QString &name, const QString &newValue,
                                       QString *oldValue);

private:
    // Loads about:blank when there is no document; false when the view went away.
    bool ensureDocument();
    // Runs a print command with the header and footer in the page setup.
    void runWithPageSetup(const std::function<void(platform::WebDocumentCommands *)> &command);

    TMWebBrowser &view;
    QString printHeader;
    QString printFooter;
};

} // namespace mira
