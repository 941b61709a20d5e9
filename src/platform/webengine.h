#pragma once
// Program-wide engine state shared by every web view: the engine profile and the
// browsing data. Engine data lives in the XDG data folder under mira/engine/
// (enginedata.h), so it outlives the program (the Internet Options too,
// internetoptions.h).
#include "platform/enginedata.h"

class QPrinter;
class QWebEngineProfile;

namespace mira::platform::engine {

// The program's main profile: disk cache, persistent cookies and visited links.
// Private browsing uses another one (profiles.h).
QWebEngineProfile *MainProfile();

// Clears the cache, cookies and visited links of every profile.
void ClearCache();
void ClearCookies();
void ClearVisitedLinks();

// The printer every view prints on; page setup changes it for later prints.
QPrinter &SharedPrinter();

} // namespace mira::platform::engine
