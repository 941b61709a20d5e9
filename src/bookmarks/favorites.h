#pragma once
// The Favorites folder and the "Paste From Favorites" submenu that mirrors it. The
// submenu fills lazily: each level is read from disk when it first opens and stays
// as read for the rest of the run.
#include <QList>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>

class QAction;

namespace mira {

// The Favorites folder: $MIRA_FAVORITES when set, else "mira/Favorites" in the
// user's data folder ($XDG_DATA_HOME). Empty when neither can be had. Not created here.
QString FavoritesFolder();

// Creates the folder when missing; false for an empty path or a failure.
bool EnsureFavoritesFolder(const QString &folder);

// One entry of a Favorites level.
struct FavoriteEntry {
    QString name; // the caption: the folder's name or the shortcut's without ".url", abbreviated
    QString path; // full path
    bool folder = false;
};

// The sub-folders (except "channels" and names with an extension other than ".url")
// and then the ".url" shortcuts of folder, each group sorted ignoring case. Empty
// when the folder cannot be read.
QList<FavoriteEntry> ScanFavorites(const QString &folder);

// Longest caption of an entry; longer names are cut at a break and end in "...".
inline constexpr int FavoriteNameWidth = 40;

// Entry states, kept as each menu entry's tag.
enum FavoriteTag : int { ftUnread = 0, ftRead = 1, ftEmpty = 3 };

class FavoritesMenu : public QObject {
    Q_OBJECT
public:
    // Fills menu (which keeps the children it has, e.g. a separator) from folder.
    // actionHint is the menu's own "short|long" hint; the status bar shows its long part.
    FavoritesMenu(QMenu *menu, const QString &folder, const QString &actionHint,
                  QObject *parent = nullptr);

    QString FavoritesPath() const { return path; }
    QMenu *Menu() const { return root; }

    // Reads a level once: nothing when its tag says it was read.
    void FillFavoritesMenu(QMenu *level, const QString &folder);

    // The entry's address: the part of its hint after the first "|". An unread
    // folder is filled instead and gives no address.
    QString GetFavoriteAddress(QAction *item);

    // An entry's tag and "path|address" hint; an entry's QMenu is reached through
    // its menuAction().
    static int Tag(const QAction *item);
    static QString Hint(const QAction *item);

Q_SIGNALS:
    // A shortcut was chosen; address is never empty.
    void AddressChosen(const QString &address);

private:
    void itemClick(QAction *item);
    void addFavoritesItem(QMenu *parent, const FavoriteEntry &entry);
    static void addEmptyItem(QMenu *parent);
    // An unread folder's submenu opens: it is read then.
    QMenu *makeFolderMenu(QMenu *parent, const QString &caption);

    QPointer<QMenu> root;
    QString path;
};

} // namespace mira
