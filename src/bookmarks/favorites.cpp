#include "bookmarks/favorites.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>
#include <algorithm>

#include "bookmarks/fields.h"
#include "bookmarks/shortcutfile.h"
#include "bookmarks/shortenname.h"
#include "icons/images.h"

namespace mira {
namespace {

// Path and address are kept apart, as a path may hold a "|" itself.
const char kTag[] = "miraTag";
const char kPath[] = "miraFavoritePath";
const char kAddress[] = "miraFavoriteAddress";

// The text from the last "." of a name on, as file extensions are told.
QString extensionOf(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot).toLower();
}

// The entry's hint: its path, and for a shortcut its address (the status bar's text).
void setEntry(QAction *item, int tag, const QString &path, const QString &address)
{
    item->setProperty(kTag, tag);
    item->setProperty(kPath, path);
    item->setProperty(kAddress, address);
    item->setToolTip(path);
    item->setStatusTip(address);
}

QString pathOf(const QAction *item)
{
    return item->property(kPath).toString();
}

QString addressOf(const QAction *item)
{
    return item->property(kAddress).toString();
}

bool lessIgnoringCase(const FavoriteEntry &a, const FavoriteEntry &b)
{
    const int byName = a.name.compare(b.name, Qt::CaseInsensitive);
    return byName != 0 ? byName < 0 : a.path.compare(b.path, Qt::CaseInsensitive) < 0;
}

} // namespace

QString FavoritesFolder()
{
    QString folder = qEnvironmentVariable("MIRA_FAVORITES");
    if (folder.isEmpty()) {
        const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        if (data.isEmpty())
            return QString();
        folder = data + QStringLiteral("/mira/Favorites");
    }
    return QDir::cleanPath(QDir(folder).absolutePath());
}

bool EnsureFavoritesFolder(const QString &folder)
{
    return !folder.isEmpty() && QDir().mkpath(folder);
}

QList<FavoriteEntry> ScanFavorites(const QString &folder)
{
    QList<FavoriteEntry> folders, shortcuts;
    // An empty path would read the working folder.
    if (folder.isEmpty())
        return {};
    const QDir dir(folder);
    const QFileInfoList found = dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                  | QDir::NoDotAndDotDot);
    for (const QFileInfo &info : found) {
        const QString name = info.fileName();
        const QString extension = extensionOf(name);
        if (info.isDir()) {
            // Folders whose names carry an extension are no Favorites folders.
            if (name.toLower() == QLatin1String("channels")
                || (!extension.isEmpty() && extension != QLatin1String(".url")))
                continue;
            folders.append({Abbreviate(name, FavoriteNameWidth), info.filePath(), true});
        } else if (extension == QLatin1String(".url")) {
            shortcuts.append(
                {Abbreviate(name.chopped(4), FavoriteNameWidth), info.filePath(), false});
        }
    }
    std::stable_sort(folders.begin(), folders.end(), lessIgnoringCase);
    std::stable_sort(shortcuts.begin(), shortcuts.end(), lessIgnoringCase);
    return folders + shortcuts;
}

FavoritesMenu::FavoritesMenu(QMenu *menu, const QString &folder, const QString &actionHint,
                             QObject *parent)
    : QObject(parent), root(menu), path(folder)
{
    // A hint without "|" is its own long part.
    setEntry(menu->menuAction(), ftUnread, path, GetField(actionHint, u'|', 2));
    menu->setToolTipsVisible(true);
    connect(menu, &QMenu::aboutToShow, this, [this] {
        if (root)
            FillFavoritesMenu(root, path);
    });
}

int FavoritesMenu::Tag(const QAction *item)
{
    return item->property(kTag).toInt();
}

QString FavoritesMenu::Hint(const QAction *item)
{
    return pathOf(item) + QLatin1Char('|') + addressOf(item);
}

void FavoritesMenu::FillFavoritesMenu(QMenu *level, const QString &folder)
{
    QAction *self = level->menuAction();
    if (Tag(self) > ftUnread)
        return;
    if (level == root)
        EnsureFavoritesFolder(folder);
    const QList<FavoriteEntry> entries = ScanFavorites(folder);
    if (entries.isEmpty())
        addEmptyItem(level);
    for (const FavoriteEntry &entry : entries)
        addFavoritesItem(level, entry);
    self->setProperty(kTag, ftRead);
}

void FavoritesMenu::addFavoritesItem(QMenu *parent, const FavoriteEntry &entry)
{
    const QString here = pathOf(parent->menuAction()) + QLatin1Char('/')
                         + QFileInfo(entry.path).fileName();
    if (entry.folder) {
        QMenu *sub = makeFolderMenu(parent, entry.name);
        setEntry(sub->menuAction(), ftUnread, here, QString());
        return;
    }
    auto *item = new QAction(entry.name, parent);
    item->setIcon(FavImageIcon(FavShortcut));
    setEntry(item, ftRead, here, ReadShortcutURL(here));
    connect(item, &QAction::triggered, this, [this, item] { itemClick(item); });
    parent->addAction(item);
}

QMenu *FavoritesMenu::makeFolderMenu(QMenu *parent, const QString &caption)
{
    auto *sub = new QMenu(caption, parent);
    sub->setIcon(FavImageIcon(FavFolder));
    sub->setToolTipsVisible(true);
    // A hidden child makes the entry a submenu before its folder is read.
    auto *dummy = new QAction(QStringLiteral("dummy"), sub);
    dummy->setProperty(kTag, ftUnread);
    dummy->setVisible(false);
    sub->addAction(dummy);
    QAction *entry = sub->menuAction();
    connect(sub, &QMenu::aboutToShow, this, [this, entry] { itemClick(entry); });
    parent->addMenu(sub);
    return sub;
}

void FavoritesMenu::addEmptyItem(QMenu *parent)
{
    QAction *empty = parent->addAction(QStringLiteral("(Empty)"));
    empty->setProperty(kTag, ftEmpty);
    empty->setEnabled(false);
}

QString FavoritesMenu::GetFavoriteAddress(QAction *item)
{
    if (Tag(item) != ftUnread)
        return addressOf(item);
    if (QMenu *level = item->menu())
        FillFavoritesMenu(level, pathOf(item));
    return QString();
}

void FavoritesMenu::itemClick(QAction *item)
{
    const QString address = GetFavoriteAddress(item);
    if (!address.isEmpty())
        Q_EMIT AddressChosen(address);
}

} // namespace mira
