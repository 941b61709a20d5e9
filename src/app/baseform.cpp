#include "app/baseform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScreen>
#include <QStatusTipEvent>
#include <QTimer>

#include "app/appcontrol.h"
#include "app/lockcontrol.h"
#include "app/programvalues.h"
#include "app/separateprocesses.h"
#include "app/statusbar.h"
#include "app/windowbounds.h"
#include "dialogs/dialogmetrics.h"
#include "dialogs/messagebox.h"
#include "icons/images.h"
#include "layout/align.h"
#include "layout/pan.h"
#include "platform/enginesurface.h"

namespace mira {
namespace {

constexpr int kLockCheckDelayMs = 100;
// Frame extents and placement arrive from the window manager after mapping; a
// window that has none (no window manager) stops waiting after this long. It is
// counted in polls, not in time: a busy program sees its window's reports late.
constexpr int kSettleMs = 3000;
constexpr int kSettlePollMs = 100;
constexpr int kSettlePolls = kSettleMs / kSettlePollMs;
constexpr int kSettleRetries = 2;

// The main window's client area below the menu and above the status bar: its
// aligned children (the root container) fill it.
class ClientAreaWidget : public QWidget {
public:
    explicit ClientAreaWidget(QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("ClientArea"));
    }

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QWidget::resizeEvent(event);
        AlignControls(this);
    }
    bool event(QEvent *event) override
    {
        HandleContainerEvent(this, event);
        return QWidget::event(event);
    }
};

} // namespace

TBaseForm::TBaseForm(TAppControlModule *actions) : module(actions)
{
    setObjectName(QStringLiteral("BaseForm"));
    setWindowTitle(QStringLiteral("Mira"));
    setWindowIcon(ApplicationIcon());
    setFont(DesignFont(this));

    clientArea = new ClientAreaWidget(this);
    setCentralWidget(clientArea);
    statusBar = new MainStatusBar(this);
    setStatusBar(statusBar);
    if (module) {
        setMenuBar(module->CreateAppMenu());
        module->SetMainWindow(this);
    }
    // The first page must not make Qt replace the native window.
    platform::PrepareSurfaceForEngineViews(this);
    settleTimer = new QTimer(this);
    settleTimer->setInterval(kSettlePollMs);
    // Extents that change without a geometry report are only seen by asking.
    connect(settleTimer, &QTimer::timeout, this, [this] {
        if (++settlePolls >= kSettlePolls)
            finishSettling();
        followGeometry();
    });
    applySizeLimits();
}

void TBaseForm::applySizeLimits()
{
    setMinimumSize(0, 0);
    // The work area's limit would keep a full-screen window off the screen's edges.
    if (fullScreen) {
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        return;
    }
    // The frame never grows beyond the work area plus its border allowance.
    const QSize frame = MaximumFrameSize(WorkArea());
    setMaximumSize(qMax(0, frame.width() - fittedFrame.left() - fittedFrame.right()),
                   qMax(0, frame.height() - fittedFrame.top() - fittedFrame.bottom()));
}

TBaseForm::~TBaseForm()
{
    settleTimer->stop();
    destroying = true;
    // The layout goes while the window is still whole, so components can report.
    delete RootContainer();
    const QList<QWidget *> rest = clientArea->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *w : rest)
        delete w;
}

void TBaseForm::SetBorderStyle(const QString &style)
{
    borderStyle = style;
    if (style != QLatin1String("bsSizeable") && !fullScreen)
        setFixedSize(size());
    else
        applySizeLimits();
}

QString TBaseForm::StoredWindowState() const
{
    return maximised ? QStringLiteral("wsMaximized") : QStringLiteral("wsNormal");
}

void TBaseForm::SetStoredWindowState(const QString &state)
{
    maximised = state == QLatin1String("wsMaximized");
    Qt::WindowStates s = windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (maximised)
        s |= Qt::WindowMaximized;
    else if (state == QLatin1String("wsMinimized"))
        s |= Qt::WindowMinimized;
    setWindowState(s);
}

void TBaseForm::SetFullScreen(bool on)
{
    if (on == fullScreen)
        return;
    fullScreen = on;
    applySizeLimits();
    // A minimized (perhaps locked) window keeps waiting: its restore comes back to this.
    if (windowState() & Qt::WindowMinimized) {
        fullScreenOwed = on;
        return;
    }
    if (!on) {
        // The window manager's own memory of the frame is not trusted: the normal
        // bounds are applied again once the frame is back.
        boundsOwed = true;
        if (isVisible())
            startSettling();
    } else if (!settledOnce) {
        return; // finishSettling() goes on
    }
    setWindowState((windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen)) | shownState());
}

QSize TBaseForm::StoredClientAreaSize() const
{
    const QSize now = clientArea->size();
    QSize shown = shownSize;
    if (!shown.isValid()) {
        if (!fullScreen)
            return now;
        shown = ClientGeometry(normalBounds, fittedFrame).size();
    }
    // The menu and status bar take the same room in both windows; the window may
    // still be as large as the screen just after leaving full screen.
    return (now + shown - size()).expandedTo(QSize(0, 0));
}

Qt::WindowStates TBaseForm::shownState() const
{
    if (fullScreen)
        return Qt::WindowFullScreen;
    return maximised ? Qt::WindowMaximized : Qt::WindowNoState;
}

TPan *TBaseForm::RootContainer() const
{
    for (QWidget *w : ControlsOf(clientArea))
        if (auto *pan = qobject_cast<TPan *>(w))
            return pan;
    return nullptr;
}

void TBaseForm::SetStatusText(const QString &text)
{
    if (!destroying && statusBar)
        statusBar->SetPanelText(text);
}

QString TBaseForm::StatusText() const
{
    return statusBar ? statusBar->PanelText() : QString();
}

void TBaseForm::RepaintStatusBar()
{
    if (statusBar)
        statusBar->RepaintPanels();
}

int TBaseForm::TextHeight() const
{
    return QFontMetrics(font()).height();
}

int TBaseForm::PixelsPerInch() const
{
    return screen() ? qRound(screen()->logicalDotsPerInchY()) : 96;
}

FormValues TBaseForm::storedValues() const
{
    FormValues values;
    values.tag = tag;
    values.bounds = StoredBounds();
    values.borderStyle = borderStyle;
    values.windowState = StoredWindowState();
    values.key = key;
    values.pixelsPerInch = PixelsPerInch();
    values.textHeight = TextHeight();
    return values;
}

void TBaseForm::applyValues(const FormValues &values)
{
    if (values.tag)
        SetTag(*values.tag);
    if (values.key)
        SetKey(*values.key);
    SetStoredBounds(values.bounds);
    if (values.borderStyle)
        SetBorderStyle(*values.borderStyle);
    if (values.windowState)
        SetStoredWindowState(*values.windowState);
}

void TBaseForm::flagsRead(int flags)
{
    ChooseProcessModel(ProgramFlags::fromInt(flags));
}

QRect TBaseForm::StoredBounds() const
{
    return normalBounds.isValid() ? normalBounds : frameGeometry();
}

void TBaseForm::SetStoredBounds(const QRect &r)
{
    normalBounds = FitToWorkArea(r, WorkArea());
    priorNormalBounds = normalBounds;
    if (inNormalState())
        applyBounds();
    else
        boundsOwed = true;
}

bool TBaseForm::shownOutsideFullScreen() const
{
    // Once full screen, a report of another state is a step on the way back to it.
    return !(fullScreen && settledOnce)
           && !(windowState() & (Qt::WindowMinimized | Qt::WindowFullScreen));
}

bool TBaseForm::inNormalState() const
{
    return shownOutsideFullScreen() && !(windowState() & Qt::WindowMaximized);
}

QMargins TBaseForm::currentFrame() const
{
    return FrameMargins(frameGeometry(), geometry());
}

void TBaseForm::applyBounds()
{
    // The events of our own changes report nothing new.
    const bool wasApplying = applying;
    applying = true;
    fittedFrame = currentFrame();
    boundsOwed = false;
    const QRect client = ClientGeometry(normalBounds, fittedFrame);
    if (borderStyle != QLatin1String("bsSizeable"))
        setFixedSize(client.size());
    else
        applySizeLimits();
    // A move takes the frame's position; unchanged parts are not asked for again,
    // so the window manager sees one request.
    if (frameGeometry().topLeft() != normalBounds.topLeft())
        move(normalBounds.topLeft());
    if (size() != client.size())
        resize(client.size());
    applying = wasApplying;
}

void TBaseForm::startSettling()
{
    settling = true;
    settleRetries = kSettleRetries;
    settlePolls = 0;
    settleTimer->start();
}

void TBaseForm::finishSettling()
{
    settling = false;
    settleTimer->stop();
    settledOnce = true;
    if (fullScreen && !(windowState() & (Qt::WindowMinimized | Qt::WindowFullScreen)))
        setWindowState((windowState() & ~Qt::WindowMaximized) | shownState());
}

void TBaseForm::followGeometry()
{
    if (applying || !isVisible() || !inNormalState())
        return;
    const QMargins frame = currentFrame();
    // A frame that came or changed: the stored bounds are the frame's, so the
    // client gives way. Otherwise every open would grow the window by its frame.
    if (boundsOwed || frame != fittedFrame) {
        applyBounds();
        return;
    }
    if (settling) {
        if (frameGeometry() != normalBounds) {
            // Placed elsewhere by the window manager: asked once more, never fought.
            if (settleRetries-- > 0)
                applyBounds();
        } else if (!frame.isNull()) {
            finishSettling();
        }
        return;
    }
    trackNormalBounds();
}

void TBaseForm::trackNormalBounds()
{
    if (!isVisible() || !inNormalState())
        return;
    if (frameGeometry() == normalBounds)
        return;
    priorNormalBounds = normalBounds;
    normalBounds = frameGeometry();
}

void TBaseForm::ComponentInserted(QWidget *component)
{
    if (destroying || !module)
        return;
    if (auto *c = AsComponent(component); c && c->ClassName() == QLatin1String("TBrowser"))
        module->BrowserInserted(component);
}

void TBaseForm::ComponentRemoved(QWidget *component)
{
    if (destroying || !module)
        return;
    module->BrowserRemoved(component);
}

bool TBaseForm::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        // Hints go to the text panel instead of covering the whole bar.
        SetStatusText(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TBaseForm::closeEvent(QCloseEvent *event)
{
    if (!exitSaved) {
        exitSaved = true;
        // The save may ask in a loop of its own: the window is not fitted any more.
        settleTimer->stop();
        settling = false;
        // Leaving the program saves the set when Save On Close is checked.
        if (module)
            module->File().Sets().SaveOnExit();
    }
    QMainWindow::closeEvent(event);
}

void TBaseForm::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    const Qt::WindowStates s = windowState();
    const bool wasMinimised = static_cast<QWindowStateChangeEvent *>(event)->oldState()
                              & Qt::WindowMinimized;
    if (module && !destroying) {
        // Whatever minimized the window arms the lock; whatever restored it asks for the key.
        if (!wasMinimised && (s & Qt::WindowMinimized))
            module->Lock().ArmLock();
        else if (wasMinimised && !(s & Qt::WindowMinimized))
            restoreUnderLock();
    }
    // The lock may have sent it back down.
    const Qt::WindowStates now = windowState();
    if (now & Qt::WindowMinimized) {
        fullScreenOwed = fullScreen;
        return;
    }
    if (fullScreen && settledOnce) {
        // Restored from minimized, the window may come back without full screen (or pass
        // through the normal state on its way): asked for once more, never fought.
        if (fullScreenOwed && !destroying && !(now & Qt::WindowFullScreen)) {
            fullScreenOwed = false;
            setWindowState((now & ~Qt::WindowMaximized) | Qt::WindowFullScreen);
        }
        return;
    }
    // A minimised or full-screen window comes back to what it was before: that is what is kept.
    if (now & Qt::WindowFullScreen)
        return;
    const bool nowMaximised = (now & Qt::WindowMaximized) != 0;
    // Some window systems resize before they report the new state: the size
    // taken for normal then is the maximised one.
    if (nowMaximised && !maximised && normalBounds == frameGeometry())
        normalBounds = priorNormalBounds;
    maximised = nowMaximised;
    followGeometry();
}

void TBaseForm::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    followGeometry();
}

void TBaseForm::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (shownOutsideFullScreen())
        shownSize = size();
    followGeometry();
}

void TBaseForm::restoreUnderLock()
{
    if (!module || !module->Lock().LockArmed())
        return;
    // The window manager has mapped the window already: it goes back at once (showing
    // nothing meanwhile, as the layout is covered), and the key is asked outside this
    // event's handling.
    setWindowState(windowState() | Qt::WindowMinimized);
    if (lockCheckPending)
        return;
    lockCheckPending = true;
    // Asked a moment later, once the window system has answered the minimize above: an
    // answer coming after the right key would arm the lock again.
    QTimer::singleShot(kLockCheckDelayMs, this, [this] {
        lockCheckPending = false;
        if (destroying || module->Lock().RestoreLocked())
            return;
        setWindowState(
            (windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
            | shownState());
        show();
        raise();
        activateWindow();
    });
}

void TBaseForm::showEvent(QShowEvent *event)
{
    // A show that slipped past the restore (the window mapped while still armed).
    if (event->spontaneous() && shownOnce && !isMinimized() && module && !destroying
        && module->Lock().LockArmed())
        restoreUnderLock();
    QMainWindow::showEvent(event);
    if (!shownOnce) {
        shownOnce = true;
        startSettling();
    }
    followGeometry();
}

} // namespace mira
