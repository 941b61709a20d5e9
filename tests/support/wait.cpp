#include "support/wait.h"

#include <QEventLoop>
#include <QTimer>

namespace mira::test {

bool waitUntil(const std::function<bool()> &done, int ms)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    poll.start(5);
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

} // namespace mira::test
