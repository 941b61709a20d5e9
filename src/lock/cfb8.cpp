#include "lock/cfb8.h"

#include <algorithm>

namespace mira {

bool Cfb8::Init(std::span<const quint8> key, const std::optional<Rc6::Block> &initialRegister)
{
    Wipe();
    if (!cipher.SetKey(key))
        return false;
    if (initialRegister) {
        initial = *initialRegister;
    } else {
        Rc6::Block ones;
        ones.fill(0xFF);
        initial = cipher.Encrypt(ones);
    }
    feedback = initial;
    return true;
}

QByteArray Cfb8::Encrypt(const QByteArray &plain)
{
    return run(plain, true);
}

QByteArray Cfb8::Decrypt(const QByteArray &cipherText)
{
    return run(cipherText, false);
}

QByteArray Cfb8::run(const QByteArray &in, bool encrypting)
{
    if (!cipher.HasKey())
        return {};
    QByteArray out(in.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < in.size(); ++i) {
        Rc6::Block o = cipher.Encrypt(feedback);
        const quint8 inByte = quint8(in[i]);
        const quint8 outByte = inByte ^ o[0];
        WipeBytes(o.data(), o.size(), 0xFF);
        out[i] = char(outByte);
        std::rotate(feedback.begin(), feedback.begin() + 1, feedback.end());
        feedback[15] = encrypting ? outByte : inByte;
    }
    return out;
}

void Cfb8::Wipe()
{
    cipher.Wipe();
    WipeBytes(initial.data(), initial.size(), 0xFF);
    WipeBytes(feedback.data(), feedback.size(), 0xFF);
}

} // namespace mira
