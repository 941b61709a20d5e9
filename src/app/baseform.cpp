#include "app/baseform.h"

#include <QApplication>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScreen>
#include <QStatusTipEvent>
#include <QTimer>

#include "app/appcontrol.h"
#include "app/lockcontrol.h"
#include "app/programvalues.h"
#include "app/statusbar.h"
#include "dialogs/messagebox.h"
#include "icons/images.h"
#include "layout/align.h"
#include "layout/pan.h"

namespace mira {
namespace {

constexpr int kLockCheckDelayMs = 100;

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
    QFont font(QStringLiteral("MS Sans Serif"));
    const qreal dpi = screen() ? screen()->logicalDotsPerInchY() : 96.0;
    font.setPixelSize(qRound(11 * dpi / 96.0));
    setFont(font);

    clientArea = new ClientAreaWidget(this);
    setCentralWidget(clientArea);
    statusBar = new TStatusBar(this);
    setStatusBar(statusBar);
    if (module) {
        setMenuBar(module->CreateAppMenu());
        module->SetMainWindow(this);
    }
    applySizeLimits();
}

void TBaseForm::applySizeLimits()
{
    // The window never grows beyond the work area plus its border allowance.
    setMinimumSize(0, 0);
    const QRect area = WorkArea();
    if (area.isValid())
        setMaximumSize(area.width() + 4, area.height() + 4);
    else
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

TBaseForm::~TBaseForm()
{
    // Leaving the program saves the set when Save On Close is checked.
    if (module)
        module->Sets().SaveOnExit();
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
    if (style != QLatin1String("bsSizeable")) {
        setFixedSize(size());
    } else {
        applySizeLimits();
    }
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

QRect TBaseForm::StoredBounds() const
{
    return normalBounds.isValid() ? normalBounds : frameGeometry();
}

void TBaseForm::SetStoredBounds(const QRect &r)
{
    const QSize frameExtra = frameGeometry().size() - size();
    applyBounds(r);
    // Before the first show the frame is unknown: keep the bounds asked for (within
    // the size limits), and give them the frame once it is there.
    normalBounds = QRect(r.topLeft(), r.size().boundedTo(maximumSize() + frameExtra));
    if (isVisible() && !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
        normalBounds = frameGeometry();
    priorNormalBounds = normalBounds;
}

void TBaseForm::applyBounds(const QRect &r)
{
    const QSize frameExtra = frameGeometry().size() - size();
    move(r.topLeft());
    resize(r.size() - frameExtra);
}

void TBaseForm::trackNormalBounds()
{
    if (!isVisible()
        || (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
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
    // A minimised window comes back to what it was before: that is what is kept.
    if (s & Qt::WindowMinimized)
        return;
    const bool nowMaximised = (s & Qt::WindowMaximized) != 0;
    // Some window systems resize before they report the new state: the size
    // taken for normal then is the maximised one.
    if (nowMaximised && !maximised && normalBounds == frameGeometry())
        normalBounds = priorNormalBounds;
    maximised = nowMaximised;
}

void TBaseForm::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    trackNormalBounds();
}

void TBaseForm::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    trackNormalBounds();
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
        setWindowState((windowState() & ~Qt::WindowMinimized)
                       | (maximised ? Qt::WindowMaximized : Qt::WindowNoState));
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
    if (!shownOnce) {
        shownOnce = true;
        // The frame is known now: the stored bounds are the frame's, not the client's.
        const QRect wanted = normalBounds;
        if (wanted.isValid() && !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
            applyBounds(wanted);
        normalBounds = wanted;
    }
    QMainWindow::showEvent(event);
}

} // namespace mira
