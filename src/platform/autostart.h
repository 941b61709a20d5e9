#pragma once
// The desktop's autostart entry that opens a set when the user logs in. Each set
// has an entry of its own, "mira-<set name>.desktop", so several walls can start
// together and turning one off leaves the others alone.
#include <QString>

namespace mira::platform {

// One argument of an Exec line: quoted when it holds a reserved character, with
// '"', '`', '$' and '\' escaped inside the quotes, and '%' doubled.
QString QuoteExecArgument(const QString &argument);
// A string value of a desktop entry: backslash, newline, tab and return escaped.
QString EscapeEntryValue(const QString &value);

// The folder of autostart entries: $XDG_CONFIG_HOME/autostart, or ~/.config/autostart.
QString AutostartFolder();
// The entry's file for a set named setName in folder.
QString AutostartEntryPath(const QString &folder, const QString &setName);
// The whole entry that starts program with the set (both absolute paths).
QString AutostartEntryText(const QString &program, const QString &setPath, const QString &setName);

// True when the entry for the set exists and opens this very set with this program.
bool HasAutostartEntry(const QString &folder, const QString &program, const QString &setPath,
                       const QString &setName);
// Writes (on) or removes (off) the entry; false with the reason in error.
bool SetAutostartEntry(bool on, const QString &folder, const QString &program,
                       const QString &setPath, const QString &setName, QString *error);

} // namespace mira::platform
