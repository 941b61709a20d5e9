#pragma once
// The design commands: the design popup's Block, Book, Page and Browser entries,
// carried out by the layout's design commands on the control under the mouse.
#include <QList>
#include <QObject>

class QAction;

namespace mira {

class DesignCommands;
class TAppControlModule;

class DesignActions : public QObject {
    Q_OBJECT
public:
    // Makes the design commands (a child of this group) and connects the popup and
    // the actions to them.
    explicit DesignActions(TAppControlModule &module);

    DesignCommands &Commands() const { return *design; }
    // A set opened: its root container offers the design popup; a set closed: the
    // layout goes.
    void UpdateRootContainer(bool open);

private:
    void updatePopup();

    TAppControlModule &module;
    DesignCommands *design;
    QAction *bookNew, *bookCut, *bookCopy, *bookPaste, *bookDelete, *bookTabsPos;
    QList<QAction *> pageItems;
    QAction *browserNew, *browserCut, *browserCopy, *browserPaste, *browserDelete,
        *browserNaviBarPos;
};

} // namespace mira
