#pragma once
// Bringing the main window to the front with the keyboard focus when it is shown.
class QWidget;

namespace mira {

// Raises and activates window now and keeps asking again, briefly, until it is the
// active window with a focus widget: without a window manager an early request
// (before the window is mapped, or while the splash still goes) can be lost, and
// a window that never becomes active gets no keys, so no F-key command works.
void ActivateWhenShown(QWidget *window);

// How long ActivateWhenShown keeps trying.
constexpr int kActivationPatienceMs = 3000;

} // namespace mira
