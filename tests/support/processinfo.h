#pragma once
// What /proc tells about a process the test started.
#include <QtGlobal>

namespace mira::test {

// Whether the process has a handler for SIGTERM: the program installs it once its
// main window and set are there, so SIGTERM then closes it as Exit does.
bool catchesSigterm(qint64 pid);

} // namespace mira::test
