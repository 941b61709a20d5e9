#include "app/fullscreen.h"

#include <QAction>

#include "app/appcontrol.h"
#include "app/baseform.h"
#include "app/screenawakecontrol.h"
#include "app/setcommands.h"

namespace mira {

void UpdateFullScreen(TAppControlModule &m)
{
    const bool on = m.HasProgramFlag(pfFullScreen) || m.FullScreenForced;
    // A forced full screen can always be left, set or no set.
    m.FullScreenAction->setEnabled(m.Sets().IsSetOpen() || on);
    m.FullScreenAction->setChecked(on);
    if (TBaseForm *form = m.MainWindow())
        form->SetFullScreen(on);
    UpdateScreenAwake(m);
}

void ConnectFullScreen(TAppControlModule &module)
{
    TAppControlModule *m = &module;
    QObject::connect(m->FullScreenAction, &QAction::triggered, m, [m](bool on) {
        // Leaving a forced full screen ends it for the run; the flag, unset, stays so
        // and the set is written as it was read.
        m->FullScreenForced = false;
        on ? m->SetProgramFlag(pfFullScreen) : m->ClearProgramFlag(pfFullScreen);
        UpdateFullScreen(*m);
    });
}

} // namespace mira
