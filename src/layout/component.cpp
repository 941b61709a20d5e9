#include "layout/component.h"

#include <QWidget>

#include "layout/align.h"

namespace mira {

void Component::NotifyInserted(QWidget *self)
{
    if (auto *o = dynamic_cast<ComponentOwner *>(ownerObject.data()))
        o->ComponentInserted(self);
}

void Component::NotifyRemoved(QWidget *self)
{
    if (auto *o = dynamic_cast<ComponentOwner *>(ownerObject.data()))
        o->ComponentRemoved(self);
}

namespace {
int readingCount = 0;
}

ReadingGuard::ReadingGuard()
{
    ++readingCount;
}
ReadingGuard::~ReadingGuard()
{
    --readingCount;
}
bool IsReadingSet()
{
    return readingCount > 0;
}

void MarkControl(QWidget *w)
{
    w->setProperty("miraControl", true);
}

QWidget *ControlOf(QWidget *w)
{
    for (; w; w = w->parentWidget()) {
        // A splitter has no window of its own: a press on it is one on its container.
        if (IsGraphicControl(w))
            continue;
        if (AsComponent(w) || w->property("miraControl").toBool())
            return w;
        if (w->isWindow())
            break;
    }
    return nullptr;
}

Component *AsComponent(QObject *o)
{
    return dynamic_cast<Component *>(o);
}

bool IsOwnedBy(QObject *o, QObject *owner)
{
    Component *c = AsComponent(o);
    return c && owner && c->Owner() == owner;
}

} // namespace mira
