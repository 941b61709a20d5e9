#pragma once
// The commands a web control runs on the document it shows. Each is false when the
// control refuses it or has no document; save as and print end later, with the
// control's commandFinished.
namespace mira::platform {

class WebDocumentCommands {
public:
    virtual ~WebDocumentCommands() = default;

    // Asks for a local file and loads it.
    virtual bool open() = 0;
    // Asks where to save the page and in which form.
    virtual bool saveAs() = 0;
    // option: OLECMDEXECOPT_PROMPTUSER asks for the printer first; otherwise it asks only
    // when there is nowhere to print yet.
    virtual bool print(int option) = 0;
    virtual bool printPreview() = 0;
    virtual bool pageSetup() = 0;
    // Shows the non-modal find dialog.
    virtual bool find() = 0;
    // Runs the Internet Options dialog.
    virtual bool internetOptions() = 0;
};

} // namespace mira::platform
