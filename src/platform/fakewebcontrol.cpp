#include "platform/fakewebcontrol.h"

#include <QTimer>
#include <QUrl>

#include "platform/webdialogs.h"

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
    resting = false;
    askDownloadFlags();
    const QString target = address.trimmed().isEmpty() ? QStringLiteral("about:blank") : address;
    startLoad(target, flags & navNoHistory ? Entry::Replace : Entry::Add);
}

void FakeWebControl::startLoad(const QString &address, Entry entry, int walkTo)
{
    const int serial = ++loadSerial;
    if (!completeNavigations) {
        ready = READYSTATE_LOADING;
        return;
    }
    // The engine asks before it navigates, then loads, all after the call returned.
    QTimer::singleShot(0, this, [this, address, entry, walkTo, serial] {
        if (serial != loadSerial)
            return;
        bool cancel = false;
        Q_EMIT beforeNavigate(address, &cancel);
        if (cancel || serial != loadSerial)
            return;
        document = true;
        ready = READYSTATE_LOADING;
        loading = true;
        loadingAddress = address;
        Q_EMIT statusTextChange(QStringLiteral("Opening page %1...").arg(address));
        Q_EMIT progressChange(0, 100);
        if (site && site->value(address).held)
            return; // until stop()
        commitLoad(address, entry, walkTo);
    });
}

void FakeWebControl::commitLoad(const QString &address, Entry entry, int walkTo)
{
    location = address;
    switch (entry) {
    case Entry::Add:
        history = history.mid(0, historyIndex + 1);
        history.append(address);
        historyIndex = int(history.size()) - 1;
        break;
    case Entry::Replace:
        // A control that shows nothing yet has no entry to replace.
        if (historyIndex < 0 || historyIndex >= history.size()) {
            history = QStringList{address};
            historyIndex = 0;
        } else {
            // The engine's replacement keeps the entries ahead, unlike a new entry.
            history[historyIndex] = address;
        }
        break;
    case Entry::Walk: historyIndex = walkTo; break;
    case Entry::Keep: break;
    }
    const QString scheme = address.section(QLatin1Char(':'), 0, 0).toLower();
    static const QStringList network = {QStringLiteral("http"), QStringLiteral("https"),
                                        QStringLiteral("ws"), QStringLiteral("wss")};
    if (offline() && network.contains(scheme)) {
        // Blocked before it reaches the network: the program's offline page stands in.
        title = QStringLiteral("Offline");
        Q_EMIT titleChange(title);
        endLoad(false);
        return;
    }
    const Page *page = servedPage();
    title = page && !page->title.isEmpty() ? page->title : address;
    Q_EMIT titleChange(title);
    Q_EMIT progressChange(100, 100);
    if (page && !(dlFlags & DLCTL_NO_SCRIPTS)) {
        const QList<PageStep> steps = page->steps; // a step may load another page
        for (const PageStep &step : steps)
            runStep(step);
    }
    endLoad(true);
}

void FakeWebControl::endLoad(bool ok)
{
    loading = false;
    document = true;
    ready = READYSTATE_COMPLETE;
    Q_EMIT statusTextChange(ok ? QStringLiteral("Done")
                               : QStringLiteral("Cannot open %1").arg(loadingAddress));
    Q_EMIT progressChange(-1, 100);
    PageLoad load;
    load.address = loadingAddress;
    load.ok = ok;
    load.kept = keepsPage;
    if (!ok)
        load.error = QStringLiteral("The page could not be loaded.");
    Q_EMIT pageLoadEnded(load);
}

const FakeWebControl::Page *FakeWebControl::servedPage() const
{
    if (!site || !document)
        return nullptr;
    const auto it = site->constFind(location);
    return it == site->constEnd() ? nullptr : &*it;
}

bool FakeWebControl::offline() const
{
    return dlFlags & (DLCTL_OFFLINE | DLCTL_FORCEOFFLINE);
}

void FakeWebControl::runStep(const PageStep &step)
{
    switch (step.kind) {
    case PageStep::Alert: {
        // As the engine: told OK at once, the message follows.
        QPointer<FakeWebControl> self = this;
        DeliverAlertLater(this,
                          {step.text, EngineCaption(), MB_OK | MB_ICONWARNING, false, {}, IDOK},
                          [self](WebMessage &m) {
                              if (self)
                                  self->pageMessage(m);
                          });
        break;
    }
    case PageStep::Confirm: {
        WebMessage m{step.text, EngineCaption(), MB_OKCANCEL | MB_ICONQUESTION, false,
                     {},        IDCANCEL};
        title = pageMessage(m) == IDOK ? QStringLiteral("true") : QStringLiteral("false");
        Q_EMIT titleChange(title);
        break;
    }
    case PageStep::Prompt: {
        WebMessage m{step.text, EngineCaption(), MB_OKCANCEL | MB_ICONQUESTION,
                     true,      step.value,      IDCANCEL};
        title = pageMessage(m) == IDOK ? m.value : QStringLiteral("null");
        Q_EMIT titleChange(title);
        break;
    }
    case PageStep::OpenWindow: {
        WebControl *target = nullptr;
        bool cancel = false;
        Q_EMIT newWindow(&target, &cancel);
        QPointer<FakeWebControl> catcher(qobject_cast<FakeWebControl *>(target));
        if (cancel || !catcher || step.text.isEmpty())
            break; // discarded; a window opened without an address never navigates
        // The catcher only hears where the window wanted to go; it loads nothing.
        QTimer::singleShot(0, catcher, [catcher, address = step.text] {
            if (catcher)
                catcher->emitBeforeNavigate(address);
        });
        break;
    }
    case PageStep::Close:
        // Scripts may close only a window whose history has one entry.
        if (history.size() == 1)
            QTimer::singleShot(0, this, [this] { Q_EMIT windowCloseRequested(); });
        break;
    }
}

int FakeWebControl::pageMessage(WebMessage &message)
{
    if (askShowMessage(message))
        return message.result;
    if (silentValue || (dlFlags & DLCTL_SILENT))
        return message.result;
    message.result = ShowOwnMessage(view, message);
    return message.result;
}

bool FakeWebControl::goBack()
{
    ++backCalls;
    if (historyIndex <= 0 || historyIndex >= history.size())
        return false;
    startLoad(history[historyIndex - 1], Entry::Walk, historyIndex - 1);
    return true;
}

bool FakeWebControl::goForward()
{
    ++forwardCalls;
    if (historyIndex < 0 || historyIndex + 1 >= history.size())
        return false;
    startLoad(history[historyIndex + 1], Entry::Walk, historyIndex + 1);
    return true;
}

bool FakeWebControl::stop()
{
    ++stopCalls;
    if (!document)
        return false;
    ++loadSerial;
    if (loading)
        endLoad(false);
    return true;
}

bool FakeWebControl::refresh()
{
    ++refreshCalls;
    if (!document)
        return false;
    resting = false;
    startLoad(location, Entry::Keep);
    return true;
}

void FakeWebControl::setSilent(bool silent)
{
    silentWrites.append(silent);
    silentValue = silent;
}

bool FakeWebControl::exec(bool useGroup, int command, int option, const QVariant &in, QVariant *out)
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
    case OLECMDID_PAGESETUP: return true;
    default: return false;
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
    if (!document)
        return {};
    if (scriptResult)
        return scriptResult(script);
    const Page *page = servedPage();
    if (!page)
        return {};
    const QString s = script.trimmed();
    if (s == QLatin1String("document.title"))
        return title;
    return page->globals.value(s);
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
