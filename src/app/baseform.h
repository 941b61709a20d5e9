#pragma once
// The main window: root of the layout tree and of every set file.
#include <QMainWindow>
#include <QMargins>
#include <QPointer>

#include "app/programflags.h"
#include "browser/panehost.h"
#include "layout/component.h"
#include "layout/setform.h"

class QStatusBar;
class QTimer;

namespace mira {

class TAppControlModule;
class MainStatusBar;
class TPan;

class TBaseForm : public QMainWindow, public ComponentOwner, public PaneHost, public SetForm {
    Q_OBJECT
public:
    explicit TBaseForm(TAppControlModule *actions);
    ~TBaseForm() override;

    TAppControlModule *Module() const { return module; }

    // The program flags word (ProgramFlags bits).
    int Tag() const { return tag; }
    void SetTag(int value) { tag = value; }
    // The encrypted lock key of the open set.
    QString Key() const { return key; }
    void SetKey(const QString &value) { key = value; }
    // The border style as sets store it: "bsSizeable", or "bsSingle" (a fixed
    // window size while Lock Size is on). Other styles read from a file are kept.
    QString BorderStyle() const { return borderStyle; }
    void SetBorderStyle(const QString &style);
    // The state a set stores: "wsMaximized" when the user last had the window
    // maximised (also while it is minimised from there), else "wsNormal". A
    // minimised state is never stored, or the set would open minimised.
    QString StoredWindowState() const;
    // Applies "wsNormal", "wsMaximized" or "wsMinimized" read from a set.
    void SetStoredWindowState(const QString &state);

    // The layout on the whole screen without a frame. The stored bounds and state
    // stay the normal window's, and leaving puts the window back where it was.
    // A window not yet framed goes full screen once framed: the frame's size is
    // needed for the normal window's layout.
    void SetFullScreen(bool on);
    bool FullScreen() const { return fullScreen; }

    // The widget whose aligned children make up the layout; it holds the root container.
    QWidget *ClientArea() const { return clientArea; }
    // The root container: the client-aligned TPan of the client area, or nullptr.
    TPan *RootContainer() const;

    MainStatusBar *StatusBar() const { return statusBar; }
    void SetStatusText(const QString &text) override;
    QString StatusText() const;
    void RepaintStatusBar();

    bool Destroying() const override { return destroying; }
    DialogMode CurrentDialogMode() const override;

    // The design font: the height of "0" in it is what sets store as TextHeight.
    int TextHeight() const;

    // Frame geometry as a set stores it (Left, Top, Width, Height): the normal
    // (restored) bounds the user last had, also while maximised, minimised or hidden.
    QRect StoredBounds() const;
    // Takes bounds read from a set (or the work area): the frame, with whatever
    // margins the window manager gives it, covers them, within the work area's limit.
    void SetStoredBounds(const QRect &r);

protected:
    bool event(QEvent *event) override;
    // Leaving the program: the save on exit runs here, while the layout is whole.
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // PaneHost (the rest of it): panes reach these through the interface.
    QMenu *ArrowPopup() const override;
    QMenu *URLPopup() const override;
    QWidget *MessageOwner() override { return this; }
    NewWindowCatcher *NewWindows() override;
    // ComponentOwner: the layout's components come and go.
    void ComponentInserted(QWidget *component) override;
    void ComponentRemoved(QWidget *component) override;

    int PixelsPerInch() const;
    // The client area's size in the window the set describes (normal or maximized),
    // not the size it has on the screen while full screen.
    QSize StoredClientAreaSize() const;

    // SetForm: a set is read into and written from the client area.
    QObject *layoutOwner() override { return this; }
    QWidget *layoutArea() const override { return clientArea; }
    QSize storedLayoutSize() const override { return StoredClientAreaSize(); }
    FormValues storedValues() const override;
    void applyValues(const FormValues &values) override;
    int textHeight() const override { return TextHeight(); }
    void flagsRead(int flags) override;

    void applySizeLimits();
    // Fits the client geometry so that the frame covers the normal bounds.
    void applyBounds();
    // Every report of the window's geometry: fits the client to a frame that came
    // or changed, keeps the stored bounds while the window manager settles the
    // newly shown window, and otherwise follows what the user does.
    void followGeometry();
    void startSettling();
    void finishSettling();
    // Follows the frame while the window is shown in its normal state.
    void trackNormalBounds();
    // Shown normal or maximized, as the set describes the window.
    bool shownOutsideFullScreen() const;
    bool inNormalState() const;
    QMargins currentFrame() const;
    // The state a restore or a leave of full screen comes back to.
    Qt::WindowStates shownState() const;
    // A restore of the window under the lock: back to minimized until the key is typed.
    void restoreUnderLock();

    TAppControlModule *module;
    MainStatusBar *statusBar = nullptr;
    QWidget *clientArea = nullptr;
    int tag = 0;
    QString key;
    QString borderStyle = QStringLiteral("bsSizeable");
    // What the user last had, kept here because the window is hidden before
    // the save on exit and normalGeometry() is not kept on every platform.
    bool maximised = false;
    bool fullScreen = false;
    QRect normalBounds;
    QRect priorNormalBounds;
    // The frame margins the client geometry was last fitted to; none before the
    // window manager has framed the window (its extents come after mapping).
    QMargins fittedFrame;
    // The normal bounds wait to be applied (they came while maximised or minimised).
    bool boundsOwed = false;
    bool applying = false;
    // From the first show until the frame covers the stored bounds: geometry
    // reports are the window manager's doing (framing, placing), not the user's.
    bool settling = false;
    int settleRetries = 0;
    int settlePolls = 0;
    QTimer *settleTimer = nullptr;
    bool shownOnce = false;
    // The window has been framed in its bounds once (or waited for that long enough).
    bool settledOnce = false;
    // Minimized from full screen: a restore without it asks for it once more.
    bool fullScreenOwed = false;
    // The window's size when last laid out outside full screen (and not minimized);
    // invalid before the first such layout.
    QSize shownSize;
    bool destroying = false;
    bool lockCheckPending = false;
    // The save on exit runs at the first close only. (Qt lets no close through while
    // one runs, so a second signal does not hide the window under the save's message.)
    bool exitSaved = false;
};

} // namespace mira
