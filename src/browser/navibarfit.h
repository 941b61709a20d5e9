#pragma once
// How a pane's navigation bar shares its width: the address box keeps a usable
// width, and the buttons give way first. A button that does not fit leaves the bar
// for the bar's "more" menu, which opens next to the address box, never behind it.
#include <QList>
#include <QObject>
#include <QPointer>

class QAction;
class QMenu;
class QToolBar;
class QToolButton;
class QWidget;

namespace mira {

// Widths in pixels of what the bar holds, in bar order.
struct NaviBarItems {
    QList<int> buttons;   // the tool buttons
    QList<int> dropOrder; // indexes into buttons: the first one leaves first
    int more = 0;         // the button of the "more" menu
    int spacing = 0;      // between two neighbours
    int comboMin = 0;     // the address box, at the least it may have
    int comboPreferred = 0;
};

struct NaviBarFit {
    QList<bool> shown; // per button
    bool more = false;
    int combo = 0; // the address box's width

    bool operator==(const NaviBarFit &) const = default;
};

// Fits the items into room pixels. The address box grows to its preferred width only
// once every button is on the bar; buttons leave in drop order while the box would be
// below its minimum; with every button gone the box takes what is left (even less
// than its minimum), so nothing ever overflows the bar.
NaviBarFit FitNaviBar(int room, const NaviBarItems &items);

// Applies FitNaviBar to a pane's bar whenever the bar changes width, font or style.
// The "more" button it adds stands right before the address box's panel and lists
// the commands of the buttons that left; a button's drop-down menu (Go's page
// commands) comes along as the submenu Page.
class NaviBarFitter : public QObject {
    Q_OBJECT
public:
    // buttons in bar order, already on the bar, before comboPanel; dropOrder as in
    // NaviBarItems. A button with a drop-down menu lends it to the "more" menu.
    NaviBarFitter(QToolBar *bar, const QList<QToolButton *> &buttons, const QList<int> &dropOrder,
                  QWidget *comboPanel, QWidget *combo);

    // The least and the preferred width of the address box, from its font.
    int ComboMinWidth() const;
    int ComboPreferredWidth() const;
    QToolButton *MoreButton() const { return more; }
    // Refits now (the bar's events do it by themselves).
    void Fit();

    static constexpr int MinChars = 14;      // average characters the box always shows
    static constexpr int DefaultWidth = 145; // the box's width when there is room

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int comboWidthFor(int chars) const;
    void updateMoreMenu();

    QToolBar *bar;
    QList<QToolButton *> buttons;
    QList<int> dropOrder;
    QList<QAction *> onBar;    // the buttons' places on the bar
    QList<QAction *> inMenu;   // their stand-ins in the "more" menu
    QList<QAction *> subMenus; // a button's drop-down menu, when it has left
    QWidget *panel;
    QWidget *combo;
    QToolButton *more = nullptr;
    QAction *moreAction = nullptr;
    QMenu *moreMenu = nullptr;
    bool fitting = false;
};

} // namespace mira
