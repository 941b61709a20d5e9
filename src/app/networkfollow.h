#pragma once
// Following the desktop's network: at start the online state is taken from it as from
// the stored state; a lost network leaves the mode alone (failing loads make panes
// stale, showing their kept copies), and its return retries every stale pane at once.
#include "platform/networkwatch.h"

namespace mira {

class TAppControlModule;

struct ConnectionStep {
    enum class Mode { Keep, Offline, Online };
    Mode mode = Mode::Keep;
    bool retryStale = false;
    bool operator==(const ConnectionStep &) const = default;
};

// At start: the stored state (and whether it is offline for want of a network) and
// what the desktop reports.
ConnectionStep StartConnection(bool storedOnline, bool offlineForNetwork, platform::NetReach reach);
// The desktop's report went from before to now while the program is online or not,
// offline for want of a network or by the user's choice.
ConnectionStep FollowConnection(platform::NetReach before, platform::NetReach now, bool online,
                                bool offlineForNetwork);

// Takes the state at start and follows the desktop's reports from then on; where the
// desktop reports nothing, does nothing.
void FollowNetwork(TAppControlModule &module);

} // namespace mira
