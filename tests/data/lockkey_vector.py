#!/usr/bin/env python3
"""Computes stored lock keys for fixed cipher keys, independently of the program.

RC6-32/20 key schedule and block encryption, CFB-8 with the initial register being
the encryption of sixteen 0xFF bytes, the blob "key bytes 33-64, cipher text, key
bytes 1-32" and Base64 with "=" padding. The key text is Windows-1252. Run once; the
output is kept as data in tests/unit/lock/lockkey_test.cpp.
"""

MASK = 0xFFFFFFFF
P32, Q32 = 0xB7E15163, 0x9E3779B9


def rotl(x, n):
    n &= 31
    return ((x << n) | (x >> (32 - n))) & MASK if n else x


def schedule(key):
    c = max(1, (len(key) + 3) // 4)
    L = [int.from_bytes(key[4 * i:4 * i + 4].ljust(4, b"\0"), "little") for i in range(c)]
    S = [(P32 + i * Q32) & MASK for i in range(44)]
    A = B = i = j = 0
    for _ in range(3 * max(c, 44)):
        A = S[i] = rotl((S[i] + A + B) & MASK, 3)
        B = L[j] = rotl((L[j] + A + B) & MASK, (A + B) & MASK)
        i, j = (i + 1) % 44, (j + 1) % c
    return S


def encrypt(S, block):
    A, B, C, D = (int.from_bytes(block[4 * k:4 * k + 4], "little") for k in range(4))
    B = (B + S[0]) & MASK
    D = (D + S[1]) & MASK
    for r in range(1, 21):
        t = rotl((B * (2 * B + 1)) & MASK, 5)
        u = rotl((D * (2 * D + 1)) & MASK, 5)
        A = (rotl(A ^ t, u) + S[2 * r]) & MASK
        C = (rotl(C ^ u, t) + S[2 * r + 1]) & MASK
        A, B, C, D = B, C, D, A
    A = (A + S[42]) & MASK
    C = (C + S[43]) & MASK
    return b"".join(w.to_bytes(4, "little") for w in (A, B, C, D))


def cfb8_encrypt(key, data):
    S = schedule(key)
    register = encrypt(S, b"\xff" * 16)
    out = bytearray()
    for byte in data:
        o = encrypt(S, register)[0] ^ byte
        out.append(o)
        register = register[1:] + bytes([o])
    return bytes(out)


ALPHABET = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"


def base64(data):
    out = []
    for i in range(0, len(data), 3):
        chunk = data[i:i + 3]
        n = int.from_bytes(chunk.ljust(3, b"\0"), "big")
        chars = [ALPHABET[(n >> (18 - 6 * k)) & 63] for k in range(4)]
        out.append("".join(chars[:len(chunk) + 1]) + "=" * (3 - len(chunk)))
    return "".join(out)


def stored_key(text, key):
    encrypted = cfb8_encrypt(key, text.encode("cp1252"))
    return base64(key[32:] + encrypted + key[:32])


if __name__ == "__main__":
    # The published RC6 vector with the all-zero 128-bit key, as a check of the above.
    assert encrypt(schedule(bytes(16)), bytes(16)).hex() == "8fc3a53656b1f778c129df4e9848a41e"
    key = bytes((i * 37 + 11) & 0xFF for i in range(64))
    for text in ["abc", "Gr\u00fc\u00dfe \u20ac5"]:
        print(repr(text), stored_key(text, key))
