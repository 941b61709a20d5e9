#include "app/panelist.h"

#include "browser/browser.h"

namespace mira {

QList<TBrowser *> PaneList::List() const
{
    QList<TBrowser *> live;
    live.reserve(panes.size());
    for (const QPointer<TBrowser> &pane : panes)
        if (pane)
            live.append(pane.data());
    return live;
}

int PaneList::IndexOf(const QWidget *pane) const
{
    const QList<TBrowser *> live = List();
    for (int i = 0; i < live.size(); ++i)
        if (static_cast<const QWidget *>(live.at(i)) == pane)
            return i;
    return -1;
}

void PaneList::ForEach(const std::function<void(TBrowser &)> &command) const
{
    const QList<QPointer<TBrowser>> snapshot = panes;
    for (const QPointer<TBrowser> &pane : snapshot)
        if (pane)
            command(*pane);
}

bool PaneList::Insert(TBrowser *pane)
{
    if (!pane || IndexOf(pane) >= 0)
        return false;
    panes.append(pane);
    return true;
}

void PaneList::Remove(const QWidget *pane)
{
    panes.removeIf([pane](const QPointer<TBrowser> &p) {
        return !p || static_cast<const QWidget *>(p.data()) == pane;
    });
}

} // namespace mira
