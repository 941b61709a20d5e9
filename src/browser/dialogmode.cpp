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

WatchedCaption ReadWatchedCaption(const QString &caption)
{
    static const QString maker = QStringLiteral("Microsoft ");
    QString text = caption;
    if (const int at = text.indexOf(maker); at >= 0)
        text.remove(at, maker.size());
    WatchedCaption result;
    result.engine = text.contains(QStringLiteral("Internet Explorer"));
    result.error = text.contains(QStringLiteral("Error"));
    result.caption = RewriteEngineCaption(caption);
    return result;
}

bool IsCentredCaption(const QString &caption)
{
    static const QString list = QStringLiteral("Internet Options|Find|Print|Page Setup|Save Web "
                                               "Page|Open Configuration File|Save Configuration "
                                               "File");
    return !caption.isEmpty() && list.contains(caption);
}

const char CloseWindowQuestion[] = "close this window?";

DismissPlan PlanDismiss(const DialogMode &mode, const QString &caption,
                        const QStringList &childTexts)
{
    DismissPlan plan;
    for (int i = 0; i < childTexts.size(); ++i) {
        const QString &text = childTexts.at(i);
        if (text == QLatin1String("OK")) {
            plan.kind = DialogButton::OK;
            plan.button = i;
        } else if (text == QLatin1String("&No")) {
            plan.kind = DialogButton::No;
            plan.button = i;
        }
        if (text.size() > 6 && text.size() > plan.message.size())
            plan.message = text;
    }
    plan.closeQuestion = plan.message.contains(QLatin1String(CloseWindowQuestion));
    plan.answer = plan.closeQuestion || !mode.interactive;
    plan.goBack = plan.closeQuestion;
    if (!plan.closeQuestion && !plan.message.isEmpty())
        plan.statusText = MessageStatusText(caption, plan.message);
    return plan;
}

} // namespace mira
