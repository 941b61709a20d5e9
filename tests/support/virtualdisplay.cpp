#include "support/virtualdisplay.h"

#include "support/wait.h"

namespace mira::test {

void endProcess(QProcess &p)
{
    if (p.state() == QProcess::NotRunning)
        return;
    p.terminate();
    if (!p.waitForFinished(5000)) {
        p.kill();
        p.waitForFinished(5000);
    }
}

bool seen(const std::function<bool()> &cond, int ms)
{
    bool held = false;
    return mira::test::waitUntil([&] { return held = held || cond(); }, ms);
}

} // namespace mira::test
