#include "browser/navibarfit.h"

#include <QAction>
#include <QEvent>
#include <QIcon>
#include <QLayout>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QToolBar>
#include <QToolButton>

namespace mira {

namespace {

// The address box sits in its panel with 2 pixels on either side.
constexpr int kPanelBorder = 4;

int widthOf(const NaviBarItems &items, const QList<bool> &shown, bool more, int combo)
{
    int width = combo;
    int count = 1;
    for (int i = 0; i < items.buttons.size(); ++i) {
        if (shown.value(i)) {
            width += items.buttons[i];
            ++count;
        }
    }
    if (more) {
        width += items.more;
        ++count;
    }
    return width + items.spacing * (count - 1);
}

// The width the bar's layout gives a widget: its hint within its bounds.
int laidOutWidth(const QWidget *w)
{
    return qBound(w->minimumWidth(), w->sizeHint().width(), w->maximumWidth());
}

} // namespace

NaviBarFit FitNaviBar(int room, const NaviBarItems &items)
{
    NaviBarFit fit;
    fit.shown = QList<bool>(items.buttons.size(), true);
    const int preferred = qMax(items.comboMin, items.comboPreferred);
    // With every button on the bar, the box takes what is left up to its preferred width.
    if (widthOf(items, fit.shown, false, items.comboMin) <= room) {
        fit.combo = qMin(preferred, room - widthOf(items, fit.shown, false, 0));
        return fit;
    }
    fit.more = true;
    for (int index : items.dropOrder) {
        if (index < 0 || index >= fit.shown.size())
            continue;
        fit.shown[index] = false;
        if (widthOf(items, fit.shown, true, items.comboMin) <= room)
            break;
    }
    // What is left goes to the box, which never pushes anything off the bar.
    fit.combo = qBound(0, room - widthOf(items, fit.shown, true, 0), preferred);
    return fit;
}

NaviBarFitter::NaviBarFitter(QToolBar *toolBar, const QList<QToolButton *> &barButtons,
                             const QList<int> &order, QWidget *comboPanel, QWidget *addressBox)
    : QObject(toolBar),
      bar(toolBar),
      buttons(barButtons),
      dropOrder(order),
      panel(comboPanel),
      combo(addressBox)
{
    for (QToolButton *b : std::as_const(buttons)) {
        QAction *place = nullptr;
        for (QAction *a : bar->actions())
            if (bar->widgetForAction(a) == b)
                place = a;
        onBar.append(place);
    }

    moreMenu = new QMenu(bar);
    moreMenu->setObjectName(QStringLiteral("MoreMenu"));
    for (QToolButton *b : std::as_const(buttons)) {
        QAction *standIn = moreMenu->addAction(b->icon(), b->toolTip());
        standIn->setStatusTip(b->statusTip());
        // A button off the bar is disabled with its hidden place: its handlers run
        // through its signal.
        connect(standIn, &QAction::triggered, b, [b] { Q_EMIT b->clicked(false); });
        standIn->setVisible(false);
        inMenu.append(standIn);
        QAction *sub = nullptr;
        if (QMenu *own = b->menu()) {
            // Go's drop-down holds the page's commands: the same actions, refreshed by
            // their owner as it does for the drop-down.
            auto *page = new QMenu(tr("Page"), moreMenu);
            connect(page, &QMenu::aboutToShow, own, [page, own] {
                for (QAction *a : page->actions())
                    page->removeAction(a);
                Q_EMIT own->aboutToShow();
                page->addActions(own->actions());
            });
            sub = moreMenu->addMenu(page);
            sub->setVisible(false);
        }
        subMenus.append(sub);
    }
    connect(moreMenu, &QMenu::aboutToShow, this, [this] { updateMoreMenu(); });

    // Without a parent until the bar takes it in (see StaleMark).
    more = new QToolButton;
    more->setObjectName(QStringLiteral("MoreButton"));
    more->setAutoRaise(true);
    more->setFocusPolicy(Qt::NoFocus);
    more->setIcon(
        bar->style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton, nullptr, bar));
    more->setToolTip(tr("More"));
    more->setStatusTip(tr("The buttons that have no room on this bar"));
    // Opened by hand: a button with its own menu would draw a menu arrow beside the
    // icon and take more room than it frees.
    connect(more, &QToolButton::clicked, this,
            [this] { moreMenu->popup(more->mapToGlobal(QPoint(0, more->height()))); });
    QAction *panelPlace = nullptr;
    for (QAction *a : bar->actions())
        if (bar->widgetForAction(a) == panel)
            panelPlace = a;
    moreAction = bar->insertWidget(panelPlace, more);
    // Narrow, as the tool bar's own extension button.
    const int extent = bar->style()->pixelMetric(QStyle::PM_ToolBarExtensionExtent, nullptr, bar);
    more->setIconSize(QSize(qMax(8, extent - 4), bar->iconSize().height()));
    more->setFixedWidth(qMax(12, extent + 4));
    moreAction->setVisible(false);

    bar->installEventFilter(this);
    combo->installEventFilter(this);
    Fit();
}

int NaviBarFitter::comboWidthFor(int chars) const
{
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = true;
    option.frame = true;
    const QFontMetrics metrics(combo->font());
    const QSize text(metrics.averageCharWidth() * chars, metrics.height());
    return combo->style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, combo).width();
}

int NaviBarFitter::ComboMinWidth() const
{
    return comboWidthFor(MinChars);
}

int NaviBarFitter::ComboPreferredWidth() const
{
    return qMax(DefaultWidth, ComboMinWidth());
}

void NaviBarFitter::Fit()
{
    if (fitting)
        return;
    fitting = true;
    NaviBarItems items;
    for (QToolButton *b : std::as_const(buttons))
        items.buttons.append(laidOutWidth(b));
    items.dropOrder = dropOrder;
    items.more = laidOutWidth(more);
    const QMargins margins = bar->layout() ? bar->layout()->contentsMargins() : QMargins();
    items.spacing = bar->layout() ? bar->layout()->spacing() : 0;
    items.comboMin = ComboMinWidth() + kPanelBorder;
    items.comboPreferred = ComboPreferredWidth() + kPanelBorder;
    int room = bar->contentsRect().width() - margins.left() - margins.right();
    // What else the bar shows (the stale mark) keeps its room.
    for (QAction *a : bar->actions()) {
        QWidget *w = bar->widgetForAction(a);
        if (a->isVisible() && w && w != more && w != panel
            && !buttons.contains(qobject_cast<QToolButton *>(w)))
            room -= laidOutWidth(w) + items.spacing;
    }

    const NaviBarFit fit = FitNaviBar(room, items);
    for (int i = 0; i < buttons.size(); ++i) {
        const bool shown = fit.shown.value(i, true);
        if (onBar[i])
            onBar[i]->setVisible(shown);
        inMenu[i]->setVisible(!shown);
        if (subMenus[i])
            subMenus[i]->setVisible(!shown);
    }
    moreAction->setVisible(fit.more);
    const int box = qMax(0, fit.combo - kPanelBorder);
    panel->setFixedWidth(box + kPanelBorder);
    combo->resize(box, combo->height());
    // Buttons that come back stand in their places now, not at the next event loop.
    if (QLayout *layout = bar->layout()) {
        layout->invalidate();
        layout->activate();
    }
    fitting = false;
}

void NaviBarFitter::updateMoreMenu()
{
    // The hints change (Refresh tells its countdown): the menu shows them as they are.
    for (int i = 0; i < buttons.size(); ++i) {
        inMenu[i]->setText(buttons[i]->toolTip());
        inMenu[i]->setStatusTip(buttons[i]->statusTip());
    }
}

bool NaviBarFitter::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((watched == bar && (type == QEvent::Resize || type == QEvent::ActionChanged))
        || type == QEvent::FontChange || type == QEvent::StyleChange)
        Fit();
    return QObject::eventFilter(watched, event);
}

} // namespace mira
