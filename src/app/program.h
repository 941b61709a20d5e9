#pragma once
// Set-up of the program-wide objects in one place, for the program and for tests.
#include <QStringList>
#include <memory>

class QApplication;

namespace mira {

class TAppControlModule;
class TBaseForm;

// The program-wide objects of one run: the action module and the main window.
struct ProgramInstance {
    std::unique_ptr<TAppControlModule> module;
    std::unique_ptr<TBaseForm> form;
    ProgramInstance();
    ~ProgramInstance(); // the main window goes first, then the module
    // True when the start ended the program (a set that could not be read).
    bool terminated() const;
};

// Creates the action module and the main window, and opens the set named by the
// first argument (or the most recent one). Without a set the window covers the
// work area. followNetwork: the online state follows the desktop's network.
std::unique_ptr<ProgramInstance> CreateProgram(const QStringList &arguments,
                                               bool followNetwork = false);

// Process attributes that must be set before the QApplication exists.
void prepareApplication();

// After the QApplication exists: resources, program-wide values, the class
// registrations of the set file reader, the engine's process-wide settings.
void initProgram(QApplication &app);

} // namespace mira
