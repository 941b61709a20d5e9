#pragma once
// The process-wide online/offline state. It is kept in the engine's data folder so
// it outlives the program; while offline, network schemes are blocked for every view.
namespace mira::platform {

// True when the stored state is not "disconnected by the user" (also when it cannot be read).
bool IsOnline();

// Whether the stored offline state was taken because the desktop had no network (and
// not chosen by the user), so the network's return ends it.
bool OfflineForNetwork();

// Stores the state and applies it to the engine at once; forNetwork tells why offline.
void SetConnectedState(bool online, bool forNetwork = false);

} // namespace mira::platform
