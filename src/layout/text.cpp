#include "layout/text.h"

#include <QCoreApplication>

#include "layout/align.h"

namespace mira {

QEvent::Type TextHoverEvent::enterType()
{
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}

QEvent::Type TextHoverEvent::leaveType()
{
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}

TText::TText(QObject *owner) : QLabel(qobject_cast<QWidget *>(owner)), Component(owner)
{
    MarkGraphicControl(this);
    StoreAlign(this, TAlign::alNone);
    SetTransparent(true);
    NotifyInserted(this);
}

TText::~TText()
{
    NotifyRemoved(this);
}

void TText::SetTransparent(bool on)
{
    transparent = on;
    setAutoFillBackground(!on);
}

void TText::enterEvent(QEnterEvent *event)
{
    QLabel::enterEvent(event);
    if (OnMouseEnter)
        OnMouseEnter(this);
    if (QWidget *parent = parentWidget()) {
        TextHoverEvent e(TextHoverEvent::enterType(), this);
        QCoreApplication::sendEvent(parent, &e);
    }
}

void TText::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    if (OnMouseLeave)
        OnMouseLeave(this);
    if (QWidget *parent = parentWidget()) {
        TextHoverEvent e(TextHoverEvent::leaveType(), this);
        QCoreApplication::sendEvent(parent, &e);
    }
}

} // namespace mira
