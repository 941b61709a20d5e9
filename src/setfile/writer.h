#pragma once
// Writes the neutral tree in the text notation of set files.
#include <QByteArray>
#include <QString>

#include "setfile/tree.h"

namespace mira::setfile {

// Renders a tree as the writer does: CRLF line ends, two blanks per level,
// strings cut and #-coded, UTF-8 bytes for characters from 128 on.
QByteArray render(const Object &root);

// Renders one string value as it appears after "Name = " at the given nesting level
// of the property line (exposed for tests of the 64-character rules).
QByteArray renderString(const QString &s, int level);

} // namespace mira::setfile
