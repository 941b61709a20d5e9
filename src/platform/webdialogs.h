#pragma once
// The web control's own dialogs: the non-modal Find dialog and the boxes it shows
// for pages when the host leaves a message to it. Every modal run goes through
// RunModal.
#include <QDialog>
#include <QStringList>
#include <functional>

#include "dialogs/modal.h"
#include "platform/webcontrol.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace mira::platform {

class FindDialog : public QDialog {
    Q_OBJECT
public:
    // Reports the active match (1-based) and the number of matches; 0 of 0 when none.
    using ResultCallback = std::function<void(int active, int count)>;
    // Searches the page; an empty text clears the highlight.
    using FindFunction = std::function<void(const QString &text, bool matchCase, bool backward,
                                            ResultCallback done)>;

    FindDialog(QWidget *parent, FindFunction find);

    void findNext(bool backward = false);
    QString resultText() const;

private:
    FindFunction find;
    QLineEdit *edit = nullptr;
    QCheckBox *matchCase = nullptr;
    QLabel *result = nullptr;
    QString lastText;
    bool lastMatchCase = false;
};

// The control's own box for a page message; returns the result and fills the value
// of a prompt.
int ShowOwnMessage(QWidget *owner, WebMessage &message);

// A box run inside one of the engine's callbacks holds the engine, and with it every
// page of the program, until it is answered. An alert needs no answer: the engine
// is told OK at once, and deliver gets the message once the callback has returned.
// Alerts are delivered one at a time in order; while MaxWaitingAlerts of one control
// wait or are open, its further alerts are dropped (a page cannot pile up boxes).
void DeliverAlertLater(WebControl *control, const WebMessage &message,
                       std::function<void(WebMessage &)> deliver);
constexpr int MaxWaitingAlerts = 3;
// Whether an alert of control waits to be delivered or is being delivered.
bool AlertWaiting(const WebControl *control);

// Marks the engine as held by a question it waits for (a box run inside one of its
// callbacks), while the mark lives. Nothing else of the engine moves meanwhile.
class EngineHold {
public:
    EngineHold();
    ~EngineHold();
    EngineHold(const EngineHold &) = delete;
    EngineHold &operator=(const EngineHold &) = delete;
};
bool EngineHeld();

// Sees each dialog window of the engine before it is shown (the program's dialog
// watcher). Answer returns true when it has answered or closed the dialog itself, which
// is then not shown; it may rename the dialog and leave it to the user.
class EngineDialogWatcher {
public:
    virtual ~EngineDialogWatcher() = default;
    virtual bool Answer(QDialog &dialog) = 0;
};

// Installs the watcher (nullptr: none); returns the previous one.
EngineDialogWatcher *SetEngineDialogWatcher(EngineDialogWatcher *watcher);
EngineDialogWatcher *CurrentEngineDialogWatcher();

// The engine's question windows. A silent control suppresses them: the question is
// not asked and silentAnswer stands. Otherwise the watcher sees it first, and what it
// leaves is asked through the modal runner. Returns mrOK, mrCancel, mrYes or mrNo.
int AskEngineQuestion(QWidget *owner, bool silent, int silentAnswer, const QString &caption,
                      const QString &text, MsgType type, MsgButtons buttons);

// The question of a page that closes its window, and the page-leaving question.
QString CloseWindowQuestionText();
QString LeavePageQuestionText();

// Asks for a user name and password; false when cancelled or silent.
bool AskCredentials(QWidget *owner, bool silent, const QString &site, QString *user,
                    QString *password);

// A page's file chooser; empty when cancelled or silent.
QStringList ChooseUploadFiles(QWidget *owner, bool silent, bool multiple,
                              const QStringList &oldFiles);

// A download the engine offers: asks whether to save it and where; empty when
// declined or silent.
QString AskDownloadPath(QWidget *owner, bool silent, const QString &fileName, const QString &from,
                        const QString &folder);

} // namespace mira::platform
