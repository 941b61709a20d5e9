#pragma once
// The one door from the program to the web engine. Code outside the engine's files
// reaches the engine only through what this installs, so a program that never calls
// it (mira-set, a unit test on the fake) links none of the engine's code.
namespace mira::platform {

// Makes the engine the program's web engine: web views get the engine's control
// (unless a factory of a test is installed, webcontrol.h), private browsing moves the
// views between the engine's profiles, the engine's versions are known, and views are
// drawn in software when the engine's GPU is off (scenegraph.h). Call it
// once at start-up, after the application object exists and before the program's
// values are read.
void UseEngine();

} // namespace mira::platform
