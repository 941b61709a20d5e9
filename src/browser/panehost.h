#pragma once
// What a browser pane needs of the program around it, implemented by the main
// window: the status bar, the dialog mode, the menus it attaches, the window's
// end, the owner of its message boxes and the program's new-window catcher. The
// pane finds it through its owner.
#include <QString>

#include "browser/dialogmode.h"

class QMenu;
class QWidget;

namespace mira {

class NewWindowCatcher;

class PaneHost {
public:
    virtual ~PaneHost() = default;
    virtual void SetStatusText(const QString &text) = 0;
    virtual DialogMode CurrentDialogMode() const = 0;
    // The Go button's drop-down and the address box's popup menu; nullptr when none.
    virtual QMenu *ArrowPopup() const = 0;
    virtual QMenu *URLPopup() const = 0;
    // The window is being destroyed: panes show nothing more and close unasked.
    virtual bool Destroying() const = 0;
    virtual QWidget *MessageOwner() = 0;
    // nullptr when the program has none.
    virtual NewWindowCatcher *NewWindows() = 0;
};

} // namespace mira
