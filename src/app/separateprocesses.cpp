#include "app/separateprocesses.h"

#include <QAction>

#include "app/appcontrol.h"
#include "app/baseform.h"
#include "app/setcommands.h"
#include "platform/processmodel.h"

namespace mira {

void ChooseProcessModel(int programFlags)
{
    if (!platform::EngineStarted())
        platform::SetSharedRenderers((programFlags & pfSeparateProcesses) == 0);
}

void UpdateSeparateProcesses(TAppControlModule &m)
{
    m.SeparateProcessesAction->setEnabled(m.Sets().IsSetOpen());
    m.SeparateProcessesAction->setChecked(m.HasProgramFlag(pfSeparateProcesses));
}

void ConnectSeparateProcesses(TAppControlModule &module)
{
    TAppControlModule *m = &module;
    QObject::connect(m->SeparateProcessesAction, &QAction::triggered, m, [m](bool on) {
        on ? m->SetProgramFlag(pfSeparateProcesses) : m->ClearProgramFlag(pfSeparateProcesses);
        UpdateSeparateProcesses(*m);
        ChooseProcessModel(on ? pfSeparateProcesses : 0);
        // The running engine keeps the model it started with.
        if (platform::EngineStarted() && platform::SharedRenderers() == on && m->MainWindow())
            m->MainWindow()->SetStatusText(
                QStringLiteral("Separate Processes takes effect when Mira starts again."));
    });
}

} // namespace mira
