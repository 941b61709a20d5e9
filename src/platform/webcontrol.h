#pragma once
// The embedded web browser control: the one seam between the program and the web
// engine. Only neutral Qt types cross it, so the web view host and the panes can be
// tested on a fake and nothing outside platform/ sees the engine.
#include <QDateTime>
#include <QObject>
#include <QString>
#include <QVariant>
#include <functional>

#include "platform/webdocumentcommands.h"
#include "platform/webnavigation.h"
#include "platform/webscripting.h"
#include "platform/webzoom.h"

class QWidget;

namespace mira::platform {

// Navigation flags.
constexpr int navNoHistory = 2;
constexpr int navNoReadFromCache = 4;
constexpr int navNoWriteToCache = 8;

// Ready states.
constexpr int READYSTATE_UNINITIALIZED = 0;
constexpr int READYSTATE_LOADING = 1;
constexpr int READYSTATE_COMPLETE = 4;

// Document commands (no group).
constexpr int OLECMDID_OPEN = 1;
constexpr int OLECMDID_SAVEAS = 4;
constexpr int OLECMDID_PRINT = 6;
constexpr int OLECMDID_PRINTPREVIEW = 7;
constexpr int OLECMDID_PAGESETUP = 8;
constexpr int OLECMDID_ZOOM = 19;
constexpr int OLECMDID_GETZOOMRANGE = 20;
// Command options.
constexpr int OLECMDEXECOPT_DODEFAULT = 0;
constexpr int OLECMDEXECOPT_PROMPTUSER = 1;
constexpr int OLECMDEXECOPT_DONTPROMPTUSER = 2;
// Commands of the browser group.
constexpr int CGID_IWebBrowser_FIND = 1;
constexpr int CGID_IWebBrowser_OPTIONS = 3;

// Ambient property asked through the host's Invoke, and the property-get flag.
constexpr int DISPID_AMBIENT_DLCONTROL = -5512;
constexpr int DISPATCH_PROPERTYGET = 2;

// Download-control flag values the control understands.
constexpr quint32 DLCTL_DLIMAGES = 0x10;
constexpr quint32 DLCTL_VIDEOS = 0x20;
constexpr quint32 DLCTL_BGSOUNDS = 0x40;
constexpr quint32 DLCTL_NO_SCRIPTS = 0x80;
constexpr quint32 DLCTL_NO_JAVA = 0x100;
constexpr quint32 DLCTL_NO_RUNACTIVEXCTLS = 0x200;
constexpr quint32 DLCTL_FORCEOFFLINE = 0x10000000;
constexpr quint32 DLCTL_SILENT = 0x40000000;
constexpr quint32 DLCTL_OFFLINE = 0x80000000;
// Flags used when the host gives no answer.
constexpr quint32 DLCTL_DEFAULT = DLCTL_DLIMAGES | DLCTL_VIDEOS | DLCTL_BGSOUNDS;

// Host UI flags with an effect on this engine.
constexpr quint32 DOCHOSTUIFLAG_SCROLL_NO = 0x8;

// Message box types (numeric, combinable): buttons in the low nibble, then icons.
constexpr int MB_OK = 0x0;
constexpr int MB_OKCANCEL = 0x1;
constexpr int MB_YESNO = 0x4;
constexpr int MB_ICONERROR = 0x10;
constexpr int MB_ICONQUESTION = 0x20;
constexpr int MB_ICONWARNING = 0x30;
constexpr int MB_ICONINFORMATION = 0x40;
// Message box results.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// The caption the control gives its script message boxes and its question windows;
// the program renames it (its caption rules) before anyone sees it.
inline QString EngineCaption()
{
    return QStringLiteral("Microsoft Internet Explorer");
}

// What GetHostInfo fills in.
struct DocHostInfo {
    quint32 cbSize = 0;
    quint32 dwFlags = 0;
    quint32 dwDoubleClick = 0;
    QString hostCss;
    QString hostNS;
};

// A message box the engine wants to show (script alert, confirmation, prompt,
// certificate question). The host sets `result` (and `value` for prompts).
struct WebMessage {
    QString text;
    QString caption;
    int type = MB_OK;
    bool prompt = false; // a prompt: `value` carries the default in and the answer out
    QString value;
    int result = IDOK;
};

// How a top-level load of a page ended, as the pane hears of it.
struct PageLoad {
    QString address;      // the address asked for
    bool ok = false;      // the page is shown (offline: its kept copy)
    bool kept = false;    // a load of the pane's bookmark (setKeepsPage)
    bool offline = false; // nothing was asked of the network
    QString error;        // why it failed, in the program's words
    QDateTime copyTaken;  // when the kept copy now shown was taken; invalid when none is
};

// Implemented by the owner of a control; every call comes on the UI thread.
class WebControlHost {
public:
    virtual ~WebControlHost() = default;
    // Ambient properties; true when answered (S_OK) with *result set.
    virtual bool Invoke(int dispId, int flags, QVariant *result) = 0;
    // Fills the host information; true when answered.
    virtual bool GetHostInfo(DocHostInfo &info) = 0;
    // True when the host has shown (or deliberately dropped) the message and set its
    // result; false lets the control show its own box (unless silent).
    virtual bool ShowMessage(WebMessage &message) = 0;
};

class WebControl : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~WebControl() override = default;

    // The widget that shows the pages; owned by the control's parent widget.
    virtual QWidget *widget() const = 0;

    // The host is asked for its download and host-info flags at once and before
    // each navigation. nullptr detaches it.
    virtual void setHost(WebControlHost *host) = 0;

    // True suppresses the control's own dialog boxes.
    virtual bool silent() const = 0;
    virtual void setSilent(bool silent) = 0;

    // The host's answer for dispId changed; DISPID_AMBIENT_DLCONTROL makes the
    // control ask the host again for its download flags.
    virtual void ambientPropertyChanged(int dispId) = 0;

    // The flags in effect, as last answered by the host.
    virtual quint32 downloadFlags() const = 0;
    virtual quint32 hostInfoFlags() const = 0;

    // A page that is not shown may rest: the engine freezes it (no scripts, timers
    // or painting) until it is woken. A page on screen never rests; navigating or
    // reloading wakes it first.
    virtual void setResting(bool resting) = 0;

    // The control's capabilities, owned by the control.
    virtual WebNavigation *navigation() = 0;
    virtual WebDocumentCommands *document() = 0;
    virtual WebZoom *zoom() = 0;
    virtual WebScripting *scripting() = 0;

Q_SIGNALS:
    void statusTextChange(const QString &text);
    void titleChange(const QString &text);
    // progress -1 ends a load.
    void progressChange(int progress, int progressMax);
    // A page asks for a new window. A handler may set *target to a control that
    // stands in as the new window (a catcher: its beforeNavigate receives the
    // address the page wanted to open); without one, or with *cancel set, the
    // window is discarded. A page never opens a top-level window of its own.
    void newWindow(mira::platform::WebControl **target, bool *cancel);
    // A top-level navigation is about to start; setting *cancel stops it.
    void beforeNavigate(const QString &address, bool *cancel);
    // The page asked to close its window (script window.close()).
    void windowCloseRequested();
    // An asynchronous command (save as, print) ended.
    void commandFinished(int command, bool success);
    // The page's renderer ended (crashed or killed): the control shows a plain message
    // in place of the page until the next navigation or refresh brings it back.
    void pageStopped(const QString &address);
    // A page of site asks for a device or a permission (what: "camera", "location",
    // ...). It is denied unless a handler sets *grant; a silent control never grants.
    void permissionRequested(const QString &site, const QString &what, bool *grant);
    // A top-level load ended (after any stand-in for a failed one is on screen).
    void pageLoadEnded(const mira::platform::PageLoad &load);
    // Ctrl+wheel over the page: steps up (> 0) or down; the page does not scroll.
    void zoomWheel(int steps);
};

using WebControlFactory = std::function<WebControl *(QWidget *parent)>;

// Makes a control for a new web view: the installed factory's, else the engine's.
// Without either the program ends: it has made a web view before choosing its engine.
WebControl *CreateWebControl(QWidget *parent);

// Installs a factory for every later control (an empty one restores the engine's);
// returns the previous factory.
WebControlFactory SetWebControlFactory(WebControlFactory factory);

// The engine's own factory, installed by UseEngine (useengine.h); returns the previous.
WebControlFactory SetEngineWebControlFactory(WebControlFactory factory);

} // namespace mira::platform
