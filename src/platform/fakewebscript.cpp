#include "platform/fakewebscript.h"

#include "platform/fakewebcontrol.h"

namespace mira::platform {

quint32 FakeWebScript::askDownloadFlags()
{
    QVariant result;
    control.dlFlags = control.hostPtr
                              && control.hostPtr->Invoke(DISPID_AMBIENT_DLCONTROL,
                                                         DISPATCH_PROPERTYGET, &result)
                          ? result.toUInt()
                          : DLCTL_DEFAULT;
    return control.dlFlags;
}

DocHostInfo FakeWebScript::askHostInfo()
{
    DocHostInfo info;
    control.uiFlags = control.hostPtr && control.hostPtr->GetHostInfo(info) ? info.dwFlags : 0;
    return info;
}

bool FakeWebScript::askShowMessage(WebMessage &message)
{
    return control.hostPtr && control.hostPtr->ShowMessage(message);
}

bool FakeWebScript::emitBeforeNavigate(const QString &address)
{
    bool cancel = false;
    Q_EMIT control.beforeNavigate(address, &cancel);
    return cancel;
}

WebControl *FakeWebScript::emitNewWindow(bool *cancelled)
{
    WebControl *target = nullptr;
    bool cancel = false;
    Q_EMIT control.newWindow(&target, &cancel);
    if (cancelled)
        *cancelled = cancel;
    return cancel ? nullptr : target;
}

void FakeWebScript::emitStatusText(const QString &text)
{
    Q_EMIT control.statusTextChange(text);
}

void FakeWebScript::emitTitle(const QString &text)
{
    Q_EMIT control.titleChange(text);
}

void FakeWebScript::emitProgress(int progress, int max)
{
    Q_EMIT control.progressChange(progress, max);
}

void FakeWebScript::emitCloseRequest()
{
    Q_EMIT control.windowCloseRequested();
}

void FakeWebScript::emitZoomWheel(int steps)
{
    Q_EMIT control.zoomWheel(steps);
}

} // namespace mira::platform
