#pragma once
// A browser pane of the layout: a navigation bar (Back, Forward, Stop, Refresh, Go
// and the address combo) over a web view. It turns clicks into web view calls,
// passes the web view's news to the combo and the status bar, keeps new windows
// inside the pane that asked for them and shows the engine's messages by the
// dialog mode.
#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>

#include "bookmarks/addressnavigator.h"
#include "browser/mwebbrowser.h"
#include "browser/pagebody.h"
#include "browser/panecommands.h"
#include "browser/timedrefresh.h"
#include "layout/component.h"
#include "layout/designablepane.h"
#include "layout/pagerotation.h"

namespace mira {

class PaneHost;
class StaleMark;
class TPan;
class TURLCombo;
class TURLs;
class ClassRegistry;
class NaviBarFitter;
class PaneZoom;

// How long a pane on a book page that is not shown waits before it rests.
constexpr int PaneRestDelayMs = 3000;

class TBrowser : public QWidget,
                 public Component,
                 public PaneCommands,
                 public AddressNavigator,
                 public DesignablePane,
                 public RefreshTarget,
                 public PreWakeable {
    Q_OBJECT
public:
    explicit TBrowser(QObject *owner);
    ~TBrowser() override;

    // Owned parts.
    QToolBar *NaviBar = nullptr;
    QToolButton *BackButton = nullptr;
    QToolButton *ForwardButton = nullptr;
    QToolButton *StopButton = nullptr;
    QToolButton *RefreshButton = nullptr;
    QToolButton *GoButton = nullptr;
    TPan *ComboPanel = nullptr;
    TURLCombo *AddressCombo = nullptr;
    TMWebBrowser *WebView = nullptr;
    // Shares the bar's width between the buttons and the address box.
    NaviBarFitter *BarFitter = nullptr;
    // Shown on the bar while loads of the pane's bookmark fail.
    StaleMark *Stale = nullptr;
    // The pane's zoom, kept in the bookmark shown.
    PaneZoom *Zoom = nullptr;

    // The combo's own bookmark list; setting takes copies and rebuilds the list.
    TURLs *URLs() const;
    void SetURLs(const TURLs &list);

    // Button handlers; a null sender stands for the program-wide commands.
    void BackClick();
    void StopClick();
    void RefreshClick(QObject *sender);
    void GoClick(QObject *sender);

    // The pane in its roles, for those holding a TBrowser.
    PaneCommands &Commands() { return *this; }
    AddressNavigator &Navigator() { return *this; }
    RefreshTarget &Reloads() { return *this; }

    // A pane on a book page that is not shown rests (its page frozen) PaneRestDelayMs
    // after it was hidden or finished loading there; showing it wakes it.
    bool Resting() const { return resting; }
    void SetRestDelay(int ms) { restTimer.setInterval(ms); }

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static constexpr char RefreshHint[] = "Refresh|Reload the currently loaded document";

    // What the layout, a rotating book, the program-wide commands, the address box and
    // the timed reloads ask of the pane: reached through the interfaces that deliver them.

    // Component.
    QString ClassName() const override { return QStringLiteral("TBrowser"); }
    // After reading a set: the first bookmark is selected; nothing is loaded.
    void Loaded() override;

    // DesignablePane: the navigation bar at the bottom (true) or at the top.
    bool BottomBar() const override;
    void SetBottomBar(bool bottom) override;

    // PaneCommands.
    void GoBookmarked() override { GoClick(nullptr); }
    void StopLoading() override { StopClick(); }
    void RefreshBookmarked() override { RefreshClick(nullptr); }
    void SetNoCache(bool on) override;
    void SetSilent(bool on) override;
    void SetTextSize(int level) override;
    bool HasDocument() const override;
    void RunDocumentCommand(DocumentCommand command) override;

    // AddressNavigator: what the address box asks of its pane.
    void NavigateTo(const QString &address) override;
    void Reload() override;
    QString LoadedLocationURL() const override;
    QString LoadedLocationName() const override;
    std::unique_ptr<DocumentBodyAccess> Body() const override;
    void BookmarksChanged() override { RefreshScheduleChanged(); }

    // RefreshTarget: the period of the bookmark whose page is shown, whatever the box
    // holds meanwhile.
    int TimedRefreshPeriod() const override;
    bool IsLoading() const override;
    bool WaitsForAnswer() const override;
    void TimedReload() override;
    void ShowRefreshCountdown(int secondsLeft, bool paused) override;
    bool CountdownWatched() const override;

    // A rotating book is about to show the pane's page.
    void WakeBeforeShown() override { wake(); }

    PageBody DocumentBody() const { return PageBody(WebView); }

    // The minimum width a resize from oldHeight to newHeight leaves (current: the
    // minimum width before it): 297 while the pane stays lower than 52 pixels, 149
    // while it stays at 52 or more, unchanged when the height crosses 52.
    static int MinWidthAfterResize(int oldHeight, int newHeight, int current);

    void ForwardClick();

    // The web view's events. The status text, or the pane's own (a zoom step), goes
    // to the status bar.
    void WebStatusTextChange(const QString &text);
    void WebTitleChange(const QString &title);
    void WebProgressChange(int progress, int progressMax);
    void WebCloseQuery(QObject *sender, bool &canClose);
    void WebNewWindow2(platform::WebControl *&target, bool &cancel);
    bool WebShowMessage(platform::WebMessage &message);
    // The page asked to close its window: the engine's question, which the dialog
    // watcher answers No (the pane never closes on a page's request).
    void WebCloseQuestion();
    // The page's renderer ended: the status bar names the pane by its address.
    void WebPageStopped(const QString &address);
    // A page asks for a device or permission: asked in Interactive mode only, else
    // denied with the status bar saying what. True grants it.
    bool WebPermissionRequested(const QString &site, const QString &what);
    // A load ended: marks the pane stale or clears the mark.
    void WebPageLoadEnded(const platform::PageLoad &load);
    // Loads the stale pane's bookmark again.
    void RetryStale();

    // The main window around the pane, or nullptr.
    PaneHost *host() const;
    QToolButton *makeButton(int image, const QString &hint);
    void scheduleRest();
    void rest();
    void wake();
    // Tells the web view whether the load that follows is of one of the pane's bookmarks.
    void markBookmarkLoad(const QString &address);

    // The location the combo last heard of, so a load that ends without a new
    // title (same title as the page before) still reaches the combo.
    QString reportedLocation;

    QTimer restTimer;
    bool resting = false;
    // The scroll position before a timed reload, put back when it has loaded.
    bool keepingScroll = false;
    QPoint keptScroll;
};

// Makes TBrowser readable from and writable to set files.
void RegisterBrowserClasses(ClassRegistry &registry);

} // namespace mira
