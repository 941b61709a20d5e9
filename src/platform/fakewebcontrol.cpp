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
    scripted.askDownloadFlags();
    scripted.askHostInfo();
}

void FakeWebControl::navigate(const QString &address, int flags)
{
    calls.navigations.append({address, flags});
    state.resting = false;
    scripted.askDownloadFlags();
    const QString target = address.trimmed().isEmpty() ? QStringLiteral("about:blank") : address;
    startLoad(target, flags & navNoHistory ? Entry::Replace : Entry::Add);
}

void FakeWebControl::startLoad(const QString &address, Entry entry, int walkTo)
{
    const int serial = ++loadSerial;
    if (!state.completeNavigations) {
        state.ready = READYSTATE_LOADING;
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
        state.document = true;
        state.ready = READYSTATE_LOADING;
        loading = true;
        loadingAddress = address;
        Q_EMIT statusTextChange(QStringLiteral("Opening page %1...").arg(address));
        Q_EMIT progressChange(0, 100);
        if (state.site && state.site->value(address).held)
            return; // until stop()
        commitLoad(address, entry, walkTo);
    });
}

void FakeWebControl::commitLoad(const QString &address, Entry entry, int walkTo)
{
    state.location = address;
    switch (entry) {
    case Entry::Add:
        state.history = state.history.mid(0, state.historyIndex + 1);
        state.history.append(address);
        state.historyIndex = int(state.history.size()) - 1;
        break;
    case Entry::Replace:
        // A control that shows nothing yet has no entry to replace.
        if (state.historyIndex < 0 || state.historyIndex >= state.history.size()) {
            state.history = QStringList{address};
            state.historyIndex = 0;
        } else {
            // The engine's replacement keeps the entries ahead, unlike a new entry.
            state.history[state.historyIndex] = address;
        }
        break;
    case Entry::Walk: state.historyIndex = walkTo; break;
    case Entry::Keep: break;
    }
    const QString scheme = address.section(QLatin1Char(':'), 0, 0).toLower();
    static const QStringList network = {QStringLiteral("http"), QStringLiteral("https"),
                                        QStringLiteral("ws"), QStringLiteral("wss")};
    if (offline() && network.contains(scheme)) {
        // Blocked before it reaches the network: the program's offline page stands in.
        state.title = QStringLiteral("Offline");
        Q_EMIT titleChange(state.title);
        endLoad(false);
        return;
    }
    const Page *page = servedPage();
    state.title = page && !page->title.isEmpty() ? page->title : address;
    Q_EMIT titleChange(state.title);
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
    state.document = true;
    state.ready = READYSTATE_COMPLETE;
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
    if (!state.site || !state.document)
        return nullptr;
    const auto it = state.site->constFind(state.location);
    return it == state.site->constEnd() ? nullptr : &*it;
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
        state.title = pageMessage(m) == IDOK ? QStringLiteral("true") : QStringLiteral("false");
        Q_EMIT titleChange(state.title);
        break;
    }
    case PageStep::Prompt: {
        WebMessage m{step.text, EngineCaption(), MB_OKCANCEL | MB_ICONQUESTION,
                     true,      step.value,      IDCANCEL};
        state.title = pageMessage(m) == IDOK ? m.value : QStringLiteral("null");
        Q_EMIT titleChange(state.title);
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
                catcher->scripted.emitBeforeNavigate(address);
        });
        break;
    }
    case PageStep::Close:
        // Scripts may close only a window whose history has one entry.
        if (state.history.size() == 1)
            QTimer::singleShot(0, this, [this] { Q_EMIT windowCloseRequested(); });
        break;
    }
}

int FakeWebControl::pageMessage(WebMessage &message)
{
    if (scripted.askShowMessage(message))
        return message.result;
    if (silentValue || (dlFlags & DLCTL_SILENT))
        return message.result;
    message.result = ShowOwnMessage(view, message);
    return message.result;
}

bool FakeWebControl::goBack()
{
    ++calls.backCalls;
    if (state.historyIndex <= 0 || state.historyIndex >= state.history.size())
        return false;
    startLoad(state.history[state.historyIndex - 1], Entry::Walk, state.historyIndex - 1);
    return true;
}

bool FakeWebControl::goForward()
{
    ++calls.forwardCalls;
    if (state.historyIndex < 0 || state.historyIndex + 1 >= state.history.size())
        return false;
    startLoad(state.history[state.historyIndex + 1], Entry::Walk, state.historyIndex + 1);
    return true;
}

bool FakeWebControl::stop()
{
    ++calls.stopCalls;
    if (!state.document)
        return false;
    ++loadSerial;
    if (loading)
        endLoad(false);
    return true;
}

bool FakeWebControl::refresh()
{
    ++calls.refreshCalls;
    if (!state.document)
        return false;
    state.resting = false;
    startLoad(state.location, Entry::Keep);
    return true;
}

void FakeWebControl::setSilent(bool silent)
{
    calls.silentWrites.append(silent);
    silentValue = silent;
}

void FakeWebControl::ambientPropertyChanged(int dispId)
{
    calls.ambientChanges.append(dispId);
    if (dispId == DISPID_AMBIENT_DLCONTROL)
        scripted.askDownloadFlags();
}

QVariant FakeWebControl::evaluateScript(const QString &script)
{
    calls.scripts.append(script);
    if (!state.document)
        return {};
    if (state.scriptResult)
        return state.scriptResult(script);
    const Page *page = servedPage();
    if (!page)
        return {};
    const QString s = script.trimmed();
    if (s == QLatin1String("document.title"))
        return state.title;
    return page->globals.value(s);
}

bool FakeWebControl::command(bool useGroup, int id, int option, const QVariant &in)
{
    calls.commands.append({useGroup, id, option, in});
    return state.document;
}

bool FakeWebControl::open()
{
    return command(false, OLECMDID_OPEN, OLECMDEXECOPT_DODEFAULT);
}

bool FakeWebControl::saveAs()
{
    return command(false, OLECMDID_SAVEAS, OLECMDEXECOPT_DODEFAULT);
}

bool FakeWebControl::print(int option)
{
    return command(false, OLECMDID_PRINT, option);
}

bool FakeWebControl::printPreview()
{
    return command(false, OLECMDID_PRINTPREVIEW, OLECMDEXECOPT_DODEFAULT);
}

bool FakeWebControl::pageSetup()
{
    return command(false, OLECMDID_PAGESETUP, OLECMDEXECOPT_DODEFAULT);
}

bool FakeWebControl::find()
{
    return command(true, CGID_IWebBrowser_FIND, OLECMDEXECOPT_DODEFAULT);
}

bool FakeWebControl::internetOptions()
{
    return command(true, CGID_IWebBrowser_OPTIONS, OLECMDEXECOPT_DODEFAULT);
}

// The text size is asked and set without a prompt.
std::pair<int, int> FakeWebControl::textSizeRange()
{
    command(false, OLECMDID_GETZOOMRANGE, OLECMDEXECOPT_DONTPROMPTUSER);
    return {state.zoomMin, state.zoomMax};
}

int FakeWebControl::textSize()
{
    command(false, OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER);
    return state.zoomLevel;
}

bool FakeWebControl::setTextSize(int level)
{
    command(false, OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, level);
    if (level < state.zoomMin || level > state.zoomMax)
        return false;
    state.zoomLevel = level;
    return true;
}

} // namespace mira::platform
