#pragma once
// RC6 in 8-bit cipher feedback mode. The cipher state (round keys, initial and
// feedback registers) is overwritten with 0xFF bytes by Wipe and on destruction.
#include <QByteArray>
#include <optional>

#include "lock/rc6.h"

namespace mira {

class Cfb8 {
public:
    Cfb8() = default;
    ~Cfb8() { Wipe(); }
    Cfb8(const Cfb8 &) = delete;
    Cfb8 &operator=(const Cfb8 &) = delete;

    // Without an initial register it is sixteen 0xFF bytes encrypted under the key.
    // False when the key is refused.
    bool Init(std::span<const quint8> key, const std::optional<Rc6::Block> &initial = {});
    QByteArray Encrypt(const QByteArray &plain);
    QByteArray Decrypt(const QByteArray &cipher);
    // Back to the initial register, for a new message under the same key.
    void Reset() { feedback = initial; }
    void Wipe();

private:
    QByteArray run(const QByteArray &in, bool encrypting);

    Rc6 cipher;
    Rc6::Block initial{};
    Rc6::Block feedback{};
};

} // namespace mira
