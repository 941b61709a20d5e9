#pragma once
// Program-wide values, computed once at start before anything else runs.
#include <QRect>
#include <QString>

namespace mira {

struct ProgramValues {
    QString osVersion;     // kernel release and distribution name
    QString ieVersion;     // the engine's version text (Chromium version)
    QString programFolder; // where sets live, ending in "/" (app/setsfolder.h)
};

ProgramValues &programValues();

// Fills programValues() from the platform. Tests may overwrite fields afterwards.
void InitProgramValues();

// The engine is usable when the version text is not empty and its major number
// (text before the first point, 0 when not a number) is 5 or more.
bool IsEngineVersionUsable(const QString &version);

// Tells the user and answers true (unusable) when the engine version is refused.
bool CheckIEVersion();

// Visibility rules of the version-dependent document commands, by the major and
// minor numbers: Open... is hidden in 5.x, Print Preview shown from 5.5 on.
bool OpenDocVisibleFor(const QString &version);
bool PrintPreviewVisibleFor(const QString &version);

} // namespace mira
