#pragma once
// The web view of a browser pane: hosts the embedded web control, answers its host
// questions (download flags, host flags, messages), carries the no-cache navigation
// flags and wraps the engine's document commands as plain operations.
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <set>

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

class TMWebBrowser : public QWidget, public platform::WebControlHost {
    Q_OBJECT
public:
    // The control comes from platform::CreateWebControl.
    explicit TMWebBrowser(QWidget *owner = nullptr);
    ~TMWebBrowser() override;

    platform::WebControl *Control() const { return control; }

    const TDownloadControlOptions &DownloadOptions() const { return downloadOptions; }
    void SetDownloadOptions(const TDownloadControlOptions &options);
    const TUserInterfaceOptions &UserInterfaceOptions() const { return uiOptions; }
    void SetUserInterfaceOptions(const TUserInterfaceOptions &options);
    quint32 DownloadFlags() const { return downloadFlags; }
    quint32 HostFlags() const { return hostFlags; }
    QVariant NavigateFlags() const { return navigateFlags; }

    QString PrintHeader() const { return printHeader; }
    void SetPrintHeader(const QString &text) { printHeader = text; }
    QString PrintFooter() const { return printFooter; }
    void SetPrintFooter(const QString &text) { printFooter = text; }
    QString HelpFile() const { return helpFile; }
    void SetHelpFile(const QString &file) { helpFile = file; }

    // Tells the control that the download flags changed, so it asks again.
    void NotifyDownloadControl();

    // The control's own operations, passed through.
    bool HasDocument() const;
    QString LocationURL() const;
    QString LocationName() const;
    int ReadyState() const;
    bool GoBack();
    bool GoForward();
    bool Stop();
    bool Refresh();
    bool Silent() const;
    void SetSilent(bool silent);

    // Navigates with NavigateFlags.
    void NavigateTo(const QString &address);
    // NavigateFlags := 14 when on, else 0; later navigations only.
    void SetNoCache(bool on);
    // Loads about:blank and waits, keeping the UI responsive, until the load is
    // complete or NavigateBlankTimeoutMs has passed. True when complete. The web
    // view may be destroyed while it waits: callers guard themselves with a QPointer.
    bool NavigateBlank();
    int NavigateBlankTimeoutMs = 10000;

    // Runs a command on the document; nothing without a document, failures are silent.
    void ExecCommand(bool useGroup, int command, int option, const QVariant &in,
                     QVariant *out = nullptr);

    void OpenDocument();
    void SaveDocumentAs();
    void ShowFind();
    void ShowInternetOptions();
    void PageSetup();
    void PrintWithDialog();
    void PrintDocument();
    void PrintPreview();
    int TextSizeMin();
    int TextSizeMax();
    int GetTextSize();
    void SetTextSize(int level);

    // The page setup exchange of header and footer around printing. The engine has
    // no such store, so this is a no-op: the old value is always empty.
    static void ExchangePageSetupValue(const QString &name, const QString &newValue,
                                       QString *oldValue);

    // Host answers.
    bool Invoke(int dispId, int flags, QVariant *result) override;
    bool GetHostInfo(platform::DocHostInfo &info) override;
    bool ShowMessage(platform::WebMessage &message) override;

    // The owner is being destroyed: a close request is carried out unasked.
    void SetOwnerDestroying(bool destroying) { ownerDestroying = destroying; }

    // Events.
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

Q_SIGNALS:
    // The web view was closed on the page's request.
    void Closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void connectControl();
    // Runs a print command with the pane's header and footer in the page setup.
    void runWithPageSetup(const std::function<void(platform::WebDocumentCommands *)> &command);

    QPointer<platform::WebControl> control;
    TDownloadControlOptions downloadOptions;
    TUserInterfaceOptions uiOptions;
    quint32 downloadFlags = 0;
    quint32 hostFlags = 0;
    QVariant navigateFlags;
    QString printHeader;
    QString printFooter;
    QString helpFile;
    bool ownerDestroying = false;
};

} // namespace mira
