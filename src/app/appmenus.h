#pragma once
// The menus of the program, laid out from the module's actions: the main menu, the
// status bar's popup (the main menu's commands while that is hidden), the Go button's
// drop-down, the design popup and the address box's popup.
#include <QObject>

class QAction;
class QMenu;
class QMenuBar;

namespace mira {

class TAppControlModule;

class AppMenus : public QObject {
    Q_OBJECT
public:
    explicit AppMenus(const TAppControlModule &module);
    ~AppMenus() override;

    // A new main menu; the caller owns it.
    QMenuBar *CreateAppMenu() const;

    QMenu *StatusPopup() const { return statusPopup; }
    QMenu *ArrowPopup() const { return arrowPopup; }
    QMenu *DesignPopup() const { return designPopup; }
    QMenu *URLPopup() const { return urlPopup; }
    QMenu *TextSizeMenu() const { return textSizeMenu; }
    QMenu *PasteFromFavoritesMenu() const { return pasteFromFavoritesMenu; }
    // The main menu's own Stop All entry, which carries a hint of its own.
    QAction *StopAllMenuEntry() const { return stopAllMenuEntry; }

private:
    QAction *action(const char *name) const;
    // The File commands and the Actions commands, shared by the main menu and the status popup.
    void addFileCommands(QMenu *menu) const;
    void addActionsCommands(QMenu *menu, QAction *stopAll) const;
    void createPopupMenus();

    const TAppControlModule &module;
    QAction *stopAllMenuEntry = nullptr;
    QMenu *textSizeMenu = nullptr;
    QMenu *statusPopup = nullptr;
    QMenu *arrowPopup = nullptr;
    QMenu *designPopup = nullptr;
    QMenu *urlPopup = nullptr;
    QMenu *pasteFromFavoritesMenu = nullptr;
};

} // namespace mira
