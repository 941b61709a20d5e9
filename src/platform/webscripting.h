#pragma once
// Scripts run in the page a web control shows; they stand in for the document's
// late-bound objects (the body's scroll position, its text).
#include <QVariant>

class QString;

namespace mira::platform {

class WebScripting {
public:
    virtual ~WebScripting() = default;

    // Runs a script in the page and waits (bounded, keeping the UI responsive) for its
    // value; invalid without a document, on a script error or on timeout.
    virtual QVariant evaluateScript(const QString &script) = 0;
};

} // namespace mira::platform
