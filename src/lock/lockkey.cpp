#include "lock/lockkey.h"

#include <QRandomGenerator>
#include <array>
#include <optional>
#include <string>

#include "lock/base64.h"
#include "lock/cfb8.h"
#include "setfile/encoding.h"

namespace mira {
namespace {

constexpr int kHalf = kLockCipherKeyBytes / 2;

// The Windows-1252 byte of a character, if it has one.
std::optional<quint8> windows1252(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return quint8(c);
    static const std::array<char16_t, 32> upper = [] {
        std::array<char16_t, 32> table{};
        for (int b = 0; b < 32; ++b) {
            const char byte = char(0x80 + b);
            std::u16string s;
            setfile::appendDecoded(s, &byte, 1, false);
            table[b] = s.size() == 1 ? s[0] : 0;
        }
        return table;
    }();
    for (int b = 0; b < 32; ++b)
        if (upper[b] == c && c >= 0x100)
            return quint8(0x80 + b);
    return std::nullopt;
}

// Equal lengths and bytes, in a time that depends only on the lengths.
bool sameBytes(const QByteArray &a, const QByteArray &b)
{
    const qsizetype n = std::max(a.size(), b.size());
    quint32 diff = quint32(a.size() ^ b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const quint8 x = i < a.size() ? quint8(a[i]) : 0;
        const quint8 y = i < b.size() ? quint8(b[i]) : 0;
        diff |= quint32(x ^ y);
    }
    return diff == 0;
}

void wipe(QByteArray &bytes)
{
    if (!bytes.isEmpty())
        WipeBytes(bytes.data(), std::size_t(bytes.size()), 0);
}

} // namespace

QByteArray LockKeyTextBytes(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) {
        const std::optional<quint8> b = windows1252(c.unicode());
        if (!b) {
            wipe(out);
            return text.toUtf8();
        }
        out += char(*b);
    }
    return out;
}

QString EncodeLockKeyWith(const QString &text, std::span<const quint8, kLockCipherKeyBytes> key)
{
    if (text.isEmpty())
        return {};
    QByteArray plain = LockKeyTextBytes(text);
    Cfb8 cfb;
    if (!cfb.Init(key))
        return {};
    const QByteArray encrypted = cfb.Encrypt(plain);
    cfb.Wipe();
    wipe(plain);
    QByteArray blob;
    blob.reserve(kLockCipherKeyBytes + encrypted.size());
    blob.append(reinterpret_cast<const char *>(key.data()) + kHalf, kHalf);
    blob.append(encrypted);
    blob.append(reinterpret_cast<const char *>(key.data()), kHalf);
    QString stored = Base64Encode(blob);
    wipe(blob);
    return stored;
}

QString EncodeLockKey(const QString &text)
{
    if (text.isEmpty())
        return {};
    std::array<quint32, kLockCipherKeyBytes / 4> words;
    QRandomGenerator::system()->generate(words.begin(), words.end());
    std::array<quint8, kLockCipherKeyBytes> key;
    for (std::size_t i = 0; i < key.size(); ++i)
        key[i] = quint8(words[i / 4] >> (8 * (i % 4)));
    QString stored = EncodeLockKeyWith(text, key);
    WipeBytes(words.data(), sizeof words, 0);
    WipeBytes(key.data(), key.size(), 0);
    return stored;
}

bool CheckLockKey(const QString &key, const QString &entered)
{
    QByteArray blob = Base64Decode(key);
    QByteArray typed = LockKeyTextBytes(entered);
    bool same = false;
    if (blob.size() <= kLockCipherKeyBytes) {
        same = typed.isEmpty();
    } else {
        std::array<quint8, kLockCipherKeyBytes> cipherKey;
        const auto *b = reinterpret_cast<const quint8 *>(blob.constData());
        std::copy(b + blob.size() - kHalf, b + blob.size(), cipherKey.begin());
        std::copy(b, b + kHalf, cipherKey.begin() + kHalf);
        Cfb8 cfb;
        if (cfb.Init(cipherKey)) {
            QByteArray encrypted = blob.mid(kHalf, blob.size() - kLockCipherKeyBytes);
            QByteArray text = cfb.Decrypt(encrypted);
            cfb.Wipe();
            same = sameBytes(text, typed);
            wipe(encrypted);
            wipe(text);
        }
        WipeBytes(cipherKey.data(), cipherKey.size(), 0);
    }
    wipe(blob);
    wipe(typed);
    return same;
}

bool SameLockKeyText(const QString &a, const QString &b)
{
    QByteArray x = LockKeyTextBytes(a), y = LockKeyTextBytes(b);
    const bool same = sameBytes(x, y);
    wipe(x);
    wipe(y);
    return same;
}

} // namespace mira
