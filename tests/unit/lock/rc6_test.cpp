#include <gtest/gtest.h>

#include "lock/cfb8.h"
#include "lock/rc6.h"

namespace mira {
namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

std::span<const quint8> bytes(const QByteArray &b)
{
    return {reinterpret_cast<const quint8 *>(b.constData()), std::size_t(b.size())};
}

Rc6::Block block(const QByteArray &b)
{
    Rc6::Block out{};
    std::copy(b.begin(), b.end(), out.begin());
    return out;
}

QByteArray toBytes(const Rc6::Block &b)
{
    return QByteArray(reinterpret_cast<const char *>(b.data()), qsizetype(b.size()));
}

struct Vector {
    const char *key;
    const char *plain;
    const char *cipher;
};

// The published RC6-32/20 vectors for 128-, 192- and 256-bit keys.
const Vector published[] = {
    {"00000000000000000000000000000000", "00000000000000000000000000000000",
     "8fc3a53656b1f778c129df4e9848a41e"},
    {"0123456789abcdef0112233445566778", "02132435465768798a9bacbdcedfe0f1",
     "524e192f4715c6231f51f6367ea43f18"},
    {"000000000000000000000000000000000000000000000000", "00000000000000000000000000000000",
     "6cd61bcb190b30384e8a3f168690ae82"},
    {"0123456789abcdef0112233445566778899aabbccddeeff0", "02132435465768798a9bacbdcedfe0f1",
     "688329d019e505041e52e92af95291d4"},
    {"0000000000000000000000000000000000000000000000000000000000000000",
     "00000000000000000000000000000000", "8f5fbd0510d15fa893fa3fda6e857ec2"},
    {"0123456789abcdef0112233445566778899aabbccddeeff01032547698badcfe",
     "02132435465768798a9bacbdcedfe0f1", "c8241816f0d7e48920ad16a1674e5d48"},
};

TEST(Rc6, PublishedVectorsHold)
{
    for (const Vector &v : published) {
        Rc6 rc6;
        const QByteArray key = hex(v.key);
        ASSERT_TRUE(rc6.SetKey(bytes(key))) << v.key;
        EXPECT_EQ(toBytes(rc6.Encrypt(block(hex(v.plain)))).toHex(), QByteArray(v.cipher))
            << "key " << v.key;
    }
}

TEST(Rc6, KeysOfNoBytesOrOver256BytesAreRefused)
{
    Rc6 rc6;
    EXPECT_FALSE(rc6.SetKey({}));
    EXPECT_FALSE(rc6.HasKey());
    const QByteArray tooLong(257, 'k');
    EXPECT_FALSE(rc6.SetKey(bytes(tooLong)));
    const QByteArray longest(256, 'k'), one(1, 'k');
    EXPECT_TRUE(rc6.SetKey(bytes(longest)));
    EXPECT_TRUE(rc6.SetKey(bytes(one)));
    // A refused key leaves no earlier one behind.
    EXPECT_FALSE(rc6.SetKey(bytes(tooLong)));
    EXPECT_FALSE(rc6.HasKey());
}

TEST(Cfb8, RoundTripsEveryLengthUpTo300)
{
    const QByteArray key = hex("000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f"
                               "202122232425262728292a2b2c2d2e2f303132333435363738393a3b3c3d3e3f");
    QByteArray longest;
    for (int i = 0; i < 300; ++i)
        longest += char(i * 7 + 3);
    Cfb8 encrypt, decrypt;
    ASSERT_TRUE(encrypt.Init(bytes(key)));
    ASSERT_TRUE(decrypt.Init(bytes(key)));
    const QByteArray fullCipher = encrypt.Encrypt(longest);
    for (int n = 0; n <= 300; ++n) {
        const QByteArray plain = longest.left(n);
        encrypt.Reset();
        const QByteArray cipher = encrypt.Encrypt(plain);
        ASSERT_EQ(cipher.size(), n);
        // Each byte depends only on what came before it: a prefix encrypts to a prefix.
        EXPECT_EQ(cipher, fullCipher.left(n));
        decrypt.Reset();
        EXPECT_EQ(decrypt.Decrypt(cipher), plain) << "length " << n;
    }
    EXPECT_NE(fullCipher, longest);
}

TEST(Cfb8, WithoutARegisterStartsFromTheEncryptionOfSixteen0xFFBytes)
{
    const QByteArray key = hex("0123456789abcdef0112233445566778");
    Rc6 rc6;
    ASSERT_TRUE(rc6.SetKey(bytes(key)));
    Rc6::Block ones;
    ones.fill(0xFF);
    const Rc6::Block initial = rc6.Encrypt(ones);
    // The first output byte is the plain byte xor the first byte of E(E(FF..FF)).
    const quint8 firstPad = rc6.Encrypt(initial)[0];

    Cfb8 implicit, explicitRegister;
    ASSERT_TRUE(implicit.Init(bytes(key)));
    ASSERT_TRUE(explicitRegister.Init(bytes(key), initial));
    const QByteArray text("The quick brown fox");
    const QByteArray a = implicit.Encrypt(text);
    EXPECT_EQ(a, explicitRegister.Encrypt(text));
    EXPECT_EQ(quint8(a[0]), quint8(text[0]) ^ firstPad);

    Cfb8 other;
    ASSERT_TRUE(other.Init(bytes(key), block(hex("00000000000000000000000000000000"))));
    EXPECT_NE(other.Encrypt(text), a);
}

TEST(Cfb8, WipedOrRefusedStateEncryptsNothing)
{
    Cfb8 cfb;
    EXPECT_FALSE(cfb.Init({}));
    EXPECT_TRUE(cfb.Encrypt("abc").isEmpty());
    const QByteArray key(16, 'k');
    ASSERT_TRUE(cfb.Init(bytes(key)));
    cfb.Wipe();
    EXPECT_TRUE(cfb.Encrypt("abc").isEmpty());
}

} // namespace
} // namespace mira
