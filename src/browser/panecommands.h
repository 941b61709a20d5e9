#pragma once
// What the program-wide commands ask of every browser pane.
namespace mira {

// The document commands of a pane's Go drop-down, and Internet Options (which acts
// on one pane's web view too).
enum class DocumentCommand {
    Find,
    Open,
    SaveAs,
    PageSetup,
    PrintSetup,
    PrintPreview,
    Print,
    InternetOptions
};

class PaneCommands {
public:
    virtual ~PaneCommands() = default;
    virtual void GoBookmarked() = 0;
    virtual void StopLoading() = 0;
    virtual void RefreshBookmarked() = 0;
    virtual void SetNoCache(bool on) = 0;
    virtual void SetSilent(bool on) = 0;
    virtual void SetTextSize(int level) = 0;
    virtual bool HasDocument() const = 0;
    virtual void RunDocumentCommand(DocumentCommand command) = 0;
};

} // namespace mira
