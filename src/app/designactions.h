#pragma once
// Connects the design popup and its commands to the layout's design commands.
namespace mira {

class TAppControlModule;
class DesignCommands;

// Creates the module's design commands (a child of the module) and connects the
// popup and the Book, Page and Browser actions to them.
DesignCommands *ConnectDesignActions(TAppControlModule &module);

} // namespace mira
