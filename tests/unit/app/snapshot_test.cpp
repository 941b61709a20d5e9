#include <gtest/gtest.h>

#include "app/snapshot.h"
#include "platform/webcontrol.h"

using namespace mira;

TEST(Snapshot, StaleTextTellsTheErrorAndTheCopyShown)
{
    platform::PageLoad refused;
    refused.error = QStringLiteral("The server refused\n the connection.");
    platform::PageLoad withCopy = refused;
    withCopy.copyTaken = QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5));
    platform::PageLoad copyOnly;
    copyOnly.copyTaken = withCopy.copyTaken;
    const struct {
        platform::PageLoad load;
        const char *text;
    } rows[] = {
        {platform::PageLoad{}, ""},
        {refused, ": The server refused the connection."},
        {withCopy,
         ": The server refused the connection. (showing its kept copy of 2026-01-02 03:04:05)"},
        {copyOnly, " (showing its kept copy of 2026-01-02 03:04:05)"},
    };
    for (const auto &r : rows)
        EXPECT_EQ(StaleText(r.load), QString::fromUtf8(r.text));
}
