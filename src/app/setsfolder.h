#pragma once
// Where the configuration sets live. A program run from a folder it may write to, with
// no installed layout around it (the build tree, a portable copy), keeps its sets beside
// itself. An installed program (its data folder share/mira beside its bin folder) or one
// in a folder it may not write to keeps them in the user's data folder, and never writes
// next to its executable; the first start there is given the sets shipped with it.
#include <QString>

namespace mira {

// What the start knows about the program and the user's folders.
struct SetsFolderFacts {
    QString programFolder;        // folder of the program file, ending in "/"
    bool programWritable = false; // files may be made in programFolder
    QString installedData;        // the installed data folder (share/mira); empty: none
    QString dataHome;             // $XDG_DATA_HOME as set (empty or relative: not used)
    QString home;                 // the user's home folder
};

struct SetsFolderPlan {
    QString folder;     // where sets are looked for and saved, ending in "/"
    bool apart = false; // folder is not the program's: the program is installed
    // The folder whose sets are copied into folder when a start finds folder
    // missing; empty: nothing is copied.
    QString seedFrom;
};

SetsFolderPlan PlanSetsFolder(const SetsFolderFacts &facts);

// The plan of the running program, made at start by InitProgramValues, which puts its
// folder into programValues().programFolder (where every set command looks).
SetsFolderPlan &SetsFolderInUse();

// The facts of the running program (programFolder ends in "/"); nothing is written.
SetsFolderFacts ProbeSetsFolder(const QString &programFolder);

// A first start: makes plan.folder when it is missing and copies into it the sets of
// plan.seedFrom. Returns what went wrong for the user, or empty.
QString PrepareSetsFolder(const SetsFolderPlan &plan);

} // namespace mira
