#include "platform/webcontrol.h"

#include "platform/qtwebcontrol.h"

namespace mira::platform {
namespace {

WebControlFactory &factorySlot()
{
    static WebControlFactory factory;
    return factory;
}

} // namespace

WebControl *CreateWebControl(QWidget *parent)
{
    if (const WebControlFactory &factory = factorySlot())
        return factory(parent);
    return new QtWebControl(parent);
}

WebControlFactory SetWebControlFactory(WebControlFactory factory)
{
    WebControlFactory previous = std::move(factorySlot());
    factorySlot() = std::move(factory);
    return previous;
}

} // namespace mira::platform
