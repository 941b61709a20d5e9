#include "browser/browser.h"

#include <QCoreApplication>
#include <QEvent>
#include <QIcon>
#include <QLineEdit>
#include <QMenu>
#include <QResizeEvent>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>

#include "bookmarks/refreshperiod.h"
#include "bookmarks/urlcombo.h"
#include "browser/dialogmode.h"
#include "browser/mwebbrowser.h"
#include "browser/navibarfit.h"
#include "browser/newwindowcatcher.h"
#include "browser/pagemessage.h"
#include "browser/panehost.h"
#include "browser/panezoom.h"
#include "browser/stalepane.h"
#include "dialogs/messagebox.h"
#include "dialogs/pagedialogs.h"
#include "icons/images.h"
#include "layout/align.h"
#include "layout/pan.h"
#include "platform/webcontrol.h"
#include "platform/webdialogs.h"

namespace mira {

using namespace platform;

namespace {

constexpr int kFreshSize = 52;
constexpr int kMinWidth = 149;
constexpr int kLowMinWidth = 297;
constexpr int kMinHeight = 26;

} // namespace

// -------------------------------------------------------------------------- TBrowser

TBrowser::TBrowser(QObject *owner) : QWidget(qobject_cast<QWidget *>(owner)), Component(owner)
{
    StoreAlign(this, TAlign::alNone);
    resize(kFreshSize, kFreshSize);

    NaviBar = new QToolBar(this);
    NaviBar->setObjectName(QStringLiteral("NaviBar"));
    NaviBar->setMovable(false);
    NaviBar->setFloatable(false);
    NaviBar->setIconSize(QSize(ImageSize, ImageSize));
    NaviBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    NaviBar->setContentsMargins(0, 0, 0, 0);
    NaviBar->setFocusPolicy(Qt::NoFocus);

    BackButton = makeButton(ImgBack,
                            QStringLiteral("Back|Navigate to the previously viewed document"));
    ForwardButton = makeButton(ImgForward,
                               QStringLiteral("Forward|Navigate to the next viewed document"));
    StopButton = makeButton(ImgStop, QStringLiteral("Stop|Stop document loading"));
    RefreshButton = makeButton(ImgRefresh, QString::fromLatin1(RefreshHint));
    GoButton = makeButton(ImgGo, QStringLiteral("Go|Navigate to selected location"));
    BackButton->setObjectName(QStringLiteral("BackButton"));
    ForwardButton->setObjectName(QStringLiteral("ForwardButton"));
    StopButton->setObjectName(QStringLiteral("StopButton"));
    RefreshButton->setObjectName(QStringLiteral("RefreshButton"));
    GoButton->setObjectName(QStringLiteral("GoButton"));
    connect(BackButton, &QToolButton::clicked, this, [this] { BackClick(); });
    connect(ForwardButton, &QToolButton::clicked, this, [this] { ForwardClick(); });
    connect(StopButton, &QToolButton::clicked, this, [this] { StopClick(); });
    connect(RefreshButton, &QToolButton::clicked, this, [this] { RefreshClick(RefreshButton); });
    // The countdown in its hint counts only while someone looks.
    RefreshButton->installEventFilter(this);
    connect(GoButton, &QToolButton::clicked, this, [this] { GoClick(GoButton); });

    // Without a parent until the bar takes it in, as the buttons (see makeButton).
    ComboPanel = new TPan(this, nullptr);
    ComboPanel->setObjectName(QStringLiteral("ComboPanel"));
    ComboPanel->setFixedSize(kMinWidth, kMinHeight);
    for (QToolButton *b : {BackButton, ForwardButton, StopButton, RefreshButton, GoButton})
        NaviBar->addWidget(b);
    NaviBar->addWidget(ComboPanel);
    // Made once its panel is in place, in the font it keeps: each change of font lays the
    // box and its drop-down list out again.
    AddressCombo = TURLCombo::Create(this, ComboPanel);
    AddressCombo->setObjectName(QStringLiteral("AddressCombo"));
    AddressCombo->setGeometry(2, 2, 145, 25);
    Stale = new StaleMark(NaviBar, quint32(qHash(quintptr(this))), [this] { RetryStale(); });
    NaviBar->resize(width(), NaviBar->sizeHint().height());
    StoreAlign(NaviBar, TAlign::alTop);
    StampInsertion(NaviBar);

    WebView = new TMWebBrowser(this);
    WebView->setObjectName(QStringLiteral("WebView"));
    WebView->events.OnStatusTextChange = [this](const QString &text) { WebStatusTextChange(text); };
    WebView->events.OnTitleChange = [this](const QString &title) { WebTitleChange(title); };
    WebView->events.OnProgressChange = [this](int progress, int max) {
        WebProgressChange(progress, max);
    };
    WebView->events.OnCloseQuery = [this](QObject *sender, bool &canClose) {
        WebCloseQuery(sender, canClose);
    };
    WebView->events.OnNewWindow2 = [this](WebControl *&target, bool &cancel) {
        WebNewWindow2(target, cancel);
    };
    WebView->events.OnShowMessage = [this](WebMessage &message) { return WebShowMessage(message); };
    if (WebControl *control = WebView->Control())
        connect(control, &WebControl::windowCloseRequested, this,
                [this] { QTimer::singleShot(0, this, [this] { WebCloseQuestion(); }); });
    if (WebControl *control = WebView->Control()) {
        connect(control, &WebControl::pageStopped, this,
                [this](const QString &address) { WebPageStopped(address); });
        connect(control, &WebControl::pageLoadEnded, this,
                [this](const PageLoad &load) { WebPageLoadEnded(load); });
        connect(control, &WebControl::permissionRequested, this,
                [this](const QString &site, const QString &what, bool *grant) {
                    *grant = WebPermissionRequested(site, what);
                });
    }
    AddressCombo->SetHint(QStringLiteral(
        "Choose Location|Select bookmarked location name from the list or enter a new address"));
    Zoom = new PaneZoom(this);
    connect(Zoom, &PaneZoom::StatusText, this,
            [this](const QString &text) { WebStatusTextChange(text); });
    StoreAlign(WebView, TAlign::alClient);
    StampInsertion(WebView);
    // A press on the bar, its buttons, the box or the page is recorded as on these.
    MarkControl(NaviBar);
    MarkControl(WebView);
    if (AddressCombo)
        MarkControl(AddressCombo);

    setMinimumSize(kMinWidth, kMinHeight);
    setFocusPolicy(Qt::NoFocus);
    restTimer.setSingleShot(true);
    restTimer.setInterval(PaneRestDelayMs);
    connect(&restTimer, &QTimer::timeout, this, [this] { rest(); });

    if (PaneHost *h = host()) {
        if (QMenu *arrow = h->ArrowPopup()) {
            GoButton->setMenu(arrow);
            GoButton->setPopupMode(QToolButton::MenuButtonPopup);
        }
        if (QMenu *urlPopup = h->URLPopup()) {
            QPointer<QMenu> popup = urlPopup;
            // The bookmark menu replaces the edit box's own.
            AddressCombo->lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
            AddressCombo->setContextMenuPolicy(Qt::CustomContextMenu);
            connect(AddressCombo, &QWidget::customContextMenuRequested, this,
                    [this, popup](const QPoint &pos) {
                        // The menu key may arrive both as a key and as a request.
                        if (popup && !popup->isVisible())
                            popup->popup(AddressCombo->mapToGlobal(pos));
                    });
        }
    }
    // A narrow pane keeps a usable address box: Forward, Stop and Back give way first,
    // Refresh last.
    BarFitter = new NaviBarFitter(NaviBar,
                                  {BackButton, ForwardButton, StopButton, RefreshButton, GoButton},
                                  {1, 2, 0, 4, 3}, ComboPanel, AddressCombo);
    AlignControls(this);
    NotifyInserted(this);
}

TBrowser::~TBrowser()
{
    NotifyRemoved(this);
    // From here on a close request of the page is carried out unasked.
    if (WebView)
        WebView->SetOwnerDestroying(true);
    if (PaneHost *h = host(); h && h->NewWindows())
        h->NewWindows()->Forget(WebView);
    // The bar's widgets go here, inside their window. The bar would hand each one out of
    // the window before deleting it: a walk of the window's whole focus chain and, for the
    // address box, its list laid out again in another font. A large wall took seconds
    // to close.
    if (NaviBar)
        for (QAction *action : NaviBar->actions())
            if (auto *holder = qobject_cast<QWidgetAction *>(action))
                delete holder->defaultWidget();
    BackButton = ForwardButton = StopButton = RefreshButton = GoButton = nullptr;
    ComboPanel = nullptr;
    AddressCombo = nullptr;
}

QToolButton *TBrowser::makeButton(int image, const QString &hint)
{
    // Made without a parent: the bar takes it in addWidget, which first takes a widget
    // out of its window, and that walks the focus chain of every pane built before.
    auto *b = new QToolButton;
    b->setIcon(ColdButtonIcon(image));
    b->setIconSize(QSize(ImageSize, ImageSize));
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setToolTip(ShortHint(hint));
    b->setStatusTip(LongHint(hint));
    return b;
}

PaneHost *TBrowser::host() const
{
    if (auto *h = dynamic_cast<PaneHost *>(Owner()))
        return h;
    return dynamic_cast<PaneHost *>(window());
}

void TBrowser::Loaded()
{
    if (AddressCombo->count() > 0)
        AddressCombo->setCurrentIndex(0);
    AlignControls(this);
}

bool TBrowser::BottomBar() const
{
    return AlignOf(NaviBar) == TAlign::alBottom;
}

void TBrowser::SetBottomBar(bool bottom)
{
    StoreAlign(NaviBar, bottom ? TAlign::alBottom : TAlign::alTop);
    AlignControls(this);
}

TURLs *TBrowser::URLs() const
{
    return AddressCombo->URLs();
}

void TBrowser::SetURLs(const TURLs &list)
{
    AddressCombo->AssignURLs(list);
}

void TBrowser::BackClick()
{
    WebView->GoBack();
}

void TBrowser::ForwardClick()
{
    WebView->GoForward();
}

void TBrowser::StopClick()
{
    if (WebView->HasDocument())
        WebView->Stop();
}

void TBrowser::RefreshClick(QObject *sender)
{
    if (!WebView->HasDocument())
        return;
    if (sender || AddressCombo->IsRefreshable(WebView->LocationURL())) {
        wake();
        markBookmarkLoad(WebView->LocationURL());
        WebView->Refresh();
    }
}

void TBrowser::GoClick(QObject *sender)
{
    AddressCombo->Go(sender != nullptr);
}

void TBrowser::NavigateTo(const QString &address)
{
    if (WebView && !address.isEmpty()) {
        wake();
        markBookmarkLoad(address);
        Zoom->PaneLoads(address);
        WebView->NavigateTo(address);
    }
}

void TBrowser::Reload()
{
    if (WebView && WebView->HasDocument()) {
        markBookmarkLoad(WebView->LocationURL());
        WebView->Refresh();
    }
}

QString TBrowser::LoadedLocationURL() const
{
    return WebView ? WebView->LocationURL() : QString();
}

QString TBrowser::LoadedLocationName() const
{
    return WebView ? WebView->LocationName() : QString();
}

std::unique_ptr<DocumentBodyAccess> TBrowser::Body() const
{
    return std::make_unique<PageBody>(WebView);
}

void TBrowser::SetNoCache(bool on)
{
    WebView->SetNoCache(on);
}

void TBrowser::SetSilent(bool on)
{
    WebView->SetSilent(on);
}

void TBrowser::SetTextSize(int level)
{
    WebView->Document().SetTextSize(level);
}

bool TBrowser::HasDocument() const
{
    return WebView && WebView->HasDocument();
}

void TBrowser::RunDocumentCommand(DocumentCommand command)
{
    switch (command) {
    case DocumentCommand::Find: WebView->Document().ShowFind(); break;
    case DocumentCommand::Open: WebView->Document().OpenDocument(); break;
    case DocumentCommand::SaveAs: WebView->Document().SaveDocumentAs(); break;
    case DocumentCommand::PageSetup: WebView->Document().PageSetup(); break;
    case DocumentCommand::PrintSetup: WebView->Document().PrintWithDialog(); break;
    case DocumentCommand::PrintPreview: WebView->Document().PrintPreview(); break;
    case DocumentCommand::Print: WebView->Document().PrintDocument(); break;
    case DocumentCommand::InternetOptions: WebView->Document().ShowInternetOptions(); break;
    }
}

int TBrowser::MinWidthAfterResize(int oldHeight, int newHeight, int current)
{
    const bool wasLow = oldHeight < kFreshSize;
    const bool isLow = newHeight < kFreshSize;
    if (wasLow != isLow)
        return current;
    return isLow ? kLowMinWidth : kMinWidth;
}

void TBrowser::resizeEvent(QResizeEvent *event)
{
    // The toolkit cannot refuse a resize, so the rule sets the minimum for the next
    // one (and widens the pane now when it has become too narrow).
    if (event->oldSize().isValid()) {
        const int minWidth = MinWidthAfterResize(event->oldSize().height(), event->size().height(),
                                                 minimumWidth());
        if (minWidth != minimumWidth())
            setMinimumWidth(minWidth);
    }
    AlignControls(this);
    QWidget::resizeEvent(event);
}

bool TBrowser::event(QEvent *event)
{
    if (event->type() == QEvent::LayoutRequest)
        AlignControls(this);
    else if (event->type() == QEvent::Show)
        wake();
    else if (event->type() == QEvent::Hide)
        scheduleRest();
    return QWidget::event(event);
}

// ------------------------------------------------------------------- web view events

void TBrowser::WebStatusTextChange(const QString &text)
{
    if (PaneHost *h = host())
        h->SetStatusText(text);
}

void TBrowser::WebTitleChange(const QString &title)
{
    const QString location = WebView->LocationURL();
    const bool samePage = !location.isEmpty() && location == reportedLocation;
    reportedLocation = location;
    // A page that retitles itself (a clock, a counter) would wipe what the user is
    // typing in the box; only a new page takes the box back.
    if (samePage && AddressCombo->UserEdited()) {
        AddressCombo->SetHint(title + QLatin1Char('|') + location);
        return;
    }
    AddressCombo->LocationChanged(title, location);
}

void TBrowser::WebProgressChange(int progress, int)
{
    if (progress != -1)
        return;
    // The engine reports no title change when the new page has the previous one's
    // title; the combo must still learn where the pane is.
    const QString location = WebView->LocationURL();
    if (!location.isEmpty() && location != reportedLocation)
        WebTitleChange(WebView->LocationName());
    AddressCombo->DocumentLoaded();
    if (keepingScroll) {
        keepingScroll = false;
        const PageBody body = DocumentBody();
        if (keptScroll.x() > 0)
            body.SetScrollLeft(keptScroll.x());
        if (keptScroll.y() > 0)
            body.SetScrollTop(keptScroll.y());
    }
    scheduleRest();
}

void TBrowser::WebCloseQuery(QObject *, bool &canClose)
{
    auto *h = dynamic_cast<PaneHost *>(Owner());
    const bool ownerGone = !Owner() || (h && h->Destroying());
    canClose = ownerGone || !parentWidget();
}

void TBrowser::WebNewWindow2(WebControl *&target, bool &cancel)
{
    PaneHost *h = host();
    NewWindowCatcher *catcher = h ? h->NewWindows() : nullptr;
    if (!catcher)
        return;
    if (WebControl *control = catcher->Catch(WebView)) {
        target = control;
        cancel = false;
    }
}

bool TBrowser::WebShowMessage(WebMessage &message)
{
    PaneHost *h = host();
    if (!h || h->Destroying())
        return true;

    const QString caption = RewriteEngineCaption(message.caption);
    if (!MessageReachesUser(h->CurrentDialogMode(), message.type, caption)) {
        h->SetStatusText(MessageStatusText(caption, message.text));
        return true;
    }
    QWidget *owner = h->MessageOwner();
    if (message.prompt) {
        QString value = message.value;
        if (ShowInputBox(owner, 0, 0, 0, value, message.text, caption)) {
            message.value = value;
            message.result = IDOK;
        } else {
            message.result = IDCANCEL;
        }
    } else {
        message.result = PageMessageResult(ShowMessageBox(owner, message.text, caption,
                                                          PageMessageType(message.type),
                                                          PageMessageButtons(message.type)));
    }
    return true;
}

void TBrowser::WebPageStopped(const QString &address)
{
    PaneHost *h = host();
    if (h && !h->Destroying())
        h->SetStatusText(QStringLiteral("The page %1 stopped working.").arg(address));
}

bool TBrowser::WebPermissionRequested(const QString &site, const QString &what)
{
    PaneHost *h = host();
    if (!h || h->Destroying())
        return false;
    // Only Interactive mode asks; every other mode, and a silent pane, denies unasked.
    const DialogMode mode = h->CurrentDialogMode();
    if (mode.interactive && !mode.silent && !WebView->Silent()
        && ShowMessageBox(h->MessageOwner(),
                          QStringLiteral("%1 wants to use your %2. Allow it?").arg(site, what),
                          QStringLiteral("Mira"), MsgType::Confirmation, mbYes | mbNo)
               == mrYes)
        return true;
    h->SetStatusText(QStringLiteral("Denied %1 to %2").arg(what, site));
    return false;
}

void TBrowser::WebCloseQuestion()
{
    PaneHost *h = host();
    if (!h || h->Destroying() || !WebView)
        return;
    // Whatever the answer, the close request itself has already been dropped.
    AskEngineQuestion(window(), WebView->Silent(), mrNo, EngineCaption(), CloseWindowQuestionText(),
                      MsgType::Confirmation, mbYes | mbNo);
}

} // namespace mira
