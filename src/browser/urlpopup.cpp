#include "browser/urlpopup.h"

#include <QAction>
#include <QMenu>

#include "bookmarks/addresscommands.h"
#include "bookmarks/bookmarkbuffer.h"
#include "bookmarks/bookmarkcommands.h"
#include "bookmarks/urlcombo.h"
#include "platform/shell.h"

namespace mira {

URLPopupCommands::URLPopupCommands(const URLActions &urlActions,
                                   std::function<TURLCombo *()> targetBox,
                                   BookmarkCopyBuffer &copyBuffer, QObject *parent)
    : QObject(parent), actions(urlActions), target(std::move(targetBox)), buffer(copyBuffer)
{
    if (actions.popup)
        connect(actions.popup, &QMenu::aboutToShow, this, [this] { URLPopupPopup(); });
    BookmarkCopyBuffer &b = buffer;
    bind(actions.addBookmark, [](TURLCombo &box) { AddBookmark(box); });
    bind(actions.cutBookmark, [&b](TURLCombo &box) {
        CopyBookmark(box, b);
        DeleteBookmark(box);
    });
    bind(actions.cutAllBookmarks, [&b](TURLCombo &box) {
        CopyAllBookmarks(box, b);
        DeleteAllBookmarks(box);
    });
    bind(actions.copyBookmark, [&b](TURLCombo &box) { CopyBookmark(box, b); });
    bind(actions.copyAllBookmarks, [&b](TURLCombo &box) { CopyAllBookmarks(box, b); });
    bind(actions.pasteBookmark, [&b](TURLCombo &box) { PasteBookmarks(box, b); });
    bind(actions.deleteBookmark, [](TURLCombo &box) { DeleteBookmark(box); });
    bind(actions.deleteAllBookmarks, [](TURLCombo &box) { DeleteAllBookmarks(box); });
    bind(actions.editBookmark, [](TURLCombo &box) { EditBookmark(box); });
    bind(actions.cutAddress, [](TURLCombo &box) { CutAddress(box); });
    bind(actions.copyAddress, [](TURLCombo &box) { CopyAddress(box); });
    bind(actions.pasteAddress, [](TURLCombo &box) { PasteAddress(box); });
    bind(actions.deleteAddress, [](TURLCombo &box) { DeleteAddress(box); });
    bind(actions.undoAddress, [](TURLCombo &box) { UndoAddress(box); });
    bind(actions.editAddress, [](TURLCombo &box) { EditAddress(box); });
    // The check mark has already turned when the command runs: it is the new state.
    QAction *noScroll = actions.noScrollBars;
    bind(noScroll, [noScroll](TURLCombo &box) { SetNoScrollBars(box, noScroll->isChecked()); });
    bind(actions.saveScrollPosition, [](TURLCombo &box) { SaveScrollPosition(box); });
}

void URLPopupCommands::bind(QAction *action, std::function<void(TURLCombo &)> command)
{
    if (!action)
        return;
    connect(action, &QAction::triggered, this, [this, command = std::move(command)] {
        if (TURLCombo *box = target ? target() : nullptr)
            command(*box);
    });
}

void URLPopupCommands::URLPopupPopup()
{
    TURLCombo *box = target ? target() : nullptr;
    const bool T = box && !box->currentText().isEmpty();
    const bool C = platform::ClipboardHasText();
    const bool B = buffer.Count() > 0;
    const bool S = box && box->SelectedIndex() != -1;
    const bool A = box && box->URLs()->Count() > 0;
    const bool L = S && box->IsSelectionLoaded();
    const bool N = S && SelectedNoScroll(*box);

    const auto enable = [](QAction *action, bool on) {
        if (action)
            action->setEnabled(on);
    };
    enable(actions.addBookmark, !S && T);
    for (QAction *a :
         {actions.cutBookmark, actions.copyBookmark, actions.deleteBookmark, actions.editBookmark})
        enable(a, S);
    for (QAction *a :
         {actions.cutAllBookmarks, actions.copyAllBookmarks, actions.deleteAllBookmarks})
        enable(a, A);
    enable(actions.pasteBookmark, B);
    enable(actions.addToFavorites, box && box->CanAddToFavorites());
    for (QAction *a : {actions.cutAddress, actions.copyAddress, actions.deleteAddress})
        enable(a, T);
    enable(actions.pasteAddress, C);
    enable(actions.undoAddress, box && CanUndoAddress(*box));
    enable(actions.noScrollBars, L);
    if (actions.noScrollBars)
        actions.noScrollBars->setChecked(L && N);
    enable(actions.saveScrollPosition, L && !N);
}

} // namespace mira
