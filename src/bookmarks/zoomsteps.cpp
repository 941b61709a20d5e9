#include "bookmarks/zoomsteps.h"

#include <algorithm>
#include <array>

namespace mira {
namespace {

constexpr std::array<int, 15> kSteps = {25,  33,  50,  67,  75,  80,  90, 100,
                                        110, 125, 150, 175, 200, 250, 300};
static_assert(kSteps.front() == ZoomMin && kSteps.back() == ZoomMax);

} // namespace

int ClampZoom(int percent)
{
    return std::clamp(percent, ZoomMin, ZoomMax);
}

int ZoomStep(int percent, int direction)
{
    if (direction == 0)
        return ZoomDefault;
    const int from = ClampZoom(percent);
    if (direction > 0) {
        const auto *up = std::upper_bound(kSteps.begin(), kSteps.end(), from);
        return up == kSteps.end() ? ZoomMax : *up;
    }
    const auto *down = std::lower_bound(kSteps.begin(), kSteps.end(), from);
    return down == kSteps.begin() ? ZoomMin : *(down - 1);
}

QString ZoomStatusText(int percent)
{
    return QStringLiteral("Zoom %1 %").arg(percent);
}

} // namespace mira
