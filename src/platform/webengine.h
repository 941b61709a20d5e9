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

// The program's only profile: disk cache, persistent cookies and visited links.
// Every view keeps it for life, as a page changing profile loses its history.
QWebEngineProfile *MainProfile();
// Whether the profile writes its disk cache. The engine has no per-navigation
// cache switch: a navigation that must not write the cache turns the disk cache
// off (pages are then kept in memory only, and not read back: the view's requests
// bypass caches), and the next ordinary navigation turns it on again.
void SetCacheWritten(bool written);
bool CacheWritten();

// Text size: five levels, 0 (smallest) to 4 (largest), 2 by default.
constexpr int ZoomLevelMin = 0;
constexpr int ZoomLevelMax = 4;
int ZoomLevel();
// Stores the level; false when out of range.
bool SetZoomLevel(int level);
double ZoomFactor(int level);

// Clears the disk cache, cookies and visited links.
void ClearCache();
void ClearCookies();
void ClearVisitedLinks();

// The printer every view prints on; page setup changes it for later prints.
QPrinter &SharedPrinter();

} // namespace mira::platform::engine
