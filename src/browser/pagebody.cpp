#include "browser/pagebody.h"

#include "browser/mwebbrowser.h"

namespace mira {

QVariant PageBody::evaluate(const QString &script) const
{
    if (!view || !view->Control())
        return {};
    return view->Control()->scripting()->evaluateScript(script);
}

bool PageBody::Exists() const
{
    return evaluate(QStringLiteral("!!document.body")).toBool();
}

QString PageBody::Scroll() const
{
    const QVariant v = evaluate(QStringLiteral(
        "document.body ? (getComputedStyle(document.documentElement).overflow == 'hidden'"
        " ? 'no' : 'auto') : null"));
    return v.isValid() && !v.isNull() ? v.toString() : QString();
}

bool PageBody::SetScroll(const QString &value) const
{
    const bool hide = value.compare(QStringLiteral("no"), Qt::CaseInsensitive) == 0;
    return evaluate(
               QStringLiteral("document.body ? (document.documentElement.style.overflow = '%1',"
                              " true) : false")
                   .arg(hide ? QStringLiteral("hidden") : QString()))
        .toBool();
}

int PageBody::ScrollLeft() const
{
    const QVariant v = evaluate(QStringLiteral("document.body ? window.scrollX : -1"));
    return v.isValid() ? v.toInt() : -1;
}

int PageBody::ScrollTop() const
{
    const QVariant v = evaluate(QStringLiteral("document.body ? window.scrollY : -1"));
    return v.isValid() ? v.toInt() : -1;
}

bool PageBody::SetScrollLeft(int x) const
{
    return evaluate(QStringLiteral("document.body ? (window.scrollTo(%1, window.scrollY), true)"
                                   " : false")
                        .arg(x))
        .toBool();
}

bool PageBody::SetScrollTop(int y) const
{
    return evaluate(QStringLiteral("document.body ? (window.scrollTo(window.scrollX, %1), true)"
                                   " : false")
                        .arg(y))
        .toBool();
}

} // namespace mira
