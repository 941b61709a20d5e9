#include <QFontInfo>
#include <gtest/gtest.h>

#include "dialogs/dialogmetrics.h"

using namespace mira;

TEST(DialogMetrics, TheScaleFollowsTheLineHeightButNeverShrinks)
{
    struct Case {
        int lineHeight;
        qreal scale;
    };
    for (const Case &c :
         {Case{13, 1.0}, Case{10, 1.0}, Case{0, 1.0}, Case{26, 2.0}, Case{20, 20.0 / 13}})
        EXPECT_DOUBLE_EQ(DesignScale(c.lineHeight), c.scale) << c.lineHeight;
}

TEST(DialogMetrics, DesignLengthsAreScaledAndRounded)
{
    EXPECT_EQ(Scaled(137, 1.0), 137);
    EXPECT_EQ(Scaled(137, 1.5), 206); // 205.5 rounds up
    EXPECT_EQ(Scaled(21, 20.0 / 13), 32);
    EXPECT_EQ(Scaled(QRect(8, 28, 32, 32), 1.5), QRect(12, 42, 48, 48));
}

TEST(DialogMetrics, TheDesignFontGrowsWithTheDpiOnly)
{
    EXPECT_EQ(DesignFont(96).pixelSize(), 11);
    EXPECT_EQ(DesignFont(144).pixelSize(), 17);
    EXPECT_EQ(DesignFont(192).pixelSize(), 22);
    EXPECT_EQ(DesignFont(72).pixelSize(), 11);
}

TEST(DialogMetrics, ACaptionWidensItsWindowWithinTheLimit)
{
    struct Case {
        int advance, titleBar, minimum, limit, width;
    };
    for (const Case &c : {
             Case{30, 20, 200, 800, 200},  // short: the least width stands
             Case{130, 20, 200, 800, 230}, // caption and five title bar cells
             Case{900, 20, 200, 800, 800}, // a very long caption stops at the limit
             Case{900, 20, 200, 100, 200}, // the least width beats a tiny limit
         })
        EXPECT_EQ(CaptionFitWidth(c.advance, c.titleBar, c.minimum, c.limit), c.width) << c.advance;
}
