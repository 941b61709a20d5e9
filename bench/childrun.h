#pragma once
// Runs a program to its end and tells the time it took: CPU seconds (what it cost,
// whatever else shares the machine) and wall seconds.
#include <QByteArray>
#include <QList>
#include <chrono>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char **environ;

namespace mira::bench {

struct ChildTime {
    double cpu = -1, wall = -1;
    int status = -1;
};

inline ChildTime runChild(const QList<QByteArray> &argv)
{
    QList<char *> args;
    for (const QByteArray &a : argv)
        args.append(const_cast<char *>(a.constData()));
    args.append(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    ChildTime t;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, args.first(), &actions, nullptr, args.data(), environ) == 0) {
        rusage usage{};
        int status = 0;
        if (wait4(pid, &status, 0, &usage) == pid) {
            t.wall =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            t.cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
                    + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
            t.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    return t;
}

// The least disturbed of several runs.
inline ChildTime bestChild(const QList<QByteArray> &argv, int runs)
{
    ChildTime best;
    for (int i = 0; i < runs; ++i) {
        const ChildTime t = runChild(argv);
        if (t.status != 0)
            return t;
        if (best.cpu < 0 || t.cpu < best.cpu)
            best.cpu = t.cpu;
        if (best.wall < 0 || t.wall < best.wall)
            best.wall = t.wall;
        best.status = 0;
    }
    return best;
}

} // namespace mira::bench
