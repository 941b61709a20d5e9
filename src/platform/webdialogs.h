#pragma once
// How a web control's page messages reach the user: the control's own box when the
// host leaves a message to it (built in dialogs/pagedialogs.h), alerts delivered once
// the engine's callback has returned, and the mark of an engine held by a question.
#include <functional>

#include "platform/webcontrol.h"

namespace mira::platform {

// The control's own box for a page message; returns the result and fills the value
// of a prompt.
int ShowOwnMessage(QWidget *owner, WebMessage &message);

// A box run inside one of the engine's callbacks holds the engine, and with it every
// page of the program, until it is answered. An alert needs no answer: the engine
// is told OK at once, and deliver gets the message once the callback has returned.
// Alerts are delivered one at a time in order; while MaxWaitingAlerts of one control
// wait or are open, its further alerts are dropped (a page cannot pile up boxes).
void DeliverAlertLater(WebControl *control, const WebMessage &message,
                       std::function<void(WebMessage &)> deliver);
constexpr int MaxWaitingAlerts = 3;
// Whether an alert of control waits to be delivered or is being delivered.
bool AlertWaiting(const WebControl *control);

// Marks the engine as held by a question it waits for (a box run inside one of its
// callbacks), while the mark lives. Nothing else of the engine moves meanwhile.
class EngineHold {
public:
    EngineHold();
    ~EngineHold();
    EngineHold(const EngineHold &) = delete;
    EngineHold &operator=(const EngineHold &) = delete;
};
bool EngineHeld();

} // namespace mira::platform
