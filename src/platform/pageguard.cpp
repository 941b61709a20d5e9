// What a page may try beyond its own view: a renderer that ends leaves a plain message
// in the page's place, full screen is refused, and a device or permission is granted
// only when the control's owner says so.
#include <QLabel>
#include <QLayout>
#include <QPointer>
#include <QTimer>
#include <QWebEngineFullScreenRequest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "platform/qtwebcontrol.h"

namespace mira::platform {
namespace {

QString featureName(QWebEnginePage::Feature feature)
{
    switch (feature) {
    case QWebEnginePage::MediaAudioCapture: return QStringLiteral("microphone");
    case QWebEnginePage::MediaVideoCapture: return QStringLiteral("camera");
    case QWebEnginePage::MediaAudioVideoCapture: return QStringLiteral("camera and microphone");
    case QWebEnginePage::Geolocation: return QStringLiteral("location");
    case QWebEnginePage::Notifications: return QStringLiteral("notifications");
    case QWebEnginePage::MouseLock: return QStringLiteral("mouse lock");
    case QWebEnginePage::DesktopVideoCapture: return QStringLiteral("screen capture");
    case QWebEnginePage::DesktopAudioVideoCapture:
        return QStringLiteral("screen and sound capture");
    }
    return QStringLiteral("device access");
}

} // namespace

void QtWebControl::guardPage(QWebEnginePage *p)
{
    connect(p, &QWebEnginePage::renderProcessTerminated, this,
            [this, p](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                if (status == QWebEnginePage::NormalTerminationStatus || p != page())
                    return;
                showStopped(true);
                Q_EMIT statusTextChange(QString());
                Q_EMIT progressChange(-1, 100);
                Q_EMIT pageStopped(p->url().toDisplayString());
            });
    // A page never takes the screen; the pane stays the page's whole world.
    connect(p, &QWebEnginePage::fullScreenRequested, this,
            [](QWebEngineFullScreenRequest request) { request.reject(); });
    connect(p, &QWebEnginePage::featurePermissionRequested, this,
            [this, p](const QUrl &origin, QWebEnginePage::Feature feature) {
                // Answered once the engine's callback has returned: a box asked in
                // there would hold every page until answered.
                QPointer<QWebEnginePage> page = p;
                QTimer::singleShot(0, this, [this, page, origin, feature] {
                    if (!page)
                        return;
                    bool grant = false;
                    Q_EMIT permissionRequested(origin.toDisplayString(), featureName(feature),
                                               &grant);
                    if (effectiveSilent())
                        grant = false;
                    if (page)
                        page->setFeaturePermission(origin, feature,
                                                   grant ? QWebEnginePage::PermissionGrantedByUser
                                                         : QWebEnginePage::PermissionDeniedByUser);
                });
            });
}

void QtWebControl::showStopped(bool stopped)
{
    if (!holder || stopped == isPageStopped())
        return;
    if (stopped && !stoppedLabel) {
        stoppedLabel =
            new QLabel(QStringLiteral(
                           "This page stopped working. Press Go or Refresh to load it again."),
                       holder);
        stoppedLabel->setObjectName(QStringLiteral("pageStopped"));
        stoppedLabel->setAlignment(Qt::AlignCenter);
        stoppedLabel->setWordWrap(true);
        stoppedLabel->setAutoFillBackground(true);
        holder->layout()->addWidget(stoppedLabel);
    }
    if (stoppedLabel)
        stoppedLabel->setVisible(stopped);
    if (view)
        view->setVisible(!stopped);
}

bool QtWebControl::isPageStopped() const
{
    return stoppedLabel && !stoppedLabel->isHidden();
}

qint64 QtWebControl::rendererProcessId() const
{
    return page() ? page()->renderProcessPid() : 0;
}

} // namespace mira::platform
