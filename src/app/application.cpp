#include "app/application.h"

namespace mira {

MiraApplication::MiraApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool MiraApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ++dropped;
        return false;
    }
}

} // namespace mira
