#pragma once
#include <QPointer>
#include <QString>
#include <QVariant>

#include "bookmarks/addressnavigator.h"

namespace mira {

class TMWebBrowser;

// The loaded document's body as the address combo reads and writes it, reached
// through script evaluation in the page. Every access fails (false, or an empty
// value) when there is no document or the document has no body.
class PageBody : public DocumentBodyAccess {
public:
    explicit PageBody(TMWebBrowser *webView) : view(webView) {}
    bool Exists() const override;
    QString Scroll() const override;
    bool SetScroll(const QString &value) const override;
    int ScrollLeft() const override;
    int ScrollTop() const override;
    bool SetScrollLeft(int x) const override;
    bool SetScrollTop(int y) const override;

private:
    QVariant evaluate(const QString &script) const;
    QPointer<TMWebBrowser> view;
};

} // namespace mira
