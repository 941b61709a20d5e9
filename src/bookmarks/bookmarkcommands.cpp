#include "bookmarks/bookmarkcommands.h"

#include <QDialog>
#include <algorithm>
#include <memory>

#include "bookmarks/bookmarkbuffer.h"
#include "bookmarks/bookmarkedform.h"
#include "bookmarks/shortenname.h"
#include "bookmarks/urlcombo.h"
#include "bookmarks/wrapmessage.h"
#include "dialogs/messagebox.h"
#include "platform/shell.h"

namespace mira {
namespace {

const QString kAddCaption = QStringLiteral("Bookmark Adding");
constexpr int kNameLength = 25;

// The pending proposal in the box's hint: the name before the bar, the address
// after it. Page titles may hold bars of their own; addresses hardly ever do.
void splitProposal(const QString &hint, QString &name, QString &address)
{
    const qsizetype bar = hint.lastIndexOf(QLatin1Char('|'));
    name = bar < 0 ? hint : hint.left(bar);
    address = bar < 0 ? hint : hint.mid(bar + 1);
}

// While the entered name is taken, asks again with the taken name's address,
// starting from the proposal as it was before shortening. False on Cancel.
bool confirmNewName(TURLCombo &combo, QString &name, const QString &proposal)
{
    const TURLs &urls = *combo.URLs();
    for (int other = urls.IndexOfName(name); other >= 0; other = urls.IndexOfName(name)) {
        name = proposal;
        const QString prompt = WrapMessage(
            QStringLiteral("Entered name already assigned for address\n")
            + urls.Items(other)->Address() + QStringLiteral("\nPlease, re-enter"));
        if (!ShowInputBox(&combo, 270, 174, kNameLength, name, prompt, kAddCaption))
            return false;
    }
    return true;
}

// Selects list line `line` and shows its text, even when it was selected already.
void selectLine(TURLCombo &combo, int line)
{
    combo.setCurrentIndex(line);
    if (line >= 0 && combo.currentText() != combo.itemText(line))
        combo.setEditText(combo.itemText(line));
}

void clearBox(TURLCombo &combo)
{
    combo.clear();
    combo.clearEditText();
}

TURL *selectedBookmark(const TURLCombo &combo)
{
    return combo.URLs()->Items(combo.SelectedIndex());
}

// The selected bookmark when its page is the loaded one; otherwise a beep.
TURL *loadedSelection(const TURLCombo &combo)
{
    if (!combo.IsSelectionLoaded()) {
        platform::Beep();
        return nullptr;
    }
    return selectedBookmark(combo);
}

} // namespace

TURL *LineBookmark(const TURLCombo &combo)
{
    return combo.URLs()->Items(combo.MapIndex(combo.currentIndex()));
}

void AddBookmark(TURLCombo &combo)
{
    if (!combo.IsAddressLoaded()) {
        const ModalResult answer = ShowMessageBox(
            &combo,
            QStringLiteral("Entered location is not currently loaded nor verified for validity.\n"
                           "Add it to bookmark list anyway?"),
            QStringLiteral("Location Warning"), MsgType::Warning, mbYes | mbNo);
        if (answer == mrNo)
            return;
        combo.SetHint(QStringLiteral("Unverified location|") + combo.currentText());
    }
    QString proposal;
    QString address;
    splitProposal(combo.Hint(), proposal, address);
    if (address.isEmpty()) {
        platform::Beep();
        return;
    }
    TURLs &urls = *combo.URLs();
    if (const TURL *known = urls.Items(urls.IndexOfAddress(address))) {
        ShowMessageBox(&combo,
                       QStringLiteral(
                           "This location already exists in bookmark list with name \"%1\".")
                           .arg(known->Name()),
                       QString(), MsgType::Information, mbOK);
        return;
    }
    QString name = ShortenName(proposal);
    const QString prompt = WrapMessage(QStringLiteral("Enter a name for the address\n") + address);
    if (!ShowInputBox(&combo, 270, 160, kNameLength, name, prompt, kAddCaption))
        return;
    if (!confirmNewName(combo, name, proposal))
        return;
    if (urls.Add()->SetNameAndAddress(name, address))
        selectLine(combo, 0);
}

void CopyBookmark(const TURLCombo &combo, BookmarkCopyBuffer &buffer)
{
    if (const TURL *url = LineBookmark(combo))
        buffer.Copy(*url);
}

void CopyAllBookmarks(const TURLCombo &combo, BookmarkCopyBuffer &buffer)
{
    buffer.CopyAll(*combo.URLs());
}

void PasteBookmarks(TURLCombo &combo, BookmarkCopyBuffer &buffer)
{
    if (buffer.PasteInto(*combo.URLs()))
        selectLine(combo, 0);
}

bool DeleteBookmark(TURLCombo &combo)
{
    int c = combo.SelectedIndex();
    const TURL *url = combo.URLs()->Items(c);
    if (!url) {
        platform::Beep();
        return false;
    }
    const QString question = QStringLiteral("Deleting bookmark for address\n") + url->Address()
                             + QStringLiteral("\npermanently. Are you sure?");
    if (ShowMessageBox(&combo, question, QString(), MsgType::Confirmation, mbYes | mbNo) != mrYes)
        return false;
    // A page that finished loading while the question was open may have moved it.
    c = url->Index();
    TURLs &urls = *combo.URLs();
    urls.Delete(c);
    const int n = urls.Count();
    if (n == 0) {
        clearBox(combo);
        return true;
    }
    // The bookmark that took its place, or the one before it when it was the last:
    // in the list the line above the deleted one, or the new top line.
    selectLine(combo, combo.MapIndex(std::min(c, n - 1)));
    return true;
}

bool DeleteAllBookmarks(TURLCombo &combo)
{
    if (combo.URLs()->Count() == 0) {
        platform::Beep();
        return false;
    }
    if (ShowMessageBox(&combo, QStringLiteral("Deleting all bookmarks permanently. Are you sure?"),
                       QString(), MsgType::Confirmation, mbYes | mbNo)
        != mrYes)
        return false;
    combo.URLs()->Clear();
    clearBox(combo);
    return true;
}

void EditBookmark(TURLCombo &combo)
{
    TURL *url = selectedBookmark(combo);
    if (!url) {
        platform::Beep();
        return;
    }
    const int line = combo.currentIndex();
    TBookmarkEdForm form(&combo);
    form.move(PlaceBookmarkEditor(form.frameGeometry().size(),
                                  QRect(combo.mapToGlobal(QPoint(0, 0)), combo.size()),
                                  WorkArea()));
    form.Fill(*url);
    if (RunDialog(form, &combo) != QDialog::Accepted || !form.Store(*url))
        return;
    // Its period may be new.
    combo.UpdateItem(url);
    selectLine(combo, line);
}

bool SelectedNoScroll(const TURLCombo &combo)
{
    const TURL *url = selectedBookmark(combo);
    return url && url->NoScroll();
}

void SaveScrollPosition(TURLCombo &combo)
{
    TURL *url = loadedSelection(combo);
    if (!url || !combo.Navigator())
        return;
    const std::unique_ptr<DocumentBodyAccess> body = combo.Navigator()->Body();
    // A document without a body fails the reads: nothing is stored.
    const int x = body ? body->ScrollLeft() : -1;
    const int y = x >= 0 ? body->ScrollTop() : -1;
    if (y < 0)
        return;
    url->SetScrollX(x);
    url->SetScrollY(y);
}

void SetNoScrollBars(TURLCombo &combo, bool flag)
{
    if (TURL *url = loadedSelection(combo))
        url->SetNoScroll(flag);
    if (combo.Navigator())
        combo.Navigator()->Reload();
}

} // namespace mira
