#include "layout/component.h"

#include <QWidget>

#include "layout/align.h"

namespace mira {

void TComponent::NotifyInserted(QWidget *self)
{
    if (auto *o = dynamic_cast<ComponentOwner *>(ownerObject.data()))
        o->ComponentInserted(self);
}

void TComponent::NotifyRemoved(QWidget *self)
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

TComponent *AsComponent(QObject *o)
{
    return dynamic_cast<TComponent *>(o);
}

bool IsOwnedBy(QObject *o, QObject *owner)
{
    TComponent *c = AsComponent(o);
    return c && owner && c->Owner() == owner;
}

} // namespace mira
