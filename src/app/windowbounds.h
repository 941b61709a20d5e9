#pragma once
// Rules for the main window's bounds: sets store the outer frame rectangle
// (Left, Top, Width, Height), and the window never exceeds the work area plus a
// small border allowance.
#include <QMargins>
#include <QRect>
#include <QSize>

namespace mira {

// How far the window's frame may reach past the work area's size, in each direction.
inline constexpr int kBorderAllowance = 4;

// The largest frame the window may have on this work area; an invalid area sets no limit.
QSize MaximumFrameSize(const QRect &workArea);

// The frame rectangle a window opens with for stored bounds: no larger than
// MaximumFrameSize, and moved into the work area only when none of it would be there.
QRect FitToWorkArea(const QRect &stored, const QRect &workArea);

// The client geometry whose frame, with these margins, covers outer exactly.
QRect ClientGeometry(const QRect &outer, const QMargins &frame);

// The margins a frame adds around the client geometry.
QMargins FrameMargins(const QRect &frame, const QRect &client);

} // namespace mira
