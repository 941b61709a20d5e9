#pragma once
// The web view of a browser pane: answers the embedded web control's host questions
// (download flags, host flags, messages), carries the no-cache navigation flags and
// holds the engine's document commands (WebDocument).
#include <QString>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <set>

#include "browser/webbrowser.h"
#include "browser/webdocument.h"
#include "platform/webcontrol.h"

namespace mira {

// Ordinal order matters: member n stands for the flag 2^(n+4) (first fifteen) or
// 2^(n+13) (last four).
enum class TDownloadControlOption {
    DLCTL_DLIMAGES,
    DLCTL_VIDEOS,
    DLCTL_BGSOUNDS,
    DLCTL_NO_SCRIPTS,
    DLCTL_NO_JAVA,
    DLCTL_NO_RUNACTIVEXCTLS,
    DLCTL_NO_DLACTIVEXCTLS,
    DLCTL_DOWNLOADONLY,
    DLCTL_NO_FRAMEDOWNLOAD,
    DLCTL_RESYNCHRONIZE,
    DLCTL_PRAGMA_NO_CACHE,
    DLCTL_NO_BEHAVIORS,
    DLCTL_NO_METACHARSET,
    DLCTL_URL_ENCODING_DISABLE_UTF8,
    DLCTL_URL_ENCODING_ENABLE_UTF8,
    DLCTL_FORCEOFFLINE,
    DLCTL_NO_CLIENTPULL,
    DLCTL_SILENT,
    DLCTL_OFFLINE,
};
using TDownloadControlOptions = std::set<TDownloadControlOption>;

// Member n stands for the host UI flag 2^n.
enum class TUserInterfaceOption {
    DIALOG,
    DISABLE_HELP_MENU,
    NO3DBORDER,
    SCROLL_NO,
    DISABLE_SCRIPT_INACTIVE,
    OPENNEWWIN,
    DISABLE_OFFSCREEN,
    FLAT_SCROLLBAR,
    DIV_BLOCKDEFAULT,
    ACTIVATE_CLIENTHIT_ONLY,
    OVERRIDEBEHAVIORFACTORY,
    CODEPAGELINKEDFONTS,
    URL_ENCODING_DISABLE_UTF8,
    URL_ENCODING_ENABLE_UTF8,
    ENABLE_FORMS_AUTOCOMPLETE,
};
using TUserInterfaceOptions = std::set<TUserInterfaceOption>;

// The flag masks of the option sets.
quint32 DownloadControlFlags(const TDownloadControlOptions &options);
quint32 UserInterfaceFlags(const TUserInterfaceOptions &options);

class TMWebBrowser : public TWebBrowser, public platform::WebControlHost {
    Q_OBJECT
public:
    explicit TMWebBrowser(QWidget *owner = nullptr);
    ~TMWebBrowser() override;

    const TDownloadControlOptions &DownloadOptions() const { return downloadOptions; }
    void SetDownloadOptions(const TDownloadControlOptions &options);
    const TUserInterfaceOptions &UserInterfaceOptions() const { return uiOptions; }
    void SetUserInterfaceOptions(const TUserInterfaceOptions &options);
    quint32 DownloadFlags() const { return downloadFlags; }
    quint32 HostFlags() const { return hostFlags; }
    QVariant NavigateFlags() const { return navigateFlags; }

    QString HelpFile() const { return helpFile; }
    void SetHelpFile(const QString &file) { helpFile = file; }

    // Tells the control that the download flags changed, so it asks again.
    void NotifyDownloadControl();

    // Navigates with NavigateFlags.
    void NavigateTo(const QString &address);
    // NavigateFlags := 14 when on, else 0; later navigations only.
    void SetNoCache(bool on);
    // Loads about:blank and waits, keeping the UI responsive, until the load is
    // complete or NavigateBlankTimeoutMs has passed. True when complete. The web
    // view may be destroyed while it waits: callers guard themselves with a QPointer.
    bool NavigateBlank();
    int NavigateBlankTimeoutMs = 10000;

    // The document commands, with the print header and footer they use.
    WebDocument &Document() { return document; }

    // The owner is being destroyed: a close request is carried out unasked.
    void SetOwnerDestroying(bool destroying) { ownerDestroying = destroying; }

    // What the web view tells its owner; each may stay empty.
    struct Events {
        std::function<void(const QString &text)> OnStatusTextChange;
        std::function<void(const QString &title)> OnTitleChange;
        std::function<void(int progress, int progressMax)> OnProgressChange;
        // Set target to the control that stands in for the new window (see
        // platform::WebControl::newWindow).
        std::function<void(platform::WebControl *&target, bool &cancel)> OnNewWindow2;
        std::function<void(const QString &address, bool &cancel)> OnBeforeNavigate2;
        // Returns true when the message was dealt with (result set).
        std::function<bool(platform::WebMessage &message)> OnShowMessage;
        std::function<void(QObject *sender, bool &canClose)> OnCloseQuery;
        std::function<bool(platform::DocHostInfo &info)> OnGetHostInfo;
        std::function<bool(int dispId, int flags, QVariant *result)> OnInvoke;
    };
    Events events;

Q_SIGNALS:
    // The web view was closed on the page's request.
    void Closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Host answers, asked by the control through platform::WebControlHost.
    bool Invoke(int dispId, int flags, QVariant *result) override;
    bool GetHostInfo(platform::DocHostInfo &info) override;
    bool ShowMessage(platform::WebMessage &message) override;

    void connectControl();

    TDownloadControlOptions downloadOptions;
    TUserInterfaceOptions uiOptions;
    quint32 downloadFlags = 0;
    quint32 hostFlags = 0;
    QVariant navigateFlags;
    QString helpFile;
    WebDocument document{*this};
    bool ownerDestroying = false;
};

} // namespace mira
