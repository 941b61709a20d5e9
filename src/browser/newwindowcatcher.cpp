#include "browser/newwindowcatcher.h"

#include "browser/mwebbrowser.h"
#include "platform/webcontrol.h"

namespace mira {

using platform::WebControl;

NewWindowCatcher::NewWindowCatcher(QObject *parent) : QObject(parent) {}

NewWindowCatcher::~NewWindowCatcher() = default;

WebControl *NewWindowCatcher::Catch(TMWebBrowser *requester)
{
    if (!control) {
        // Never shown: it only hears where the page wanted to go.
        WebControl *made = platform::CreateWebControl(nullptr);
        if (!made)
            return nullptr;
        made->setParent(this);
        connect(made, &WebControl::beforeNavigate, this,
                [this](const QString &address, bool *cancel) {
                    bool ignored = false;
                    beforeNavigate(address, cancel ? *cancel : ignored);
                });
        control = made;
    }
    redirectTarget = requester;
    return control.data();
}

WebControl *NewWindowCatcher::Control() const
{
    return control.data();
}

TMWebBrowser *NewWindowCatcher::RedirectTarget() const
{
    return redirectTarget.data();
}

void NewWindowCatcher::Forget(const TMWebBrowser *view)
{
    if (redirectTarget == view)
        redirectTarget.clear();
}

void NewWindowCatcher::beforeNavigate(const QString &address, bool &cancel)
{
    cancel = true;
    if (TMWebBrowser *target = redirectTarget.data()) {
        redirectTarget.clear();
        // Only the address: a caught window adds a history entry (the private
        // profile of No Cache Nor History holds for it all the same).
        if (WebControl *c = target->Control())
            c->navigation()->navigate(address, 0);
    }
}

} // namespace mira
