#include "platform/memorytrim.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace mira::platform {
namespace {

// Long enough for a wall's panes, which finish one after another, to count as one burst.
constexpr int quietMs = 3000;

} // namespace

bool ReturnFreedMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
    return true;
#else
    return false;
#endif
}

void ReturnFreedMemorySoon()
{
    static QPointer<QTimer> timer;
    if (!timer) {
        if (!QCoreApplication::instance())
            return;
        timer = new QTimer(QCoreApplication::instance());
        timer->setSingleShot(true);
        timer->setInterval(quietMs);
        QObject::connect(timer, &QTimer::timeout, timer, [] { ReturnFreedMemory(); });
    }
    timer->start();
}

} // namespace mira::platform
