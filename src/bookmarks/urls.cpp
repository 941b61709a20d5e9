#include "bookmarks/urls.h"

#include <algorithm>

#include "bookmarks/shortenname.h"
#include "bookmarks/urllistview.h"
#include "bookmarks/zoomsteps.h"
#include "dialogs/messagebox.h"
#include "platform/shell.h"

namespace mira {
namespace {

QString clashText(const QString &what, const QString &value, const QString &relation,
                  const QString &otherValue)
{
    // One multi-argument arg(): a "%1" inside a name must not be substituted again.
    return QStringLiteral("URL having %1 \"%2\" already exists %3 \"%4\".")
        .arg(what, value, relation, otherValue);
}

QString nameClash(const QString &name, const TURL &other)
{
    return clashText(QStringLiteral("name"), name, QStringLiteral("with preset address"),
                     other.Address());
}

QString addressClash(const QString &address, const TURL &other)
{
    return clashText(QStringLiteral("address"), address, QStringLiteral("and named as"),
                     other.Name());
}

} // namespace

// ---------------------------------------------------------------------------- TURL

TURL::TURL(TURLs *owner, int itemId) : collection(owner), id(itemId) {}

void TURL::SetName(const QString &value)
{
    const QString v = ShortenName(value);
    if (v != name)
        applyName(v, TURLs::FoldCase(v));
}

void TURL::applyName(const QString &value, const QString &key)
{
    if (value == name || !collection->confirmUnique(value, key, false, this))
        return;
    collection->storeName(this, value, key);
    collection->changed(this);
}

void TURL::SetAddress(const QString &text)
{
    // A copy: the text may belong to the bookmark a clash question deletes.
    const QString value = text; // NOLINT(performance-unnecessary-copy-initialization)
    if (value.size() > MaxAddressLength) {
        platform::Beep();
        return;
    }
    if (value != address)
        applyAddress(value, TURLs::FoldCase(value));
}

void TURL::applyAddress(const QString &value, const QString &key)
{
    if (value.size() > MaxAddressLength) {
        platform::Beep();
        return;
    }
    if (value == address || !collection->confirmUnique(value, key, true, this))
        return;
    collection->storeAddress(this, value, key);
}

void TURL::SetNoScroll(bool value)
{
    if (value == NoScroll())
        return;
    scrollX = value ? -1 : 0;
    scrollY = 0;
}

void TURL::SetZoom(int percent)
{
    zoom = ClampZoom(percent);
}

void TURL::SetIndex(int index)
{
    collection->move(this, index);
}

bool TURL::SetNameAndAddress(const QString &nameText, const QString &addressText)
{
    // Copies: the texts may belong to a bookmark that a clash question deletes.
    const QString newName = nameText;       // NOLINT(performance-unnecessary-copy-initialization)
    const QString newAddress = addressText; // NOLINT(performance-unnecessary-copy-initialization)
    const QString newNameKey = TURLs::FoldCase(newName);
    const QString newAddressKey = TURLs::FoldCase(newAddress);
    TURLs *list = collection;
    if (TURL *same = list->findBookmark(newName, newNameKey, newAddressKey, this)) {
        const int target = position - 1;
        list->BeginUpdate();
        list->remove(this); // deletes this item: only locals from here on
        list->move(same, target);
        list->EndUpdate();
        return false;
    }
    // Shortening keeps a prefix: the same length means the same text and key.
    const QString shortName = ShortenName(newName);
    applyName(shortName,
              shortName.size() == newName.size() ? newNameKey : TURLs::FoldCase(shortName));
    applyAddress(newAddress, newAddressKey);
    return true;
}

bool TURL::Assign(const TURL &source)
{
    // The source may sit in this list and be deleted by a clash question.
    const int newRefresh = source.refresh;
    const int newScrollX = source.scrollX;
    const int newScrollY = source.scrollY;
    const int newZoom = source.zoom;
    if (!SetNameAndAddress(source.name, source.address))
        return false;
    refresh = newRefresh;
    scrollX = newScrollX;
    scrollY = newScrollY;
    zoom = newZoom;
    return true;
}

bool TURL::EditNameAndAddress(const QString &nameText, const QString &addressText)
{
    // Copies: either text may be this bookmark's own, which storing overwrites.
    const QString newName = nameText;       // NOLINT(performance-unnecessary-copy-initialization)
    const QString newAddress = addressText; // NOLINT(performance-unnecessary-copy-initialization)
    const QString newNameKey = TURLs::FoldCase(newName);
    const QString newAddressKey = TURLs::FoldCase(newAddress);
    QString text;
    if (const TURL *other = collection->findName(newName, newNameKey, TURLs::End, this))
        text = nameClash(newName, *other);
    else if (const TURL *clash = collection->findAddress(newAddress, newAddressKey, this))
        text = addressClash(newAddress, *clash);
    if (!text.isEmpty()) {
        ShowMessageBox(collection->Owner(), text, QStringLiteral("Editing Cancelled"),
                       MsgType::Information, mbOK);
        return false;
    }
    collection->storeName(this, newName, newNameKey);
    collection->storeAddress(this, newAddress, newAddressKey);
    collection->changed(this);
    return true;
}

// --------------------------------------------------------------------------- TURLs

TURLs::TURLs(URLListView *combo) : view(combo) {}

// Items go without notifications: the view owning the list is being destroyed.
TURLs::~TURLs() = default;

QWidget *TURLs::Owner() const
{
    return view ? view->messageOwner() : nullptr;
}

QString TURLs::FoldCase(const QString &value)
{
    // Nearly every name and address is ASCII, where folding is lowering A-Z; the full
    // Unicode fold took a sixth of opening a large set. A key already folded is the
    // value itself, shared rather than copied.
    qsizetype firstUpper = -1;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char16_t c = value.at(i).unicode();
        if (c >= 0x80)
            return value.toCaseFolded();
        if (firstUpper < 0 && c >= u'A' && c <= u'Z')
            firstUpper = i;
    }
    if (firstUpper < 0)
        return value;
    QString folded = value;
    for (QChar *c = folded.data() + firstUpper, *end = folded.data() + folded.size(); c != end; ++c)
        if (c->unicode() >= u'A' && c->unicode() <= u'Z')
            *c = QChar(c->unicode() + (u'a' - u'A'));
    return folded;
}

TURL *TURLs::Items(int index) const
{
    return index >= 0 && index < Count() ? items[size_t(index)].get() : nullptr;
}

TURL *TURLs::Add()
{
    const int id = nextId++;
    auto item = std::unique_ptr<TURL>(new TURL(this, id));
    TURL *raw = item.get();
    raw->position = Count();
    raw->name = QStringLiteral("(no name %1)").arg(id);
    raw->placeholder = true;
    ++placeholders;
    items.push_back(std::move(item));
    changed(nullptr);
    return raw;
}

void TURLs::Reserve(int count)
{
    if (count <= Count())
        return;
    items.reserve(size_t(count));
    nameIndex.reserve(count);
    addressIndex.reserve(count);
}

void TURLs::Delete(int index)
{
    if (TURL *item = Items(index))
        remove(item);
}

void TURLs::Clear()
{
    if (items.empty())
        return;
    nameIndex.clear();
    addressIndex.clear();
    items.clear();
    placeholders = 0;
    changed(nullptr);
}

void TURLs::Assign(const TURLs &source)
{
    if (&source == this)
        return;
    BeginUpdate();
    Clear();
    Reserve(source.Count());
    for (int i = 0; i < source.Count(); ++i)
        Add()->Assign(*source.Items(i));
    EndUpdate();
}

void TURLs::BeginUpdate()
{
    ++updateCount;
}

void TURLs::EndUpdate()
{
    if (updateCount <= 0)
        return;
    if (--updateCount == 0)
        Update(nullptr);
}

void TURLs::Update(TURL *item)
{
    if (!view)
        return;
    if (item)
        view->UpdateItem(item);
    else
        view->UpdateItems();
}

void TURLs::changed(TURL *item)
{
    if (updateCount == 0)
        Update(item);
}

int TURLs::IndexOfName(const QString &name, int last) const
{
    const TURL *item = findName(name, FoldCase(name), last, nullptr);
    return item ? item->position : -1;
}

int TURLs::IndexOfAddress(const QString &address) const
{
    const TURL *item = findAddress(address, FoldCase(address), nullptr);
    return item ? item->position : -1;
}

int TURLs::IndexOfBookmark(const QString &name, const QString &address) const
{
    const TURL *item = findBookmark(name, FoldCase(name), FoldCase(address), nullptr);
    return item ? item->position : -1;
}

bool TURLs::ConfirmUnique(QString value, bool byAddress, const TURL *self)
{
    return confirmUnique(value, FoldCase(value), byAddress, self);
}

bool TURLs::confirmUnique(const QString &value, const QString &key, bool byAddress,
                          const TURL *self)
{
    if (value.isEmpty())
        return false;
    // Normally one clash at most; a list that already holds duplicates asks per clash,
    // so that OK really leaves the value unique.
    for (;;) {
        const TURL *other = byAddress ? findAddress(value, key, self)
                                      : findName(value, key, End, self);
        if (!other)
            return true;
        const QString text = (byAddress ? addressClash(value, *other) : nameClash(value, *other))
                             + QStringLiteral(
                                 "\nIs it OK to replace the URL by deleting existing entry?");
        const int otherId = other->id;
        if (ShowMessageBox(Owner(), text, QString(), MsgType::Confirmation, mbOK | mbCancel)
            != mrOK)
            return false;
        // The list may have been rearranged while the question was open.
        if (TURL *again = findById(otherId))
            remove(again);
    }
}

void TURLs::indexInsert(Index &index, Link link, const QString &key, TURL *item)
{
    TURL *&head = index[key];
    item->*link = head;
    head = item;
}

void TURLs::indexRemove(Index &index, Link link, const QString &key, TURL *item)
{
    const auto it = index.find(key);
    if (it == index.end())
        return;
    if (it.value() == item) {
        if (item->*link)
            it.value() = item->*link;
        else
            index.erase(it);
    } else {
        for (TURL *prev = it.value(); prev->*link; prev = prev->*link) {
            if (prev->*link == item) {
                prev->*link = item->*link;
                break;
            }
        }
    }
    item->*link = nullptr;
}

TURL *TURLs::findKey(const Index &index, Link link, const QString &key, int last,
                     const TURL *except)
{
    TURL *best = nullptr;
    for (TURL *item = index.value(key); item; item = item->*link) {
        if (item != except && item->position <= last && (!best || item->position > best->position))
            best = item;
    }
    return best;
}

TURL *TURLs::findName(const QString &name, const QString &key, int last, const TURL *except) const
{
    if (!name.isEmpty()) {
        TURL *best = findKey(nameIndex, &TURL::nextSameName, key, last, except);
        TURL *unnamed = findPlaceholder(key, except);
        if (unnamed && unnamed->position <= last && (!best || unnamed->position > best->position))
            best = unnamed;
        return best;
    }
    // Empty names are not indexed; only the editor stores them.
    for (int i = std::min(last, Count() - 1); i >= 0; --i) {
        TURL *item = items[size_t(i)].get();
        if (item != except && item->name.isEmpty())
            return item;
    }
    return nullptr;
}

TURL *TURLs::findAddress(const QString &address, const QString &key, const TURL *except) const
{
    if (!address.isEmpty())
        return findKey(addressIndex, &TURL::nextSameAddress, key, End, except);
    // Empty addresses (every fresh item has one) are not indexed.
    for (int i = Count() - 1; i >= 0; --i) {
        TURL *item = items[size_t(i)].get();
        if (item != except && item->address.isEmpty())
            return item;
    }
    return nullptr;
}

TURL *TURLs::findBookmark(const QString &name, const QString &nameKey, const QString &addressKey,
                          const TURL *except) const
{
    if (name.isEmpty()) {
        for (int i = Count() - 1; i >= 0; --i) {
            TURL *item = items[size_t(i)].get();
            if (item != except && item->name.isEmpty() && item->addressKey == addressKey)
                return item;
        }
        return nullptr;
    }
    TURL *best = nullptr;
    for (TURL *item = nameIndex.value(nameKey); item; item = item->nextSameName) {
        if (item != except && item->addressKey == addressKey
            && (!best || item->position > best->position))
            best = item;
    }
    TURL *unnamed = findPlaceholder(nameKey, except);
    if (unnamed && unnamed->addressKey == addressKey
        && (!best || unnamed->position > best->position))
        best = unnamed;
    return best;
}

TURL *TURLs::findPlaceholder(const QString &key, const TURL *except) const
{
    // While a list is read, the item being read is the only one left unnamed.
    if (placeholders == 0 || (placeholders == 1 && except && except->placeholder))
        return nullptr;
    static const QString prefix = QStringLiteral("(no name ");
    if (!key.startsWith(prefix) || !key.endsWith(QLatin1Char(')')))
        return nullptr;
    // Only the digits the placeholder is written with: no sign, no leading zero.
    const QStringView digits = QStringView(key).sliced(prefix.size(),
                                                       key.size() - prefix.size() - 1);
    if (digits.isEmpty() || digits.size() > 10 || (digits.size() > 1 && digits.front() == u'0'))
        return nullptr;
    for (const QChar c : digits)
        if (c < u'0' || c > u'9')
            return nullptr;
    bool ok = false;
    const int id = digits.toInt(&ok);
    if (!ok)
        return nullptr;
    TURL *item = findById(id);
    return item && item != except && item->placeholder ? item : nullptr;
}

TURL *TURLs::findById(int id) const
{
    for (const auto &item : items)
        if (item->id == id)
            return item.get();
    return nullptr;
}

void TURLs::storeName(TURL *item, const QString &name, const QString &key)
{
    if (item->placeholder) {
        item->placeholder = false;
        --placeholders;
    } else if (!item->nameKey.isEmpty()) {
        indexRemove(nameIndex, &TURL::nextSameName, item->nameKey, item);
    }
    item->name = name;
    item->nameKey = key;
    if (!key.isEmpty())
        indexInsert(nameIndex, &TURL::nextSameName, key, item);
}

void TURLs::storeAddress(TURL *item, const QString &address, const QString &key)
{
    if (!item->addressKey.isEmpty())
        indexRemove(addressIndex, &TURL::nextSameAddress, item->addressKey, item);
    item->address = address;
    item->addressKey = key;
    if (!key.isEmpty())
        indexInsert(addressIndex, &TURL::nextSameAddress, key, item);
}

void TURLs::remove(TURL *item)
{
    if (item->placeholder)
        --placeholders;
    if (!item->nameKey.isEmpty())
        indexRemove(nameIndex, &TURL::nextSameName, item->nameKey, item);
    if (!item->addressKey.isEmpty())
        indexRemove(addressIndex, &TURL::nextSameAddress, item->addressKey, item);
    const int at = item->position;
    items.erase(items.begin() + at);
    renumber(at, Count() - 1);
    changed(nullptr);
}

void TURLs::move(TURL *item, int to)
{
    if (items.empty())
        return;
    to = std::clamp(to, 0, Count() - 1);
    const int from = item->position;
    if (to == from)
        return;
    auto first = items.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
    renumber(std::min(from, to), std::max(from, to));
    changed(nullptr);
}

void TURLs::renumber(int from, int to)
{
    for (int i = from; i <= to; ++i)
        items[size_t(i)]->position = i;
}

} // namespace mira
