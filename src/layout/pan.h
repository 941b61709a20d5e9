#pragma once
#include <QWidget>

#include "layout/component.h"

namespace mira {

// A resizable container block: holds aligned child controls.
class TPan : public QWidget, public TComponent {
    Q_OBJECT
public:
    explicit TPan(QObject *owner);
    ~TPan() override;
    QString ClassName() const override { return QStringLiteral("TPan"); }

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool event(QEvent *event) override;
};

// Containers (TPan and TPage) share how they treat new children.
bool HandleContainerEvent(QWidget *container, QEvent *event);

} // namespace mira
