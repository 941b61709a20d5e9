#pragma once
// Version texts the program shows and checks: the engine's, the system's and the
// program's own version table (compiled in from the build).
#include <QList>
#include <QPair>
#include <QString>

namespace mira::platform {

// The engine's version text, e.g. "102.0.5005.177".
QString EngineVersion();

// Kernel release and distribution name, e.g. "6.1.0-18-amd64 Debian GNU/Linux 12 (bookworm)".
QString OperatingSystemVersion();

// The engine library's own version, e.g. "6.4.2".
QString EngineLibraryVersion();

// The program's version table, compiled in from the build: key and value pairs in
// the order the about box lists them.
QList<QPair<QString, QString>> ProgramVersionTable();

} // namespace mira::platform
