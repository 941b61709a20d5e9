#include "app/caretrest.h"

#include <QApplication>
#include <QEvent>

namespace mira {

CaretRest::CaretRest(QObject *parent, int restAfterMs)
    : QObject(parent), flashTime(QApplication::cursorFlashTime())
{
    timer.setSingleShot(true);
    timer.setInterval(restAfterMs);
    connect(&timer, &QTimer::timeout, this, [this] { rest(); });
    timer.start();
    qApp->installEventFilter(this);
}

CaretRest::~CaretRest()
{
    wake();
}

void CaretRest::rest()
{
    if (isResting)
        return;
    flashTime = QApplication::cursorFlashTime();
    isResting = true;
    // Line edits follow the change at once and leave the caret shown.
    QApplication::setCursorFlashTime(0);
}

void CaretRest::wake()
{
    if (isResting) {
        isResting = false;
        QApplication::setCursorFlashTime(flashTime);
    }
}

bool CaretRest::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::InputMethod:
        wake();
        timer.start();
        break;
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace mira
