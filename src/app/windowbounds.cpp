#include "app/windowbounds.h"

#include <algorithm>

namespace mira {

QSize MaximumFrameSize(const QRect &workArea)
{
    // Qt's own bound for widget sizes (QWIDGETSIZE_MAX).
    constexpr int kNoLimit = (1 << 24) - 1;
    if (!workArea.isValid())
        return {kNoLimit, kNoLimit};
    return workArea.size() + QSize(kBorderAllowance, kBorderAllowance);
}

namespace {

// A start within [low, high], preferring low when the span does not fit.
int clampStart(int start, int low, int high)
{
    return std::max(low, std::min(start, high));
}

} // namespace

QRect FitToWorkArea(const QRect &stored, const QRect &workArea)
{
    if (!workArea.isValid())
        return stored;
    QRect fitted(stored.topLeft(), stored.size().boundedTo(MaximumFrameSize(workArea)));
    // A set saved on a larger screen may lie wholly beside this one: it would open
    // where nobody can see or reach it.
    if (!fitted.intersects(workArea))
        fitted.moveTopLeft(
            {clampStart(fitted.left(), workArea.left(), workArea.right() + 1 - fitted.width()),
             clampStart(fitted.top(), workArea.top(), workArea.bottom() + 1 - fitted.height())});
    return fitted;
}

QRect ClientGeometry(const QRect &outer, const QMargins &frame)
{
    return outer.marginsRemoved(frame);
}

QMargins FrameMargins(const QRect &frame, const QRect &client)
{
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

} // namespace mira
