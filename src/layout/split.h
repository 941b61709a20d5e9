#pragma once
#include <QWidget>

#include "layout/align.h"
#include "layout/component.h"

namespace mira {

// A 3-pixel splitter that resizes the control placed before it. Dragging never makes
// that control, or the space left for the client-aligned control, smaller than
// MinSize, and never snaps a control closed. It shows a grip in the style's look,
// lights up under the mouse and while dragged, and shows the resize cursor.
class TSplit : public QWidget, public Component {
    Q_OBJECT
public:
    explicit TSplit(QObject *owner);
    ~TSplit() override;
    QString ClassName() const override { return QStringLiteral("TSplit"); }

    TAlign Align() const { return AlignOf(this); }
    // Adjusts a TPan parent's minimum size for the change of orientation and sets
    // MinSize by orientation (149 across, 26 stacked).
    void SetAlign(TAlign align);

    int MinSize() const { return minSize; }
    void SetMinSize(int value) { minSize = value; }

    // The control this splitter resizes, or nullptr.
    QWidget *ResizedControl() const;
    // Moves the splitter by delta pixels as a drag would.
    void DragBy(int delta);
    // The mouse is over the splitter, or drags it.
    bool Hovered() const { return hovered || dragControl; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    bool horizontal() const; // left or right: resizes widths
    int minSize = 149;
    QWidget *dragControl = nullptr;
    int dragStartSize = 0;
    int dragStartPos = 0;
    int dragMaxSize = 0;
    bool hovered = false;
    void beginDrag(int globalPos);
    void dragTo(int globalPos);
};

} // namespace mira
