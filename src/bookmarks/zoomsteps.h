#pragma once
// A bookmark's zoom: the pane shows its page at this percent (on top of the program's
// Text Size), and Ctrl+plus, Ctrl+minus and Ctrl+0 move it along fixed steps.
#include <QString>

namespace mira {

constexpr int ZoomDefault = 100;
constexpr int ZoomMin = 25;
constexpr int ZoomMax = 300;

// The percent within ZoomMin..ZoomMax.
int ClampZoom(int percent);

// The next step above (direction > 0) or below (direction < 0) percent, staying at the
// end of the range; direction 0 goes back to ZoomDefault. A percent between two steps
// (a hand-edited set) moves to the neighbouring step in the direction asked.
int ZoomStep(int percent, int direction);

// What the status bar says after a change: "Zoom 125 %".
QString ZoomStatusText(int percent);

} // namespace mira
