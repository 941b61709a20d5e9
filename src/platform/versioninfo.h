#pragma once
// Version texts the program shows and checks: the engine's, the system's and the
// program's own version table (compiled in from the build).
#include <QList>
#include <QPair>
#include <QString>

namespace mira::platform {

// The engine's version text, e.g. "102.0.5005.177"; empty in a program that does not
// use the engine.
QString EngineVersion();

// Kernel release and distribution name, e.g. "6.1.0-18-amd64 Debian GNU/Linux 12 (bookworm)".
QString OperatingSystemVersion();

// The engine library's own version, e.g. "6.4.2"; empty without the engine.
QString EngineLibraryVersion();

// Told by the engine when the program starts to use it (UseEngine).
void SetEngineVersions(const QString &engine, const QString &library);

// The program's version table, compiled in from the build: key and value pairs in
// the order the about box lists them.
QList<QPair<QString, QString>> ProgramVersionTable();

} // namespace mira::platform
