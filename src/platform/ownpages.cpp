#include "platform/ownpages.h"

namespace mira::platform {
namespace {

QString page(const QString &title, const QString &body)
{
    return QStringLiteral(
               "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1</title>"
               "<style>body{font:14px sans-serif;color:#222;background:#f4f4f4;margin:2em}"
               "h1{font-size:18px}code{word-break:break-all}"
               "a.button{display:inline-block;padding:.4em 1.2em;border:1px solid #888;"
               "border-radius:3px;background:#fff;color:#000;text-decoration:none}"
               "</style></head><body>%2</body></html>")
        .arg(title.toHtmlEscaped(), body);
}

// An address as a link target: only schemes a pane may load again.
QString hrefOf(const QString &address)
{
    const QString lower = address.trimmed().toLower();
    const bool safe = lower.startsWith(QLatin1String("http:"))
                      || lower.startsWith(QLatin1String("https:"))
                      || lower.startsWith(QLatin1String("file:"));
    return safe ? address.trimmed().toHtmlEscaped() : QString();
}

} // namespace

QString OfflinePageHtml(const QString &address)
{
    return page(QStringLiteral("Offline"),
                QStringLiteral("<h1>Mira is offline</h1>"
                               "<p><code>%1</code> is not loaded: while Mira is offline no request"
                               " leaves this computer, and no copy of this page has been kept.</p>"
                               "<p>To go online, choose Online in the Actions menu.</p>")
                    .arg(address.toHtmlEscaped()));
}

QString FailurePageHtml(const QString &address, const QString &error)
{
    const QString href = hrefOf(address);
    const QString retry =
        href.isEmpty()
            ? QString()
            : QStringLiteral("<p><a class=\"button\" id=\"retry\" href=\"%1\">Try Again</a></p>")
                  .arg(href);
    return page(QStringLiteral("Cannot open page"),
                QStringLiteral("<h1>The page cannot be opened</h1>"
                               "<p><code>%1</code></p><p>%2</p>%3")
                    .arg(address.toHtmlEscaped(), error.toHtmlEscaped(), retry));
}

} // namespace mira::platform
