#pragma once
// A pane's bookmarks: an ordered list of named addresses, unique by name and by
// address ignoring case, newest or most recently visited last.
#include <QHash>
#include <QString>
#include <limits>
#include <memory>
#include <vector>

class QWidget;

namespace mira {

class TURLs;
class URLListView;

class TURL {
public:
    TURL(const TURL &) = delete;
    TURL &operator=(const TURL &) = delete;

    TURLs *Collection() const { return collection; }
    int Index() const { return position; }
    int ID() const { return id; }

    const QString &Name() const { return name; }
    // Shortened, then ignored when empty or unchanged; a clash may delete the other
    // bookmark after asking. Reports the change to the view.
    void SetName(const QString &value);

    const QString &Address() const { return address; }
    // Over MaxAddressLength: beep and ignore. Otherwise like SetName, not reported.
    void SetAddress(const QString &value);

    int Refresh() const { return refresh; }
    void SetRefresh(int value) { refresh = value; }
    int ScrollX() const { return scrollX; }
    void SetScrollX(int value) { scrollX = value; }
    int ScrollY() const { return scrollY; }
    void SetScrollY(int value) { scrollY = value; }
    // The percent the pane shows the bookmark's page at; kept within ZoomMin..ZoomMax.
    int Zoom() const { return zoom; }
    void SetZoom(int percent);

    // Scroll bars hidden: ScrollX < 0 and ScrollY == 0.
    bool NoScroll() const { return scrollX < 0 && scrollY == 0; }
    void SetNoScroll(bool value);

    // Moves the bookmark to position index (clamped to the list).
    void SetIndex(int index);

    QString GetDisplayName() const { return name; }

    // For a freshly added item. When the list already holds a bookmark with this name
    // and address, that one is moved into this item's place and THIS ITEM IS DELETED:
    // the result is then false and the caller must not touch the item again.
    // Otherwise name and address are set by the setters' rules and the result is true.
    [[nodiscard]] bool SetNameAndAddress(const QString &name, const QString &address);

    // Copies a bookmark into this fresh item by SetNameAndAddress; the numbers and the zoom follow
    // only when it returns true (false: this item was deleted, as above).
    bool Assign(const TURL &source);

    // The editor's OK: refused with a message when another bookmark has this name or
    // address; otherwise both are stored as given and the result is true.
    bool EditNameAndAddress(const QString &name, const QString &address);

    static constexpr int MaxAddressLength = 2048;

private:
    friend class TURLs;
    TURL(TURLs *owner, int itemId);
    // The setters past their own checks; value is shortened or length-checked, key is
    // its folded form, and both outlive a clash question.
    void applyName(const QString &value, const QString &key);
    void applyAddress(const QString &value, const QString &key);

    TURLs *collection;
    int position = -1;
    int id;
    QString name;
    QString address;
    QString nameKey; // case-folded, as indexed
    QString addressKey;
    // Still named "(no name <ID>)": that name is matched by its pattern, not indexed,
    // so reading a list does not index and unindex a name per bookmark.
    bool placeholder = false;
    // Further bookmarks with the same key (only lists that already held duplicates).
    TURL *nextSameName = nullptr;
    TURL *nextSameAddress = nullptr;
    int refresh = 0;
    int scrollX = 0;
    int scrollY = 0;
    int zoom = 100;
};

class TURLs {
public:
    // Upper bound meaning "search from the final item".
    static constexpr int End = std::numeric_limits<int>::max();

    explicit TURLs(URLListView *combo = nullptr);
    ~TURLs();
    TURLs(const TURLs &) = delete;
    TURLs &operator=(const TURLs &) = delete;

    URLListView *Combo() const { return view; }
    QWidget *Owner() const;

    int Count() const { return int(items.size()); }
    // nullptr out of range.
    TURL *Items(int index) const;

    // Appends a bookmark named "(no name <ID>)" with an empty address.
    TURL *Add();
    // Makes room for count bookmarks in all, as before reading a list.
    void Reserve(int count);
    void Delete(int index);
    void Clear();
    // Replaces the content by copies of source's bookmarks (uniqueness rules apply).
    void Assign(const TURLs &source);

    // While updating, changes are not reported; the final EndUpdate reports one
    // change of the whole list.
    void BeginUpdate();
    void EndUpdate();
    bool IsUpdating() const { return updateCount > 0; }

    // Tells the view: about one item, or (nullptr) about the whole list.
    void Update(TURL *item = nullptr);

    // Highest index in 0..last whose name equals name ignoring case, or -1.
    int IndexOfName(const QString &name, int last = End) const;
    // Highest index whose address equals address ignoring case, or -1.
    int IndexOfAddress(const QString &address) const;
    // Highest index whose name and address both equal these ignoring case, or -1.
    int IndexOfBookmark(const QString &name, const QString &address) const;

    // False for an empty value. True when no bookmark but self has the value (name or
    // address, ignoring case); otherwise asks whether to delete the other one and
    // returns true when it was deleted.
    // The value is taken by copy, as it may belong to the bookmark that is deleted.
    bool ConfirmUnique(QString value, bool byAddress, const TURL *self = nullptr);

    static QString FoldCase(const QString &value);

private:
    friend class TURL;
    // Folded key to the first bookmark having it; the rest are chained through Link.
    using Index = QHash<QString, TURL *>;
    using Link = TURL *TURL::*;

    static void indexInsert(Index &index, Link link, const QString &key, TURL *item);
    static void indexRemove(Index &index, Link link, const QString &key, TURL *item);
    // Highest-index item with this folded key other than except, up to last.
    static TURL *findKey(const Index &index, Link link, const QString &key, int last,
                         const TURL *except);
    // The finders take the value and its folded key, folded once by the caller.
    TURL *findName(const QString &name, const QString &key, int last, const TURL *except) const;
    TURL *findAddress(const QString &address, const QString &key, const TURL *except) const;
    TURL *findBookmark(const QString &name, const QString &nameKey, const QString &addressKey,
                       const TURL *except) const;
    TURL *findById(int id) const;
    // The bookmark still holding the placeholder name whose folded key this is.
    TURL *findPlaceholder(const QString &key, const TURL *except) const;
    bool confirmUnique(const QString &value, const QString &key, bool byAddress, const TURL *self);

    void storeName(TURL *item, const QString &name, const QString &key);
    void storeAddress(TURL *item, const QString &address, const QString &key);
    void remove(TURL *item);
    void move(TURL *item, int to);
    void renumber(int from, int to);
    void changed(TURL *item);

    URLListView *view;
    std::vector<std::unique_ptr<TURL>> items;
    Index nameIndex;    // non-empty folded names
    Index addressIndex; // non-empty folded addresses
    int nextId = 0;
    int updateCount = 0;
    int placeholders = 0; // items with placeholder set
};

} // namespace mira
