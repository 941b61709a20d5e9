#pragma once
// A fresh program with an empty set open and its main window shown, and helpers that
// stand for a right click and the design commands the popup runs.
#include <QPoint>
#include <QPointer>

#include "layout/designpopup.h"
#include "support/panefixture.h"

namespace mira {
class DesignCommands;
class TBrowser;
class TPan;
} // namespace mira

namespace mira::test {

class DesignTest : public PaneTest {
protected:
    // Creates and opens an empty set; the window is shown at 800 x 600.
    void open();
    DesignCommands *design() const;
    // A right click at local on control: records it and opens the popup's state.
    PopupState clickOn(QWidget *control, QPoint local);
    // A right click on a pane's navigation bar, at a point given in the pane.
    PopupState clickPane(TBrowser *pane, QPoint inPane);
    void insert(const char *className);
    void remove(const char *className);
    // Inserts a pane into the empty root container.
    TBrowser *fillRoot();

    TPan *root = nullptr;
};

} // namespace mira::test
