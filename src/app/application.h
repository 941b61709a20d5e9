#pragma once
#include <QApplication>

namespace mira {

// The application object. An exception that escapes a command or an event
// handler is dropped here, without a message, and the program goes on.
class MiraApplication : public QApplication {
    Q_OBJECT
public:
    MiraApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
    // How many exceptions were dropped (for tests and diagnostics).
    int droppedExceptions() const { return dropped; }

private:
    int dropped = 0;
};

} // namespace mira
