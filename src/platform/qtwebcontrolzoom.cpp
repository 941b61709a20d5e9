#include "platform/qtwebcontrol.h"

// The text size, the pane's zoom and Ctrl+wheel over the view.
#include <QChildEvent>
#include <QWebEnginePage>
#include <QWheelEvent>
#include <algorithm>

#include "platform/webengine.h"

namespace mira::platform {

double QtWebControl::zoomFactor() const
{
    // Before the page exists, the factor it will be made with.
    return page() ? page()->zoomFactor() : wantedZoom();
}

double QtWebControl::wantedZoom() const
{
    // The engine refuses factors outside 25 % to 500 %.
    return std::clamp(engine::ZoomFactor(engine::ZoomLevel()) * paneZoom, 0.25, 5.0);
}

void QtWebControl::setZoom(double factor)
{
    paneZoom = factor > 0 ? factor : 1.0;
    applyZoom();
}

void QtWebControl::applyZoom()
{
    // The page keeps its factor through later navigations and applies it as each
    // commits, before it paints; the factor holds for this view alone.
    const double factor = wantedZoom();
    if (page() && !qFuzzyCompare(page()->zoomFactor(), factor))
        page()->setZoomFactor(factor);
}

void QtWebControl::applyZoomEverywhere()
{
    for (QtWebControl *control : liveControls())
        control->applyZoom();
}

void QtWebControl::watchWheel(QObject *object)
{
    // The engine puts its own widget into the view when it first shows a page.
    if (!object->isWidgetType())
        return;
    object->installEventFilter(this);
    for (QObject *child : object->children())
        watchWheel(child);
}

bool QtWebControl::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ChildAdded) {
        watchWheel(static_cast<QChildEvent *>(event)->child());
    } else if (event->type() == QEvent::Wheel) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            // A touchpad turns in small deltas: a step for every full notch's worth.
            wheelDelta += wheel->angleDelta().y();
            const int steps = wheelDelta / QWheelEvent::DefaultDeltasPerStep;
            wheelDelta -= steps * QWheelEvent::DefaultDeltasPerStep;
            if (steps != 0)
                Q_EMIT zoomWheel(steps);
            return true; // the page neither scrolls nor sees it
        }
    }
    return WebControl::eventFilter(watched, event);
}

std::pair<int, int> QtWebControl::textSizeRange()
{
    return {engine::ZoomLevelMin, engine::ZoomLevelMax};
}

int QtWebControl::textSize()
{
    return engine::ZoomLevel();
}

bool QtWebControl::setTextSize(int level)
{
    if (!engine::SetZoomLevel(level))
        return false;
    applyZoomEverywhere();
    return true;
}

} // namespace mira::platform
