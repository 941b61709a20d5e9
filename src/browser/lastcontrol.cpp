#include "browser/lastcontrol.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include "layout/component.h"

namespace mira {

LastControlTracker::LastControlTracker(QPointer<QWidget> &control, QPoint &mousePos,
                                       QObject *parent)
    : QObject(parent), lastControl(control), lastMousePos(mousePos)
{
    QCoreApplication::instance()->installEventFilter(this);
}

LastControlTracker::~LastControlTracker()
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

bool LastControlTracker::eventFilter(QObject *watched, QEvent *event)
{
    auto *widget = qobject_cast<QWidget *>(watched);
    // Menus' own clicks don't move the target of the command they run.
    if (!widget || qobject_cast<QMenu *>(widget->window()))
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress) {
        auto *e = static_cast<QMouseEvent *>(event);
        if (e->button() != Qt::LeftButton && e->button() != Qt::RightButton)
            return QObject::eventFilter(watched, event);
        // A press nobody took travels up to the parents: it is still the same press.
        const bool passedOn = pressTarget && widget->isAncestorOf(pressTarget)
                              && e->globalPosition() == pressAt && e->timestamp() == pressTime;
        if (!passedOn) {
            pressTarget = widget;
            pressAt = e->globalPosition();
            pressTime = e->timestamp();
            lastControl = ControlOf(widget);
            lastMousePos = e->globalPosition().toPoint();
        }
    } else if (event->type() == QEvent::ContextMenu
               && static_cast<QContextMenuEvent *>(event)->reason()
                      == QContextMenuEvent::Keyboard) {
        // A popup menu opened by the keyboard acts on the control that has the focus
        // (not on the parents the request may travel up to).
        if (widget == QApplication::focusWidget()) {
            lastControl = ControlOf(widget);
            lastMousePos = QCursor::pos();
        }
    } else if (event->type() == QEvent::KeyPress) {
        auto *e = static_cast<QKeyEvent *>(event);
        const int key = e->key();
        // The edit keys of the navigation block count, not those of the keypad.
        const bool editKey = (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Delete)
                             && !(e->modifiers() & Qt::KeypadModifier);
        if ((key == Qt::Key_Tab || key == Qt::Key_Return || key == Qt::Key_Enter
             || key == Qt::Key_Escape || editKey)
            && widget == QApplication::focusWidget()) {
            lastControl = ControlOf(widget);
            lastMousePos = QCursor::pos();
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace mira
