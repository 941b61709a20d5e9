#pragma once
#include <QMenu>
#include <QPointer>
#include <QWidget>

#include "layout/component.h"

namespace mira {

// A resizable container block: holds aligned child controls.
class TPan : public QWidget, public Component {
    Q_OBJECT
public:
    explicit TPan(QObject *owner);
    // A panel its owner places somewhere else than in itself; parent may be null until
    // then (a tool bar takes a widget in more cheaply when it has no window yet).
    TPan(QObject *owner, QWidget *parent);
    ~TPan() override;
    QString ClassName() const override { return QStringLiteral("TPan"); }

    // Opens on every right click inside that no inner control handles itself; set
    // at run time, never stored.
    QMenu *PopupMenu() const { return popupMenu; }
    void SetPopupMenu(QMenu *menu) { popupMenu = menu; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool event(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QPointer<QMenu> popupMenu;
};

// Containers (TPan and TPage) share how they treat new children.
bool HandleContainerEvent(QWidget *container, QEvent *event);

} // namespace mira
