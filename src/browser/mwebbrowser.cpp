#include "browser/mwebbrowser.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QTimer>

namespace mira {

using namespace platform;

quint32 DownloadControlFlags(const TDownloadControlOptions &options)
{
    quint32 flags = 0;
    for (TDownloadControlOption option : options) {
        const int n = int(option);
        flags |= n < 15 ? (1u << (n + 4)) : (1u << (n + 13));
    }
    return flags;
}

quint32 UserInterfaceFlags(const TUserInterfaceOptions &options)
{
    quint32 flags = 0;
    for (TUserInterfaceOption option : options)
        flags |= 1u << int(option);
    return flags;
}

TMWebBrowser::TMWebBrowser(QWidget *owner)
    : TWebBrowser(owner),
      downloadOptions{TDownloadControlOption::DLCTL_DLIMAGES, TDownloadControlOption::DLCTL_VIDEOS,
                      TDownloadControlOption::DLCTL_BGSOUNDS},
      navigateFlags(0)
{
    downloadFlags = DownloadControlFlags(downloadOptions);
    hostFlags = UserInterfaceFlags(uiOptions);
    setFocusPolicy(Qt::NoFocus); // no tab stop of its own; the page takes focus
    connectControl();
    control->setHost(this);
}

TMWebBrowser::~TMWebBrowser()
{
    // The control must not call back into a half-destroyed host.
    destroyControl();
}

void TMWebBrowser::connectControl()
{
    connect(control, &WebControl::statusTextChange, this, [this](const QString &text) {
        if (events.OnStatusTextChange)
            events.OnStatusTextChange(text);
    });
    connect(control, &WebControl::titleChange, this, [this](const QString &text) {
        if (events.OnTitleChange)
            events.OnTitleChange(text);
    });
    connect(control, &WebControl::progressChange, this, [this](int progress, int max) {
        if (events.OnProgressChange)
            events.OnProgressChange(progress, max);
    });
    connect(control, &WebControl::newWindow, this, [this](WebControl **target, bool *cancel) {
        if (events.OnNewWindow2 && target && cancel)
            events.OnNewWindow2(*target, *cancel);
    });
    connect(control, &WebControl::beforeNavigate, this,
            [this](const QString &address, bool *cancel) {
                if (events.OnBeforeNavigate2 && cancel)
                    events.OnBeforeNavigate2(address, *cancel);
            });
    // The request goes the way of any close of this widget, through closeEvent; queued,
    // so the engine's call has returned before the widget may go away.
    connect(
        control, &WebControl::windowCloseRequested, this, [this] { close(); },
        Qt::QueuedConnection);
}

void TMWebBrowser::SetDownloadOptions(const TDownloadControlOptions &options)
{
    downloadOptions = options;
    downloadFlags = DownloadControlFlags(downloadOptions);
    NotifyDownloadControl();
}

void TMWebBrowser::SetUserInterfaceOptions(const TUserInterfaceOptions &options)
{
    uiOptions = options;
    hostFlags = UserInterfaceFlags(uiOptions);
    NotifyDownloadControl();
}

void TMWebBrowser::NotifyDownloadControl()
{
    if (control)
        control->ambientPropertyChanged(DISPID_AMBIENT_DLCONTROL);
}

void TMWebBrowser::NavigateTo(const QString &address)
{
    if (control)
        control->navigation()->navigate(address, navigateFlags.toInt());
}

void TMWebBrowser::SetNoCache(bool on)
{
    navigateFlags = on ? (navNoHistory | navNoReadFromCache | navNoWriteToCache) : 0;
}

bool TMWebBrowser::NavigateBlank()
{
    NavigateTo(QStringLiteral("about:blank"));
    if (ReadyState() == READYSTATE_COMPLETE)
        return true;
    // A bounded wait: an engine that never completes must not freeze the program.
    QPointer<TMWebBrowser> self(this);
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(20);
    connect(&poll, &QTimer::timeout, &loop, [&loop, self] {
        if (!self || self->ReadyState() == READYSTATE_COMPLETE)
            loop.quit();
    });
    connect(control, &WebControl::progressChange, &loop, [&loop](int progress, int) {
        if (progress == -1)
            loop.quit();
    });
    QTimer::singleShot(NavigateBlankTimeoutMs, &loop, &QEventLoop::quit);
    poll.start();
    loop.exec();
    return self && self->ReadyState() == READYSTATE_COMPLETE;
}

bool TMWebBrowser::Invoke(int dispId, int flags, QVariant *result)
{
    if ((flags & DISPATCH_PROPERTYGET) && result && dispId == DISPID_AMBIENT_DLCONTROL) {
        *result = downloadFlags;
        return true;
    }
    if (events.OnInvoke)
        return events.OnInvoke(dispId, flags, result);
    return false;
}

bool TMWebBrowser::GetHostInfo(DocHostInfo &info)
{
    info.cbSize = 20;
    info.dwFlags = hostFlags;
    info.dwDoubleClick = 0;
    if (events.OnGetHostInfo)
        return events.OnGetHostInfo(info);
    return true;
}

bool TMWebBrowser::ShowMessage(WebMessage &message)
{
    return events.OnShowMessage && events.OnShowMessage(message);
}

void TMWebBrowser::closeEvent(QCloseEvent *event)
{
    bool canClose = true;
    if (events.OnCloseQuery)
        events.OnCloseQuery(this, canClose);
    if (canClose || ownerDestroying) {
        event->accept();
        Q_EMIT Closed();
    } else {
        event->ignore();
    }
}

} // namespace mira
