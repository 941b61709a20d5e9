#include "app/startwithdesktop.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>

#include "app/appcontrol.h"
#include "app/baseform.h"
#include "app/filecommands.h"
#include "app/setcommands.h"
#include "dialogs/messagebox.h"
#include "platform/autostart.h"

namespace mira {

namespace {

QString setPath(const TAppControlModule &m)
{
    return QFileInfo(m.File().Sets().ConfigFileName).absoluteFilePath();
}

} // namespace

void UpdateStartWithDesktop(TAppControlModule &m)
{
    QAction *a = m.File().StartWithDesktopAction();
    const ConfigSetCommands &sets = m.File().Sets();
    const bool open = sets.IsSetOpen();
    a->setEnabled(open);
    a->setChecked(open
                  && platform::HasAutostartEntry(platform::AutostartFolder(),
                                                 QCoreApplication::applicationFilePath(),
                                                 setPath(m), sets.ConfigName()));
}

void ConnectStartWithDesktop(TAppControlModule &module)
{
    TAppControlModule *m = &module;
    QObject::connect(m->File().StartWithDesktopAction(), &QAction::triggered, m, [m](bool on) {
        if (!m->File().Sets().IsSetOpen()) {
            UpdateStartWithDesktop(*m);
            return;
        }
        QString error;
        if (!platform::SetAutostartEntry(on, platform::AutostartFolder(),
                                         QCoreApplication::applicationFilePath(), setPath(*m),
                                         m->File().Sets().ConfigName(), &error))
            ShowMessageBox(m->MainWindow(),
                           (on ? QStringLiteral("Cannot add the set to the desktop's start-up "
                                                "programs.\n\n")
                               : QStringLiteral("Cannot remove the set from the desktop's "
                                                "start-up programs.\n\n"))
                               + error,
                           QStringLiteral("Start With Desktop"), MsgType::Error, mbOK);
        UpdateStartWithDesktop(*m);
    });
}

} // namespace mira
