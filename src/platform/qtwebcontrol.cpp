#include "platform/qtwebcontrol.h"

#include <QEventLoop>
#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEngineFindTextResult>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#include <memory>

#include "dialogs/modal.h"
#include "platform/connectivity.h"
#include "platform/internetoptions.h"
#include "platform/profiles.h"
#include "platform/webdialogs.h"
#include "platform/webengine.h"

namespace mira::platform {
namespace {

// Blocks network schemes while the program is offline or the view's flags say so.
class OfflineInterceptor final : public QWebEngineUrlRequestInterceptor {
public:
    OfflineInterceptor(QObject *parent, std::function<bool()> isViewOffline,
                       std::function<bool()> bypassesCache)
        : QWebEngineUrlRequestInterceptor(parent),
          viewOffline(std::move(isViewOffline)),
          bypassCache(std::move(bypassesCache))
    {
    }
    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        static const QStringList network = {QStringLiteral("http"), QStringLiteral("https"),
                                            QStringLiteral("ws"), QStringLiteral("wss")};
        if (!network.contains(info.requestUrl().scheme()))
            return;
        if (!IsOnline() || viewOffline()) {
            info.block(true);
            return;
        }
        // An end-to-end fetch: nothing is read from a cache, nor revalidated.
        if (bypassCache()) {
            info.setHttpHeader("Cache-Control", "no-cache");
            info.setHttpHeader("Pragma", "no-cache");
        }
    }

private:
    std::function<bool()> viewOffline;
    std::function<bool()> bypassCache;
};

// Stands in as a new window: its first navigation goes to the catcher control's
// beforeNavigate, and it never loads anything itself.
class CatcherPage final : public QWebEnginePage {
public:
    CatcherPage(QWebEngineProfile *profile, QObject *parent,
                std::function<void(const QUrl &)> caughtFn)
        : QWebEnginePage(profile, parent), caught(std::move(caughtFn))
    {
        // A window opened without an address never navigates.
        QTimer::singleShot(10000, this, &QObject::deleteLater);
    }

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame) override
    {
        if (!isMainFrame || done)
            return false;
        done = true;
        if (url.toString() != QLatin1String("about:blank#blocked") && caught)
            caught(url);
        deleteLater();
        return false;
    }

private:
    std::function<void(const QUrl &)> caught;
    bool done = false;
};

} // namespace

QList<QtWebControl *> &QtWebControl::liveControls()
{
    static QList<QtWebControl *> controls;
    return controls;
}

class WebPage final : public QWebEnginePage {
public:
    WebPage(QWebEngineProfile *profile, QtWebControl *owner)
        : QWebEnginePage(profile, owner), control(owner)
    {
    }

protected:
    void javaScriptAlert(const QUrl &, const QString &msg) override
    {
        // A box run in here would hold every page until answered.
        if (!control)
            return;
        QPointer<QtWebControl> target = control;
        DeliverAlertLater(control, {msg, EngineCaption(), MB_OK | MB_ICONWARNING, false, {}, IDOK},
                          [target](WebMessage &m) {
                              if (target)
                                  target->scriptMessage(m);
                          });
    }
    bool javaScriptConfirm(const QUrl &, const QString &msg) override
    {
        // The page waits for the answer, and the engine with it.
        const EngineHold hold;
        // A page's leave question is a window of the engine, not a script message; a
        // silent control leaves the page unasked.
        if (msg == LeavePageQuestionText())
            return control
                   && AskEngineQuestion(control->view, control->effectiveSilent(), mrOK,
                                        EngineCaption(), msg, MsgType::Confirmation,
                                        mbOK | mbCancel)
                          == mrOK;
        WebMessage m{msg, EngineCaption(), MB_OKCANCEL | MB_ICONQUESTION, false, {}, IDCANCEL};
        return control && control->scriptMessage(m) == IDOK;
    }
    bool javaScriptPrompt(const QUrl &, const QString &msg, const QString &defaultValue,
                          QString *result) override
    {
        const EngineHold hold;
        WebMessage m{msg,  EngineCaption(), MB_OKCANCEL | MB_ICONQUESTION,
                     true, defaultValue,    IDCANCEL};
        if (!control || control->scriptMessage(m) != IDOK)
            return false;
        *result = m.value;
        return true;
    }
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &, int,
                                  const QString &) override
    {
    }
    QStringList chooseFiles(FileSelectionMode mode, const QStringList &oldFiles,
                            const QStringList &) override
    {
        if (!control)
            return {};
        const EngineHold hold;
        return ChooseUploadFiles(control->view, control->effectiveSilent(),
                                 mode == FileSelectOpenMultiple, oldFiles);
    }
    QWebEnginePage *createWindow(WebWindowType) override
    {
        return control ? control->catchNewWindow(profile()) : nullptr;
    }
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override
    {
        if (isMainFrame && control && !control->navigationRequested(url))
            return false;
        return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
    }

private:
    QPointer<QtWebControl> control;
};

QtWebControl::QtWebControl(QWidget *parent) : WebControl(parent), holder(new QWidget(parent))
{
    // The engine's view, page and renderer come at the first navigation: a pane that
    // never navigates (a hidden book page, a blank pane) costs no renderer. What is
    // set before then waits in the fields and is applied when the page is made.
    holder->setObjectName(QStringLiteral("webHolder"));
    auto *layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    liveControls().append(this);
}

bool QtWebControl::hasEngine() const
{
    return currentPage;
}

void QtWebControl::ensureEngine(QWebEngineProfile *profile)
{
    if (!view && holder) {
        view = new QWebEngineView(holder);
        view->setObjectName(QStringLiteral("webView"));
        holder->layout()->addWidget(view);
        holder->setFocusProxy(view);
    }
    if (!page())
        installPage(profile);
}

QtWebControl::~QtWebControl()
{
    liveControls().removeOne(this);
    host = nullptr;
    delete finder.data();
    // Pages go before the view, both before the profiles (at program end).
    if (view)
        view->setPage(nullptr);
    delete currentPage.data();
    delete view.data();
    delete holder.data();
}

QWidget *QtWebControl::widget() const
{
    return holder.data();
}

QWebEnginePage *QtWebControl::page() const
{
    return currentPage.data();
}

QString QtWebControl::EngineDataFolder()
{
    return engine::DataFolder();
}

QString QtWebControl::EngineCacheFolder()
{
    return engine::CacheFolder();
}

void QtWebControl::installPage(QWebEngineProfile *profile)
{
    WebPage *old = currentPage.data();
    auto *p = new WebPage(profile, this);
    p->setUrlRequestInterceptor(new OfflineInterceptor(
        p, [this] { return offline(); }, [this] { return bypassingCache; }));
    currentPage = p;

    guardPage(p);
    watchLoads(p);
    connect(p, &QWebEnginePage::loadStarted, this, [this] {
        showStopped(false);
        document = true;
        ready = READYSTATE_LOADING;
        Q_EMIT statusTextChange(
            QStringLiteral("Opening page %1...").arg(loadingUrl.toDisplayString()));
    });
    connect(p, &QWebEnginePage::loadProgress, this,
            [this](int progress) { Q_EMIT progressChange(progress, 100); });
    connect(p, &QWebEnginePage::titleChanged, this,
            [this](const QString &title) { Q_EMIT titleChange(title); });
    connect(p, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        document = true;
        ready = READYSTATE_COMPLETE;
        applyZoom();
        Q_EMIT statusTextChange(loadEndStatus(ok));
        Q_EMIT progressChange(-1, 100);
        loadEnded(ok);
    });
    connect(p, &QWebEnginePage::linkHovered, this,
            [this](const QString &url) { Q_EMIT statusTextChange(url); });
    connect(p, &QWebEnginePage::windowCloseRequested, this,
            [this] { Q_EMIT windowCloseRequested(); });
    askForPage(p, profile);

    if (view)
        view->setPage(p);
    applyPageSettings();
    applyZoom();
    if (old)
        old->deleteLater();
}

void QtWebControl::setHost(WebControlHost *h)
{
    host = h;
    askHost();
}

void QtWebControl::askHost()
{
    dlFlags = DLCTL_DEFAULT;
    uiFlags = 0;
    if (host) {
        QVariant result;
        if (host->Invoke(DISPID_AMBIENT_DLCONTROL, DISPATCH_PROPERTYGET, &result))
            dlFlags = result.toUInt();
        DocHostInfo info;
        if (host->GetHostInfo(info))
            uiFlags = info.dwFlags;
    }
    applyPageSettings();
}

void QtWebControl::ambientPropertyChanged(int dispId)
{
    if (dispId == DISPID_AMBIENT_DLCONTROL)
        askHost();
}

void QtWebControl::applyPageSettings()
{
    QWebEnginePage *p = page();
    if (!p)
        return;
    QWebEngineSettings *s = p->settings();
    // Only restrictions are set on the page; otherwise the global options apply.
    auto restrict = [s](QWebEngineSettings::WebAttribute attribute, bool off) {
        if (off)
            s->setAttribute(attribute, false);
        else
            s->resetAttribute(attribute);
    };
    restrict(QWebEngineSettings::AutoLoadImages, !(dlFlags & DLCTL_DLIMAGES));
    restrict(QWebEngineSettings::JavascriptEnabled, dlFlags & DLCTL_NO_SCRIPTS);
    restrict(QWebEngineSettings::PluginsEnabled,
             dlFlags & (DLCTL_NO_JAVA | DLCTL_NO_RUNACTIVEXCTLS));
    restrict(QWebEngineSettings::ShowScrollBars, uiFlags & DOCHOSTUIFLAG_SCROLL_NO);
    // A failed load shows the program's own page or a kept copy, never the engine's.
    s->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
}

bool QtWebControl::effectiveSilent() const
{
    return silentValue || (dlFlags & DLCTL_SILENT);
}

bool QtWebControl::offline() const
{
    return dlFlags & (DLCTL_OFFLINE | DLCTL_FORCEOFFLINE);
}

void QtWebControl::navigate(const QString &address, int flags)
{
    askHost();
    const QUrl url = QUrl::fromUserInput(address.trimmed().isEmpty() ? QStringLiteral("about:blank")
                                                                     : address,
                                         QString(), QUrl::AssumeLocalFile);
    if (!url.isValid())
        return;
    if (restoring) {
        waitingAddress = address;
        waitingFlags = flags;
        return;
    }
    setResting(false);
    bypassingCache = flags & navNoReadFromCache;
    ensureEngine(engine::Profile(ProfileFor(PrivateBrowsing())));
    showStopped(false);
    beginLoad(url, flags);
    if (navigateOffline(url))
        return;
    if ((flags & navNoHistory) && replaceCurrentEntry(url))
        return;
    page()->load(url);
}

bool QtWebControl::replaceCurrentEntry(const QUrl &url)
{
    // The engine has no navigation without a history entry; the page replacing its
    // own location takes the current entry's place and leaves the earlier ones.
    // A view that shows nothing yet has no entry to replace.
    if (!document || !page() || page()->history()->count() == 0)
        return false;
    // The address as a script string literal: the one element of a JSON array.
    const QByteArray quoted =
        QJsonDocument(QJsonArray{url.toString()}).toJson(QJsonDocument::Compact);
    const QString script = QStringLiteral("location.replace(%1); true")
                               .arg(QString::fromUtf8(quoted.mid(1, quoted.size() - 2)));
    QPointer<WebPage> p = currentPage;
    // In the program's own world, so a page whose scripts are off is replaced too;
    // where no script runs at all (an error page), the address loads as usual.
    p->runJavaScript(script, QWebEngineScript::ApplicationWorld, [p, url](const QVariant &ran) {
        if (p && !ran.toBool())
            p->load(url);
    });
    return true;
}

bool QtWebControl::goBack()
{
    if (!page() || !page()->history()->canGoBack())
        return false;
    page()->triggerAction(QWebEnginePage::Back);
    return true;
}

bool QtWebControl::goForward()
{
    if (!page() || !page()->history()->canGoForward())
        return false;
    page()->triggerAction(QWebEnginePage::Forward);
    return true;
}

bool QtWebControl::stop()
{
    if (!document || !page())
        return false;
    page()->triggerAction(QWebEnginePage::Stop);
    return true;
}

bool QtWebControl::refresh()
{
    if (!document || !page())
        return false;
    setResting(false);
    if (refreshStandIn())
        return true;
    beginLoad(page()->url(), requestedFlags);
    if (isPageStopped()) {
        // A renderer that ended comes back with a new load, not a reload.
        page()->load(page()->url());
        return true;
    }
    page()->triggerAction(QWebEnginePage::Reload);
    return true;
}

QString QtWebControl::locationUrl() const
{
    if (showsStandIn())
        return standIn.address;
    return page() && document ? page()->url().toString() : QString();
}

QString QtWebControl::locationName() const
{
    return page() && document ? page()->title() : QString();
}

double QtWebControl::zoomFactor() const
{
    // Before the page exists, the factor it will be made with.
    return page() ? page()->zoomFactor() : engine::ZoomFactor(engine::ZoomLevel());
}

bool QtWebControl::isNoCachePage() const
{
    return page() && bypassingCache && page()->profile()->isOffTheRecord();
}

QWidget *QtWebControl::findDialog() const
{
    return finder.data();
}

void QtWebControl::applyZoom()
{
    const double factor = engine::ZoomFactor(engine::ZoomLevel());
    if (page() && !qFuzzyCompare(page()->zoomFactor(), factor))
        page()->setZoomFactor(factor);
}

void QtWebControl::applyZoomEverywhere()
{
    for (QtWebControl *control : liveControls())
        control->applyZoom();
}

QVariant QtWebControl::evaluateScript(const QString &script)
{
    // A frozen page runs no script: no answer would come.
    if (!document || !page() || page()->lifecycleState() != QWebEnginePage::LifecycleState::Active)
        return {};
    // The callback may come after the wait has ended, or never.
    struct State {
        QVariant value;
        bool done = false;
    };
    auto state = std::make_shared<State>();
    QEventLoop loop;
    QPointer<QEventLoop> loopRef(&loop);
    page()->runJavaScript(script, [state, loopRef](const QVariant &value) {
        state->value = value;
        state->done = true;
        if (loopRef)
            loopRef->quit();
    });
    if (!state->done) {
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return state->value;
}

void QtWebControl::setResting(bool resting)
{
    QWebEnginePage *p = page();
    if (!p)
        return;
    using State = QWebEnginePage::LifecycleState;
    if (!resting) {
        if (p->lifecycleState() != State::Active)
            p->setLifecycleState(State::Active);
        return;
    }
    // The engine refuses to freeze a page that is shown.
    if (!p->isVisible() && p->lifecycleState() == State::Active)
        p->setLifecycleState(State::Frozen);
}

int QtWebControl::scriptMessage(WebMessage &message)
{
    if (host && host->ShowMessage(message))
        return message.result;
    if (effectiveSilent())
        return message.result;
    message.result = ShowOwnMessage(view, message);
    return message.result;
}

QWebEnginePage *QtWebControl::catchNewWindow(QWebEngineProfile *profile)
{
    WebControl *target = nullptr;
    bool cancel = false;
    Q_EMIT newWindow(&target, &cancel);
    auto *catcher = qobject_cast<QtWebControl *>(target);
    if (cancel || !catcher)
        return nullptr; // discarded
    QPointer<QtWebControl> catcherRef(catcher);
    return new CatcherPage(profile, catcher, [catcherRef](const QUrl &url) {
        if (catcherRef)
            catcherRef->caught(url);
    });
}

void QtWebControl::caught(const QUrl &url)
{
    bool cancel = false;
    Q_EMIT beforeNavigate(url.toString(), &cancel);
}

bool QtWebControl::navigationRequested(const QUrl &url)
{
    if (ownLoad)
        return true;
    if (!loadBegun) {
        // A link or a script of the page: no bookmark's load, and offline it stays here.
        keepsThisLoad = false;
        if (offlineNow() && url.scheme().startsWith(QLatin1String("http"))) {
            QTimer::singleShot(0, this, [this, url] { navigate(url.toString(), requestedFlags); });
            return false;
        }
        requested = url;
        standIn = {};
        ++loadSerial;
    }
    bool cancel = false;
    Q_EMIT beforeNavigate(url.toString(), &cancel);
    if (!cancel)
        loadingUrl = url;
    return !cancel;
}

bool QtWebControl::exec(bool useGroup, int command, int option, const QVariant &in, QVariant *out)
{
    if (!document || !page())
        return false;
    if (useGroup) {
        switch (command) {
        case CGID_IWebBrowser_FIND: return showFind();
        case CGID_IWebBrowser_OPTIONS: return internetOptions();
        default: return false;
        }
    }
    switch (command) {
    case OLECMDID_OPEN: return openDocument();
    case OLECMDID_SAVEAS: return saveDocumentAs();
    case OLECMDID_PRINT: return print(option);
    case OLECMDID_PRINTPREVIEW: return printPreview();
    case OLECMDID_PAGESETUP: return pageSetup();
    case OLECMDID_ZOOM:
        if (!in.isNull()) {
            bool ok = false;
            const int level = in.toInt(&ok);
            if (!ok || !engine::SetZoomLevel(level))
                return false;
            applyZoomEverywhere();
        }
        if (out)
            *out = engine::ZoomLevel();
        return true;
    case OLECMDID_GETZOOMRANGE:
        if (out)
            *out = int((quint32(engine::ZoomLevelMax) << 16) | quint32(engine::ZoomLevelMin));
        return true;
    default: return false;
    }
}

} // namespace mira::platform
