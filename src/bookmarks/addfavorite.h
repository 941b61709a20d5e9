#pragma once
// Add To Favorites and Organize Favorites: our own dialog writes an Internet
// Shortcut into a folder of the Favorites tree; organizing is left to the desktop's
// file manager.
#include <QDialog>
#include <QString>
#include <functional>

class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace mira {

class AddFavoriteForm : public QDialog {
    Q_OBJECT
public:
    // Offers title as the name and the folders under favorites (selected: the top).
    AddFavoriteForm(const QString &favorites, const QString &title, const QString &address,
                    QWidget *parent = nullptr);

    QString Name() const;
    void SetName(const QString &name);
    // The folder chosen, a full path.
    QString Folder() const;
    // Selects the folder with this full path when the tree shows it; false otherwise.
    bool SelectFolder(const QString &path);
    // Asks for a name and creates that folder under the chosen one, then selects it.
    void NewFolder();

    QLineEdit *NameEdit = nullptr;
    QTreeWidget *FolderTree = nullptr;
    QPushButton *NewFolderButton = nullptr;

private:
    void addFolders(QTreeWidgetItem *parent, const QString &path);
    QTreeWidgetItem *findItem(QTreeWidgetItem *from, const QString &path) const;
    QString root;
};

// Shows the dialog for address and writes the chosen shortcut; a shortcut of that
// name already in the folder is replaced only when the user agrees (otherwise the
// dialog comes back). Nothing happens for an empty address or an empty favorites
// path. Returns the file written, or an empty text.
QString AddToFavorites(QWidget *owner, const QString &favorites, const QString &title,
                       const QString &address);

// Opens the Favorites folder (created when missing) with opener, the desktop's file
// manager; says so in a message when there is no folder or nothing could open it.
void ShowOrganizeFavorites(QWidget *owner, const QString &favorites,
                           const std::function<bool(const QString &)> &opener);

} // namespace mira
