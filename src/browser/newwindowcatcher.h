#pragma once
// Keeps new windows inside the pane that asked for them. The engine is handed one
// hidden stand-in control for every new window; its first navigation is cancelled
// and sent to the web view that asked last. One per program, owned by whoever
// holds the program-wide objects.
#include <QObject>
#include <QPointer>

namespace mira {

namespace platform {
class WebControl;
}
class TMWebBrowser;

class NewWindowCatcher : public QObject {
    Q_OBJECT
public:
    explicit NewWindowCatcher(QObject *parent = nullptr);
    ~NewWindowCatcher() override;

    // A page of requester wants a new window: returns the stand-in control (made at
    // the first request) and makes requester the target of the next caught
    // address, replacing one not yet redirected. nullptr when no control can be made.
    platform::WebControl *Catch(TMWebBrowser *requester);

    // The stand-in, once the first new window was asked for.
    platform::WebControl *Control() const;
    // The web view that receives the next caught address, or nullptr.
    TMWebBrowser *RedirectTarget() const;
    // view goes away: nothing is sent to it any more.
    void Forget(const TMWebBrowser *view);

private:
    void beforeNavigate(const QString &address, bool &cancel);

    QPointer<platform::WebControl> control;
    QPointer<TMWebBrowser> redirectTarget;
};

} // namespace mira
