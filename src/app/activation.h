#pragma once
// Bringing the main window to the front with the keyboard focus when it is shown.
class QWidget;

namespace mira {

// Raises and activates window now and keeps asking again, briefly, while no window
// (or only the splash) is active, and gives it a focus widget: without a window
// manager an early request (before the window is mapped, or while the splash still
// goes) can be lost, and a window that never becomes active gets no keys, so no
// F-key command works. A dialog or another window of the program is never robbed.
void ActivateWhenShown(QWidget *window);

// How long ActivateWhenShown keeps trying.
constexpr int kActivationPatienceMs = 3000;

} // namespace mira
