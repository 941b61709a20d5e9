#pragma once
// The application's message filter: records the control under each mouse press,
// each Tab, Enter or Escape key and each popup menu opened by the keyboard, and
// where it happened, so commands know which pane, book or address box they were
// chosen on.
#include <QObject>
#include <QPoint>
#include <QPointF>
#include <QPointer>
#include <QWidget>

namespace mira {

class LastControlTracker : public QObject {
    Q_OBJECT
public:
    // Writes into lastControl and lastMousePos, which outlive the tracker. Installs
    // itself on the application; removes itself when destroyed.
    LastControlTracker(QPointer<QWidget> &lastControl, QPoint &lastMousePos,
                       QObject *parent = nullptr);
    ~LastControlTracker() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> &lastControl;
    QPoint &lastMousePos;
    // The press seen last, to know it again while it is passed on to the parents.
    QPointer<QWidget> pressTarget;
    QPointF pressAt;
    quint64 pressTime = 0;
};

} // namespace mira
