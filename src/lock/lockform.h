#pragma once
// The lock dialog: asks for the lock key before a locked, minimized program may be
// restored, and counts the failed attempts.
#include <QDialog>
#include <functional>

class QGridLayout;
class QLabel;
class QLineEdit;
class QProgressBar;

namespace mira {

// A one-line edit that shows every typed character as a blank.
QLineEdit *NewMaskedEdit(QWidget *parent, int minimumWidth);
// Places a dialog of the given client size at the centre of the screen.
void CenterOnScreen(QDialog *dialog);

// The frame both lock dialogs share: a title bar with a close button only, the design
// font, and a fixed-size grid whose margins (left, top, right, bottom) and row spacing are
// given in design pixels and scaled to that font, with the program's icon made for it.
struct LockDialogFrame {
    QGridLayout *grid;
    QLabel *icon;
    qreal scale;
};
LockDialogFrame SetUpLockDialog(QDialog *dialog, const QString &name, const QString &title,
                                const QMargins &margins, int rowSpacing);

class TLockForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kAttempts = 5;

    // keyMatches answers whether a typed text is the lock key; exhausted runs on the
    // failure after the last attempt (the program closes).
    TLockForm(std::function<bool(const QString &)> keyMatches, std::function<void()> exhausted);
    ~TLockForm() override;

    // Armed when the program is minimized, until the right key is typed.
    bool Locked = false;
    int AttemptsLeft = kAttempts;

    // Plain labels: the lock sits below the layout, and its dialogs need none of the
    // layout labels' hover notifications.
    QLabel *imLock;
    QLabel *txKey;
    QLineEdit *edKey;
    QLabel *txAttempts;
    QLabel *txCount;
    QProgressBar *Bar;

    // Every close comes here: a right key resets the count, anything else is a
    // failed attempt.
    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<bool(const QString &)> keyMatches;
    std::function<void()> exhausted;
};

} // namespace mira
