#pragma once
// The lock key as a set stores it: Base64 of the cipher key's second half, the key
// text encrypted with RC6 in CFB-8 mode, and the cipher key's first half.
#include <QByteArray>
#include <QString>
#include <span>

namespace mira {

constexpr int kLockCipherKeyBytes = 64;

// The key text as bytes: Windows-1252 when every character has a place there (so
// keys set elsewhere in that code page keep working), else UTF-8.
QByteArray LockKeyTextBytes(const QString &text);

// The stored form of text under 64 fresh bytes from the system's cryptographic
// generator; empty for an empty text.
QString EncodeLockKey(const QString &text);
// The same with a given cipher key, for sets whose Key is known in advance.
QString EncodeLockKeyWith(const QString &text, std::span<const quint8, kLockCipherKeyBytes> key);

// True when entered is the key text stored in key. Malformed keys answer false; a key
// of 64 bytes or fewer matches only an empty entry. The comparison takes the same time
// wherever the texts differ.
bool CheckLockKey(const QString &key, const QString &entered);

// Whether two typed texts are the same key text (the comparison CheckLockKey makes).
bool SameLockKeyText(const QString &a, const QString &b);

} // namespace mira
