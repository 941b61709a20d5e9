#include "layout/boundsatsize.h"

#include <QWidget>
#include <utility>

#include "layout/alignrule.h"

namespace mira {
namespace {

QHash<const QWidget *, QRect> storedBounds;

// Lays out what lies below w, whose size changes by delta.
void collect(const QWidget *w, const QSize &delta, QHash<const QWidget *, QRect> &out)
{
    if (delta.isNull())
        return;
    const QList<QWidget *> controls = ControlsOf(w);
    QList<AlignItem> items;
    for (const QWidget *c : controls)
        items.append(
            {AlignOf(c), c->geometry(), c->minimumSize(), c->maximumSize(), c->isHidden()});
    const QRect client = w->contentsRect().adjusted(0, 0, delta.width(), delta.height());
    const QList<QRect> rects = AlignRects(client, items);
    for (qsizetype i = 0; i < controls.size(); ++i) {
        const QWidget *c = controls.at(i);
        out.insert(c, rects.at(i));
        collect(c, rects.at(i).size() - c->size(), out);
    }
    // Widgets between a container and its controls (a book's pages and their stack)
    // fill what holds them, so they change as it does.
    for (const QObject *o : w->children())
        if (const auto *child = qobject_cast<const QWidget *>(o);
            child && !child->isWindow() && !controls.contains(child))
            collect(child, delta, out);
}

} // namespace

QHash<const QWidget *, QRect> BoundsAtSize(const QWidget *container, const QSize &size)
{
    QHash<const QWidget *, QRect> bounds;
    collect(container, size - container->size(), bounds);
    return bounds;
}

QRect StoredBoundsOf(const QWidget *control)
{
    return storedBounds.value(control, control->geometry());
}

StoredBoundsScope::StoredBoundsScope(QHash<const QWidget *, QRect> bounds)
    : previous(std::exchange(storedBounds, std::move(bounds)))
{
}

StoredBoundsScope::~StoredBoundsScope()
{
    storedBounds = std::move(previous);
}

} // namespace mira
