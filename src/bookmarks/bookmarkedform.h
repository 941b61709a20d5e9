#pragma once
// The bookmark editor: name, address, whether Go All and Refresh All may load the
// bookmark, and how its page is scrolled once loaded (or stripped of scroll bars).
#include <QDialog>
#include <QPoint>
#include <QRect>
#include <QSize>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace mira {

class TURL;

class TBookmarkEdForm : public QDialog {
public:
    // box: the address box the editor is opened from (its window is the parent).
    explicit TBookmarkEdForm(QWidget *box);

    // Shows the bookmark's values.
    void Fill(const TURL &url);
    // OK: name and address first (refused with a message when another bookmark has
    // either; then nothing changes and the result is false), then the settings.
    bool Store(TURL &url) const;

    void btnDefaultPosClick();
    // The scroll position panel shows exactly while the bars are not hidden.
    void cbNoScrollClick();

    QLabel *txName, *txAddress, *txScroll, *txScrollX, *txScrollY, *txPeriod, *txSeconds;
    // Seconds after which a pane showing the bookmark reloads it by itself; 0 never.
    QSpinBox *edPeriod;
    QLineEdit *edName, *edAddress, *edScrollX, *edScrollY;
    QCheckBox *cbRefresh, *cbNoScroll;
    QFrame *paScrollPos;
    QPushButton *btnDefaultPos, *btnOK, *btnCancel;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // A scroll field takes back any change that leaves no whole number of 0 or more.
    static void edScrollChange(QLineEdit *field);
};

// Where the editor of the given frame size goes for a box at boxRect (screen
// coordinates): under the box from its left edge, moved left to end at the work
// area's width, above the box when there is no room below, never at negative
// coordinates.
QPoint PlaceBookmarkEditor(QSize form, QRect boxRect, QRect workArea);

} // namespace mira
