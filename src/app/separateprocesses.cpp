#include "app/separateprocesses.h"

#include <QAction>

#include "app/appcontrol.h"
#include "app/baseform.h"
#include "app/filecommands.h"
#include "app/setcommands.h"
#include "platform/processmodel.h"

namespace mira {

void ChooseProcessModel(ProgramFlags programFlags)
{
    if (!platform::EngineStarted())
        platform::SetSharedRenderers(!programFlags.testFlag(pfSeparateProcesses));
}

void UpdateSeparateProcesses(TAppControlModule &m)
{
    QAction *action = m.File().SeparateProcessesAction();
    action->setEnabled(m.File().Sets().IsSetOpen());
    action->setChecked(m.Flags().testFlag(pfSeparateProcesses));
}

void ConnectSeparateProcesses(TAppControlModule &module)
{
    TAppControlModule *m = &module;
    QObject::connect(m->File().SeparateProcessesAction(), &QAction::triggered, m, [m](bool on) {
        m->SetProgramFlag(pfSeparateProcesses, on);
        UpdateSeparateProcesses(*m);
        ChooseProcessModel(on ? ProgramFlags(pfSeparateProcesses) : ProgramFlags());
        // The running engine keeps the model it started with.
        if (platform::EngineStarted() && platform::SharedRenderers() == on && m->MainWindow())
            m->MainWindow()->SetStatusText(
                QStringLiteral("Separate Processes takes effect when Mira starts again."));
    });
}

} // namespace mira
