#include "browser/messagefilter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QStatusTipEvent>
#include <QWidget>

#include "browser/mwebbrowser.h"
#include "dialogs/messagebox.h"

namespace mira {

MessageFilter::MessageFilter(std::function<void(const QString &)> hint, QObject *parent)
    : QObject(parent), showHint(std::move(hint))
{
    QCoreApplication::instance()->installEventFilter(this);
}

MessageFilter::~MessageFilter()
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

bool MessageFilter::IsPageKey(int key)
{
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Backspace:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Delete: return true;
    default: return false;
    }
}

bool MessageFilter::InWebView(const QObject *object)
{
    for (const QObject *o = object; o; o = o->parent()) {
        if (qobject_cast<const TMWebBrowser *>(o))
            return true;
        if (auto *w = qobject_cast<const QWidget *>(o); w && w->isWindow())
            return false;
    }
    return false;
}

bool MessageFilter::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // Accepting the override hands the key to the page as a key press.
        auto *key = static_cast<QKeyEvent *>(event);
        if (IsPageKey(key->key()) && InWebView(watched)) {
            key->accept();
            return true;
        }
        break;
    }
    case QEvent::StatusTip:
        // A hint from anywhere, popup menus without a parent included, goes to the
        // status bar once; it is not passed on to the parents.
        if (showHint) {
            showHint(LongHint(static_cast<QStatusTipEvent *>(event)->tip()));
            return true;
        }
        break;
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace mira
