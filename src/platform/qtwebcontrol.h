#pragma once
// The web control on Qt WebEngine. The engine's types stay in the .cpp files of
// platform/; this header shows only neutral ones.
#include <QPointer>
#include <QUrl>
#include <memory>

#include "platform/loadfailure.h"
#include "platform/pagecopies.h"
#include "platform/profiles.h"
#include "platform/webcontrol.h"

class QLabel;
class QWebEngineDownloadRequest;
class QWebEnginePage;
class QWebEngineProfile;
class QWebEngineView;

namespace mira {
class FindDialog;
}

namespace mira::platform {

class WebPage;

// The capabilities are implemented by the control itself and handed out as interfaces.
class QtWebControl : public WebControl,
                     private WebNavigation,
                     private WebDocumentCommands,
                     private WebZoom,
                     private WebScripting {
    Q_OBJECT
public:
    explicit QtWebControl(QWidget *parent = nullptr);
    ~QtWebControl() override;

    QWidget *widget() const override;
    void setHost(WebControlHost *host) override;
    bool silent() const override { return silentValue; }
    void setSilent(bool silent) override { silentValue = silent; }
    void ambientPropertyChanged(int dispId) override;
    quint32 downloadFlags() const override { return dlFlags; }
    quint32 hostInfoFlags() const override { return uiFlags; }
    void setResting(bool resting) override;
    WebNavigation *navigation() override { return this; }
    WebDocumentCommands *document() override { return this; }
    WebZoom *zoom() override { return this; }
    WebScripting *scripting() override { return this; }

    // Whether the engine's page (and so a renderer) exists: not before the first
    // navigation.
    bool hasEngine() const;

    // The process id of the page's renderer; 0 when there is none.
    qint64 rendererProcessId() const;
    // Whether the page's renderer ended and the stopped message stands in its place.
    bool isPageStopped() const;

    // What the view shows at the moment (text size, the pane's zoom and no-cache mode
    // included).
    double zoomFactor() const;
    bool isNoCachePage() const;
    // Whether a kept copy or the program's own page stands in for the address asked for.
    bool showsStandIn() const { return !standIn.address.isEmpty(); }
    // The text the page shows (also of a kept copy, where no script of the page runs);
    // waits for it like evaluateScript.
    QString pageText() const;
    // The non-modal find dialog, once shown.
    QWidget *findDialog() const;

    // Whether the page lives in the off-the-record profile.
    bool isPrivatePage() const;
    // Gives every view whose page is in the other profile a new page in this one,
    // showing the same address (qtwebcontrolprofile.cpp).
    static void MoveViewsToProfile(ProfileKind kind);

private:
    friend class WebPage;

    // Navigation (qtwebcontrol.cpp).
    void navigate(const QString &address, int flags = 0) override;
    bool goBack() override;
    bool goForward() override;
    bool stop() override;
    bool refresh() override;
    bool hasDocument() const override { return documentShown; }
    QString locationUrl() const override;
    QString locationName() const override;
    int readyState() const override { return ready; }
    void setKeepsPage(bool keeps) override { keepsPage = keeps; }
    // Document commands (webcommands.cpp).
    bool open() override;
    bool saveAs() override;
    bool print(int option) override;
    bool printPreview() override;
    bool pageSetup() override;
    bool find() override;
    bool internetOptions() override;
    // Text size and zoom (qtwebcontrolzoom.cpp).
    std::pair<int, int> textSizeRange() override;
    int textSize() override;
    bool setTextSize(int level) override;
    void setZoom(double factor) override;
    QVariant evaluateScript(const QString &script) override;

    QWebEnginePage *page() const;
    static QList<QtWebControl *> &liveControls();
    // Makes the view on first need, and a page in the profile unless it has one.
    void ensureEngine(QWebEngineProfile *profile);
    // A new page in the profile with the old one's history, showing its address.
    void movePage(QWebEngineProfile *profile);
    void installPage(QWebEngineProfile *profile);
    // Loads url in place of the current history entry; false when there is none.
    bool replaceCurrentEntry(const QUrl &url);
    void askHost();
    void applyPageSettings();
    bool effectiveSilent() const;
    bool offline() const;
    void applyZoom();
    static void applyZoomEverywhere();
    // The factor the page is shown at: the text size's times the pane's.
    double wantedZoom() const;
    // Ctrl+wheel over the view's inner widgets zooms instead of scrolling.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void watchWheel(QObject *object);

    // Called by the page.
    int scriptMessage(WebMessage &message);
    QWebEnginePage *catchNewWindow(QWebEngineProfile *profile);
    bool navigationRequested(const QUrl &url);
    void caught(const QUrl &url);
    // Connects what a page may try beyond its view: a renderer's end, full screen,
    // permissions (pageguard.cpp).
    void guardPage(QWebEnginePage *page);
    // Connects the questions a page asks the user: certificates, logins, downloads
    // (pagequestions.cpp).
    void askForPage(QWebEnginePage *page, QWebEngineProfile *profile);
    void showStopped(bool stopped);

    // Kept copies and what stands in for a page that cannot be shown (pagestandin.cpp).
    void watchLoads(QWebEnginePage *page);
    // A navigation or refresh of url begins.
    void beginLoad(const QUrl &url, int flags);
    // While offline a network address shows its kept copy or the offline page; true
    // when it was dealt with so.
    bool navigateOffline(const QUrl &url);
    // A refresh of what stands in loads the address again; true when it did.
    bool refreshStandIn();
    // The status text at the end of a load.
    QString loadEndStatus(bool ok) const;
    // Called last when a load ended: keeps a copy, or puts a stand-in up.
    void loadEnded(bool ok);
    void decideLoadEnd(bool ok);
    void keepCopy(const QString &address);
    // underway: held for as long as the copy is being taken.
    void saveCopy(const QString &address, const std::shared_ptr<void> &underway);
    void showCopy(const KeptCopy &copy, const QString &status, const PageLoad &load);
    void showOwnPage(const QString &html, const QUrl &address, const QString &status,
                     const PageLoad &load);
    bool offlineNow() const;

    // A document command may run: there is a document and its page.
    bool commandable() const;
    void saveEnded(QWebEngineDownloadRequest *request, const QString &path);
    // Tells the user that a document command failed, as the host's dialog mode says.
    void reportFailure(const QString &command, const QString &target, const QString &reason);

    QPointer<QWidget> holder; // the widget the host lays out; the view goes into it
    QPointer<QWebEngineView> view;
    QPointer<WebPage> currentPage;
    QPointer<FindDialog> finder;
    WebControlHost *host = nullptr;
    quint32 dlFlags = DLCTL_DEFAULT;
    quint32 uiFlags = 0;
    bool silentValue = false;
    double paneZoom = 1.0;
    int wheelDelta = 0; // Ctrl+wheel turned by less than a step so far
    bool documentShown = false;
    bool keepsPage = false; // setKeepsPage, for the loads that follow
    int ready = READYSTATE_UNINITIALIZED;
    // The last navigation asked not to read the cache: this view's requests say so.
    bool bypassingCache = false;
    QUrl loadingUrl; // the main-frame address being loaded, for status texts
    bool printing = false;
    QPointer<QLabel> stoppedLabel; // shown in place of the view while its renderer is gone

    // The load under way or last ended, as asked for.
    QUrl requested;
    int requestedFlags = 0;
    bool loadBegun = false; // begun by navigate or refresh, not yet ended
    // A moved page is loading its restored entry: a navigation asked meanwhile waits for it,
    // or the restore would take its place.
    bool restoring = false;
    QString waitingAddress;
    int waitingFlags = 0;
    int loadSerial = 0;         // counts loads, so a late decision knows it is late
    bool keepsThisLoad = false; // a bookmark's load
    bool ownLoad = false;       // a stand-in is being loaded
    LoadErrorDomain errorDomain = LoadErrorDomain::None;
    int errorCode = 0;
    QString errorText;
    struct StandIn {
        QString address; // what the stand-in stands for; empty while the page itself shows
        QString status;
        PageLoad load; // reported once the stand-in has loaded
    } standIn;
};

} // namespace mira::platform
