#pragma once
// The widget that embeds the web control and passes its plain operations through,
// answering as a control without a document would once the control is gone. The
// pane's web view (TMWebBrowser) builds its host answers and commands on it.
#include <QPointer>
#include <QString>
#include <QWidget>

#include "platform/webcontrol.h"

namespace mira {

class TWebBrowser : public QWidget {
    Q_OBJECT
public:
    // The control comes from platform::CreateWebControl and fills the widget.
    explicit TWebBrowser(QWidget *owner = nullptr);
    ~TWebBrowser() override;

    platform::WebControl *Control() const { return control; }

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

protected:
    // Destroys the control early, so it cannot call back into a half-destroyed
    // subclass; its host is told to forget it first.
    void destroyControl();

    QPointer<platform::WebControl> control;
};

} // namespace mira
