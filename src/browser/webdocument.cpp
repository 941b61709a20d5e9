#include "browser/webdocument.h"

#include <QPointer>

#include "browser/mwebbrowser.h"
#include "platform/documentcommand.h"

namespace mira {

using namespace platform;

bool WebDocument::ensureDocument()
{
    if (view.HasDocument())
        return true;
    // The wait for about:blank keeps the UI responsive: anything may happen meanwhile,
    // the view's (and so this object's) destruction included.
    QPointer<TMWebBrowser> self(&view);
    view.NavigateBlank();
    return !self.isNull();
}

void WebDocument::ExecCommand(bool useGroup, int command, int option, const QVariant &in,
                              QVariant *out)
{
    if (!view.HasDocument())
        return;
    RunDocumentCommand(*view.Control(), useGroup, command, option, in, out);
}

void WebDocument::OpenDocument()
{
    if (!ensureDocument())
        return;
    if (view.HasDocument())
        view.Control()->document()->open();
}

void WebDocument::SaveDocumentAs()
{
    if (view.HasDocument())
        view.Control()->document()->saveAs();
}

void WebDocument::ShowFind()
{
    if (view.HasDocument())
        view.Control()->document()->find();
}

void WebDocument::ShowInternetOptions()
{
    if (!ensureDocument())
        return;
    if (view.HasDocument())
        view.Control()->document()->internetOptions();
}

void WebDocument::runWithPageSetup(const std::function<void(WebDocumentCommands *)> &command)
{
    if (!view.HasDocument())
        return;
    QString oldHeader;
    QString oldFooter;
    if (!printHeader.isEmpty())
        ExchangePageSetupValue(QStringLiteral("header"), printHeader, &oldHeader);
    if (!printFooter.isEmpty())
        ExchangePageSetupValue(QStringLiteral("footer"), printFooter, &oldFooter);
    command(view.Control()->document());
    if (!printHeader.isEmpty())
        ExchangePageSetupValue(QStringLiteral("header"), oldHeader, nullptr);
    if (!printFooter.isEmpty())
        ExchangePageSetupValue(QStringLiteral("footer"), oldFooter, nullptr);
}

void WebDocument::PageSetup()
{
    runWithPageSetup([](WebDocumentCommands *document) { document->pageSetup(); });
}

void WebDocument::PrintWithDialog()
{
    runWithPageSetup(
        [](WebDocumentCommands *document) { document->print(OLECMDEXECOPT_PROMPTUSER); });
}

void WebDocument::PrintDocument()
{
    runWithPageSetup(
        [](WebDocumentCommands *document) { document->print(OLECMDEXECOPT_DONTPROMPTUSER); });
}

void WebDocument::PrintPreview()
{
    if (view.HasDocument())
        view.Control()->document()->printPreview();
}

int WebDocument::TextSizeMin()
{
    return view.HasDocument() ? view.Control()->zoom()->textSizeRange().first : 0;
}

int WebDocument::TextSizeMax()
{
    return view.HasDocument() ? view.Control()->zoom()->textSizeRange().second : 0;
}

int WebDocument::GetTextSize()
{
    if (!ensureDocument())
        return 0;
    return view.HasDocument() ? view.Control()->zoom()->textSize() : 0;
}

void WebDocument::SetTextSize(int level)
{
    const int low = TextSizeMin();
    const int high = TextSizeMax();
    if (level < low)
        level = low;
    else if (level > high)
        level = high;
    if (view.HasDocument())
        view.Control()->zoom()->setTextSize(level);
}

void WebDocument::ExchangePageSetupValue(const QString &, const QString &, QString *oldValue)
{
    // The engine has no page setup store to exchange with: nothing is kept.
    if (oldValue)
        oldValue->clear();
}

} // namespace mira
