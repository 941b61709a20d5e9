#include "browser/retryschedule.h"

#include <algorithm>

namespace mira {

qint64 RetryDelayMs(int failures, quint32 spread)
{
    qint64 pause = FirstRetryMs;
    for (int n = 1; n < failures && pause < LastRetryMs; ++n)
        pause *= 2;
    pause = std::min(pause, LastRetryMs);
    return pause - pause * qint64(spread % 1000) / 5000;
}

} // namespace mira
