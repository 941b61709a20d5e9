#pragma once
// File > Start With Desktop: an autostart entry that opens the open set at login.
namespace mira {

class TAppControlModule;

// Connects the action; its check mark follows the entry of the open set.
void ConnectStartWithDesktop(TAppControlModule &module);
// Checked when the open set's entry exists; disabled with no set open.
void UpdateStartWithDesktop(TAppControlModule &module);

} // namespace mira
