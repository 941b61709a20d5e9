#include <gtest/gtest.h>

#include "bookmarks/addresscommands.h"

using namespace mira;

TEST(PastedAddress, AScriptLinkGivesTheAddressItCarries)
{
    const QString prefix = QStringLiteral("javascript:navigateClose(\"");
    ASSERT_EQ(prefix.size(), 26);
    EXPECT_EQ(PastedAddress(prefix + QStringLiteral("docs/page.html\")")),
              QStringLiteral("docs/page.html"));
    // Whatever the last two characters are, they go.
    EXPECT_EQ(PastedAddress(prefix + QStringLiteral("a.html';")), QStringLiteral("a.html"));
    EXPECT_EQ(PastedAddress(prefix + QStringLiteral("\")")), QString());
    EXPECT_EQ(PastedAddress(prefix + QStringLiteral(")")), QString());
}

TEST(PastedAddress, OtherTextsAreKept)
{
    for (const QString &text : {QStringLiteral("http://example.test/"),
                                QStringLiteral(" javascript:navigateClose(\"a\")"),
                                QStringLiteral("JAVASCRIPT:navigateClose(\"a\")"),
                                QStringLiteral("javascript:navigate"), QString()})
        EXPECT_EQ(PastedAddress(text), text) << text.toStdString();
}
