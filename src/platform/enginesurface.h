#pragma once
// The surface engine views draw through, given to a window before it first shows.
class QWidget;

namespace mira::platform {

// A window that gains its first engine view after it was shown gets a new native
// window from Qt (another surface type): a flicker, and window managers and tools
// that held the old one lose it. Called before the first show, this gives the
// window that surface from the start; the views themselves are still made lazily.
void PrepareSurfaceForEngineViews(QWidget *window);

} // namespace mira::platform
