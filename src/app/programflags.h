#pragma once
// The program flags word of a set (its main window's Tag). The bit values are what
// set files store and must never change.
#include <QFlags>

namespace mira {

enum ProgramFlag : int {
    pfNoSaveOnClose = 1,
    pfAutoSave = 2,
    pfInteractive = 4,
    pfSilent = 8,
    pfHiddenMenu = 16,
    pfLockOnMinimize = 32,
    pfLockSize = 64,
    pfNoCache = 128,
    pfGoAllOnOpen = 256,
    pfFullScreen = 512,
    pfSeparateProcesses = 1024,
};
Q_DECLARE_FLAGS(ProgramFlags, ProgramFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(ProgramFlags)

} // namespace mira
