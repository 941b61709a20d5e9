#pragma once
// Naming and finding set files; pure rules over paths and the file system.
#include <QString>

namespace mira {

// Adds ".set" to a name without a dot and puts a name that is not absolute into
// folder (when that is absolute) or into the program folder.
QString ExpandConfigName(const QString &name, const QString &folder);

// The path itself when it exists and (forced or it is a set file); with an empty
// path the most recently written valid set of the program folder; else empty.
QString FindConfigFile(const QString &path, bool forced);

// A file folder + name + ".set" exists, comparing names without regard to case.
bool ConfigNameExists(const QString &folder, const QString &name);

// Every character is one of A-Z, a-z, 0-9, "-" and "_" (the empty name passes).
bool IsValidConfigName(const QString &name);

// Packed local date and time of a file's last write, two-second steps.
qint64 PackedFileTime(const QString &path);

// Writes data to path through a temporary file beside it that replaces the target
// only when complete. On failure returns false and the system's reason in error.
bool WriteFileAtomically(const QString &path, const QByteArray &data, QString *error);

} // namespace mira
