#pragma once
// The Favorites entries of the address box's popup: Add To Favorites...,
// Organize Favorites... and the Paste From Favorites submenu, acting on the address
// box that is LastControl.
#include <QObject>
#include <QString>
#include <functional>

class QAction;
class QMenu;

namespace mira {

class TAppControlModule;
class FavoritesMenu;
class TURLCombo;

class FavoritesCommands : public QObject {
    Q_OBJECT
public:
    // Reads the Favorites folder's path once, fills pasteMenu lazily from it and
    // takes the module's Favorites actions.
    FavoritesCommands(TAppControlModule &module, QMenu *pasteMenu, QObject *parent);

    QString FavoritesPath() const;
    FavoritesMenu *Menu() const { return menu; }
    QAction *AddToFavoritesAction() const { return addToFavorites; }

    // Opens a folder in the file manager; replaceable so tests open nothing.
    std::function<bool(const QString &)> OpenFolder;

    // The address box the commands act on, or nullptr.
    TURLCombo *TargetBox() const;

    void AddToFavorites();
    void OrganizeFavorites();
    // Shows address in the target box without loading it.
    void PasteAddress(const QString &address);

private:
    TAppControlModule &module;
    QAction *addToFavorites;
    FavoritesMenu *menu;
};

} // namespace mira
