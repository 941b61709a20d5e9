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

TEST(EngineVersion, DocumentCommandsFollowMajorAndMinorNumbers)
{
    // Print Preview from 5.5 on; the document Open... everywhere but in 5.x.
    struct Row {
        const char *version;
        bool usable, openDoc, printPreview;
    };
    const Row rows[] = {
        {"102.0.5005.177", true, true, true},
        {"10.0", true, true, true},
        {"6.0", true, true, true},
        {"6.00.2800.1106", true, true, true},
        {"5.5", true, false, true},
        {"5.50.4807.2300", true, false, true},
        {"5.0", true, false, false},
        {"5.00.2614.3500", true, false, false},
        {"4.9", false, true, false},
        {"", false, true, false},
        {"abc", false, true, false},
    };
    for (const Row &r : rows) {
        const QString v = QString::fromLatin1(r.version);
        EXPECT_EQ(IsEngineVersionUsable(v), r.usable) << r.version;
        EXPECT_EQ(OpenDocVisibleFor(v), r.openDoc) << r.version;
        EXPECT_EQ(PrintPreviewVisibleFor(v), r.printPreview) << r.version;
    }
}

TEST(EngineVersion, RealEngineIsAccepted)
{
    const QString version = platform::EngineVersion();
    EXPECT_FALSE(version.isEmpty());
    EXPECT_TRUE(IsEngineVersionUsable(version)) << version.toStdString();
    EXPECT_TRUE(OpenDocVisibleFor(version)) << version.toStdString();
    EXPECT_TRUE(PrintPreviewVisibleFor(version)) << version.toStdString();
}
