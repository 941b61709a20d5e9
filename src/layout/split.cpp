#include "layout/split.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include "layout/pan.h"

namespace mira {

TSplit::TSplit(QObject *owner) : QWidget(qobject_cast<QWidget *>(owner)), Component(owner)
{
    MarkGraphicControl(this);
    StoreAlign(this, TAlign::alLeft);
    resize(3, 100);
    setCursor(Qt::SplitHCursor);
    minSize = 149;
    NotifyInserted(this);
}

TSplit::~TSplit()
{
    NotifyRemoved(this);
}

bool TSplit::horizontal() const
{
    const TAlign a = Align();
    return a == TAlign::alLeft || a == TAlign::alRight;
}

void TSplit::SetAlign(TAlign n)
{
    const TAlign o = Align();
    auto across = [](TAlign a) { return a == TAlign::alLeft || a == TAlign::alRight; };
    auto stacked = [](TAlign a) { return a == TAlign::alTop || a == TAlign::alBottom; };
    if (n != o) {
        auto *pan = qobject_cast<TPan *>(parentWidget());
        int minH = pan ? pan->minimumHeight() : 0;
        int minW = pan ? pan->minimumWidth() : 0;
        if (stacked(o))
            minH -= height();
        else if (across(o))
            minW -= width();
        if (stacked(n))
            minH += height();
        else if (across(n))
            minW += width();
        StoreAlign(this, n);
        // Outside reading, the thickness survives a turn between across and stacked.
        if (!IsReadingSet() && ((across(o) && stacked(n)) || (stacked(o) && across(n))))
            resize(height(), width());
        if (pan)
            pan->setMinimumSize(qMax(0, minW), qMax(0, minH));
        if (parentWidget())
            AlignControls(parentWidget());
    }
    minSize = across(n) ? 149 : 26;
    setCursor(stacked(n) ? Qt::SplitVCursor : Qt::SplitHCursor);
}

QWidget *TSplit::ResizedControl() const
{
    QWidget *parent = parentWidget();
    if (!parent)
        return nullptr;
    const TAlign a = Align();
    const QRect me = geometry();
    // The control of the same alignment that sits right before the splitter.
    for (QWidget *c : ControlsOf(parent)) {
        if (c == this || c->isHidden() || AlignOf(c) != a)
            continue;
        const QRect r = c->geometry();
        switch (a) {
        case TAlign::alLeft:
            if (r.left() + r.width() == me.left())
                return c;
            break;
        case TAlign::alRight:
            if (r.left() == me.left() + me.width())
                return c;
            break;
        case TAlign::alTop:
            if (r.top() + r.height() == me.top())
                return c;
            break;
        case TAlign::alBottom:
            if (r.top() == me.top() + me.height())
                return c;
            break;
        default: break;
        }
    }
    return nullptr;
}

void TSplit::beginDrag(int globalPos)
{
    dragControl = ResizedControl();
    if (!dragControl)
        return;
    QWidget *parent = parentWidget();
    dragStartPos = globalPos;
    dragStartSize = horizontal() ? dragControl->width() : dragControl->height();
    // Room left for the others: the parent's client extent less every control of this
    // orientation (the splitter included), plus the resized one, less MinSize kept free.
    dragMaxSize = (horizontal() ? parent->contentsRect().width() : parent->contentsRect().height())
                  - minSize;
    for (QWidget *c : ControlsOf(parent)) {
        if (c->isHidden())
            continue;
        const TAlign a = AlignOf(c);
        if (horizontal() && (a == TAlign::alLeft || a == TAlign::alRight))
            dragMaxSize -= c->width();
        else if (!horizontal() && (a == TAlign::alTop || a == TAlign::alBottom))
            dragMaxSize -= c->height();
    }
    dragMaxSize += dragStartSize;
}

void TSplit::dragTo(int globalPos)
{
    if (!dragControl)
        return;
    int delta = globalPos - dragStartPos;
    const TAlign a = Align();
    if (a == TAlign::alRight || a == TAlign::alBottom)
        delta = -delta;
    int size = dragStartSize + delta;
    // The upper bound first: when both bounds conflict the control keeps MinSize.
    if (size > dragMaxSize)
        size = dragMaxSize;
    if (size < minSize)
        size = minSize;
    const int current = horizontal() ? dragControl->width() : dragControl->height();
    if (size == current)
        return;
    if (horizontal())
        dragControl->resize(size, dragControl->height());
    else
        dragControl->resize(dragControl->width(), size);
    AlignControls(parentWidget());
}

void TSplit::DragBy(int delta)
{
    beginDrag(0);
    dragTo(delta);
    dragControl = nullptr;
}

void TSplit::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    const QPointF p = event->globalPosition();
    beginDrag(horizontal() ? int(p.x()) : int(p.y()));
    update();
}

void TSplit::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF p = event->globalPosition();
    dragTo(horizontal() ? int(p.x()) : int(p.y()));
}

void TSplit::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        dragControl = nullptr;
        // A drag may end away from the splitter: the leave came while it was grabbed.
        hovered = rect().contains(event->position().toPoint());
        update();
    }
    QWidget::mouseReleaseEvent(event);
}

bool TSplit::event(QEvent *event)
{
    if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
        hovered = event->type() == QEvent::Enter;
        update();
    }
    return QWidget::event(event);
}

void TSplit::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    // Three pixels of window colour cannot be found by eye: under the mouse the
    // splitter takes the highlight, fully while dragged.
    if (Hovered()) {
        QColor light = palette().color(QPalette::Highlight);
        if (!dragControl)
            light.setAlpha(150);
        p.fillRect(rect(), light);
    }
    QStyleOption option;
    option.initFrom(this);
    option.rect = rect();
    // As the toolkit's own splitter handles: "horizontal" when the controls sit side
    // by side.
    option.state.setFlag(QStyle::State_Horizontal, horizontal());
    option.state.setFlag(QStyle::State_MouseOver, Hovered());
    option.state.setFlag(QStyle::State_Sunken, dragControl != nullptr);
    style()->drawControl(QStyle::CE_Splitter, &option, &p, this);
}

} // namespace mira
