#include "icons/styleicons.h"

#include <QApplication>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

namespace mira {

KeptIconsStyle::KeptIconsStyle(QStyle *base) : QProxyStyle(base) {}

QIcon KeptIconsStyle::standardIcon(StandardPixmap icon, const QStyleOption *option,
                                   const QWidget *widget) const
{
    if (icon != SP_ToolBarHorizontalExtensionButton && icon != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(icon, option, widget);
    // The arrows point the other way right to left; nothing else changes them.
    const Qt::LayoutDirection direction = option   ? option->direction
                                          : widget ? widget->layoutDirection()
                                                   : QGuiApplication::layoutDirection();
    const int key = int(icon) * 2 + (direction == Qt::RightToLeft ? 1 : 0);
    auto found = kept.constFind(key);
    if (found == kept.constEnd())
        found = kept.insert(key, QProxyStyle::standardIcon(icon, option, widget));
    return *found;
}

void KeepStyleIcons()
{
    QStyle *current = QApplication::style();
    if (!current || qobject_cast<KeptIconsStyle *>(current))
        return;
    if (QStyle *base = QStyleFactory::create(current->name()))
        QApplication::setStyle(new KeptIconsStyle(base));
}

} // namespace mira
