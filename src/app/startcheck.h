#pragma once
// What the command line and the environment ask for, checked before anything
// opens: the set named, the snapshot's file, the Favorites folder. The decision
// is a pure rule over what the file system says about each path.
#include <QString>
#include <QStringList>
#include <functional>

#include "app/commandline.h"

namespace mira {

// What the file system says about one path.
struct PathFacts {
    bool exists = false;
    bool folder = false;
    bool readable = false;  // a file that opens for reading
    bool writable = false;  // a file that may be replaced, or a folder files may be made in
    bool setHeader = false; // a readable file whose first line is a set's
};
using PathProbe = std::function<PathFacts(const QString &path)>;

// The real file system; nothing is written.
PathFacts ProbePath(const QString &path);

// One thing to tell: a message box's caption and text (the text's lines joined
// by blanks make the line written on standard error).
struct StartNotice {
    QString caption;
    QString text;
};

struct StartPlan {
    // The set named could not be opened: the start goes on without a set (a
    // snapshot ends instead, see refusal).
    bool withoutSet = false;
    // Told, then the start goes on.
    QList<StartNotice> warnings;
    // Not empty: told, then the program ends with exitCode and writes nothing.
    QString refusal;
    int exitCode = 0;
};

// Exit status of a snapshot whose set or picture file cannot be used.
inline constexpr int kExitUnusableInput = 2;

// Decides what the start does for line; programFolder ends in "/", favorites is
// the value of MIRA_FAVORITES (empty when unset).
StartPlan PlanStart(const CommandLine &line, const QString &programFolder, const QString &favorites,
                    const PathProbe &probe);

// The line a notice makes on standard error.
QString NoticeLine(const StartNotice &notice);

// Shows each warning of an interactive start in a message box.
void TellStartWarnings(const StartPlan &plan);

} // namespace mira
