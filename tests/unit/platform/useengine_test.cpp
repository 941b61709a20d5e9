#include <QQuickWindow>
#include <gtest/gtest.h>

#include "platform/scenegraph.h"

TEST(UseEngine, ChoosesTheViewsRendererBeforeAnyView)
{
    // This binary starts the engine as the program does; its environment turns the GPU off.
    ASSERT_TRUE(mira::platform::DrawViewsInSoftware());
    EXPECT_EQ(QQuickWindow::sceneGraphBackend(), QStringLiteral("software"));
}
