#include "layout/pan.h"

#include <QChildEvent>
#include <QContextMenuEvent>
#include <QMenu>

#include "layout/align.h"

namespace mira {

TPan::TPan(QObject *owner) : TPan(owner, qobject_cast<QWidget *>(owner)) {}

TPan::TPan(QObject *owner, QWidget *parent) : QWidget(parent), Component(owner)
{
    StoreAlign(this, TAlign::alNone);
    resize(301, 107);
    setMinimumSize(149, 26);
    NotifyInserted(this);
}

TPan::~TPan()
{
    NotifyRemoved(this);
}

void TPan::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    AlignControls(this);
}

bool TPan::event(QEvent *event)
{
    HandleContainerEvent(this, event);
    return QWidget::event(event);
}

void TPan::contextMenuEvent(QContextMenuEvent *event)
{
    if (!popupMenu)
        return QWidget::contextMenuEvent(event); // passed on to the parent
    popupMenu->popup(event->globalPos());
    event->accept();
}

bool HandleContainerEvent(QWidget *container, QEvent *event)
{
    if (event->type() == QEvent::ChildAdded) {
        auto *child = qobject_cast<QWidget *>(static_cast<QChildEvent *>(event)->child());
        if (child && !child->isWindow())
            StampInsertion(child);
        return false;
    }
    if (event->type() == QEvent::ChildRemoved || event->type() == QEvent::LayoutRequest) {
        AlignControls(container);
        return false;
    }
    return false;
}

} // namespace mira
