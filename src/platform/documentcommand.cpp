#include "platform/documentcommand.h"

#include "platform/webcontrol.h"

namespace mira::platform {

bool RunDocumentCommand(WebControl &control, bool useGroup, int command, int option,
                        const QVariant &in, QVariant *out)
{
    if (!control.navigation()->hasDocument())
        return false;
    WebDocumentCommands *document = control.document();
    if (useGroup) {
        switch (command) {
        case CGID_IWebBrowser_FIND: return document->find();
        case CGID_IWebBrowser_OPTIONS: return document->internetOptions();
        default: return false;
        }
    }
    switch (command) {
    case OLECMDID_OPEN: return document->open();
    case OLECMDID_SAVEAS: return document->saveAs();
    case OLECMDID_PRINT: return document->print(option);
    case OLECMDID_PRINTPREVIEW: return document->printPreview();
    case OLECMDID_PAGESETUP: return document->pageSetup();
    case OLECMDID_ZOOM:
        if (!in.isNull()) {
            bool ok = false;
            const int level = in.toInt(&ok);
            if (!ok || !control.zoom()->setTextSize(level))
                return false;
        }
        if (out)
            *out = control.zoom()->textSize();
        return true;
    case OLECMDID_GETZOOMRANGE:
        if (out) {
            const auto [lowest, highest] = control.zoom()->textSizeRange();
            *out = int((quint32(highest) << 16) | (quint32(lowest) & 0xFFFF));
        }
        return true;
    default: return false;
    }
}

} // namespace mira::platform
