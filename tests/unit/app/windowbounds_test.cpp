#include <gtest/gtest.h>

#include "app/windowbounds.h"

using namespace mira;

TEST(WindowBounds, StoredBoundsAreKeptWithinTheWorkAreaPlusFour)
{
    const QRect area(0, 0, 1024, 740);
    const struct {
        const char *what;
        QRect stored, fitted;
    } rows[] = {
        {"fits", {10, 20, 640, 480}, {10, 20, 640, 480}},
        {"exactly the limit", {-2, -2, 1028, 744}, {-2, -2, 1028, 744}},
        {"one wider than the limit", {-2, -2, 1029, 744}, {-2, -2, 1028, 744}},
        {"saved on a larger screen", {0, 0, 1920, 1200}, {0, 0, 1028, 744}},
        {"partly beside the screen keeps its place", {900, 600, 640, 480}, {900, 600, 640, 480}},
        {"wholly right of it comes back", {2000, 100, 640, 480}, {384, 100, 640, 480}},
        {"wholly above it comes back", {10, -900, 640, 480}, {10, 0, 640, 480}},
        {"wholly beside and too large", {3000, 3000, 1920, 1200}, {0, 0, 1028, 744}},
        {"empty keeps its place", {10, 20, 0, 0}, {10, 20, 0, 0}},
    };
    for (const auto &r : rows)
        EXPECT_EQ(FitToWorkArea(r.stored, area), r.fitted) << r.what;

    // A work area away from the origin (a panel on the left or at the top).
    const QRect panel(64, 32, 960, 736);
    EXPECT_EQ(MaximumFrameSize(panel), QSize(964, 740));
    EXPECT_EQ(FitToWorkArea({-2000, 10, 100, 100}, panel), QRect(64, 32, 100, 100));
    // No work area known: nothing is limited.
    EXPECT_EQ(FitToWorkArea({5, 5, 5000, 5000}, QRect()), QRect(5, 5, 5000, 5000));
    EXPECT_GE(MaximumFrameSize(QRect()).width(), 1 << 20);
}

TEST(WindowBounds, TheClientGivesWayToTheFrame)
{
    const QRect outer(100, 50, 640, 480);
    const QMargins openbox(1, 20, 1, 5);
    const QRect client = ClientGeometry(outer, openbox);
    EXPECT_EQ(client, QRect(101, 70, 638, 455));
    EXPECT_EQ(FrameMargins(outer, client), openbox);
    // No window manager: the client is the frame.
    EXPECT_EQ(ClientGeometry(outer, QMargins()), outer);
    EXPECT_TRUE(FrameMargins(outer, outer).isNull());
}
