#include "app/favoritesactions.h"

#include <QAction>
#include <QMenu>

#include "app/appcontrol.h"
#include "app/baseform.h"
#include "bookmarks/addfavorite.h"
#include "bookmarks/favorites.h"
#include "bookmarks/urlcombo.h"
#include "platform/shell.h"

namespace mira {

FavoritesCommands::FavoritesCommands(TAppControlModule &owner, QMenu *pasteMenu)
    : QObject(&owner),
      OpenFolder(platform::OpenFolder),
      module(owner),
      menu(new TFavoritesMenu(pasteMenu, FavoritesFolder(),
                              TAppControlModule::Hint(owner.PasteFromFavoritesAction), this))
{
    connect(menu, &TFavoritesMenu::AddressChosen, this, &FavoritesCommands::PasteAddress);
    connect(module.AddToFavoritesAction, &QAction::triggered, this,
            &FavoritesCommands::AddToFavorites);
    connect(module.OrganizeFavoritesAction, &QAction::triggered, this,
            &FavoritesCommands::OrganizeFavorites);
}

QString FavoritesCommands::FavoritesPath() const
{
    return menu->FavoritesPath();
}

TURLCombo *FavoritesCommands::TargetBox() const
{
    return qobject_cast<TURLCombo *>(module.LastControl.data());
}

void FavoritesCommands::AddToFavorites()
{
    TURLCombo *box = TargetBox();
    AddressNavigator *pane = box ? box->Navigator() : nullptr;
    if (!pane)
        return;
    mira::AddToFavorites(module.MainWindow(), FavoritesPath(), pane->LoadedLocationName(),
                         pane->LoadedLocationURL());
}

void FavoritesCommands::OrganizeFavorites()
{
    ShowOrganizeFavorites(module.MainWindow(), FavoritesPath(), OpenFolder);
}

void FavoritesCommands::PasteAddress(const QString &address)
{
    // Only shown: setting the edit text neither navigates nor picks a bookmark.
    if (TURLCombo *box = TargetBox(); box && !address.isEmpty())
        box->setEditText(address);
}

} // namespace mira
