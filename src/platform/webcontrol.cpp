#include "platform/webcontrol.h"

#include <QtGlobal>

namespace mira::platform {
namespace {

WebControlFactory &factorySlot()
{
    static WebControlFactory factory;
    return factory;
}

WebControlFactory &engineFactorySlot()
{
    static WebControlFactory factory;
    return factory;
}

} // namespace

WebControl *CreateWebControl(QWidget *parent)
{
    if (const WebControlFactory &factory = factorySlot())
        return factory(parent);
    if (const WebControlFactory &engine = engineFactorySlot())
        return engine(parent);
    // A program that shows web views starts the engine first (UseEngine).
    qFatal("No web engine: a web view was made before the program chose its engine");
}

WebControlFactory SetWebControlFactory(WebControlFactory factory)
{
    WebControlFactory previous = std::move(factorySlot());
    factorySlot() = std::move(factory);
    return previous;
}

WebControlFactory SetEngineWebControlFactory(WebControlFactory factory)
{
    WebControlFactory previous = std::move(engineFactorySlot());
    engineFactorySlot() = std::move(factory);
    return previous;
}

} // namespace mira::platform
