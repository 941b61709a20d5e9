// The stored lock key: whatever a set's Key holds, decoding it and checking a typed
// text against it neither crashes nor reads out of bounds; Base64 of any bytes
// decodes back to them; a key encoded from a text unlocks with that text only.
#include <QString>
#include <array>
#include <cstdint>
#include <cstdlib>

#include "lock/base64.h"
#include "lock/lockkey.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    // Split at the first NUL: a stored Key, then a typed text.
    const qsizetype cut = bytes.indexOf('\0');
    const QString key = QString::fromUtf8(cut < 0 ? bytes : bytes.left(cut));
    const QString typed = cut < 0 ? QString() : QString::fromUtf8(bytes.mid(cut + 1));

    (void)mira::CheckLockKey(key, typed);
    (void)mira::Base64Decode(key);
    if (mira::Base64Decode(mira::Base64Encode(bytes)) != bytes)
        std::abort();

    if (!typed.isEmpty() && typed.size() < 200) {
        std::array<quint8, mira::kLockCipherKeyBytes> cipherKey{};
        for (size_t i = 0; i < cipherKey.size(); ++i)
            cipherKey[i] = size ? data[i % size] : 0;
        const QString stored = mira::EncodeLockKeyWith(typed, cipherKey);
        if (!mira::CheckLockKey(stored, typed))
            std::abort();
        if (mira::CheckLockKey(stored, typed + QLatin1Char('x')))
            std::abort();
    }
    return 0;
}
