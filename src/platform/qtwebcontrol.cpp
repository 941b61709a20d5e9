#include "platform/qtwebcontrol.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <memory>

#include "dialogs/finddialog.h"
#include "platform/memorytrim.h"
#include "platform/profiles.h"
#include "platform/qtwebpage.h"
#include "platform/webengine.h"

namespace mira::platform {

QList<QtWebControl *> &QtWebControl::liveControls()
{
    static QList<QtWebControl *> controls;
    return controls;
}

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
        watchWheel(view);
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
        documentShown = true;
        ready = READYSTATE_LOADING;
        Q_EMIT statusTextChange(
            QStringLiteral("Opening page %1...").arg(loadingUrl.toDisplayString()));
    });
    connect(p, &QWebEnginePage::loadProgress, this,
            [this](int progress) { Q_EMIT progressChange(progress, 100); });
    connect(p, &QWebEnginePage::titleChanged, this,
            [this](const QString &title) { Q_EMIT titleChange(title); });
    connect(p, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        documentShown = true;
        ready = READYSTATE_COMPLETE;
        applyZoom();
        Q_EMIT statusTextChange(loadEndStatus(ok));
        Q_EMIT progressChange(-1, 100);
        loadEnded(ok);
        ReturnFreedMemorySoon();
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
    if (!documentShown || !page() || page()->history()->count() == 0)
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
    if (!documentShown || !page())
        return false;
    page()->triggerAction(QWebEnginePage::Stop);
    return true;
}

bool QtWebControl::refresh()
{
    if (!documentShown || !page())
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
    return page() && documentShown ? page()->url().toString() : QString();
}

QString QtWebControl::locationName() const
{
    return page() && documentShown ? page()->title() : QString();
}

bool QtWebControl::isNoCachePage() const
{
    return page() && bypassingCache && page()->profile()->isOffTheRecord();
}

QWidget *QtWebControl::findDialog() const
{
    return finder.data();
}

QVariant QtWebControl::evaluateScript(const QString &script)
{
    // A frozen page runs no script: no answer would come.
    if (!documentShown || !page()
        || page()->lifecycleState() != QWebEnginePage::LifecycleState::Active)
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

} // namespace mira::platform
