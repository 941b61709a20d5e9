#pragma once
// The program's own pages, shown in a pane in place of the engine's error pages:
// plain HTML in the program's words, with every address escaped.
#include <QString>

namespace mira::platform {

// While offline, for an address without a kept copy.
QString OfflinePageHtml(const QString &address);
// A load that failed, with its reason and a link that tries again.
QString FailurePageHtml(const QString &address, const QString &error);

} // namespace mira::platform
