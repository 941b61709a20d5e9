#include <gtest/gtest.h>

#include "app/messagebox.h"

using namespace mira;

TEST(InputBoxSize, MinimumsDependOnPrompt)
{
    EXPECT_EQ(InputBoxSize(0, 0, true), QSize(200, 125));
    EXPECT_EQ(InputBoxSize(0, 0, false), QSize(200, 110));
    EXPECT_EQ(InputBoxSize(594, 0, false), QSize(594, 110));
}
