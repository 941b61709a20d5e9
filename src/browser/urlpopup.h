#pragma once
// The address box's popup menu: its commands act on the box that was right-clicked
// (or reached by the menu key), and its entries follow that box's state each time
// the menu opens.
#include <QObject>
#include <functional>

class QAction;
class QMenu;

namespace mira {

class BookmarkCopyBuffer;
class TURLCombo;

struct URLActions {
    QMenu *popup = nullptr;
    QAction *addBookmark = nullptr;
    QAction *cutBookmark = nullptr;
    QAction *cutAllBookmarks = nullptr;
    QAction *copyBookmark = nullptr;
    QAction *copyAllBookmarks = nullptr;
    QAction *pasteBookmark = nullptr;
    QAction *deleteBookmark = nullptr;
    QAction *deleteAllBookmarks = nullptr;
    QAction *editBookmark = nullptr;
    QAction *addToFavorites = nullptr;
    QAction *cutAddress = nullptr;
    QAction *copyAddress = nullptr;
    QAction *pasteAddress = nullptr;
    QAction *deleteAddress = nullptr;
    QAction *undoAddress = nullptr;
    QAction *editAddress = nullptr;
    QAction *noScrollBars = nullptr;
    QAction *saveScrollPosition = nullptr;
};

class URLPopupCommands : public QObject {
public:
    // target: the address box the commands act on, or nullptr when there is none.
    URLPopupCommands(const URLActions &actions, std::function<TURLCombo *()> target,
                     BookmarkCopyBuffer &buffer, QObject *parent = nullptr);

    // Sets the entries' enabled and checked states for the target box.
    void URLPopupPopup();

private:
    // Connects action to command, run on the target box when there is one.
    void bind(QAction *action, std::function<void(TURLCombo &)> command);

    URLActions actions;
    std::function<TURLCombo *()> target;
    BookmarkCopyBuffer &buffer;
};

} // namespace mira
