#include "app/lockcontrol.h"

#include <QAction>
#include <QEvent>
#include <QLineEdit>

#include "app/allpanescommands.h"
#include "app/appcontrol.h"
#include "app/baseform.h"
#include "app/filecommands.h"
#include "app/setcommands.h"
#include "dialogs/messagebox.h"
#include "dialogs/modal.h"
#include "lock/keyform.h"
#include "lock/lockform.h"
#include "lock/lockkey.h"

namespace mira {
namespace {

// An opaque blank over the whole main window (menu and status bar included, as the
// status text may quote a page), following its size.
class LockCover : public QWidget {
public:
    explicit LockCover(QWidget *window) : QWidget(window)
    {
        setObjectName(QStringLiteral("LockCover"));
        setAutoFillBackground(true);
        setGeometry(window->rect());
        window->installEventFilter(this);
        raise();
        show();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == parentWidget()) {
            if (event->type() == QEvent::Resize)
                setGeometry(parentWidget()->rect());
            else if (event->type() == QEvent::ChildAdded)
                raise();
        }
        return QWidget::eventFilter(watched, event);
    }
};

} // namespace

QString WrongKeyMessage(int attemptsLeft)
{
    QString text = QStringLiteral("Wrong key. Attempts left: %1").arg(attemptsLeft);
    if (attemptsLeft == 0)
        text += QStringLiteral("\n\nOne more wrong key closes the program.");
    return text;
}

LockControl::LockControl(TAppControlModule &owner)
    : QObject(&owner),
      module(owner),
      setLockKeyAction(TakeAction(owner, "SetLockKeyAction", this)),
      useLockAction(TakeAction(owner, "UseLockAction", this))
{
    connect(setLockKeyAction, &QAction::triggered, this, &LockControl::SetLockKey);
    connect(useLockAction, &QAction::triggered, this, [this](bool on) {
        module.SetProgramFlag(pfLockOnMinimize, on);
        UpdateLockState();
    });
}

LockControl::~LockControl()
{
    delete cover;
}

void LockControl::SetLockKey()
{
    TBaseForm *form = module.MainWindow();
    if (!form)
        return;
    const bool wasAvailable = useLockAction->isEnabled();
    {
        TKeyForm dialog(module.File().Sets().ConfigName(), form);
        if (RunDialog(dialog, form) == QDialog::Accepted)
            form->SetKey(EncodeLockKey(dialog.edKey->text()));
        dialog.edKey->clear();
        dialog.edVerify->clear();
    }
    // A first key switches the lock on; a new key leaves the option as it was.
    if (!wasAvailable && !form->Key().isEmpty())
        module.SetProgramFlag(pfLockOnMinimize);
    UpdateLockState();
}

void LockControl::UpdateLockState()
{
    const bool open = module.File().Sets().IsSetOpen();
    TBaseForm *form = module.MainWindow();
    useLockAction->setEnabled(open && form && !form->Key().isEmpty());
    // A set with the flag but no key loads with the lock off.
    if (module.Flags().testFlag(pfLockOnMinimize) && !useLockAction->isEnabled())
        module.SetProgramFlag(pfLockOnMinimize, false);
    useLockAction->setChecked(module.Flags().testFlag(pfLockOnMinimize));
    setLockKeyAction->setEnabled(open);
    UpdateLockForm(useLockAction->isChecked());
}

void LockControl::UpdateLockForm(bool useLock)
{
    if (useLock && !lockForm) {
        lockForm = std::make_unique<TLockForm>(
            [this](const QString &text) {
                TBaseForm *form = module.MainWindow();
                return form && CheckLockKey(form->Key(), text);
            },
            [this] {
                // The sixth failure in a row closes the program as Exit does.
                if (TBaseForm *form = module.MainWindow())
                    form->close();
            });
    } else if (!useLock && lockForm) {
        lockForm.reset();
        uncoverLayout();
    }
}

void LockControl::ArmLock()
{
    if (!lockForm)
        return;
    lockForm->Locked = true;
    coverLayout();
}

bool LockControl::RestoreLocked()
{
    if (!lockForm || !lockForm->Locked)
        return false;
    if (lockForm->isVisible()) {
        // A restore is already waiting for the key.
        lockForm->raise();
        lockForm->activateWindow();
        return true;
    }
    lockForm->edKey->setFocus();
    const int attemptsBefore = lockForm->AttemptsLeft;
    const int result = RunDialog(*lockForm, module.MainWindow());
    // The program may have closed meanwhile, or the option been switched off.
    if (!lockForm)
        return false;
    if (result != QDialog::Accepted) {
        // A failure that did not close the program says what is left before the
        // window goes back down.
        if (lockForm->AttemptsLeft < attemptsBefore)
            ShowMessageBox(nullptr, WrongKeyMessage(lockForm->AttemptsLeft),
                           QStringLiteral("Wrong Key"), MsgType::Warning, mbOK);
        return true;
    }
    lockForm->Locked = false;
    uncoverLayout();
    return false;
}

bool LockControl::LockArmed() const
{
    return lockForm && lockForm->Locked;
}

void LockControl::coverLayout()
{
    // Nobody sees the wall while locked: timed reloads wait for the key.
    module.AllPanes().Refresher().SetPaused(RefreshPause::Locked, true);
    TBaseForm *form = module.MainWindow();
    if (!form || cover)
        return;
    focusBeforeLock = form->focusWidget();
    // Hidden, not only covered: nothing of a page can be composed into the window.
    form->ClientArea()->hide();
    cover = new LockCover(form);
}

void LockControl::uncoverLayout()
{
    module.AllPanes().Refresher().SetPaused(RefreshPause::Locked, false);
    TBaseForm *form = module.MainWindow();
    if (!cover || !form)
        return;
    form->ClientArea()->show();
    delete cover;
    if (focusBeforeLock)
        focusBeforeLock->setFocus();
}

} // namespace mira
