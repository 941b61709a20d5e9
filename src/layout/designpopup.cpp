#include "layout/designpopup.h"

#include <QToolBar>

#include "layout/align.h"
#include "layout/book.h"
#include "layout/designablepane.h"
#include "layout/pan.h"

namespace mira {

SpotKind ClassifySpot(const QWidget *control)
{
    if (!control)
        return SpotKind::None;
    QWidget *parent = control->parentWidget();
    if (qobject_cast<const TPan *>(control))
        return qobject_cast<QToolBar *>(parent) ? SpotKind::BarPan : SpotKind::Pan;
    if (qobject_cast<const TPage *>(control))
        return SpotKind::Page;
    if (qobject_cast<const TBook *>(control))
        return SpotKind::Book;
    // The web view is the one other part of a pane marked as a control of its own.
    if (qobject_cast<const QToolBar *>(control) || dynamic_cast<DesignablePane *>(parent))
        return SpotKind::PanePart;
    return SpotKind::None;
}

namespace {

QWidget *parentOf(QWidget *w)
{
    return w ? w->parentWidget() : nullptr;
}

} // namespace

DesignSpot DeriveSpot(QWidget *control)
{
    DesignSpot s;
    switch (ClassifySpot(control)) {
    case SpotKind::BarPan: {
        QWidget *pane = parentOf(parentOf(control));
        s.container = parentOf(pane);
        s.target = pane;
        break;
    }
    case SpotKind::Pan: s.container = control; break;
    case SpotKind::Page:
        s.container = control;
        s.target = static_cast<TPage *>(control)->Book();
        break;
    case SpotKind::Book:
        s.container = parentOf(control);
        s.target = control;
        break;
    case SpotKind::PanePart:
        s.container = parentOf(parentOf(control));
        s.target = parentOf(control);
        break;
    case SpotKind::None: break;
    }
    return s;
}

int ControlCount(const QWidget *container)
{
    return container ? int(ControlsOf(container).size()) : 0;
}

PopupState DesignPopupState(const PopupFacts &f)
{
    const int n = f.hasContainer ? f.controls : 0;
    const bool supported = n < 2 || n == 3;
    const bool badSpot = !f.hasContainer || (f.clickedContainer && n != 0);
    const bool onBook = f.kind == SpotKind::Book;
    const bool onPane = f.kind == SpotKind::PanePart || f.kind == SpotKind::BarPan;
    const bool canInsert = !onBook && !badSpot && supported;

    PopupState s;
    s.book.copy = s.book.cut = s.book.del = s.book.toggle = onBook;
    s.book.newItem = s.book.paste = canInsert;
    s.book.checked = onBook && f.tabsAtBottom;
    s.pageItems = onBook;
    s.browser.copy = s.browser.cut = s.browser.del = s.browser.toggle = onPane;
    s.browser.newItem = s.browser.paste = canInsert;
    s.browser.checked = onPane && f.paneBarAtBottom;
    return s;
}

PopupFacts FactsFor(QWidget *control, const DesignSpot &spot)
{
    PopupFacts f;
    f.kind = ClassifySpot(control);
    f.hasContainer = !spot.container.isNull();
    f.clickedContainer = f.hasContainer && control == spot.container.data();
    f.controls = ControlCount(spot.container);
    if (auto *book = qobject_cast<TBook *>(control))
        f.tabsAtBottom = book->TabPosition() == TabSide::tpBottom;
    if (auto *pane = dynamic_cast<DesignablePane *>(spot.target.data()))
        f.paneBarAtBottom = pane->BottomBar();
    return f;
}

} // namespace mira
