#pragma once
// A document command by its number, as the web view host passes them on, run through
// the control's capabilities.
#include <QVariant>

namespace mira::platform {

class WebControl;

// Runs the command (OLECMDID_*; with useGroup the browser group's CGID_IWebBrowser_*).
// OLECMDID_ZOOM sets the text size to `in` unless `in` is null, and gives the level in
// *out; OLECMDID_GETZOOMRANGE gives the range as (highest << 16) | lowest. False
// without a document, for an unknown command, or when the control refuses it.
bool RunDocumentCommand(WebControl &control, bool useGroup, int command, int option,
                        const QVariant &in, QVariant *out);

} // namespace mira::platform
