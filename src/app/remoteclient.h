#pragma once
// `mira --remote COMMAND`: calls a running wall's service on the session bus and
// prints what it answers. Needs no display, so it runs from ssh and cron.

namespace mira {

// Exit statuses of a remote call besides 0.
inline constexpr int kRemoteCallFailed = 1; // the wall refused or failed the command
inline constexpr int kRemoteUsage = 2;      // the command line cannot be used
inline constexpr int kRemoteNoWall = 3;     // no session bus, or no such wall runs

// Runs the remote command of the program's arguments; returns the exit status.
int RunRemote(int argc, char **argv);

} // namespace mira
