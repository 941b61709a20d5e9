#pragma once
// A scriptable web control for tests: records every call, lets the test set what the
// control reports and emit each of its events (fakewebscript.h). It can also "serve"
// pages from a site map and load them as the engine's control does (events, history,
// script messages, new windows, offline), so one contract suite runs on both.
#include <QPointer>
#include <QWidget>

#include "platform/fakewebscript.h"
#include "platform/webcontrol.h"

namespace mira::platform {

class FakeWebControl : public WebControl,
                       private WebNavigation,
                       private WebDocumentCommands,
                       private WebZoom,
                       private WebScripting {
    Q_OBJECT
public:
    using Navigation = FakeWebCalls::Navigation;
    using Command = FakeWebCalls::Command;
    using PageStep = FakeWebState::PageStep;
    using Page = FakeWebState::Page;
    using Site = FakeWebState::Site;

    explicit FakeWebControl(QWidget *parent = nullptr);
    ~FakeWebControl() override;

    QWidget *widget() const override;
    void setHost(WebControlHost *host) override;
    bool silent() const override { return silentValue; }
    void setSilent(bool silent) override;
    void ambientPropertyChanged(int dispId) override;
    quint32 downloadFlags() const override { return dlFlags; }
    quint32 hostInfoFlags() const override { return uiFlags; }
    void setResting(bool value) override { state.resting = value; }
    WebNavigation *navigation() override { return this; }
    WebDocumentCommands *document() override { return this; }
    WebZoom *zoom() override { return this; }
    WebScripting *scripting() override { return this; }

    // Events and host questions a test raises.
    FakeWebScript &script() { return scripted; }

    FakeWebState state;
    FakeWebCalls calls;

private:
    friend class FakeWebScript;

    void navigate(const QString &address, int flags = 0) override;
    bool goBack() override;
    bool goForward() override;
    bool stop() override;
    bool refresh() override;
    bool hasDocument() const override { return state.document; }
    QString locationUrl() const override { return state.location; }
    QString locationName() const override { return state.title; }
    int readyState() const override { return state.ready; }
    void setKeepsPage(bool keeps) override { keepsPage = keeps; }

    bool open() override;
    bool saveAs() override;
    bool print(int option) override;
    bool printPreview() override;
    bool pageSetup() override;
    bool find() override;
    bool internetOptions() override;
    // Records the command a call stands for; true when there is a document.
    bool command(bool useGroup, int id, int option, const QVariant &in = {});

    std::pair<int, int> textSizeRange() override;
    int textSize() override;
    bool setTextSize(int level) override;
    void setZoom(double factor) override { state.zoom = factor; }

    QVariant evaluateScript(const QString &script) override;

    // How a load changes the back/forward list: a new entry, the current entry's
    // place taken (no history), a walk to an existing entry, or no change (reload).
    enum class Entry { Add, Replace, Walk, Keep };

    void startLoad(const QString &address, Entry entry, int walkTo = -1);
    void commitLoad(const QString &address, Entry entry, int walkTo);
    void endLoad(bool ok);
    void runStep(const PageStep &step);
    int pageMessage(WebMessage &message);
    const Page *servedPage() const;
    bool offline() const;

    FakeWebScript scripted{*this};
    QPointer<QWidget> view;
    WebControlHost *hostPtr = nullptr;
    quint32 dlFlags = DLCTL_DEFAULT;
    quint32 uiFlags = 0;
    bool silentValue = false;
    bool keepsPage = false;
    int loadSerial = 0;     // a newer load, or stop, makes a pending one stale
    QString loadingAddress; // the load started and not yet ended
    bool loading = false;
};

} // namespace mira::platform
