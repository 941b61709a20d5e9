#include "platform/qtwebcontrol.h"

// What a pane shows when its page cannot be had: a kept copy of the page (offline, or
// after a failed load of its bookmark) or the program's own page; and the keeping of
// those copies after each good load of a bookmark.
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLocale>
#include <QTimer>
#include <QWebEngineDownloadRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <functional>
#include <memory>

#include "platform/connectivity.h"
#include "platform/ownpages.h"
#include "platform/webengine.h"

namespace mira::platform {
namespace {

bool isNetwork(const QUrl &url)
{
    const QString scheme = url.scheme();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

QString timeText(const QDateTime &time)
{
    return QLocale().toString(time.toLocalTime(), QLocale::ShortFormat);
}

LoadErrorDomain domainOf(QWebEngineLoadingInfo::ErrorDomain domain)
{
    using D = QWebEngineLoadingInfo::ErrorDomain;
    switch (domain) {
    case D::InternalErrorDomain: return LoadErrorDomain::Internal;
    case D::ConnectionErrorDomain: return LoadErrorDomain::Connection;
    case D::CertificateErrorDomain: return LoadErrorDomain::Certificate;
    case D::HttpErrorDomain: return LoadErrorDomain::Http;
    case D::FtpErrorDomain: return LoadErrorDomain::Ftp;
    case D::DnsErrorDomain: return LoadErrorDomain::Dns;
    case D::HttpStatusCodeDomain: return LoadErrorDomain::HttpStatus;
    default: return LoadErrorDomain::None;
    }
}

// Whether the disk cache holds the page: a page answered "Cache-Control: no-store" is
// never stored there. The engine hands no response headers over; asking the cache
// alone ("only-if-cached") sends nothing to the server.
const QString cacheCheckScript = QStringLiteral(
    "window.miraCached='';fetch(location.href,{cache:'only-if-cached',mode:'same-origin'})"
    ".then(function(r){window.miraCached=r.ok?'yes':'no';},"
    "function(){window.miraCached='no';});true");
const QString cacheAnswerScript = QStringLiteral("window.miraCached");
constexpr int cacheCheckStepMs = 50;
constexpr int cacheCheckSteps = 100;

// A copy that takes longer than this to write is given up.
constexpr int copyTimeoutMs = 60000;

int &underwayCount()
{
    static int count = 0;
    return count;
}

// Counts a copy underway for as long as any step of it holds this.
std::shared_ptr<void> copyUnderway()
{
    ++underwayCount();
    return {nullptr, [](void *) { --underwayCount(); }};
}

} // namespace

int CopiesUnderway()
{
    return underwayCount();
}

bool QtWebControl::offlineNow() const
{
    return !IsOnline() || offline();
}

void QtWebControl::watchLoads(QWebEnginePage *p)
{
    connect(p, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &info) {
        if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus) {
            errorDomain = LoadErrorDomain::None;
            errorCode = 0;
            errorText.clear();
            return;
        }
        errorDomain = domainOf(info.errorDomain());
        errorCode = info.errorCode();
        errorText = info.errorString();
    });
}

void QtWebControl::beginLoad(const QUrl &url, int flags)
{
    requested = url;
    requestedFlags = flags;
    loadBegun = true;
    // Asked for each load anew: a navigation the pane did not mark is no bookmark's.
    keepsThisLoad = keepsPage;
    keepsPage = false;
    ++loadSerial;
    ownLoad = false;
    standIn = {};
}

bool QtWebControl::navigateOffline(const QUrl &url)
{
    if (!isNetwork(url) || !offlineNow())
        return false;
    PageLoad load;
    load.address = url.toString();
    load.kept = keepsThisLoad;
    load.offline = true;
    if (const std::optional<KeptCopy> copy = PageCopies::Shared().find(load.address)) {
        load.ok = true;
        load.copyTaken = copy->taken;
        showCopy(*copy, QStringLiteral("Offline copy of %1").arg(timeText(copy->taken)), load);
    } else {
        load.error = QStringLiteral("Mira is offline and has no copy of this page.");
        showOwnPage(OfflinePageHtml(load.address), url,
                    QStringLiteral("Cannot open %1 (offline, no copy is kept)").arg(url.toString()),
                    load);
    }
    return true;
}

bool QtWebControl::refreshStandIn()
{
    QString address = standIn.address;
    if (address.isEmpty() && offlineNow() && isNetwork(page()->url()))
        address = page()->url().toString();
    if (address.isEmpty())
        return false;
    navigate(address, requestedFlags);
    return true;
}

QString QtWebControl::loadEndStatus(bool ok) const
{
    if (ownLoad)
        return standIn.status;
    return ok ? QStringLiteral("Done")
              : QStringLiteral("Cannot open %1").arg(loadingUrl.toDisplayString());
}

void QtWebControl::loadEnded(bool ok)
{
    if (ownLoad) {
        ownLoad = false;
        const PageLoad load = standIn.load;
        Q_EMIT pageLoadEnded(load);
        return;
    }
    if (!loadBegun && !requested.isValid())
        return;
    loadBegun = false;
    // The engine tells why a load failed just after it tells that it ended.
    QTimer::singleShot(0, this, [this, ok, serial = loadSerial] {
        if (serial == loadSerial && !ownLoad && page())
            decideLoadEnd(ok);
    });
}

void QtWebControl::decideLoadEnd(bool ok)
{
    PageLoad load;
    load.address = requested.toString();
    load.kept = keepsThisLoad;
    switch (ClassifyLoadEnd(ok, errorDomain, errorCode)) {
    case LoadEnd::Aborted: return;
    case LoadEnd::Success:
    case LoadEnd::Answered:
        load.ok = true;
        Q_EMIT pageLoadEnded(load);
        if (ok && keepsThisLoad && isNetwork(page()->url()))
            keepCopy(load.address);
        return;
    case LoadEnd::Failed: break;
    }
    load.error = LoadErrorText(errorDomain, errorCode, errorText);
    const std::optional<KeptCopy> copy = keepsThisLoad ? PageCopies::Shared().find(load.address)
                                                       : std::nullopt;
    if (copy) {
        load.copyTaken = copy->taken;
        showCopy(*copy,
                 QStringLiteral("Cannot open %1: %2 Showing the copy of %3.")
                     .arg(requested.toDisplayString(), load.error, timeText(copy->taken)),
                 load);
    } else {
        showOwnPage(FailurePageHtml(load.address, load.error), requested,
                    QStringLiteral("Cannot open %1: %2")
                        .arg(requested.toDisplayString(), load.error),
                    load);
    }
}

void QtWebControl::showCopy(const KeptCopy &copy, const QString &status, const PageLoad &load)
{
    standIn = {load.address, status, load};
    ownLoad = true;
    page()->load(QUrl::fromLocalFile(copy.file));
}

void QtWebControl::showOwnPage(const QString &html, const QUrl &address, const QString &status,
                               const PageLoad &load)
{
    standIn = {load.address, status, load};
    ownLoad = true;
    // Under the address it stands for, so the pane's history and address box keep it.
    page()->setHtml(html, address);
}

void QtWebControl::keepCopy(const QString &address)
{
    // Nothing is written while browsing leaves no traces.
    if (requestedFlags & navNoWriteToCache || PrivateBrowsing())
        return;
    QPointer<QtWebControl> self(this);
    QPointer<QWebEnginePage> p = page();
    const QUrl shown = page()->url();
    // The page may have moved on meanwhile.
    auto stillThere = [self, p, shown] {
        return self && p && self->page() == p && p->url() == shown && !self->showsStandIn()
               && !self->loadBegun;
    };
    auto steps = std::make_shared<int>(0);
    const std::shared_ptr<void> underway = copyUnderway();
    auto ask = std::make_shared<std::function<void()>>();
    // Each step holds the function weakly, so the chain ends with its last step.
    std::weak_ptr<std::function<void()>> weakAsk = ask;
    *ask = [self, p, stillThere, steps, weakAsk, address, underway] {
        if (!stillThere())
            return;
        const std::shared_ptr<std::function<void()>> again = weakAsk.lock();
        p->runJavaScript(cacheAnswerScript, QWebEngineScript::ApplicationWorld,
                         [self, stillThere, steps, again, address,
                          underway](const QVariant &answer) {
                             if (!stillThere())
                                 return;
                             const QString cached = answer.toString();
                             if (!cached.isEmpty()) {
                                 if (MayKeepCopy(PrivateBrowsing(), cached == QLatin1String("yes")))
                                     self->saveCopy(address, underway);
                             } else if (++*steps < cacheCheckSteps && again) {
                                 QTimer::singleShot(cacheCheckStepMs, self,
                                                    [again] { (*again)(); });
                             }
                         });
    };
    page()->runJavaScript(cacheCheckScript, QWebEngineScript::ApplicationWorld,
                          [ask](const QVariant &) { (*ask)(); });
}

void QtWebControl::saveCopy(const QString &address, const std::shared_ptr<void> &underway)
{
    QWebEnginePage *p = page();
    PageCopies &store = PageCopies::Shared();
    const QString staged = store.stagingPath(address);
    const QDateTime taken = QDateTime::currentDateTime();
    // The save goes through the profile's download request; this watcher ends with it.
    auto *job = new QObject(this);
    QTimer::singleShot(copyTimeoutMs, job, [job, staged, underway] {
        PageCopies::discard(staged);
        job->deleteLater();
    });
    connect(p->profile(), &QWebEngineProfile::downloadRequested, job,
            [job, p, staged, address, taken](QWebEngineDownloadRequest *request) {
                if (!request->isSavePageDownload() || request->page() != p
                    || QFileInfo(QDir(request->downloadDirectory()), request->downloadFileName())
                               .absoluteFilePath()
                           != QFileInfo(staged).absoluteFilePath())
                    return;
                connect(request, &QWebEngineDownloadRequest::isFinishedChanged, job,
                        [job, request, staged, address, taken] {
                            if (!request->isFinished())
                                return;
                            if (request->state() == QWebEngineDownloadRequest::DownloadCompleted)
                                PageCopies::Shared().commit(address, staged, taken);
                            else
                                PageCopies::discard(staged);
                            job->deleteLater();
                        });
            });
    p->save(staged, QWebEngineDownloadRequest::MimeHtmlSaveFormat);
}

QString QtWebControl::pageText() const
{
    if (!page())
        return {};
    auto text = std::make_shared<QString>();
    auto done = std::make_shared<bool>(false);
    QEventLoop loop;
    QPointer<QEventLoop> loopRef(&loop);
    page()->toPlainText([text, done, loopRef](const QString &plain) {
        *text = plain;
        *done = true;
        if (loopRef)
            loopRef->quit();
    });
    if (!*done) {
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return *text;
}

} // namespace mira::platform
