#include <array>
#include <gtest/gtest.h>

#include "lock/base64.h"
#include "lock/lockkey.h"

namespace mira {
namespace {

// Computed once by tests/data/lockkey_vector.py, an implementation of its own, with
// the cipher key bytes (i * 37 + 11) mod 256.
const char kAbcKey[] =
    "q9D1Gj9kia7T+B1CZ4yx1vsgRWqPtNn+I0htkrfcASYFTPoLMFV6n8TpDjNYfaLH7BE2W4Clyu8UOV6DqM3yFzxhhg==";
const char kGreetingKey[] = "q9D1Gj9kia7T+B1CZ4yx1vsgRWqPtNn+I0htkrfcASYjfrnSIqSYXAswVXqfxOkOM1h"
                            "9osfsETZbgKXK7xQ5XoOozfIXPGGG";
const QString kGreeting = QStringLiteral("Gr\u00fc\u00dfe \u20ac5");

std::array<quint8, kLockCipherKeyBytes> vectorKey()
{
    std::array<quint8, kLockCipherKeyBytes> key;
    for (int i = 0; i < kLockCipherKeyBytes; ++i)
        key[i] = quint8(i * 37 + 11);
    return key;
}

TEST(LockKey, KeysWrittenElsewhereUnlockWithTheirText)
{
    EXPECT_TRUE(CheckLockKey(QString::fromLatin1(kAbcKey), QStringLiteral("abc")));
    EXPECT_TRUE(CheckLockKey(QString::fromLatin1(kGreetingKey), kGreeting));
    EXPECT_FALSE(CheckLockKey(QString::fromLatin1(kAbcKey), QStringLiteral("abd")));
    EXPECT_FALSE(CheckLockKey(QString::fromLatin1(kGreetingKey), QStringLiteral("Grusse 5")));
    // The same cipher key gives the same stored text, byte for byte.
    EXPECT_EQ(EncodeLockKeyWith(QStringLiteral("abc"), vectorKey()), QLatin1String(kAbcKey));
    EXPECT_EQ(EncodeLockKeyWith(kGreeting, vectorKey()), QLatin1String(kGreetingKey));
}

TEST(LockKey, ThreeCharactersStore92Base64CharactersAndEachEncodingDiffers)
{
    const QString first = EncodeLockKey(QStringLiteral("aBc"));
    const QString second = EncodeLockKey(QStringLiteral("aBc"));
    EXPECT_EQ(first.size(), 92);
    EXPECT_EQ(Base64Decode(first).size(), 67);
    EXPECT_NE(first, second);
    for (const QString &key : {first, second}) {
        EXPECT_TRUE(CheckLockKey(key, QStringLiteral("aBc")));
        EXPECT_FALSE(CheckLockKey(key, QStringLiteral("AbC")));
        EXPECT_FALSE(CheckLockKey(key, QStringLiteral("abc")));
        EXPECT_FALSE(CheckLockKey(key, QStringLiteral("aBc ")));
        EXPECT_FALSE(CheckLockKey(key, QString()));
    }
}

TEST(LockKey, TextsOfAnyLengthAndScript)
{
    EXPECT_TRUE(EncodeLockKey(QString()).isEmpty());
    for (const QString &text : {QStringLiteral("x"), QString(500, QLatin1Char('k')), kGreeting,
                                QStringLiteral("\u043a\u043b\u044e\u0447 \u9375")}) {
        const QString key = EncodeLockKey(text);
        EXPECT_TRUE(CheckLockKey(key, text)) << text.toStdString();
        EXPECT_FALSE(CheckLockKey(key, text.left(text.size() - 1))) << text.toStdString();
    }
    // Outside Windows-1252 the text is kept as UTF-8 and still compared exactly.
    EXPECT_EQ(LockKeyTextBytes(kGreeting), QByteArray("Gr\xfc\xdf"
                                                      "e \x80"
                                                      "5"));
    EXPECT_EQ(LockKeyTextBytes(QStringLiteral("\u0100")), QByteArray("\xc4\x80"));
}

TEST(LockKey, KeysHoldingNoTextMatchOnlyAnEmptyEntry)
{
    // 64 bytes of cipher key and no text, and hand-edited rubbish.
    const QString bare = Base64Encode(QByteArray(64, 'k'));
    EXPECT_TRUE(CheckLockKey(bare, QString()));
    EXPECT_FALSE(CheckLockKey(bare, QStringLiteral("k")));
    EXPECT_TRUE(CheckLockKey(QStringLiteral("!!"), QString()));
    EXPECT_FALSE(CheckLockKey(QStringLiteral("not base64 at all, but long enough to decode into "
                                             "more than sixty-four bytes of something or other"),
                              QStringLiteral("x")));
}

TEST(LockKey, SameKeyTextIsExactAndCaseSensitive)
{
    EXPECT_TRUE(SameLockKeyText(QString(), QString()));
    EXPECT_TRUE(SameLockKeyText(kGreeting, kGreeting));
    EXPECT_FALSE(SameLockKeyText(QStringLiteral("key"), QStringLiteral("Key")));
    EXPECT_FALSE(SameLockKeyText(QStringLiteral("key"), QStringLiteral("key2")));
    EXPECT_FALSE(SameLockKeyText(QStringLiteral("key"), QString()));
}

} // namespace
} // namespace mira
