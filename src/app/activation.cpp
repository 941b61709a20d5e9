#include "app/activation.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace mira {
namespace {

class Activator : public QObject {
public:
    explicit Activator(QWidget *shown) : QObject(shown), window(shown)
    {
        clock.start();
        timer.setInterval(50);
        connect(&timer, &QTimer::timeout, this, [this] { attempt(); });
        timer.start();
        attempt();
    }

private:
    void attempt()
    {
        if (!window || clock.elapsed() > kActivationPatienceMs) {
            timer.stop();
            deleteLater();
            return;
        }
        if (!window->isVisible() || window->isMinimized())
            return;
        if (!window->isActiveWindow()) {
            if (!mayTakeActivation())
                return;
            window->raise();
            window->activateWindow();
            return;
        }
        // Active: keys need a widget to go to. Keep watching until the time is up, as
        // the splash going away may take the activation with it.
        if (!window->focusWidget())
            window->setFocus(Qt::ActiveWindowFocusReason);
    }

    // Only from nobody (a request that was lost) or from the splash: a dialog or
    // another window of the program keeps what it has.
    static bool mayTakeActivation()
    {
        if (QApplication::activeModalWidget() || QApplication::activePopupWidget())
            return false;
        const QWidget *active = QApplication::activeWindow();
        return !active || active->windowType() == Qt::SplashScreen;
    }

    QPointer<QWidget> window;
    QTimer timer;
    QElapsedTimer clock;
};

} // namespace

void ActivateWhenShown(QWidget *window)
{
    if (window)
        new Activator(window);
}

} // namespace mira
