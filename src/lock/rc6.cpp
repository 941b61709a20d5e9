#include "lock/rc6.h"

#include <algorithm>
#include <cstring>

namespace mira {
namespace {

constexpr quint32 P32 = 0xB7E15163;
constexpr quint32 Q32 = 0x9E3779B9;

inline quint32 rotl(quint32 x, quint32 n)
{
    n &= 31;
    return n ? (x << n) | (x >> (32 - n)) : x;
}

inline quint32 loadWord(const quint8 *p)
{
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

inline void storeWord(quint32 w, quint8 *p)
{
    p[0] = quint8(w);
    p[1] = quint8(w >> 8);
    p[2] = quint8(w >> 16);
    p[3] = quint8(w >> 24);
}

} // namespace

void WipeBytes(void *data, std::size_t size, quint8 value)
{
    volatile quint8 *p = static_cast<volatile quint8 *>(data);
    for (std::size_t i = 0; i < size; ++i)
        p[i] = value;
}

bool Rc6::SetKey(std::span<const quint8> key)
{
    Wipe();
    if (key.empty() || key.size() > 256)
        return false;
    std::array<quint32, 64> L{};
    for (std::size_t i = 0; i < key.size(); ++i)
        L[i / 4] |= quint32(key[i]) << (8 * (i % 4));
    const int c = int((key.size() + 3) / 4);

    S[0] = P32;
    for (int i = 1; i < kRoundKeys; ++i)
        S[i] = S[i - 1] + Q32;
    quint32 A = 0, B = 0;
    int i = 0, j = 0;
    for (int k = 0; k < 3 * std::max(c, kRoundKeys); ++k) {
        A = S[i] = rotl(S[i] + A + B, 3);
        B = L[j] = rotl(L[j] + A + B, A + B);
        i = (i + 1) % kRoundKeys;
        j = (j + 1) % c;
    }
    WipeBytes(L.data(), sizeof L, 0);
    A = B = 0;
    keyed = true;
    return true;
}

Rc6::Block Rc6::Encrypt(const Block &in) const
{
    quint32 A = loadWord(&in[0]), B = loadWord(&in[4]), C = loadWord(&in[8]), D = loadWord(&in[12]);
    B += S[0];
    D += S[1];
    for (std::size_t r = 1; r <= kRounds; ++r) {
        const quint32 t = rotl(B * (2 * B + 1), 5);
        const quint32 u = rotl(D * (2 * D + 1), 5);
        A = rotl(A ^ t, u) + S[2 * r];
        C = rotl(C ^ u, t) + S[2 * r + 1];
        const quint32 first = A;
        A = B;
        B = C;
        C = D;
        D = first;
    }
    A += S[2 * kRounds + 2];
    C += S[2 * kRounds + 3];
    Block out;
    storeWord(A, &out[0]);
    storeWord(B, &out[4]);
    storeWord(C, &out[8]);
    storeWord(D, &out[12]);
    return out;
}

void Rc6::Wipe()
{
    WipeBytes(S.data(), sizeof S, 0xFF);
    keyed = false;
}

} // namespace mira
