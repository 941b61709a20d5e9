#include <QSet>
#include <gtest/gtest.h>

#include "browser/retryschedule.h"

using namespace mira;

TEST(RetrySchedule, PausesDoubleFromFiveSecondsToFiveMinutes)
{
    const struct {
        int failures;
        qint64 ms;
    } cases[] = {{1, 5000},   {2, 10000},   {3, 20000},       {6, 160000},
                 {7, 300000}, {50, 300000}, {1000000, 300000}};
    for (const auto &c : cases)
        EXPECT_EQ(RetryDelayMs(c.failures, 0), c.ms) << c.failures;
}

TEST(RetrySchedule, PanesAreSpreadWithinTheBounds)
{
    QSet<qint64> first;
    for (quint32 spread = 0; spread < 5000; spread += 37) {
        for (int failures = 1; failures < 12; ++failures) {
            const qint64 ms = RetryDelayMs(failures, spread);
            EXPECT_LE(ms, LastRetryMs);
            EXPECT_GE(ms, RetryDelayMs(failures, 0) * 4 / 5);
            EXPECT_GE(ms, FirstRetryMs * 4 / 5);
        }
        first.insert(RetryDelayMs(1, spread));
    }
    // Panes that fail together do not all knock again together.
    EXPECT_GT(first.size(), 50);
}
