#include "platform/fakewebcontrol.h"

#include <QTimer>

namespace mira::platform {

FakeWebControl::FakeWebControl(QWidget *parent) : WebControl(parent), view(new QWidget(parent))
{
    view->setObjectName(QStringLiteral("fakeWebView"));
}

FakeWebControl::~FakeWebControl()
{
    delete view.data();
}

QWidget *FakeWebControl::widget() const
{
    return view.data();
}

void FakeWebControl::setHost(WebControlHost *host)
{
    hostPtr = host;
    askDownloadFlags();
    askHostInfo();
}

void FakeWebControl::navigate(const QString &address, int flags)
{
    navigations.append({address, flags});
    askDownloadFlags();
    ready = READYSTATE_LOADING;
    if (!completeNavigations)
        return;
    QTimer::singleShot(0, this, [this, address] {
        document = true;
        location = address;
        title = address;
        ready = READYSTATE_COMPLETE;
        Q_EMIT titleChange(title);
        Q_EMIT progressChange(-1, 100);
    });
}

bool FakeWebControl::goBack()
{
    ++backCalls;
    return canGoBack;
}

bool FakeWebControl::goForward()
{
    ++forwardCalls;
    return canGoForward;
}

bool FakeWebControl::stop()
{
    ++stopCalls;
    return document;
}

bool FakeWebControl::refresh()
{
    ++refreshCalls;
    return document;
}

void FakeWebControl::setSilent(bool silent)
{
    silentWrites.append(silent);
    silentValue = silent;
}

bool FakeWebControl::exec(bool useGroup, int command, int option, const QVariant &in,
                          QVariant *out)
{
    commands.append({useGroup, command, option, in});
    if (!document)
        return false;
    if (useGroup)
        return command == CGID_IWebBrowser_FIND || command == CGID_IWebBrowser_OPTIONS;
    switch (command) {
    case OLECMDID_ZOOM:
        if (!in.isNull()) {
            const int level = in.toInt();
            if (level < zoomMin || level > zoomMax)
                return false;
            zoomLevel = level;
        }
        if (out)
            *out = zoomLevel;
        return true;
    case OLECMDID_GETZOOMRANGE:
        if (out)
            *out = int((quint32(zoomMax) << 16) | (quint32(zoomMin) & 0xFFFF));
        return true;
    case OLECMDID_OPEN:
    case OLECMDID_SAVEAS:
    case OLECMDID_PRINT:
    case OLECMDID_PRINTPREVIEW:
    case OLECMDID_PAGESETUP:
        return true;
    default:
        return false;
    }
}

void FakeWebControl::ambientPropertyChanged(int dispId)
{
    ambientChanges.append(dispId);
    if (dispId == DISPID_AMBIENT_DLCONTROL)
        askDownloadFlags();
}

QVariant FakeWebControl::evaluateScript(const QString &script)
{
    scripts.append(script);
    if (!document || !scriptResult)
        return {};
    return scriptResult(script);
}

quint32 FakeWebControl::askDownloadFlags()
{
    QVariant result;
    dlFlags = hostPtr && hostPtr->Invoke(DISPID_AMBIENT_DLCONTROL, DISPATCH_PROPERTYGET, &result)
                  ? result.toUInt()
                  : DLCTL_DEFAULT;
    return dlFlags;
}

DocHostInfo FakeWebControl::askHostInfo()
{
    DocHostInfo info;
    uiFlags = hostPtr && hostPtr->GetHostInfo(info) ? info.dwFlags : 0;
    return info;
}

bool FakeWebControl::askShowMessage(WebMessage &message)
{
    return hostPtr && hostPtr->ShowMessage(message);
}

bool FakeWebControl::emitBeforeNavigate(const QString &address)
{
    bool cancel = false;
    Q_EMIT beforeNavigate(address, &cancel);
    return cancel;
}

WebControl *FakeWebControl::emitNewWindow(bool *cancelled)
{
    WebControl *target = nullptr;
    bool cancel = false;
    Q_EMIT newWindow(&target, &cancel);
    if (cancelled)
        *cancelled = cancel;
    return cancel ? nullptr : target;
}

} // namespace mira::platform
