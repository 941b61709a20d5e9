#pragma once
// Commands from outside: the rules behind the session bus service of a running wall
// and `mira --remote`. Bus names, the reading of the command line, the choice of the
// wall a call goes to and the status text are pure rules over plain values.
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include "app/wallstatus.h"

namespace mira {

// Every wall's service: org.mira.Wall.<set>, one object at kRemotePath.
inline constexpr char kRemoteServicePrefix[] = "org.mira.Wall.";
inline constexpr char kRemotePath[] = "/org/mira/Wall";
inline constexpr char kRemoteInterface[] = "org.mira.Wall";
// The error a locked wall answers with to the commands that would show its layout.
inline constexpr char kRemoteLockedError[] = "org.mira.Wall.Error.Locked";
inline constexpr char kRemoteFailedError[] = "org.mira.Wall.Error.Failed";

// The bus name of the wall that has the set at setPath open: the set's name made fit
// for a bus name (letters, digits and "_"; never a leading digit; at most 64
// characters) and 8 hex digits of the path's SHA-1, so sets of one name in two folders
// differ. setPath is taken as it is: give the canonical path.
QString SetServiceName(const QString &setPath);
// The bus name of a wall without a set of its own (none open, or its set's name is
// held by another wall).
QString InstanceServiceName(qint64 pid);

// What `mira --remote` was asked.
struct RemoteRequest {
    QString method;        // GoAll, RefreshAll, StopAll, OpenSet, Snapshot, Status, List
    QStringList arguments; // OpenSet's set, Snapshot's picture file
    QString set;           // --set: the wall to steer; empty: the only one running
    QString error;         // not empty: the line cannot be used, and why
};

// Whether the arguments (without the program name) ask for a remote command.
bool IsRemoteCall(const QStringList &arguments);
// Reads "--remote COMMAND [ARGUMENT] [--set NAME]" in any order; command names are
// taken in any case.
RemoteRequest ParseRemoteArguments(const QStringList &arguments);

// A running wall as the bus shows it.
struct RunningWall {
    QString service;
    QString setPath; // empty: no set open
};

struct WallChoice {
    int index = -1; // into the walls given; -1 with an error
    QString error;
};

// Which wall a call goes to: the only one when wanted is empty, else the one whose
// bus name, set name (without ".set", in any case), file name or path (relative to
// cwd) is wanted.
WallChoice ChooseWall(const QList<RunningWall> &walls, const QString &wanted, const QString &cwd);

// What Status() answers: the open set and one entry per pane (numbered from 1), times
// in ISO 8601 with their offset and spans in seconds; while locked only {"locked": true}.
struct WallSummary {
    bool locked = false;
    QString set;  // name; empty: none open
    QString path; // full path
    bool online = true;
    QList<PaneStatus> panes;
};
QByteArray WallStatusJson(const WallSummary &wall, const QDateTime &now);

} // namespace mira
