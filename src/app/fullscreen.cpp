#include "app/fullscreen.h"

#include <QAction>

#include "app/appcontrol.h"
#include "app/baseform.h"
#include "app/filecommands.h"
#include "app/screenawakecontrol.h"
#include "app/setcommands.h"

namespace mira {

void UpdateFullScreen(TAppControlModule &m)
{
    const bool on = m.Flags().testFlag(pfFullScreen) || m.File().FullScreenForced();
    // A forced full screen can always be left, set or no set.
    QAction *action = m.File().FullScreenAction();
    action->setEnabled(m.File().Sets().IsSetOpen() || on);
    action->setChecked(on);
    if (TBaseForm *form = m.MainWindow())
        form->SetFullScreen(on);
    UpdateScreenAwake(m);
}

void ConnectFullScreen(TAppControlModule &module)
{
    TAppControlModule *m = &module;
    QObject::connect(m->File().FullScreenAction(), &QAction::triggered, m, [m](bool on) {
        // Leaving a forced full screen ends it for the run; the flag, unset, stays so
        // and the set is written as it was read.
        m->File().SetFullScreenForced(false);
        m->SetProgramFlag(pfFullScreen, on);
        UpdateFullScreen(*m);
    });
}

} // namespace mira
