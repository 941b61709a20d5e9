#pragma once
// Memory given back after a burst of work. When pages have loaded, the C library keeps
// what the load freed for its next allocations; on a wall that then stays unchanged for
// hours that is a sizeable share of the program's memory (a tenth and more of a loaded
// 16-pane wall) that nothing uses. Once the loads have been quiet for a moment, whole
// free pages go back to the system. The one timer is armed by a load, never by idle.
namespace mira::platform {

// Returns freed memory once no call has come for a few seconds (calls restart the wait).
void ReturnFreedMemorySoon();
// Returns freed memory now; false where the C library cannot.
bool ReturnFreedMemory();

} // namespace mira::platform
