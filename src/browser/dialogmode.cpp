#include "browser/dialogmode.h"

namespace mira {

QString RewriteEngineCaption(const QString &caption)
{
    static const QString maker = QStringLiteral("Microsoft ");
    static const QString engine = QStringLiteral("Internet Explorer");
    QString result = caption;
    if (const int at = result.indexOf(maker); at >= 0)
        result.remove(at, maker.size());
    if (const int at = result.indexOf(engine); at >= 0)
        result.replace(at, engine.size(), QStringLiteral("Mira"));
    return result;
}

bool MessageReachesUser(const DialogMode &mode, int type, const QString &caption)
{
    if (mode.interactive)
        return true;
    return (type & 7) != 0 && !caption.contains(QStringLiteral("Error"));
}

QString MessageStatusText(const QString &caption, const QString &text)
{
    return caption + QStringLiteral(": ") + text.trimmed();
}

} // namespace mira
