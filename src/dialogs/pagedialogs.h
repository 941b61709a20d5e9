#pragma once
// The boxes and windows a web page makes the program show: its script messages, the
// engine's questions (leave the page, close the window, save a download), logins and
// file choosers. Each runs through the modal runner; the engine's windows are seen by
// the program's dialog watcher first.
#include <QString>
#include <QStringList>

#include "dialogs/modal.h"

class QDialog;
class QWidget;

namespace mira {

// A page's message box; returns mrOK, mrCancel, mrYes or mrNo. buttons: mbOK,
// mbOK | mbCancel or mbYes | mbNo.
int ShowPageMessage(QWidget *owner, const QString &caption, const QString &text, MsgType type,
                    MsgButtons buttons);
// A page's prompt: value carries the default in and the answer out; false when cancelled.
bool AskPageText(QWidget *owner, const QString &caption, const QString &prompt, QString *value);

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

} // namespace mira
