#include "platform/enginesurface.h"

#include <QGuiApplication>
#include <QOpenGLWidget>

#include "platform/scenegraph.h"

namespace mira::platform {

void PrepareSurfaceForEngineViews(QWidget *window)
{
    // Only window systems draw through OpenGL here; the offscreen platform (tests,
    // snapshots) has no OpenGL widgets and fails to flush a window that asks for one.
    const QString platform = QGuiApplication::platformName();
    if (!platform.startsWith(QLatin1String("xcb"))
        && !platform.startsWith(QLatin1String("wayland")))
        return;
    // Views drawn in software paint into the window as any widget does.
    if (DrawViewsInSoftware())
        return;
    // Qt chooses a window's surface when it creates the native window, from the
    // widgets inside it, shown or not. An empty, hidden OpenGL widget never makes
    // a context of its own; it only asks for the surface the views need.
    auto *surface = new QOpenGLWidget(window);
    surface->setObjectName(QStringLiteral("EngineSurface"));
    surface->setAttribute(Qt::WA_DontShowOnScreen);
    surface->resize(0, 0);
    surface->hide();
}

} // namespace mira::platform
