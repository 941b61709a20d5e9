#pragma once
// A pane's zoom: Ctrl+plus, Ctrl+minus and Ctrl+0 with the focus in the pane (its page
// or its address box), and Ctrl+wheel over its page, zoom this pane alone, in steps.
// The zoom belongs to the bookmark shown: it is kept in the bookmark and comes back
// whenever the pane loads it; an address the user types shows at 100 %.
#include <QObject>
#include <QString>

namespace mira {

class TBrowser;
class TURL;

// The zoom a page is loaded at: the bookmark's (bookmarkZoom >= 0 when the address is
// one of the pane's bookmarks), 100 % for an address the user typed, otherwise (a
// link, a redirect, Back) the one shown now.
int ZoomForLoad(int bookmarkZoom, bool typed, int current);

class PaneZoom : public QObject {
    Q_OBJECT
public:
    explicit PaneZoom(TBrowser *pane);

    int Percent() const { return percent; }
    // A step up (> 0), down (< 0), or back to 100 % (0); kept in the bookmark shown
    // and told in the status bar.
    void Step(int direction);
    // The pane itself loads address (Go, Go All, an address typed in its box).
    void PaneLoads(const QString &address);

Q_SIGNALS:
    // A step's zoom, worded for the status bar.
    void StatusText(const QString &text);

private:
    void pageLoads(const QString &address);
    void show(int value, const TURL *owner);
    TURL *bookmarkAt(const QString &address) const;
    // The bookmark a change is kept in: the one shown, else the one whose zoom is on
    // while the page has moved on from it (a redirect, a link).
    TURL *keeper() const;

    TBrowser *pane;
    int percent;
    int ownerId = -1; // the bookmark whose zoom is on, by ID; -1 for none
};

} // namespace mira
