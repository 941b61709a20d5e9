#pragma once
// Every action of the action module as one row: which member it fills, its
// category, caption, hint "short|long", image index, shortcut, tag and start state.
#include <QtGlobal>
#include <span>

class QAction;

namespace mira {

class TAppControlModule;

enum ActionFlag : int {
    afCheckable = 1,
    afChecked = 2,
    afDisabled = 4, // until a set is open or a pane exists
    afHidden = 8,
    afTextSize = 16, // one of the radio items of the Text Size menu
};

struct ActionRow {
    QAction *TAppControlModule::*member;
    const char *name; // the member's name, also the action's object name
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

} // namespace mira
