#include <gtest/gtest.h>

#include "platform/processmodel.h"

using mira::platform::ChromiumFlagsWith;

TEST(ProcessModel, SharingAddsTheFlagOnceAndLeavesAUsersChoiceAlone)
{
    struct Row {
        const char *flags;
        bool shared;
        const char *expected;
    };
    const Row rows[] = {
        {"", true, "--process-per-site"},
        {"  ", true, "--process-per-site"},
        {"--disable-gpu", true, "--disable-gpu --process-per-site"},
        {"--disable-gpu", false, "--disable-gpu"},
        {"", false, ""},
        // Already chosen by whoever started the program: kept, shared or not.
        {"--process-per-site", true, "--process-per-site"},
        {"--single-process --disable-gpu", true, "--single-process --disable-gpu"},
        {"--site-per-process", false, "--site-per-process"},
        {"--process-per-tab", true, "--process-per-tab"},
        // A flag that merely starts like one is no choice.
        {"--process-per-site-x", true, "--process-per-site-x --process-per-site"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(ChromiumFlagsWith(row.flags, row.shared), QByteArray(row.expected))
            << row.flags << (row.shared ? " shared" : " separate");
}
