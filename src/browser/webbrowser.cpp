#include "browser/webbrowser.h"

#include <QVBoxLayout>

namespace mira {

using namespace platform;

TWebBrowser::TWebBrowser(QWidget *owner) : QWidget(owner)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    control = CreateWebControl(this);
    if (control->widget())
        layout->addWidget(control->widget());
}

TWebBrowser::~TWebBrowser()
{
    destroyControl();
}

void TWebBrowser::destroyControl()
{
    if (control) {
        control->setHost(nullptr);
        delete control.data();
    }
}

bool TWebBrowser::HasDocument() const
{
    return control && control->navigation()->hasDocument();
}

QString TWebBrowser::LocationURL() const
{
    return control ? control->navigation()->locationUrl() : QString();
}

QString TWebBrowser::LocationName() const
{
    return control ? control->navigation()->locationName() : QString();
}

int TWebBrowser::ReadyState() const
{
    return control ? control->navigation()->readyState() : READYSTATE_UNINITIALIZED;
}

bool TWebBrowser::GoBack()
{
    return control && control->navigation()->goBack();
}

bool TWebBrowser::GoForward()
{
    return control && control->navigation()->goForward();
}

bool TWebBrowser::Stop()
{
    return control && control->navigation()->stop();
}

bool TWebBrowser::Refresh()
{
    return control && control->navigation()->refresh();
}

bool TWebBrowser::Silent() const
{
    return control && control->silent();
}

void TWebBrowser::SetSilent(bool silent)
{
    if (control)
        control->setSilent(silent);
}

} // namespace mira
