#include <climits>
#include <gtest/gtest.h>

#include "bookmarks/refreshperiod.h"

using namespace mira;

TEST(RefreshPeriod, OnlyPositiveValuesReloadByThemselves)
{
    const struct {
        int refresh;
        int period;
    } rows[] = {
        {0, 0},             // Go All and Refresh All, no timer
        {-1, 0},            // what the editor writes for "skipped"
        {-5, 0},            // hand-edited: negative is negative
        {30, 30},           // every half minute
        {1, 1},             // hand-edited: as fast as a timed reload goes
        {INT_MAX, INT_MAX}, // hand-edited: kept, however long
    };
    for (const auto &r : rows)
        EXPECT_EQ(RefreshPeriod(r.refresh), r.period) << r.refresh;
}

TEST(RefreshPeriod, EditorFieldsShowAndWriteBackWhatTheBookmarkHolds)
{
    const struct {
        int refresh;
        bool allow;
        int field;
    } shown[] = {{0, true, 0},
                 {-1, false, 0},
                 {-7, false, 0},
                 {30, true, 30},
                 {INT_MAX, true, MaxEditorPeriod}};
    for (const auto &r : shown) {
        EXPECT_EQ(EditorAllowsGlobalRefresh(r.refresh), r.allow) << r.refresh;
        EXPECT_EQ(EditorPeriodField(r.refresh), r.field) << r.refresh;
    }
    // An untouched editor writes the values it can show unchanged.
    for (int refresh : {0, -1, 30, MaxEditorPeriod})
        EXPECT_EQ(EditorRefreshValue(EditorAllowsGlobalRefresh(refresh),
                                     EditorPeriodField(refresh)),
                  refresh);
}

TEST(RefreshPeriod, EditorRefusesATimerOnABookmarkGoAllSkips)
{
    EXPECT_EQ(EditorRefreshValue(false, 30), -1);
    EXPECT_EQ(EditorRefreshValue(true, 30), 30);
    EXPECT_EQ(EditorRefreshValue(true, -3), 0);
    EXPECT_EQ(EditorRefreshValue(true, MaxEditorPeriod + 1), MaxEditorPeriod);
}
