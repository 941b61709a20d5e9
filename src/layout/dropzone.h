#pragma once
// Where a new control goes beside the control under the mouse, and whether there is
// room for it there. Pure rules over sizes and points.
#include <QPoint>
#include <QSize>
#include <optional>

namespace mira {

enum class Zone { Fill, Left, Top, Right, Bottom };

// The side of rectangle (0, 0, size) that point p (in its client coordinates) picks:
// the four triangles cut by the diagonals. A point on the top-left to bottom-right
// diagonal counts as above it, one on the other diagonal as below it. An empty
// container is always filled. Products wrap as signed 32-bit integers.
Zone DropZone(bool containerEmpty, QPoint p, QSize size);

// The size and minimum size of the control a new one goes beside.
struct TargetExtent {
    QSize size;
    QSize minimum;
};

// A new control of size n fits beside target when both its height and its width are
// strictly less than what the target can give up; without a target it always fits.
bool FitsBeside(QSize n, const std::optional<TargetExtent> &target);

} // namespace mira
