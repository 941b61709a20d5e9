#pragma once
// Every modal run of the program goes through one replaceable runner, so tests can
// answer message boxes, input boxes and dialogs by script and read what was asked.
#include <QRect>
#include <QString>
#include <functional>

class QDialog;
class QWidget;

namespace mira {

enum class MsgType { Warning, Error, Information, Confirmation };

// Buttons and results of the program's message box; values combine as a set.
enum MsgButton : int { mbOK = 1, mbCancel = 2, mbYes = 4, mbNo = 8 };
using MsgButtons = int;

enum ModalResult : int { mrNone = 0, mrOK = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

struct ModalRecord {
    enum class Kind { MessageBox, InputBox, Dialog };
    Kind kind = Kind::Dialog;
    QString text;    // message text, or the input box's initial text
    QString caption; // window title as shown
    QString prompt;  // input box prompt
    MsgType type = MsgType::Information;
    MsgButtons buttons = 0;
    QWidget *owner = nullptr;
    QRect geometry; // frame rectangle where the window was placed, in screen coordinates
    int maxLength = 0;
    QDialog *dialog = nullptr;
    // The real modal run; returns a ModalResult (or the dialog's own result code).
    std::function<int()> show;
    // Input boxes: puts text into the edit as a user typing it would.
    std::function<void(const QString &)> setText;
};

class ModalRunner {
public:
    virtual ~ModalRunner() = default;
    virtual int run(ModalRecord &record) = 0;
};

// Runs record.show() through the current runner.
int RunModal(ModalRecord &record);

// Runs a dialog of the program modally through the current runner; returns the
// dialog's result (QDialog::Accepted when accepted; a script may answer mrOK).
int RunDialog(QDialog &dialog, QWidget *owner);

// Installs a runner (nullptr restores the real one); returns the previous runner.
ModalRunner *SetModalRunner(ModalRunner *runner);

} // namespace mira
