#pragma once
// A scriptable web control for tests: records every call, lets the test set what the
// control reports and emit each of its events. It can also "serve" pages from a site
// map and load them as the engine's control does (events, history, script messages,
// new windows, offline), so one contract suite runs on both.
#include <QHash>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <memory>

#include "platform/webcontrol.h"

namespace mira::platform {

class FakeWebControl : public WebControl {
    Q_OBJECT
public:
    struct Navigation {
        QString address;
        int flags = 0;
    };
    struct Command {
        bool useGroup = false;
        int command = 0;
        int option = 0;
        QVariant in;
    };
    // One statement of a served page's script, run while the page loads. The answer
    // of a confirmation or prompt becomes the document's title, as
    // `document.title = String(confirm(text))` would make it ("true", "false", the
    // typed text or "null").
    struct PageStep {
        enum Kind { Alert, Confirm, Prompt, OpenWindow, Close };
        Kind kind = Alert;
        QString text;  // the message, or the address a new window asks for
        QString value; // a prompt's default
    };
    struct Page {
        QString title;                    // empty: the address stands in
        QHash<QString, QVariant> globals; // script variables the page defines
        QList<PageStep> steps;
        bool held = false; // the load starts but never ends until stopped
    };
    using Site = QHash<QString, Page>; // pages by address

    explicit FakeWebControl(QWidget *parent = nullptr);
    ~FakeWebControl() override;

    QWidget *widget() const override;
    void setHost(WebControlHost *host) override;
    void navigate(const QString &address, int flags = 0) override;
    bool goBack() override;
    bool goForward() override;
    bool stop() override;
    bool refresh() override;
    bool hasDocument() const override { return document; }
    QString locationUrl() const override { return location; }
    QString locationName() const override { return title; }
    int readyState() const override { return ready; }
    bool silent() const override { return silentValue; }
    void setSilent(bool silent) override;
    bool exec(bool useGroup, int command, int option, const QVariant &in, QVariant *out) override;
    void ambientPropertyChanged(int dispId) override;
    quint32 downloadFlags() const override { return dlFlags; }
    quint32 hostInfoFlags() const override { return uiFlags; }
    QVariant evaluateScript(const QString &script) override;
    void setResting(bool value) override { resting = value; }
    void setZoom(double factor) override { zoom = factor; }

    WebControlHost *host() const { return hostPtr; }

    // Scripted state.
    bool document = false;
    QString location;
    QString title;
    int ready = READYSTATE_UNINITIALIZED;
    int zoomMin = 0;
    int zoomMax = 4;
    int zoomLevel = 2;
    double zoom = 1.0; // the pane's own, by setZoom
    // Frozen by setResting; a navigation or reload wakes it.
    bool resting = false;
    // The back/forward list and the entry shown.
    QStringList history;
    int historyIndex = -1;
    // How a navigation ends: by a zero timer (as the engine does), or never.
    bool completeNavigations = true;
    // The pages served; an address not in it loads as an empty page titled by its address.
    std::shared_ptr<Site> site;

    // Recorded calls.
    QList<Navigation> navigations;
    QList<Command> commands;
    QList<bool> silentWrites;
    QList<int> ambientChanges;
    int backCalls = 0;
    int forwardCalls = 0;
    int stopCalls = 0;
    int refreshCalls = 0;
    QStringList scripts;
    // Answers scripts; without it a served page answers "document.title" and its globals,
    // everything else evaluates to an invalid value.
    std::function<QVariant(const QString &script)> scriptResult;

    // The host's answers, asked as the engine asks them.
    quint32 askDownloadFlags();
    DocHostInfo askHostInfo();
    // Offers a message to the host; false when the host left it to the control.
    bool askShowMessage(WebMessage &message);

    // Events.
    void emitStatusText(const QString &text) { Q_EMIT statusTextChange(text); }
    void emitTitle(const QString &text) { Q_EMIT titleChange(text); }
    void emitProgress(int progress, int max) { Q_EMIT progressChange(progress, max); }
    bool emitBeforeNavigate(const QString &address);
    // Returns the control the handler handed back (nullptr: discarded).
    WebControl *emitNewWindow(bool *cancelled = nullptr);
    void emitCloseRequest() { Q_EMIT windowCloseRequested(); }
    void emitZoomWheel(int steps) { Q_EMIT zoomWheel(steps); }

private:
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

    QPointer<QWidget> view;
    WebControlHost *hostPtr = nullptr;
    quint32 dlFlags = DLCTL_DEFAULT;
    quint32 uiFlags = 0;
    bool silentValue = false;
    int loadSerial = 0;     // a newer load, or stop, makes a pending one stale
    QString loadingAddress; // the load started and not yet ended
    bool loading = false;
};

} // namespace mira::platform
