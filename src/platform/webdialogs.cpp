#include "platform/webdialogs.h"

#include <QPointer>
#include <QTimer>
#include <deque>

#include "dialogs/pagedialogs.h"

namespace mira::platform {

namespace {

MsgType typeOf(int mbType)
{
    switch (mbType & 0xF0) {
    case MB_ICONERROR: return MsgType::Error;
    case MB_ICONQUESTION: return MsgType::Confirmation;
    case MB_ICONWARNING: return MsgType::Warning;
    default: return MsgType::Information;
    }
}

} // namespace

int ShowOwnMessage(QWidget *owner, WebMessage &message)
{
    if (message.prompt)
        return AskPageText(owner, message.caption, message.text, &message.value) ? IDOK : IDCANCEL;
    MsgButtons buttons = mbOK;
    switch (message.type & 0xF) {
    case MB_OKCANCEL: buttons = mbOK | mbCancel; break;
    case MB_YESNO: buttons = mbYes | mbNo; break;
    default: break;
    }
    // ModalResult values are the message box results.
    return ShowPageMessage(owner, message.caption, message.text, typeOf(message.type), buttons);
}

namespace {

struct WaitingAlert {
    QPointer<WebControl> control;
    WebMessage message;
    std::function<void(WebMessage &)> deliver;
};

std::deque<WaitingAlert> &waitingAlerts()
{
    static std::deque<WaitingAlert> alerts;
    return alerts;
}

// The control whose alert is being delivered now, if any.
const WebControl *deliveringFor = nullptr;
bool delivering = false;
int engineHolds = 0;

void deliverWaitingAlerts()
{
    // A box open further up delivers the rest once it is answered.
    if (delivering)
        return;
    // Reset however a delivery ends (an exception is dropped further out).
    struct Turn {
        Turn() { delivering = true; }
        ~Turn()
        {
            delivering = false;
            deliveringFor = nullptr;
        }
        Turn(const Turn &) = delete;
        Turn &operator=(const Turn &) = delete;
    } turn;
    std::deque<WaitingAlert> &alerts = waitingAlerts();
    while (!alerts.empty()) {
        WaitingAlert next = std::move(alerts.front());
        alerts.pop_front();
        if (!next.control || !next.deliver)
            continue;
        deliveringFor = next.control;
        next.deliver(next.message);
        deliveringFor = nullptr;
    }
}

int alertsOf(const WebControl *control)
{
    int n = deliveringFor == control ? 1 : 0;
    for (const WaitingAlert &a : waitingAlerts())
        if (a.control == control)
            ++n;
    return n;
}

} // namespace

void DeliverAlertLater(WebControl *control, const WebMessage &message,
                       std::function<void(WebMessage &)> deliver)
{
    if (!control || alertsOf(control) >= MaxWaitingAlerts)
        return;
    waitingAlerts().push_back({control, message, std::move(deliver)});
    // Every alert has its own turn: one whose control is gone on the way still
    // leaves the others theirs.
    QTimer::singleShot(0, control, [] { deliverWaitingAlerts(); });
}

bool AlertWaiting(const WebControl *control)
{
    return control && alertsOf(control) > 0;
}

EngineHold::EngineHold()
{
    ++engineHolds;
}

EngineHold::~EngineHold()
{
    --engineHolds;
}

bool EngineHeld()
{
    return engineHolds > 0;
}

} // namespace mira::platform
