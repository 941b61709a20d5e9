#pragma once
// Splitting of "a|b|c" texts into fields, as menu entries and hints carry them.
#include <QString>

namespace mira {

// The n-th field (from 1) of text split at separator: the text before the first
// separator, then the text between the first and the second, and so on. The last
// field is the rest of the text, and a field beyond it gives the last one; a text
// without the separator is its own only field whatever n is.
QString GetField(const QString &text, QChar separator, int n);

} // namespace mira
