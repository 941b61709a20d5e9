#include <gtest/gtest.h>

#include "app/programvalues.h"
#include "platform/versioninfo.h"

using namespace mira;

TEST(EngineVersion, MajorNumberDecides)
{
    EXPECT_FALSE(IsEngineVersionUsable(QStringLiteral("4.72.3110.8")));
    EXPECT_TRUE(IsEngineVersionUsable(QStringLiteral("10.0.9200.16384")));
    EXPECT_TRUE(IsEngineVersionUsable(QStringLiteral("5.00.2614.3500")));
    EXPECT_FALSE(IsEngineVersionUsable(QString()));
    EXPECT_FALSE(IsEngineVersionUsable(QStringLiteral("beta.7")));
}

TEST(EngineVersion, DocumentCommandsFollowTheVersionText)
{
    // 5.00 hides Print Preview; 5.50 shows it and hides Open; 6.00 the other way round.
    EXPECT_FALSE(PrintPreviewVisibleFor(QStringLiteral("5.00.2614.3500")));
    EXPECT_FALSE(OpenDocVisibleFor(QStringLiteral("5.00.2614.3500")));
    EXPECT_TRUE(PrintPreviewVisibleFor(QStringLiteral("5.50.4807.2300")));
    EXPECT_FALSE(OpenDocVisibleFor(QStringLiteral("5.50.4807.2300")));
    EXPECT_FALSE(PrintPreviewVisibleFor(QStringLiteral("6.00.2800.1106")));
    EXPECT_TRUE(OpenDocVisibleFor(QStringLiteral("6.00.2800.1106")));
}

TEST(EngineVersion, RealEngineIsAccepted)
{
    const QString version = platform::EngineVersion();
    EXPECT_FALSE(version.isEmpty());
    EXPECT_TRUE(IsEngineVersionUsable(version)) << version.toStdString();
}
