#pragma once
// Every action of the program as one row: its name (the action's object name), its
// category, caption, hint "short|long", image index, shortcut, tag and start state.
// The command groups find their actions by name.
#include <QString>
#include <QtGlobal>
#include <functional>
#include <span>

class QAction;
class QObject;
class QWidget;

namespace mira {

enum ActionFlag : int {
    afCheckable = 1,
    afChecked = 2,
    afDisabled = 4, // until a set is open or a pane exists
    afHidden = 8,
    afTextSize = 16, // one of the radio items of the Text Size menu
};

struct ActionRow {
    const char *name;
    const char *category;
    const char *caption;
    const char *hint;
    int image;    // -1: none
    int shortcut; // a Qt::Key, 0: none
    int tag;
    int flags; // ActionFlag bits
};

// In the order the actions are created.
std::span<const ActionRow> ActionTable();

// The action a row describes, in its start state (a shortcut works application-wide).
QAction *MakeAction(const ActionRow &row, QObject *parent);
QString ActionCategory(const QAction *action);
int ActionTag(const QAction *action);
QString ActionHint(const QAction *action);

// A command whose feature comes later answers that it is not there yet, over window.
void ConnectNotImplemented(QAction *action, QObject *context, std::function<QWidget *()> window);

} // namespace mira
