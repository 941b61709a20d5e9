#pragma once
// How a document command that failed (open, save as, print) is told to the user.
#include <QString>

namespace mira::platform {

// "<command> failed: <target>: <reason>", the target left out when empty. The reason
// loses a final full stop and starts in lower case, so the line reads as one sentence.
QString CommandFailureText(const QString &command, const QString &target, const QString &reason);

// Why a file cannot be written at path as far as the file system tells before
// trying (no folder, a folder in the way, read-only); empty when nothing is known.
QString WriteTargetProblem(const QString &path);

// Why the file at path cannot be opened to be read; empty when it can.
QString ReadSourceProblem(const QString &path);

// The reason of an engine's save that ended without the file: its own text (the
// engine's interrupt reason, in its words), or a plain one when it has none.
QString SaveInterruptText(const QString &engineReason);

} // namespace mira::platform
