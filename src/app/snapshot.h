#pragma once
// The wall snapshot: the open set's window, offscreen, after Go All has loaded
// every pane, written as one PNG. For monitoring screens and for documentation.
#include <QString>
#include <QStringList>

#include "dialogs/modal.h"

namespace mira {

struct ProgramInstance;
namespace platform {
struct PageLoad;
}

// What a snapshot adds to "could not be loaded" for a failed load: ": " and the
// error, and which kept copy the pane shows in its place; empty when nothing is known.
QString StaleText(const platform::PageLoad &load);

// Nobody answers questions on a snapshot: each is answered Cancel (or No, or OK)
// and reported on standard error.
class SnapshotRunner : public ModalRunner {
public:
    int run(ModalRecord &record) override;
};

struct SnapshotResult {
    bool written = false;
    // One line per pane that failed to load (with its error) or did not finish in time.
    QStringList failures;
};

// Shows the window, runs Go All (unless the set ran it on opening), waits until
// every pane sent somewhere has ended its load or waitSeconds have passed, waits
// a moment for the engine to paint, and writes the window to path. The set is
// never saved.
SnapshotResult TakeSnapshot(ProgramInstance &program, const QString &path, int waitSeconds);

} // namespace mira
