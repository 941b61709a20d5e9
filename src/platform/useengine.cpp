#include "platform/useengine.h"

#include <QtWebEngineCore/qtwebenginecoreglobal.h>

#include "platform/profiles.h"
#include "platform/qtwebcontrol.h"
#include "platform/versioninfo.h"
#include "platform/webcontrol.h"

namespace mira::platform {

void UseEngine()
{
    SetEngineWebControlFactory([](QWidget *parent) { return new QtWebControl(parent); });
    SetProfileSwitch(&engine::SwitchProfiles);
    SetEngineVersions(QString::fromLatin1(qWebEngineChromiumVersion()),
                      QString::fromLatin1(qWebEngineVersion()));
}

} // namespace mira::platform
