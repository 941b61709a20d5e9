#include "bookmarks/urlcombo.h"

#include <QAbstractItemView>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QStringListModel>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QtMath>

#include "dialogs/messagebox.h"

namespace mira {
namespace {

bool sameText(const QString &a, const QString &b)
{
    return TURLs::FoldCase(a) == TURLs::FoldCase(b);
}

bool isUpDown(int key)
{
    return key == Qt::Key_Up || key == Qt::Key_Down;
}

} // namespace

int ShownBookmark(const TURLs &urls, const QString &location)
{
    return location.isEmpty() ? -1 : urls.IndexOfAddress(location);
}

TURLCombo *TURLCombo::Create(QObject *owner, QWidget *parent)
{
    auto *pane = dynamic_cast<AddressNavigator *>(owner);
    if (!pane) {
        ShowMessageBox(nullptr,
                       QStringLiteral("Instance of TURLCombo needed an owner of TBrowser type"),
                       QStringLiteral("Instanciating Failure - Invalid owner"), MsgType::Error,
                       mbOK);
        return nullptr;
    }
    return new TURLCombo(pane, parent ? parent : qobject_cast<QWidget *>(owner));
}

TURLCombo::TURLCombo(AddressNavigator *owner, QWidget *parent)
    : QComboBox(parent), pane(owner), urls(std::make_unique<TURLs>(this))
{
    // Editable through its line edit alone: setEditable() would also build the drop-down
    // list, its view and frame, which most panes of a large wall never open (a tenth of
    // opening one). The list is made, and set up, when it first drops down.
    auto *edit = new QLineEdit(this);
    edit->setPalette(palette());
    setLineEdit(edit);
    // The list is the bookmarks alone: typed text is never added, nor completed.
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setMaxVisibleItems(DropDownCount);
    setFocusPolicy(Qt::StrongFocus);
    // A pane may hold thousands of bookmarks: neither the box's size nor the list's
    // layout measures every name. The pane places the box itself, and every line is
    // one line of text, so the first line's height stands for all.
    // The box's hints are its own (sizeHint()): choosing a size policy would build the list.
    setModel(new QStringListModel(this)); // the names as they are, without an item each
    // Only what the user does counts as a change: a pick from the list (or a walk
    // through it by keys), and edits of the text.
    connect(this, &QComboBox::activated, this, [this] { Change(true); });
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { Change(false); });
}

QAbstractItemView *TURLCombo::preparedList()
{
    if (!dropList) {
        dropList = view(); // made here, at the first need
        if (auto *lines = qobject_cast<QListView *>(dropList.data()))
            lines->setUniformItemSizes(true);
        dropList->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        dropList->installEventFilter(this);
    }
    return dropList;
}

void TURLCombo::showPopup()
{
    preparedList();
    QComboBox::showPopup();
}

TURLCombo::~TURLCombo() = default;

QSize TURLCombo::sizeHint() const
{
    // What the toolkit's box gives for MinimumContentsLength characters and an icon.
    const QFontMetrics metrics = fontMetrics();
    const QSize icon = iconSize();
    const QSize text(MinimumContentsLength * metrics.horizontalAdvance(QLatin1Char('X'))
                         + icon.width() + 4,
                     qMax(qMax(qCeil(QFontMetricsF(metrics).height()), 14), icon.height()) + 2);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, this);
}

QSize TURLCombo::minimumSizeHint() const
{
    return sizeHint();
}

void TURLCombo::AssignURLs(const TURLs &list)
{
    urls->Assign(list);
    UpdateItems();
}

void TURLCombo::UpdateItems()
{
    if (pane)
        pane->BookmarksChanged();
    const int line = currentIndex();
    const QString text = currentText();
    if (dropList)
        dropList->setUpdatesEnabled(false);
    QStringList names;
    names.reserve(urls->Count());
    for (int i = urls->Count() - 1; i >= 0; --i)
        names.append(urls->Items(i)->Name());
    static_cast<QStringListModel *>(model())->setStringList(names);
    int select = -1;
    if (line >= 0) {
        for (int i = 0; i < count(); ++i)
            if (sameText(itemText(i), text)) {
                select = i;
                break;
            }
    }
    setCurrentIndex(select);
    if (select < 0)
        setEditText(text);
    if (dropList)
        dropList->setUpdatesEnabled(true);
}

void TURLCombo::UpdateItem(TURL *url)
{
    if (!url)
        return;
    if (pane)
        pane->BookmarksChanged();
    const int line = MapIndex(url->Index());
    if (line >= 0)
        setItemText(line, url->Name());
}

int TURLCombo::MapIndex(int i) const
{
    const int n = urls->Count();
    if (i < 0 || count() == 0 || count() != n || i >= n)
        return -1;
    return n - 1 - i;
}

int TURLCombo::SelectedIndex() const
{
    const int line = currentIndex();
    if (line < 0)
        return -1;
    const QString text = currentText();
    if (!sameText(itemText(line), text))
        return -1;
    const int c = MapIndex(line);
    if (c < 0 || !sameText(urls->Items(c)->Name(), text))
        return -1;
    return c;
}

int TURLCombo::ShownIndex() const
{
    return ShownBookmark(*urls, loadedLocation());
}

void TURLCombo::RestoreShown()
{
    const QString location = loadedLocation();
    if (location.isEmpty()) {
        UndoEdit();
        return;
    }
    // Set by the program: no change notification, nothing loads.
    const int line = MapIndex(ShownIndex());
    setCurrentIndex(line);
    setEditText(line >= 0 ? itemText(line) : location);
    if (lineEdit())
        lineEdit()->selectAll();
}

void TURLCombo::navigate(const QString &address) const
{
    if (pane && !address.isEmpty())
        pane->NavigateTo(address);
}

QString TURLCombo::loadedLocation() const
{
    return pane ? pane->LoadedLocationURL() : QString();
}

void TURLCombo::Go(bool userRequest)
{
    const QString text = currentText();
    const int a = urls->IndexOfName(text);
    QString target;
    if (a < 0) {
        if (userRequest)
            target = text;
    } else if (TURL *url = urls->Items(a); userRequest || url->Refresh() >= 0) {
        target = url->Address();
        setCurrentIndex(MapIndex(a));
    }
    // The user has acted on the text: the page it brings takes the box back.
    if (userRequest && lineEdit())
        lineEdit()->setModified(false);
    navigate(target);
}

void TURLCombo::Change(bool picked)
{
    if (FSkipChange) {
        FSkipChange = false;
        return;
    }
    // Edits never navigate (a paste by mouse comes without a key); nor does the
    // toolkit matching typed text to a line when the box loses focus.
    if (!picked || toolkitSelecting)
        return;
    const int line = currentIndex();
    if (line < 0)
        return;
    // A pick of the line already selected leaves typed text in the box otherwise.
    if (currentText() != itemText(line))
        setEditText(itemText(line));
    if (TURL *url = urls->Items(MapIndex(line)))
        navigate(url->Address());
}

void TURLCombo::LocationChanged(const QString &title, const QString &location)
{
    if (pane)
        pane->BookmarksChanged();
    SetHint(title + QLatin1Char('|') + location);
    // An empty location is no address: it must not match bookmarks without one.
    const int a = location.isEmpty() ? -1 : urls->IndexOfAddress(location);
    if (a < 0) {
        setCurrentIndex(-1);
        setEditText(location);
        return;
    }
    urls->Items(a)->SetIndex(urls->Count() - 1);
    setCurrentIndex(0);
}

void TURLCombo::DocumentLoaded()
{
    if (currentIndex() == 0)
        ApplyScrollSettings();
}

void TURLCombo::ApplyScrollSettings()
{
    if (!pane || urls->Count() == 0)
        return;
    const TURL *url = urls->Items(urls->Count() - 1);
    const std::unique_ptr<DocumentBodyAccess> body = pane->Body();
    if (!body)
        return;
    // A page without a body ends it at the first access.
    if (url->NoScroll() && !body->SetScroll(QStringLiteral("No")))
        return;
    if (url->ScrollX() > 0 && !body->SetScrollLeft(url->ScrollX()))
        return;
    if (url->ScrollY() > 0)
        body->SetScrollTop(url->ScrollY());
}

bool TURLCombo::IsRefreshable(const QString &location) const
{
    const QString loc = location.isEmpty() ? loadedLocation() : location;
    if (loc.isEmpty())
        return false;
    const int s = SelectedIndex();
    if (s < 0)
        return false;
    const TURL *url = urls->Items(s);
    return url->Refresh() >= 0 && sameText(url->Address(), loc);
}

bool TURLCombo::IsAddressLoaded() const
{
    const QString loc = loadedLocation();
    return !loc.isEmpty() && sameText(loc, currentText());
}

bool TURLCombo::IsSelectionLoaded() const
{
    const QString loc = loadedLocation();
    if (loc.isEmpty())
        return false;
    const int s = SelectedIndex();
    return s >= 0 && sameText(urls->Items(s)->Address(), loc);
}

bool TURLCombo::CanAddToFavorites() const
{
    if (!pane)
        return false;
    const QString loc = pane->LoadedLocationURL();
    return !loc.isEmpty() && !pane->LoadedLocationName().isEmpty()
           && !loc.contains(QStringLiteral("res://"));
}

void TURLCombo::SetHint(const QString &value)
{
    hint = value;
    setToolTip(ShortHint(value));
    setStatusTip(LongHint(value));
}

bool TURLCombo::UserEdited() const
{
    // The edit's own flag: set by typing and pasting, cleared whenever the program
    // sets the text.
    return lineEdit() && lineEdit()->isModified();
}

void TURLCombo::UndoEdit()
{
    if (lineEdit())
        lineEdit()->undo();
}

void TURLCombo::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        FSkipChange = false;
        Go(true);
        hidePopup();
        event->accept();
        return;
    }
    if (key == Qt::Key_Escape) {
        FSkipChange = true;
        RestoreShown();
        hidePopup();
        event->accept();
        return;
    }
    if (key == Qt::Key_Menu || (key == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        // The keyboard's way to the box's popup menu, opened under the box.
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, QPoint(0, height()),
                               mapToGlobal(QPoint(0, height())), event->modifiers());
        QCoreApplication::sendEvent(this, &menu);
        event->accept();
        return;
    }
    if (isUpDown(key) && ctrl) {
        // The toolkit leaves Ctrl+Up/Down to the edit box; here they walk the list
        // and load each bookmark reached.
        FSkipChange = false;
        QKeyEvent plain(event->type(), key, event->modifiers() & ~Qt::ControlModifier,
                        event->text(), event->isAutoRepeat(), ushort(event->count()));
        QComboBox::keyPressEvent(&plain);
        event->setAccepted(plain.isAccepted());
        return;
    }
    FSkipChange = true;
    QComboBox::keyPressEvent(event);
}

void TURLCombo::walkOpenList(int step)
{
    QAbstractItemView *lines = preparedList();
    const int from = lines->currentIndex().isValid() ? lines->currentIndex().row() : currentIndex();
    const int line = from + step;
    if (line < 0 || line >= count())
        return;
    lines->setCurrentIndex(model()->index(line, modelColumn(), rootModelIndex()));
    // The box follows the list, and the bookmark reached loads.
    setCurrentIndex(line);
    FSkipChange = false;
    Change(true);
}

void TURLCombo::keyReleaseEvent(QKeyEvent *event)
{
    FSkipChange = false;
    QComboBox::keyReleaseEvent(event);
}

void TURLCombo::focusOutEvent(QFocusEvent *event)
{
    toolkitSelecting = true;
    QComboBox::focusOutEvent(event);
    toolkitSelecting = false;
}

bool TURLCombo::eventFilter(QObject *watched, QEvent *event)
{
    // Keys while the list is dropped down go to the list, which would take Escape
    // and Ctrl+Up/Down for itself: the box's own key rules apply there too.
    if (watched == dropList) {
        if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
                hidePopup();
                return true;
            }
            if (key->key() == Qt::Key_Escape) {
                FSkipChange = true;
                RestoreShown();
                hidePopup();
                return true;
            }
            const bool ctrlWalk = isUpDown(key->key()) && (key->modifiers() & Qt::ControlModifier);
            if (ctrlWalk) {
                walkOpenList(key->key() == Qt::Key_Up ? -1 : 1);
                return true;
            }
            const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
            FSkipChange = !enter;
        } else if (event->type() == QEvent::KeyRelease) {
            FSkipChange = false;
        }
    }
    return QComboBox::eventFilter(watched, event);
}

} // namespace mira
