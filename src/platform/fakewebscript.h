#pragma once
// What a test sets, reads and makes happen on a FakeWebControl: its state, the calls
// it recorded, the pages it serves, and the events and host questions it raises.
#include <QHash>
#include <QList>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

#include "platform/webcontrol.h"

namespace mira::platform {

class FakeWebControl;

// The fake's state; a test may set any of it.
struct FakeWebState {
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
    // Answers scripts; without it a served page answers "document.title" and its globals,
    // everything else evaluates to an invalid value.
    std::function<QVariant(const QString &script)> scriptResult;
};

// The calls the fake received, in order. A document command, a text size read or
// change and a range question are recorded as the command they stand for.
struct FakeWebCalls {
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

    QList<Navigation> navigations;
    QList<Command> commands;
    QList<bool> silentWrites;
    QList<int> ambientChanges;
    int backCalls = 0;
    int forwardCalls = 0;
    int stopCalls = 0;
    int refreshCalls = 0;
    QStringList scripts;
};

// Events of the fake as a test raises them, and the host questions as the engine asks.
class FakeWebScript {
public:
    explicit FakeWebScript(FakeWebControl &owner) : control(owner) {}

    // The host's answers, asked as the engine asks them.
    quint32 askDownloadFlags();
    DocHostInfo askHostInfo();
    // Offers a message to the host; false when the host left it to the control.
    bool askShowMessage(WebMessage &message);

    void emitStatusText(const QString &text);
    void emitTitle(const QString &text);
    void emitProgress(int progress, int max);
    // True when a handler cancelled the navigation.
    bool emitBeforeNavigate(const QString &address);
    // Returns the control the handler handed back (nullptr: discarded).
    WebControl *emitNewWindow(bool *cancelled = nullptr);
    void emitCloseRequest();
    void emitZoomWheel(int steps);

private:
    FakeWebControl &control;
};

} // namespace mira::platform
