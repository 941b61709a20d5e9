#pragma once
// The dialog-mode rules for the engine's message boxes, as pure functions.
#include <QString>
#include <QStringList>

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

// A window that took the activation from the main window, as its caption tells the
// watcher: the caption written back (engine name renamed), and whether it named the
// engine or an error (both case-sensitive, read before the renaming).
struct WatchedCaption {
    QString caption;
    bool engine = false;
    bool error = false;
    // Such a window is the engine's and is dismissed by the dialog mode.
    bool dismissed() const { return engine || error; }
};
WatchedCaption ReadWatchedCaption(const QString &caption);

// Whether a window of this caption is centred over the main window: a caption that
// occurs in the list of the engine's and the program's own dialog titles.
bool IsCentredCaption(const QString &caption);

// How the watcher answers an engine dialog, from its children's texts in order.
enum class DialogButton { None, OK, No };
struct DismissPlan {
    DialogButton kind = DialogButton::None;
    int button = -1; // index of the button's text, -1 when none
    QString message; // the longest text of more than six characters
    bool closeQuestion = false;
    bool answer = false; // answer now; false leaves the dialog to the user
    bool goBack = false; // the web view last used goes back a page
    QString statusText;  // empty: the status bar keeps its text
};
DismissPlan PlanDismiss(const DialogMode &mode, const QString &caption,
                        const QStringList &childTexts);

// The engine's question when a page closes its window, and its leave-page question.
extern const char CloseWindowQuestion[];

} // namespace mira
