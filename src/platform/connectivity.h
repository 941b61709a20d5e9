#pragma once
// The process-wide online/offline state. It is kept in the engine's data folder so
// it outlives the program; while offline, network schemes are blocked for every view.
namespace mira::platform {

// True when the stored state is not "disconnected by the user" (also when it cannot be read).
bool IsOnline();

// Stores the state and applies it to the engine at once.
void SetConnectedState(bool online);

} // namespace mira::platform
