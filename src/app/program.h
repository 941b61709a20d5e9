#pragma once
// Set-up of the program-wide objects in one place, for the program and for tests.
class QApplication;

namespace mira {

// Process attributes that must be set before the QApplication exists.
void prepareApplication();

// After the QApplication exists: resources, program-wide values, the class
// registrations of the set file reader, the engine's process-wide settings.
void initProgram(QApplication &app);

} // namespace mira
