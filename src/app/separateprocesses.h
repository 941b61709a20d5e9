#pragma once
// File > Separate Processes: whether the set's panes each get a renderer of their own
// rather than sharing one per site. Kept with the set; the engine takes it at start.
#include "app/programflags.h"

namespace mira {

class TAppControlModule;

void ConnectSeparateProcesses(TAppControlModule &module);
// The check mark follows the open set's flag; disabled with no set open.
void UpdateSeparateProcesses(TAppControlModule &module);
// Before the engine starts (the set's first pane): the model the set asks for.
void ChooseProcessModel(ProgramFlags programFlags);

} // namespace mira
