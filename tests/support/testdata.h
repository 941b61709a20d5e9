#pragma once
#include <QByteArray>

namespace mira::test {

// A file of tests/data.
QByteArray testData(const char *name);
// The text with every line ending in CR LF, as set files have them.
QByteArray crlf(QByteArray text);

} // namespace mira::test
