// The main window as the browser panes' host: what a pane asks of the program
// goes to the window's flags and status bar and to the action module.
#include "app/appcontrol.h"
#include "app/baseform.h"

namespace mira {

DialogMode TBaseForm::CurrentDialogMode() const
{
    return DialogMode{(tag & pfInteractive) != 0, (tag & pfSilent) != 0};
}

QMenu *TBaseForm::ArrowPopup() const
{
    return module ? module->Menus().ArrowPopup() : nullptr;
}

QMenu *TBaseForm::URLPopup() const
{
    return module ? module->Menus().URLPopup() : nullptr;
}

NewWindowCatcher *TBaseForm::NewWindows()
{
    return module ? &module->NewWindows() : nullptr;
}

} // namespace mira
