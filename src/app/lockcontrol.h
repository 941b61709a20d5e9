#pragma once
// Lock on minimize: the Set Lock Key... and Lock On Minimize commands, the lock dialog's life,
// arming on minimize and the key check before a restore. While armed, the main window shows nothing
// of the layout, whatever maps it; the pages keep running behind the cover.
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

class QAction;
class QWidget;

namespace mira {

class TAppControlModule;
class TLockForm;

// What a failed attempt at the lock dialog tells the user.
QString WrongKeyMessage(int attemptsLeft);

class LockControl : public QObject {
    Q_OBJECT
public:
    explicit LockControl(TAppControlModule &module);
    ~LockControl() override;

    // Set Lock Key...: asks for the key twice and stores it encoded in the set.
    void SetLockKey();
    // Set Lock Key... and Lock On Minimize follow the open set, its key and its flag.
    void UpdateLockState();
    // The lock dialog exists exactly while Lock On Minimize is checked.
    void UpdateLockForm(bool useLock);
    // The program was minimized.
    void ArmLock();
    // True when a restore is to be swallowed: the lock is armed and the right key
    // was not typed (the dialog asks for it modally).
    bool RestoreLocked();
    // Whether the program is minimized under the lock, waiting for the key.
    bool LockArmed() const;

    TLockForm *LockForm() const { return lockForm.get(); }
    // The blank widget over the main window while armed; nullptr otherwise.
    QWidget *Cover() const { return cover; }

private:
    void coverLayout();
    void uncoverLayout();

    TAppControlModule &module;
    QAction *setLockKeyAction, *useLockAction;
    std::unique_ptr<TLockForm> lockForm;
    QPointer<QWidget> cover;
    QPointer<QWidget> focusBeforeLock;
};

} // namespace mira
