#pragma once
// What the engine keeps between runs without needing the engine itself: its data
// folder (mira/engine/ under the XDG data folder) and the text size every view shares.
#include <QString>

namespace mira::platform::engine {

// mira/engine/ under the XDG data folder.
QString DataFolder();
// The disk cache folder of the main profile.
QString CacheFolder();

// Text size: five levels, 0 (smallest) to 4 (largest), 2 by default.
constexpr int ZoomLevelMin = 0;
constexpr int ZoomLevelMax = 4;
int ZoomLevel();
// Stores the level; false when out of range.
bool SetZoomLevel(int level);
double ZoomFactor(int level);

} // namespace mira::platform::engine
