#pragma once
#include <QEvent>
#include <QLabel>
#include <functional>

#include "layout/component.h"

namespace mira {

class TText;

// Sent to a TText's parent when the mouse enters or leaves the label.
class TextHoverEvent : public QEvent {
public:
    static QEvent::Type enterType();
    static QEvent::Type leaveType();
    TextHoverEvent(QEvent::Type type, TText *sender) : QEvent(type), label(sender) {}
    TText *label;
};

// A transparent label with hover notifications, used by the program's dialogs.
class TText : public QLabel, public Component {
    Q_OBJECT
public:
    explicit TText(QObject *owner);
    ~TText() override;
    QString ClassName() const override { return QStringLiteral("TText"); }

    bool Transparent() const { return transparent; }
    void SetTransparent(bool on);

    std::function<void(TText *)> OnMouseEnter;
    std::function<void(TText *)> OnMouseLeave;

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    bool transparent = true;
};

} // namespace mira
