#pragma once
// The layout as it would be at another size: a set written while the window is
// full screen keeps the bounds its controls have in the window the set describes.
#include <QHash>
#include <QRect>
#include <QSize>

class QWidget;

namespace mira {

// The geometry every aligned control below container would have, were container
// of this size (each container's client area grows or shrinks with it).
QHash<const QWidget *, QRect> BoundsAtSize(const QWidget *container, const QSize &size);

// The bounds a set stores for a control: its geometry, or while a StoredBoundsScope
// lives, the geometry that scope gives for it.
QRect StoredBoundsOf(const QWidget *control);

class StoredBoundsScope {
public:
    explicit StoredBoundsScope(QHash<const QWidget *, QRect> bounds);
    ~StoredBoundsScope();
    StoredBoundsScope(const StoredBoundsScope &) = delete;
    StoredBoundsScope &operator=(const StoredBoundsScope &) = delete;

private:
    QHash<const QWidget *, QRect> previous;
};

} // namespace mira
