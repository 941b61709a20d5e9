#pragma once
// How the engine spreads pages over renderer processes. Panes that show the same site
// share one renderer by default: a wall of many panes of one site then costs a few
// processes instead of one per pane. A set can ask for a renderer per pane instead
// (a crash or a runaway script then takes only its own pane). The engine fixes its
// model when it starts, so a change after that waits for the next start.
#include <QByteArray>

namespace mira::platform {

void SetSharedRenderers(bool shared);
// The model the running engine uses, or the one it will use when it starts.
bool SharedRenderers();
bool EngineStarted();
// Called just before the engine's first profile is made: fixes the model.
void StartEngine();

// The engine's command-line flags with the model applied. Flags that already name a
// process model are the user's choice and are left as they are.
QByteArray ChromiumFlagsWith(const QByteArray &flags, bool shared);

} // namespace mira::platform
