#pragma once
// Program-wide engine state shared by every web view: the engine profiles, the
// text size (zoom level) and the options of the Internet Options dialog. Engine
// data lives in the XDG data folder under mira/engine/, so it outlives the program.
#include <QString>

class QPrinter;
class QWebEngineProfile;

namespace mira::platform::engine {

// mira/engine/ under the XDG data folder.
QString DataFolder();
// The disk cache folder of the main profile.
QString CacheFolder();

// The program's profile: disk cache, persistent cookies and visited links.
QWebEngineProfile *MainProfile();
// For navigations that neither read nor write the cache: off the record, no HTTP
// cache, nothing written to disk.
QWebEngineProfile *NoCacheProfile();

// Text size: five levels, 0 (smallest) to 4 (largest), 2 by default.
constexpr int ZoomLevelMin = 0;
constexpr int ZoomLevelMax = 4;
int ZoomLevel();
// Stores the level; false when out of range.
bool SetZoomLevel(int level);
double ZoomFactor(int level);

// Global content options, kept with the engine data.
bool LoadImages();
bool RunScripts();
void SetContentOptions(bool loadImages, bool runScripts);
// Clears the disk cache, cookies and visited links of both profiles.
void ClearCache();
void ClearCookies();
void ClearVisitedLinks();

// The printer every view prints on; page setup changes it for later prints.
QPrinter &SharedPrinter();

} // namespace mira::platform::engine
