#include "app/favoritesactions.h"

#include <QAction>
#include <QMenu>

#include "app/actiontable.h"
#include "app/appcontrol.h"
#include "app/baseform.h"
#include "bookmarks/addfavorite.h"
#include "bookmarks/favorites.h"
#include "bookmarks/urlcombo.h"
#include "platform/shell.h"

namespace mira {

FavoritesCommands::FavoritesCommands(TAppControlModule &owner, QMenu *pasteMenu, QObject *parent)
    : QObject(parent),
      OpenFolder(platform::OpenFolder),
      module(owner),
      addToFavorites(TakeAction(owner, "AddToFavoritesAction", this)),
      menu(new FavoritesMenu(pasteMenu, FavoritesFolder(),
                             ActionHint(TakeAction(owner, "PasteFromFavoritesAction", this)), this))
{
    connect(menu, &FavoritesMenu::AddressChosen, this, &FavoritesCommands::PasteAddress);
    connect(addToFavorites, &QAction::triggered, this, &FavoritesCommands::AddToFavorites);
    connect(TakeAction(owner, "OrganizeFavoritesAction", this), &QAction::triggered, this,
            &FavoritesCommands::OrganizeFavorites);
}

QString FavoritesCommands::FavoritesPath() const
{
    return menu->FavoritesPath();
}

TURLCombo *FavoritesCommands::TargetBox() const
{
    return qobject_cast<TURLCombo *>(module.LastControl());
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
