#pragma once
// The design popup's view of the control under the last mouse press: which container
// and which book or pane a command acts on, and which items the popup enables.
#include <QPointer>
#include <QWidget>

namespace mira {

// What the control under the mouse is, for the design popup.
enum class SpotKind {
    None,     // nothing, or a control the design commands do not act on
    BarPan,   // the TPan in a pane's navigation bar
    Pan,      // any other TPan
    Page,     // a tab sheet
    Book,     // a page control (the click was on its tab row)
    PanePart, // a pane's web view or navigation bar
};

SpotKind ClassifySpot(const QWidget *control);

// DesignContainer and DesignTarget for a control.
struct DesignSpot {
    QPointer<QWidget> container; // a TPan or a TPage
    QPointer<QWidget> target;    // a TBook, a browser pane, or none
};
DesignSpot DeriveSpot(QWidget *control);

// Number of controls in a container (splitters included); 0 for none.
int ControlCount(const QWidget *container);

// What the popup's items depend on.
struct PopupFacts {
    SpotKind kind = SpotKind::None;
    bool hasContainer = false;
    bool clickedContainer = false; // the control under the mouse is the container itself
    int controls = 0;              // in the container
    bool tabsAtBottom = false;     // of the book under the mouse
    bool paneBarAtBottom = false;  // of the target pane
};

struct GroupState {
    bool copy = false, cut = false, del = false, toggle = false; // toggle: tabs / bar position
    bool newItem = false, paste = false;
    bool checked = false;
};

struct PopupState {
    GroupState book;
    bool pageItems = false; // every item of the Page group
    GroupState browser;
};

PopupState DesignPopupState(const PopupFacts &facts);
// The facts of the control under the mouse and the spot derived from it.
PopupFacts FactsFor(QWidget *control, const DesignSpot &spot);

} // namespace mira
