#pragma once
// The program's own commands: Exit, Minimize, About..., Options..., and the window
// options Hidden Menu (the main menu's headings) and Lock Size.
#include <QList>
#include <QObject>

class QAction;

namespace mira {

class TAppControlModule;

class ProgramCommands : public QObject {
    Q_OBJECT
public:
    explicit ProgramCommands(TAppControlModule &module);

    // The check marks and the window follow the program flags.
    void UpdateHiddenMenu();
    void UpdateLockSize();

private:
    TAppControlModule &module;
    QAction *hiddenMenu, *lockSize;
    // The main menu's headings, hidden with it.
    QList<QAction *> headings;
};

} // namespace mira
