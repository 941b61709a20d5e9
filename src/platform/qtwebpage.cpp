#include "platform/qtwebpage.h"

#include <QTimer>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include "dialogs/pagedialogs.h"
#include "platform/connectivity.h"
#include "platform/qtwebcontrol.h"
#include "platform/webdialogs.h"

namespace mira::platform {

OfflineInterceptor::OfflineInterceptor(QObject *parent, std::function<bool()> isViewOffline,
                                       std::function<bool()> bypassesCache)
    : QWebEngineUrlRequestInterceptor(parent),
      viewOffline(std::move(isViewOffline)),
      bypassCache(std::move(bypassesCache))
{
}

void OfflineInterceptor::interceptRequest(QWebEngineUrlRequestInfo &info)
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

CatcherPage::CatcherPage(QWebEngineProfile *profile, QObject *parent,
                         std::function<void(const QUrl &)> caughtFn)
    : QWebEnginePage(profile, parent), caught(std::move(caughtFn))
{
    // A window opened without an address never navigates.
    QTimer::singleShot(10000, this, &QObject::deleteLater);
}

bool CatcherPage::acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame)
{
    if (!isMainFrame || done)
        return false;
    done = true;
    if (url.toString() != QLatin1String("about:blank#blocked") && caught)
        caught(url);
    deleteLater();
    return false;
}

WebPage::WebPage(QWebEngineProfile *profile, QtWebControl *owner)
    : QWebEnginePage(profile, owner), control(owner)
{
}

void WebPage::javaScriptAlert(const QUrl &, const QString &msg)
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

bool WebPage::javaScriptConfirm(const QUrl &, const QString &msg)
{
    // The page waits for the answer, and the engine with it.
    const EngineHold hold;
    // A page's leave question is a window of the engine, not a script message; a
    // silent control leaves the page unasked.
    if (msg == LeavePageQuestionText())
        return control
               && AskEngineQuestion(control->view, control->effectiveSilent(), mrOK,
                                    EngineCaption(), msg, MsgType::Confirmation, mbOK | mbCancel)
                      == mrOK;
    WebMessage m{msg, EngineCaption(), MB_OKCANCEL | MB_ICONQUESTION, false, {}, IDCANCEL};
    return control && control->scriptMessage(m) == IDOK;
}

bool WebPage::javaScriptPrompt(const QUrl &, const QString &msg, const QString &defaultValue,
                               QString *result)
{
    const EngineHold hold;
    WebMessage m{msg, EngineCaption(), MB_OKCANCEL | MB_ICONQUESTION, true, defaultValue, IDCANCEL};
    if (!control || control->scriptMessage(m) != IDOK)
        return false;
    *result = m.value;
    return true;
}

void WebPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &, int,
                                       const QString &)
{
}

QStringList WebPage::chooseFiles(FileSelectionMode mode, const QStringList &oldFiles,
                                 const QStringList &)
{
    if (!control)
        return {};
    const EngineHold hold;
    return ChooseUploadFiles(control->view, control->effectiveSilent(),
                             mode == FileSelectOpenMultiple, oldFiles);
}

QWebEnginePage *WebPage::createWindow(WebWindowType)
{
    return control ? control->catchNewWindow(profile()) : nullptr;
}

bool WebPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    if (isMainFrame && control && !control->navigationRequested(url))
        return false;
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}

// What the page hands to its control.

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

} // namespace mira::platform
