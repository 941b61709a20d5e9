#include "browser/dialogwatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "browser/mwebbrowser.h"
#include "dialogs/messagebox.h"
#include "icons/images.h"

namespace mira {
namespace {

QString textOf(QWidget *w)
{
    if (auto *button = qobject_cast<QAbstractButton *>(w))
        return button->text();
    if (auto *label = qobject_cast<QLabel *>(w))
        return label->text();
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        return edit->text();
    return {};
}

// A key press and release as the keyboard would give them, to the window's focus.
void pressKey(QWidget *window, int key)
{
    QWidget *target = window->focusWidget() ? window->focusWidget() : window;
    QPointer<QWidget> guard(target);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    if (!guard)
        return;
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &release);
}

} // namespace

DialogWatcher::DialogWatcher(QWidget *main, Context ctx)
    : QObject(main), mainWindow(main), context(std::move(ctx))
{
    if (main)
        main->installEventFilter(this);
    previous = SetEngineDialogWatcher(this);
}

DialogWatcher::~DialogWatcher()
{
    if (CurrentEngineDialogWatcher() == this)
        SetEngineDialogWatcher(previous);
}

bool DialogWatcher::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == mainWindow && event->type() == QEvent::WindowDeactivate) {
        // The window gaining the activation is known by now. The rules run once the
        // activation change is over, inside the new window's own event loop.
        QPointer<QWidget> gaining = QApplication::activeWindow();
        if (gaining && gaining != mainWindow && !(gaining->windowType() == Qt::Popup))
            QTimer::singleShot(0, this, [this, gaining] {
                if (gaining && gaining->isVisible())
                    Watch(gaining);
            });
    }
    return QObject::eventFilter(watched, event);
}

QStringList DialogWatcher::ChildTexts(QWidget *window, QList<QWidget *> *children)
{
    QStringList texts;
    const QList<QWidget *> all = window->findChildren<QWidget *>();
    for (QWidget *w : all) {
        texts << textOf(w);
        if (children)
            children->append(w);
    }
    return texts;
}

bool DialogWatcher::Watch(QWidget *window)
{
    if (!window)
        return false;
    window->setWindowIcon(ApplicationIcon());
    const WatchedCaption read = ReadWatchedCaption(window->windowTitle());
    window->setWindowTitle(read.caption);
    if (read.dismissed())
        return dismiss(window, read.caption);
    if (IsCentredCaption(read.caption))
        CenterWindowOver(window, mainWindow);
    return false;
}

bool DialogWatcher::dismiss(QWidget *window, const QString &caption)
{
    QList<QWidget *> children;
    const QStringList texts = ChildTexts(window, &children);
    const DialogMode mode = context.mode ? context.mode() : DialogMode{};
    const DismissPlan plan = PlanDismiss(mode, caption, texts);
    // The control last used is read before the answer moves the focus.
    QPointer<QWidget> last = context.lastControl ? context.lastControl() : nullptr;
    bool answered = false;
    if (plan.answer) {
        QPointer<QWidget> w = window;
        const bool wasShown = window->isVisible();
        auto *button = plan.button >= 0 ? qobject_cast<QAbstractButton *>(children.at(plan.button))
                                        : nullptr;
        QPointer<QAbstractButton> buttonRef = button;
        switch (plan.kind) {
        case DialogButton::None:
            pressKey(window, Qt::Key_Escape);
            if (w)
                w->close();
            // A dialog that was never shown takes no keys: it is rejected outright.
            if (auto *dialog = qobject_cast<QDialog *>(w.data()); dialog && !wasShown)
                dialog->reject();
            break;
        case DialogButton::OK:
            pressKey(window, Qt::Key_Return);
            // Enter took the default button of a shown dialog; one not shown yet needs the click.
            if (w && buttonRef && !(wasShown && !w->isVisible()))
                buttonRef->click();
            break;
        case DialogButton::No:
            if (buttonRef)
                buttonRef->click();
            break;
        }
        answered = true;
    }
    if (plan.goBack) {
        if (auto *view = qobject_cast<TMWebBrowser *>(last.data()))
            view->GoBack();
    } else if (!plan.statusText.isEmpty() && context.setStatusText) {
        context.setStatusText(plan.statusText);
    }
    return answered;
}

} // namespace mira
