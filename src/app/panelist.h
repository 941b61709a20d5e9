#pragma once
// The browser panes of the main window, in order of creation. A pane leaves the list
// when it goes; the list never hands out one that has gone.
#include <QList>
#include <QPointer>
#include <functional>

class QWidget;

namespace mira {

class TBrowser;

class PaneList {
public:
    // The panes there are now.
    QList<TBrowser *> List() const;
    bool IsEmpty() const { return List().isEmpty(); }
    // The position of pane in List(); -1 when it is none of them.
    int IndexOf(const QWidget *pane) const;
    // Runs command on every pane in order, skipping those that went meanwhile (a
    // command may run events that delete panes).
    void ForEach(const std::function<void(TBrowser &)> &command) const;

    // Appends pane unless it is there; false when it was.
    bool Insert(TBrowser *pane);
    // Takes pane out, also while it is being destroyed.
    void Remove(const QWidget *pane);

private:
    QList<QPointer<TBrowser>> panes;
};

} // namespace mira
