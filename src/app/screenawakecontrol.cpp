#include "app/screenawakecontrol.h"

#include <QEvent>
#include <QWidget>

#include "app/appcontrol.h"
#include "app/baseform.h"
#include "app/filecommands.h"
#include "app/lockcontrol.h"
#include "app/setcommands.h"

namespace mira {

ScreenAwakeControl::ScreenAwakeControl(TAppControlModule &owner,
                                       std::unique_ptr<platform::ScreenAwake> screen)
    : QObject(&owner), module(owner), awake(std::move(screen))
{
}

ScreenAwakeControl::~ScreenAwakeControl()
{
    awake->SetAwake(false);
}

void ScreenAwakeControl::Update()
{
    QWidget *form = module.MainWindow();
    if (form != watched) {
        if (watched)
            watched->removeEventFilter(this);
        watched = form;
        if (form)
            form->installEventFilter(this);
    }
    platform::AwakeState s;
    s.setOpen = module.File().Sets().IsSetOpen();
    s.goAllOnOpen = module.Flags().testFlag(pfGoAllOnOpen);
    s.fullScreen = module.MainWindow() && module.MainWindow()->FullScreen();
    s.shown = form && form->isVisible();
    s.minimized = form && form->isMinimized();
    s.locked = module.Lock().LockArmed();
    awake->SetAwake(platform::ShouldKeepScreenAwake(s));
}

bool ScreenAwakeControl::eventFilter(QObject *object, QEvent *event)
{
    const QEvent::Type t = event->type();
    if (object != watched
        || !(t == QEvent::Show || t == QEvent::Hide || t == QEvent::WindowStateChange))
        return false;
    // The main window hides once more while it is destroyed, when it is no longer one.
    if (!qobject_cast<TBaseForm *>(object)) {
        awake->SetAwake(false);
        return false;
    }
    Update();
    return false;
}

void UpdateScreenAwake(TAppControlModule &module)
{
    for (ScreenAwakeControl *c :
         module.findChildren<ScreenAwakeControl *>(QString(), Qt::FindDirectChildrenOnly))
        c->Update();
}

} // namespace mira
