#include "platform/useengine.h"

#include <QQuickWindow>
#include <QtWebEngineCore/qtwebenginecoreglobal.h>

#include "platform/profiles.h"
#include "platform/qtwebcontrol.h"
#include "platform/scenegraph.h"
#include "platform/versioninfo.h"
#include "platform/webcontrol.h"

namespace mira::platform {

void UseEngine()
{
    // Before the first view: Qt Quick fixes its renderer when its first window is made.
    if (DrawViewsInSoftware())
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    SetEngineWebControlFactory([](QWidget *parent) { return new QtWebControl(parent); });
    SetProfileSwitch(&engine::SwitchProfiles);
    SetEngineVersions(QString::fromLatin1(qWebEngineChromiumVersion()),
                      QString::fromLatin1(qWebEngineVersion()));
}

} // namespace mira::platform
