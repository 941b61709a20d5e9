#pragma once
// Keeping the screen from blanking while a wall is shown: the desktop's screen
// saver is asked to hold off (org.freedesktop.ScreenSaver on the session bus) and
// told when it may blank again. Without such a service nothing is said.
#include <QDBusConnection>
#include <QObject>
#include <memory>

namespace mira::platform {

struct AwakeState {
    bool setOpen = false;
    bool goAllOnOpen = false; // the set runs as a wall
    bool fullScreen = false;  // the window covers the screen
    bool shown = false;       // the main window is visible
    bool minimized = false;
    bool locked = false; // the lock waits for its key
};

// Whether the desktop should be kept from blanking the screen.
bool ShouldKeepScreenAwake(const AwakeState &state);

class ScreenAwake {
public:
    virtual ~ScreenAwake() = default;
    // Asks (true) or releases (false) the inhibition; repeating a state does nothing.
    virtual void SetAwake(bool awake) = 0;
    virtual bool Awake() const = 0;
};

// The screen saver service on a bus; every call is asynchronous, so a slow or
// missing service never holds the window up.
class DBusScreenAwake : public QObject, public ScreenAwake {
    Q_OBJECT
public:
    explicit DBusScreenAwake(QDBusConnection bus = QDBusConnection::sessionBus(),
                             QObject *parent = nullptr);
    ~DBusScreenAwake() override;
    void SetAwake(bool awake) override;
    bool Awake() const override { return wanted; }
    // An inhibition is in force (the service answered with its cookie).
    bool Holding() const { return holding; }

private:
    void inhibit();
    void release();

    QDBusConnection bus;
    bool wanted = false;
    bool pending = false;
    bool holding = false;
    uint cookie = 0;
};

std::unique_ptr<ScreenAwake> MakeScreenAwake();

} // namespace mira::platform
