#pragma once
#include <QByteArray>
#include <QString>

namespace mira::test {

// A file of tests/data.
QByteArray testData(const char *name);
// The text with every line ending in CR LF, as set files have them.
QByteArray crlf(QByteArray text);
// The whole file, or nothing when it cannot be read.
QByteArray readFile(const QString &path);
// Copies the built program into folder, which becomes its program folder.
bool copyProgramInto(const QString &folder);

} // namespace mira::test
