#pragma once
// The engine's page of a QtWebControl and the pages around it: the request filter that
// keeps an offline view off the network, and the page that stands in as a new window.
#include <QPointer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineUrlRequestInterceptor>
#include <functional>

namespace mira::platform {

class QtWebControl;

// Blocks network schemes while the program is offline or the view's flags say so.
class OfflineInterceptor final : public QWebEngineUrlRequestInterceptor {
public:
    OfflineInterceptor(QObject *parent, std::function<bool()> isViewOffline,
                       std::function<bool()> bypassesCache);
    void interceptRequest(QWebEngineUrlRequestInfo &info) override;

private:
    std::function<bool()> viewOffline;
    std::function<bool()> bypassCache;
};

// Stands in as a new window: its first navigation goes to the catcher control's
// beforeNavigate, and it never loads anything itself.
class CatcherPage final : public QWebEnginePage {
public:
    CatcherPage(QWebEngineProfile *profile, QObject *parent,
                std::function<void(const QUrl &)> caughtFn);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame) override;

private:
    std::function<void(const QUrl &)> caught;
    bool done = false;
};

// The page a control shows: the engine's script boxes, file choosers, new windows and
// navigations go to the control.
class WebPage final : public QWebEnginePage {
public:
    WebPage(QWebEngineProfile *profile, QtWebControl *owner);

protected:
    void javaScriptAlert(const QUrl &, const QString &msg) override;
    bool javaScriptConfirm(const QUrl &, const QString &msg) override;
    bool javaScriptPrompt(const QUrl &, const QString &msg, const QString &defaultValue,
                          QString *result) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &, int,
                                  const QString &) override;
    QStringList chooseFiles(FileSelectionMode mode, const QStringList &oldFiles,
                            const QStringList &) override;
    QWebEnginePage *createWindow(WebWindowType) override;
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;

private:
    QPointer<QtWebControl> control;
};

} // namespace mira::platform
