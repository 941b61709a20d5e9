#include "browser/mwebbrowser.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/documentcommand.h"

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
    : QWidget(owner),
      downloadOptions{TDownloadControlOption::DLCTL_DLIMAGES, TDownloadControlOption::DLCTL_VIDEOS,
                      TDownloadControlOption::DLCTL_BGSOUNDS},
      navigateFlags(0)
{
    downloadFlags = DownloadControlFlags(downloadOptions);
    hostFlags = UserInterfaceFlags(uiOptions);
    setFocusPolicy(Qt::NoFocus); // no tab stop of its own; the page takes focus
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    control = CreateWebControl(this);
    if (control->widget())
        layout->addWidget(control->widget());
    connectControl();
    control->setHost(this);
}

TMWebBrowser::~TMWebBrowser()
{
    // The control must not call back into a half-destroyed host.
    if (control) {
        control->setHost(nullptr);
        delete control.data();
    }
}

void TMWebBrowser::connectControl()
{
    connect(control, &WebControl::statusTextChange, this, [this](const QString &text) {
        if (OnStatusTextChange)
            OnStatusTextChange(text);
    });
    connect(control, &WebControl::titleChange, this, [this](const QString &text) {
        if (OnTitleChange)
            OnTitleChange(text);
    });
    connect(control, &WebControl::progressChange, this, [this](int progress, int max) {
        if (OnProgressChange)
            OnProgressChange(progress, max);
    });
    connect(control, &WebControl::newWindow, this, [this](WebControl **target, bool *cancel) {
        if (OnNewWindow2 && target && cancel)
            OnNewWindow2(*target, *cancel);
    });
    connect(control, &WebControl::beforeNavigate, this,
            [this](const QString &address, bool *cancel) {
                if (OnBeforeNavigate2 && cancel)
                    OnBeforeNavigate2(address, *cancel);
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

bool TMWebBrowser::HasDocument() const
{
    return control && control->navigation()->hasDocument();
}

QString TMWebBrowser::LocationURL() const
{
    return control ? control->navigation()->locationUrl() : QString();
}

QString TMWebBrowser::LocationName() const
{
    return control ? control->navigation()->locationName() : QString();
}

int TMWebBrowser::ReadyState() const
{
    return control ? control->navigation()->readyState() : READYSTATE_UNINITIALIZED;
}

bool TMWebBrowser::GoBack()
{
    return control && control->navigation()->goBack();
}

bool TMWebBrowser::GoForward()
{
    return control && control->navigation()->goForward();
}

bool TMWebBrowser::Stop()
{
    return control && control->navigation()->stop();
}

bool TMWebBrowser::Refresh()
{
    return control && control->navigation()->refresh();
}

bool TMWebBrowser::Silent() const
{
    return control && control->silent();
}

void TMWebBrowser::SetSilent(bool silent)
{
    if (control)
        control->setSilent(silent);
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

void TMWebBrowser::ExecCommand(bool useGroup, int command, int option, const QVariant &in,
                               QVariant *out)
{
    if (!HasDocument())
        return;
    RunDocumentCommand(*control, useGroup, command, option, in, out);
}

void TMWebBrowser::OpenDocument()
{
    QPointer<TMWebBrowser> self(this);
    if (!HasDocument()) {
        NavigateBlank();
        if (!self)
            return;
    }
    if (HasDocument())
        control->document()->open();
}

void TMWebBrowser::SaveDocumentAs()
{
    if (HasDocument())
        control->document()->saveAs();
}

void TMWebBrowser::ShowFind()
{
    if (HasDocument())
        control->document()->find();
}

void TMWebBrowser::ShowInternetOptions()
{
    QPointer<TMWebBrowser> self(this);
    if (!HasDocument()) {
        NavigateBlank();
        if (!self)
            return;
    }
    if (HasDocument())
        control->document()->internetOptions();
}

void TMWebBrowser::runWithPageSetup(const std::function<void(WebDocumentCommands *)> &command)
{
    if (!HasDocument())
        return;
    QString oldHeader;
    QString oldFooter;
    if (!printHeader.isEmpty())
        ExchangePageSetupValue(QStringLiteral("header"), printHeader, &oldHeader);
    if (!printFooter.isEmpty())
        ExchangePageSetupValue(QStringLiteral("footer"), printFooter, &oldFooter);
    command(control->document());
    if (!printHeader.isEmpty())
        ExchangePageSetupValue(QStringLiteral("header"), oldHeader, nullptr);
    if (!printFooter.isEmpty())
        ExchangePageSetupValue(QStringLiteral("footer"), oldFooter, nullptr);
}

void TMWebBrowser::PageSetup()
{
    runWithPageSetup([](WebDocumentCommands *document) { document->pageSetup(); });
}

void TMWebBrowser::PrintWithDialog()
{
    runWithPageSetup(
        [](WebDocumentCommands *document) { document->print(OLECMDEXECOPT_PROMPTUSER); });
}

void TMWebBrowser::PrintDocument()
{
    runWithPageSetup(
        [](WebDocumentCommands *document) { document->print(OLECMDEXECOPT_DONTPROMPTUSER); });
}

void TMWebBrowser::PrintPreview()
{
    if (HasDocument())
        control->document()->printPreview();
}

int TMWebBrowser::TextSizeMin()
{
    return HasDocument() ? control->zoom()->textSizeRange().first : 0;
}

int TMWebBrowser::TextSizeMax()
{
    return HasDocument() ? control->zoom()->textSizeRange().second : 0;
}

int TMWebBrowser::GetTextSize()
{
    QPointer<TMWebBrowser> self(this);
    if (!HasDocument()) {
        NavigateBlank();
        if (!self)
            return 0;
    }
    return HasDocument() ? control->zoom()->textSize() : 0;
}

void TMWebBrowser::SetTextSize(int level)
{
    const int low = TextSizeMin();
    const int high = TextSizeMax();
    if (level < low)
        level = low;
    else if (level > high)
        level = high;
    if (HasDocument())
        control->zoom()->setTextSize(level);
}

void TMWebBrowser::ExchangePageSetupValue(const QString &, const QString &, QString *oldValue)
{
    // The engine has no page setup store to exchange with: nothing is kept.
    if (oldValue)
        oldValue->clear();
}

bool TMWebBrowser::Invoke(int dispId, int flags, QVariant *result)
{
    if ((flags & DISPATCH_PROPERTYGET) && result && dispId == DISPID_AMBIENT_DLCONTROL) {
        *result = downloadFlags;
        return true;
    }
    if (OnInvoke)
        return OnInvoke(dispId, flags, result);
    return false;
}

bool TMWebBrowser::GetHostInfo(DocHostInfo &info)
{
    info.cbSize = 20;
    info.dwFlags = hostFlags;
    info.dwDoubleClick = 0;
    if (OnGetHostInfo)
        return OnGetHostInfo(info);
    return true;
}

bool TMWebBrowser::ShowMessage(WebMessage &message)
{
    return OnShowMessage && OnShowMessage(message);
}

void TMWebBrowser::closeEvent(QCloseEvent *event)
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    if (canClose || ownerDestroying) {
        event->accept();
        Q_EMIT Closed();
    } else {
        event->ignore();
    }
}

} // namespace mira
