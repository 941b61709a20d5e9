#include "bookmarks/addfavorite.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "bookmarks/favorites.h"
#include "bookmarks/shortcutfile.h"
#include "dialogs/messagebox.h"
#include "icons/images.h"

namespace mira {
namespace {

constexpr int kPathRole = Qt::UserRole;

QString pathOf(const QTreeWidgetItem *item)
{
    return item ? item->data(0, kPathRole).toString() : QString();
}

} // namespace

AddFavoriteForm::AddFavoriteForm(const QString &favorites, const QString &title,
                                 const QString &address, QWidget *parent)
    : QDialog(parent), root(favorites)
{
    setWindowTitle(QStringLiteral("Add Favorite"));
    setObjectName(QStringLiteral("AddFavoriteForm"));

    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    NameEdit = new QLineEdit(title.isEmpty() ? address : title, this);
    NameEdit->setObjectName(QStringLiteral("edName"));
    NameEdit->selectAll();
    form->addRow(QStringLiteral("&Name:"), NameEdit);
    auto *location = new QLabel(address, this);
    location->setObjectName(QStringLiteral("txAddress"));
    location->setTextInteractionFlags(Qt::TextSelectableByMouse);
    location->setWordWrap(true);
    form->addRow(QStringLiteral("Address:"), location);
    layout->addLayout(form);

    layout->addWidget(new QLabel(QStringLiteral("Create in:"), this));
    FolderTree = new QTreeWidget(this);
    FolderTree->setObjectName(QStringLiteral("tvFolders"));
    FolderTree->setHeaderHidden(true);
    FolderTree->setMinimumSize(320, 180);
    auto *top = new QTreeWidgetItem(FolderTree, {QStringLiteral("Favorites")});
    top->setData(0, kPathRole, root);
    top->setIcon(0, FavImageIcon(FavFolder));
    addFolders(top, root);
    top->setExpanded(true);
    FolderTree->setCurrentItem(top);
    layout->addWidget(FolderTree);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    NewFolderButton = buttons->addButton(QStringLiteral("New &Folder..."),
                                         QDialogButtonBox::ActionRole);
    NewFolderButton->setObjectName(QStringLiteral("btnNewFolder"));
    connect(NewFolderButton, &QPushButton::clicked, this, &AddFavoriteForm::NewFolder);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    NameEdit->setFocus();
}

void AddFavoriteForm::addFolders(QTreeWidgetItem *parent, const QString &path)
{
    const QFileInfoList dirs = QDir(path).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot,
                                                        QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &info : dirs) {
        auto *item = new QTreeWidgetItem(parent, {info.fileName()});
        item->setData(0, kPathRole, info.filePath());
        item->setIcon(0, FavImageIcon(FavFolder));
        // Symbolic links may lead back up the tree.
        if (!info.isSymLink())
            addFolders(item, info.filePath());
    }
}

QString AddFavoriteForm::Name() const
{
    return NameEdit->text();
}

void AddFavoriteForm::SetName(const QString &name)
{
    NameEdit->setText(name);
}

QString AddFavoriteForm::Folder() const
{
    const QString path = pathOf(FolderTree->currentItem());
    return path.isEmpty() ? root : path;
}

QTreeWidgetItem *AddFavoriteForm::findItem(QTreeWidgetItem *from, const QString &path) const
{
    if (pathOf(from) == path)
        return from;
    for (int i = 0; i < from->childCount(); ++i)
        if (QTreeWidgetItem *found = findItem(from->child(i), path))
            return found;
    return nullptr;
}

bool AddFavoriteForm::SelectFolder(const QString &path)
{
    QTreeWidgetItem *item = findItem(FolderTree->topLevelItem(0), QDir::cleanPath(path));
    if (item)
        FolderTree->setCurrentItem(item);
    return item != nullptr;
}

void AddFavoriteForm::NewFolder()
{
    QString name;
    if (!ShowInputBox(this, 300, 0, 0, name, QStringLiteral("Name of the new folder"),
                      QStringLiteral("New Folder")))
        return;
    name = SafeFavoriteName(name);
    const QString parentPath = Folder();
    const QString path = parentPath + QLatin1Char('/') + name;
    if (!QDir().mkpath(path)) {
        ShowMessageBox(this, QStringLiteral("Could not create the folder\n") + path,
                       QStringLiteral("New Folder"), MsgType::Error, mbOK);
        return;
    }
    QTreeWidgetItem *parent = FolderTree->currentItem() ? FolderTree->currentItem()
                                                        : FolderTree->topLevelItem(0);
    if (!findItem(parent, path)) {
        auto *item = new QTreeWidgetItem(parent, {name});
        item->setData(0, kPathRole, path);
        item->setIcon(0, FavImageIcon(FavFolder));
        parent->setExpanded(true);
    }
    SelectFolder(path);
}

QString AddToFavorites(QWidget *owner, const QString &favorites, const QString &title,
                       const QString &address)
{
    if (address.isEmpty() || favorites.isEmpty() || !EnsureFavoritesFolder(favorites))
        return QString();
    AddFavoriteForm form(favorites, title, address, owner);
    for (;;) {
        if (RunDialog(form, owner) != QDialog::Accepted)
            return QString();
        const QString name = SafeFavoriteName(form.Name());
        QString file = form.Folder() + QLatin1Char('/') + name + QStringLiteral(".url");
        if (QFileInfo::exists(file)
            && ShowMessageBox(&form,
                              QStringLiteral("A favorite named \"") + name
                                  + QStringLiteral("\" is already in this folder.\nReplace it?"),
                              QStringLiteral("Add Favorite"), MsgType::Confirmation, mbYes | mbNo)
                   != mrYes)
            continue;
        if (WriteShortcutFile(file, address))
            return file;
        ShowMessageBox(&form, QStringLiteral("Could not write the favorite\n") + file,
                       QStringLiteral("Add Favorite"), MsgType::Error, mbOK);
    }
}

void ShowOrganizeFavorites(QWidget *owner, const QString &favorites,
                           const std::function<bool(const QString &)> &opener)
{
    if (favorites.isEmpty()) {
        ShowMessageBox(owner,
                       QStringLiteral("There is no Favorites folder: neither MIRA_FAVORITES nor "
                                      "a data folder for the user is known."),
                       QStringLiteral("Organize Favorites"), MsgType::Information, mbOK);
        return;
    }
    if (EnsureFavoritesFolder(favorites) && opener && opener(favorites))
        return;
    ShowMessageBox(owner,
                   QStringLiteral("No file manager could open the Favorites folder\n") + favorites,
                   QStringLiteral("Organize Favorites"), MsgType::Information, mbOK);
}

} // namespace mira
