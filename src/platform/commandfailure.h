#pragma once
// How a document command that failed (open, save as, print) is told to the user.
#include <QString>

namespace mira::platform {

// "<command> failed: <target>: <reason>", the target left out when empty. The reason
// loses a final full stop and starts in lower case, so the line reads as one sentence.
QString CommandFailureText(const QString &command, const QString &target, const QString &reason);

// Why a file cannot be written at path: what the file system tells (no folder, a
// folder in the way, read-only), else the system's reason when the file cannot be
// opened for writing. A file made for the trial is removed again; an existing one is
// opened without being cut short. Empty when the file can be written.
QString WriteTargetProblem(const QString &path);

// Why the file at path cannot be opened to be read; empty when it can.
QString ReadSourceProblem(const QString &path);

// The reason of an engine's save that ended without the file, from the engine's
// interrupt reason code; empty for a code that says nothing (none, a save the engine
// shut down, one it does not know). The engine's own text is never asked for: it
// has none for some codes it gives, and ends the process when asked for it.
QString SaveInterruptText(int engineReason);

// Why the engine's save to path failed: the reason its code gives, else what the
// file system tells now (no space left, the target refused), else a plain one.
QString SaveFailureText(int engineReason, const QString &path);

} // namespace mira::platform
