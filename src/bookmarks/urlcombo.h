#pragma once
// The address box of a browser pane: an editable drop-down whose list shows the
// pane's bookmarks, newest or most recently visited first. Picking a line with the
// mouse navigates at once; typing never does; Enter (or Go) goes to the bookmark
// named in the box, or to the typed address.
#include <QComboBox>
#include <QPointer>
#include <memory>

#include "bookmarks/addressnavigator.h"
#include "bookmarks/urllistview.h"
#include "bookmarks/urls.h"

namespace mira {

// The collection index of the bookmark whose page is shown at location (its address,
// ignoring case), or -1; an empty location shows none. Unlike the box's selection,
// typing in the box leaves it alone: timed reloads and Escape follow it.
int ShownBookmark(const TURLs &urls, const QString &location);

class TURLCombo : public QComboBox, public URLListView {
    Q_OBJECT
public:
    // A combo needs a browser pane (an owner that is an AddressNavigator). Any other
    // owner is refused with a message and nullptr is returned; nothing is built.
    // parent is where the box is shown (the pane's combo panel).
    static TURLCombo *Create(QObject *owner, QWidget *parent = nullptr);
    ~TURLCombo() override;

    AddressNavigator *Navigator() const { return pane; }
    TURLs *URLs() const { return urls.get(); }

    // Replaces the bookmarks by copies of list's (uniqueness rules apply), then rebuilds.
    void AssignURLs(const TURLs &list);

    // URLListView.
    void UpdateItems() override;
    void UpdateItem(TURL *url) override;

    // Converts a list line to a collection index and back; -1 when i is -1, the list
    // is empty or out of step with the collection.
    int MapIndex(int i) const;
    // The collection index of the bookmark the box shows, or -1 (typed text counts
    // as no bookmark even while the list still marks a line).
    int SelectedIndex() const;

    // ShownBookmark of the pane's loaded location.
    int ShownIndex() const;
    // Escape: the box shows the shown bookmark again (its line selected), or the loaded
    // location when that is no bookmark; with nothing loaded the last edit is taken back.
    void RestoreShown();

    // userRequest (the Go button, Enter): the named bookmark whatever its Refresh, or
    // the typed address. Otherwise (Go All) only a named bookmark with Refresh >= 0.
    void Go(bool userRequest);

    // The pane's news: a new title for location, and the end of a download.
    void LocationChanged(const QString &title, const QString &location);
    void DocumentLoaded();
    // The scroll settings of the first line's bookmark, applied to the loaded page.
    void ApplyScrollSettings();

    // Whether the page at location (the loaded one when empty) is the selected
    // bookmark's and that bookmark allows global reload.
    bool IsRefreshable(const QString &location = QString()) const;
    bool IsAddressLoaded() const;
    bool IsSelectionLoaded() const;
    bool CanAddToFavorites() const;

    // The two-part hint "short|long"; it also carries the pending bookmark proposal
    // (name before the bar, address after it).
    QString Hint() const { return hint; }
    void SetHint(const QString &value);

    // Whether the box holds text the user typed since the program last set it.
    bool UserEdited() const;
    // Takes the last edit of the edit box back.
    void UndoEdit();
    // While set, a change of the text is not taken for the user's choice of a line;
    // the next change notification and every key release clear it.
    void SetSkipChange(bool skip) { FSkipChange = skip; }

    // The list is made, and set up, as it first drops down.
    void showPopup() override;

protected:
    // Room for MinimumContentsLength characters, whatever the bookmarks are called
    // (asked for as a widget's).
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // URLListView: the list's questions are asked over the box.
    QWidget *messageOwner() override { return this; }

    static constexpr int DropDownCount = 20;
    // Characters the box's size hint allows for, whatever its bookmarks are called.
    static constexpr int MinimumContentsLength = 16;

    TURLCombo(AddressNavigator *owner, QWidget *parent);
    // The user changed the text or picked a line.
    void Change(bool picked);
    // Ctrl+Up/Down in the dropped-down list: one line up (-1) or down (1), loading it.
    void walkOpenList(int step);
    // The drop-down list, made and set up at its first need.
    QAbstractItemView *preparedList();
    void navigate(const QString &address) const;
    QString loadedLocation() const;

    AddressNavigator *pane;
    std::unique_ptr<TURLs> urls;
    QString hint;
    bool FSkipChange = false;
    // Set while the toolkit itself selects a line (not a user pick).
    bool toolkitSelecting = false;
    QPointer<QAbstractItemView> dropList;
};

} // namespace mira
