#include <QList>
#include <climits>
#include <gtest/gtest.h>

#include "bookmarks/zoomsteps.h"

using namespace mira;

TEST(ZoomSteps, StepsUpAndDownStopAtTheEndsAndZeroGoesBackTo100)
{
    const struct {
        int percent;
        int direction;
        int next;
    } rows[] = {
        {100, 1, 110},    {100, -1, 90},      {90, 1, 100},   {110, -1, 100}, // around 100
        {100, 0, 100},    {175, 0, 100},      {25, 0, 100},                   // Ctrl+0
        {25, -1, 25},     {25, 1, 33},        {33, -1, 25},                   // the bottom
        {300, 1, 300},    {300, -1, 250},     {250, 1, 300},                  // the top
        {67, 1, 75},      {67, -1, 50},                                       // uneven steps
        {115, 1, 125},    {115, -1, 110},     {26, -1, 25},   {299, 1, 300},  // between steps
        {5, 1, 33},       {5, -1, 25},        {900, -1, 250}, {900, 1, 300},  // out of range
        {INT_MIN, 1, 33}, {INT_MAX, -1, 250},                                 // no overflow
        {100, 7, 110},    {100, -7, 90}, // only the sign counts
    };
    for (const auto &r : rows)
        EXPECT_EQ(ZoomStep(r.percent, r.direction), r.next) << r.percent << " " << r.direction;
}

TEST(ZoomSteps, EveryStepIsReachedGoingUpAndComesBackGoingDown)
{
    QList<int> up{ZoomMin};
    while (up.back() != ZoomMax) {
        up.append(ZoomStep(up.back(), 1));
        ASSERT_LT(up.size(), 40) << "stuck at " << up.back();
    }
    EXPECT_EQ(up, (QList<int>{25, 33, 50, 67, 75, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300}));
    for (qsizetype i = up.size() - 1; i > 0; --i)
        EXPECT_EQ(ZoomStep(up[i], -1), up[i - 1]);
}

TEST(ZoomSteps, ClampAndStatusText)
{
    EXPECT_EQ(ClampZoom(0), ZoomMin);
    EXPECT_EQ(ClampZoom(-40), ZoomMin);
    EXPECT_EQ(ClampZoom(115), 115);
    EXPECT_EQ(ClampZoom(1000), ZoomMax);
    EXPECT_EQ(ZoomStatusText(125), QStringLiteral("Zoom 125 %"));
}
