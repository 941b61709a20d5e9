#include "bookmarks/wrapmessage.h"

namespace mira {
namespace {

constexpr int kLineWidth = 44;
constexpr int kFirstBreak = 30; // the earliest character that may end a line

bool isFirstChoice(QChar c)
{
    return QStringView(u" /:;?+|=&").contains(c);
}

bool isSecondChoice(QChar c)
{
    return QStringView(u"\\.%#-$@!~").contains(c);
}

// The length of the next line of rest (which is longer than the width).
int lineLength(QStringView rest)
{
    for (bool (*isBreak)(QChar) : {isFirstChoice, isSecondChoice}) {
        for (int n = kLineWidth; n >= kFirstBreak; --n)
            if (isBreak(rest[n - 1]))
                return n;
    }
    return kLineWidth;
}

} // namespace

QString WrapMessage(const QString &text)
{
    QString result;
    QStringView rest(text);
    while (rest.size() > kLineWidth) {
        const qsizetype feed = rest.left(kLineWidth + 1).indexOf(QLatin1Char('\n'));
        if (feed >= 0) {
            result += rest.left(feed + 1);
            rest = rest.mid(feed + 1);
            continue;
        }
        const int n = lineLength(rest);
        result += rest.left(n);
        result += QLatin1Char('\n');
        rest = rest.mid(n);
    }
    result += rest;
    return result;
}

} // namespace mira
