#pragma once
// RC6 with 32-bit words and 20 rounds: key schedule and block encryption (the lock
// key's cipher needs no block decryption).
#include <QtGlobal>
#include <array>
#include <span>

namespace mira {

// Overwrites the bytes in a way the compiler may not drop as a dead store.
void WipeBytes(void *data, std::size_t size, quint8 value);

class Rc6 {
public:
    static constexpr int kRounds = 20;
    static constexpr int kRoundKeys = 2 * kRounds + 4;
    using Block = std::array<quint8, 16>;

    Rc6() = default;
    ~Rc6() { Wipe(); }
    Rc6(const Rc6 &) = delete;
    Rc6 &operator=(const Rc6 &) = delete;

    // A key of 0 bytes or of more than 256 bytes is refused: nothing is set up.
    bool SetKey(std::span<const quint8> key);
    bool HasKey() const { return keyed; }
    Block Encrypt(const Block &in) const;
    // Overwrites the round keys with 0xFF bytes.
    void Wipe();

private:
    std::array<quint32, kRoundKeys> S{};
    bool keyed = false;
};

} // namespace mira
