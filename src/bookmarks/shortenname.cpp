#include "bookmarks/shortenname.h"

namespace mira {

bool IsBreakChar(QChar c)
{
    switch (c.unicode()) {
    case '\t':
    case ' ':
    case ',':
    case '-':
    case '.':
    case '/':
    case ':':
    case ';':
    case '\\': return true;
    default: return false;
    }
}

QString CutAtBreak(const QString &text, int width, bool *cut)
{
    const qsizetype n = text.size();
    if (width < 0)
        width = 0;
    if (n <= width) {
        if (cut)
            *cut = false;
        return text;
    }
    if (cut)
        *cut = true;

    // Positions below are counted from 1, as the rule is stated.
    QChar quote;
    qsizetype latestBreak = 0;
    qsizetype breakPoint = 0;
    for (qsizetype pos = 1; pos <= n; ++pos) {
        const QChar c = text.at(pos - 1);
        if (c == u'\'' || c == u'"') {
            if (quote.isNull())
                quote = c;
            else if (quote == c)
                quote = QChar();
        } else if (quote.isNull() && IsBreakChar(c)) {
            latestBreak = pos;
        }
        if (pos >= width - 1 && quote.isNull() && latestBreak > 1) {
            breakPoint = latestBreak;
            break;
        }
    }

    qsizetype keep = breakPoint > 0 ? breakPoint - 1 : width;
    // Never leave half of a surrogate pair behind.
    if (keep > 0 && keep < n && text.at(keep - 1).isHighSurrogate())
        --keep;
    while (keep > 0 && IsBreakChar(text.at(keep - 1)))
        --keep;
    return text.left(keep);
}

QString ShortenName(const QString &text)
{
    return CutAtBreak(text, 25);
}

QString Abbreviate(const QString &text, int width)
{
    bool cut = false;
    QString result = CutAtBreak(text, width, &cut);
    if (cut)
        result += QStringLiteral("...");
    return result;
}

} // namespace mira
