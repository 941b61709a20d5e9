#pragma once
// Checks a path before a configuration set is loaded from it.
#include <QString>

namespace mira {

// True when the file name ends in ".set", in any case.
bool HasSetExtension(const QString &path);

// True when the file opens and its first line is exactly "object TBaseForm" (it
// reads no more than that line, however large the file is).
bool HasSetHeader(const QString &path);

// True when the path names an existing set file: a non-empty absolute path with the
// ".set" extension whose first line is exactly "object TBaseForm". With messages,
// the first failing check is reported in an information box.
bool IsConfigFile(const QString &path, bool withMessages);

} // namespace mira
