#include "app/addresscommands.h"

#include "app/appcontrol.h"
#include "app/appmenus.h"
#include "app/favoritesactions.h"
#include "bookmarks/urlcombo.h"
#include "browser/urlpopup.h"

namespace mira {

AddressCommands::AddressCommands(TAppControlModule &owner) : QObject(&owner), module(owner)
{
    auto take = [&owner, this](const char *name) { return TakeAction(owner, name, this); };
    URLActions url;
    url.popup = owner.Menus().URLPopup();
    url.addBookmark = take("AddBookmarkAction");
    url.cutBookmark = take("CutBookmarkAction");
    url.cutAllBookmarks = take("CutAllBookmarksAction");
    url.copyBookmark = take("CopyBookmarkAction");
    url.copyAllBookmarks = take("CopyAllBookmarksAction");
    url.pasteBookmark = take("PasteBookmarkAction");
    url.deleteBookmark = take("DeleteBookmarkAction");
    url.deleteAllBookmarks = take("DeleteAllBookmarksAction");
    url.editBookmark = take("EditBookmarksAction");
    url.cutAddress = take("CutAddressAction");
    url.copyAddress = take("CopyAddressAction");
    url.pasteAddress = take("PasteAddressAction");
    url.deleteAddress = take("DeleteAddressAction");
    url.undoAddress = take("UndoAddressAction");
    url.editAddress = take("EditAddressAction");
    url.noScrollBars = take("NoScrollBarsAction");
    url.saveScrollPosition = take("SaveScrollPositionAction");
    favorites = new FavoritesCommands(owner, owner.Menus().PasteFromFavoritesMenu(), this);
    url.addToFavorites = favorites->AddToFavoritesAction();
    new URLPopupCommands(
        url, [this] { return Target(); }, owner.BookmarkBuffer(), this);
}

TURLCombo *AddressCommands::Target() const
{
    return qobject_cast<TURLCombo *>(module.LastControl());
}

} // namespace mira
