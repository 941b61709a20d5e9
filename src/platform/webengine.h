#pragma once
// Program-wide engine state shared by every web view: the engine profile, the text
// size (zoom level) and the browsing data. Engine data lives in the XDG data folder
// under mira/engine/, so it outlives the program (the Internet Options too,
// internetoptions.h).
#include <QString>

class QPrinter;
class QWebEngineProfile;

namespace mira::platform::engine {

// mira/engine/ under the XDG data folder.
QString DataFolder();
// The disk cache folder of the main profile.
QString CacheFolder();

// The program's main profile: disk cache, persistent cookies and visited links.
// Private browsing uses another one (profiles.h).
QWebEngineProfile *MainProfile();

// Text size: five levels, 0 (smallest) to 4 (largest), 2 by default.
constexpr int ZoomLevelMin = 0;
constexpr int ZoomLevelMax = 4;
int ZoomLevel();
// Stores the level; false when out of range.
bool SetZoomLevel(int level);
double ZoomFactor(int level);

// Clears the cache, cookies and visited links of every profile.
void ClearCache();
void ClearCookies();
void ClearVisitedLinks();

// The printer every view prints on; page setup changes it for later prints.
QPrinter &SharedPrinter();

} // namespace mira::platform::engine
