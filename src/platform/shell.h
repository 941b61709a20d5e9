#pragma once
// Desktop services: opening documents with their default program, the beep and
// the clipboard.
#include <QString>

namespace mira::platform {

// Asks the desktop to open the path or address with its default handler; false when
// no handler could be started (a desktop without one, an empty or broken address).
bool ShellOpen(const QString &path);

// Opens a folder in the desktop's file manager; false when nothing could open it.
bool OpenFolder(const QString &path);

// The system beep.
void Beep();

QString ClipboardText();
void SetClipboardText(const QString &text);
bool ClipboardHasText();

} // namespace mira::platform
