#include <gtest/gtest.h>

#include "lock/base64.h"

namespace mira {
namespace {

TEST(Base64, EncodesGroupsWithPaddingAndNoLineBreaks)
{
    EXPECT_EQ(Base64Encode(""), QString());
    EXPECT_EQ(Base64Encode("f"), QStringLiteral("Zg=="));
    EXPECT_EQ(Base64Encode("fo"), QStringLiteral("Zm8="));
    EXPECT_EQ(Base64Encode("foo"), QStringLiteral("Zm9v"));
    EXPECT_EQ(Base64Encode("foobar"), QStringLiteral("Zm9vYmFy"));
    EXPECT_EQ(Base64Encode(QByteArray::fromHex("fbff00")), QStringLiteral("+/8A"));
    const QString longText = Base64Encode(QByteArray(300, 'x'));
    EXPECT_EQ(longText.size(), 400);
    EXPECT_FALSE(longText.contains(QLatin1Char('\n')));
}

TEST(Base64, DecodesWithAndWithoutPadding)
{
    EXPECT_EQ(Base64Decode(u"Zg=="), QByteArray("f"));
    EXPECT_EQ(Base64Decode(u"Zg"), QByteArray("f"));
    EXPECT_EQ(Base64Decode(u"Zm8="), QByteArray("fo"));
    EXPECT_EQ(Base64Decode(u"Zm8"), QByteArray("fo"));
    EXPECT_EQ(Base64Decode(u"Zm9vYmFy"), QByteArray("foobar"));
    EXPECT_EQ(Base64Decode(u"+/8A"), QByteArray::fromHex("fbff00"));
    EXPECT_EQ(Base64Decode(u""), QByteArray());
}

TEST(Base64, SkipsForeignCharacters)
{
    EXPECT_EQ(Base64Decode(u"Zm9v\r\nYmFy"), QByteArray("foobar"));
    EXPECT_EQ(Base64Decode(u" Z m 9 v Y m 8 = "), QByteArray("foobo"));
    EXPECT_EQ(Base64Decode(u"Zm9v-Ym.Fy\u00e9"), QByteArray("foobar"));
    EXPECT_EQ(Base64Decode(u"!!!"), QByteArray());
}

TEST(Base64, RoundTripsEveryByteValueAndLength)
{
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all += char(i);
    for (int n = 0; n <= 256; n += 1)
        ASSERT_EQ(Base64Decode(Base64Encode(all.left(n))), all.left(n)) << n;
}

} // namespace
} // namespace mira
