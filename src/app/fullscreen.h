#pragma once
// File > Full Screen (F11): the layout on the whole screen, kept with the set as a
// program flag, or forced for one run from the command line.
namespace mira {

class TAppControlModule;

// Connects the action: the user's choice goes into the set's flag.
void ConnectFullScreen(TAppControlModule &module);
// The check mark and the window follow the flag; disabled with no set open
// unless the window is full screen.
void UpdateFullScreen(TAppControlModule &module);

} // namespace mira
