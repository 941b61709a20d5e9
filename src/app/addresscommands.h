#pragma once
// The address box's popup: the bookmark and address commands and, with them, the
// Favorites entries, acting on the address box that is LastControl.
#include <QObject>

namespace mira {

class FavoritesCommands;
class TAppControlModule;
class TURLCombo;

class AddressCommands : public QObject {
    Q_OBJECT
public:
    explicit AddressCommands(TAppControlModule &module);

    // The address box the popup's commands act on: LastControl when it is one.
    TURLCombo *Target() const;
    // Add To Favorites..., Organize Favorites... and the Paste From Favorites submenu.
    FavoritesCommands &Favorites() const { return *favorites; }

private:
    TAppControlModule &module;
    FavoritesCommands *favorites;
};

} // namespace mira
