#pragma once
// Keeps the screen awake while a wall set (Go All On Open) or a full-screen set is
// on screen, and lets it blank when the window is minimized, locked, hidden or closed.
#include <QObject>
#include <QPointer>
#include <memory>

#include "platform/screenawake.h"

class QWidget;

namespace mira {

class TAppControlModule;

class ScreenAwakeControl : public QObject {
    Q_OBJECT
public:
    ScreenAwakeControl(TAppControlModule &module, std::unique_ptr<platform::ScreenAwake> awake);
    ~ScreenAwakeControl() override;
    void Update();
    const platform::ScreenAwake &Awake() const { return *awake; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TAppControlModule &module;
    std::unique_ptr<platform::ScreenAwake> awake;
    QPointer<QWidget> watched;
};

// Follows a change of the set, its flags or the window.
void UpdateScreenAwake(TAppControlModule &module);

} // namespace mira
