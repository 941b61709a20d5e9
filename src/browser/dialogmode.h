#pragma once
// The dialog-mode rules for the engine's message boxes, as pure functions.
#include <QString>

namespace mira {

// The two program flags of the dialog mode. Moderate is neither; a hand-edited set
// may carry both.
struct DialogMode {
    bool interactive = false;
    bool silent = false;
};

// The engine's caption as the program shows it: the first "Microsoft " goes and the
// first "Internet Explorer" becomes "Mira" (both case-sensitive).
QString RewriteEngineCaption(const QString &caption);

// Whether an engine message box (type: button bits in the low three bits) with the
// rewritten caption is shown as a box. In Interactive mode every one is; otherwise
// only a box with more than an OK button whose caption has no "Error". Silent
// decides as Moderate: it only silences the engine's own dialogs.
bool MessageReachesUser(const DialogMode &mode, int type, const QString &caption);

// The status bar line of a message that is not shown as a box.
QString MessageStatusText(const QString &caption, const QString &text);

} // namespace mira
