#pragma once
// The process tree of a benchmark's subject (a program and the engine processes it
// starts), with its summed memory and CPU, read from /proc.
#include <QDir>
#include <QFile>
#include <QHash>
#include <QList>
#include <unistd.h>

namespace mira::bench {

inline QList<int> processTree(int root)
{
    QHash<int, QList<int>> children;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool ok = false;
        const int pid = entry.toInt(&ok);
        if (!ok)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        // The name may hold spaces and parentheses: the fields follow the last ')'.
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1)
            children[fields[1].toInt()].append(pid);
    }
    QList<int> tree{root};
    for (qsizetype i = 0; i < tree.size(); ++i)
        tree += children.value(tree[i]);
    return tree;
}

inline double treePssMiB(int root)
{
    double kib = 0;
    for (int pid : processTree(root)) {
        QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
        if (!rollup.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &line : rollup.readAll().split('\n'))
            if (line.startsWith("Pss:"))
                kib += line.mid(4).trimmed().split(' ').value(0).toDouble();
    }
    return kib / 1024;
}

// CPU seconds used so far by the tree's processes.
inline double treeCpuSeconds(int root)
{
    // The scheduler's run time of every thread, in nanoseconds: an idle wall runs for a
    // few milliseconds a minute, below the clock ticks of /proc/<pid>/stat, which would
    // round the bare program's figure to nothing. The ticks stand in where the kernel
    // keeps no such count.
    const double tick = double(sysconf(_SC_CLK_TCK));
    double total = 0;
    for (int pid : processTree(root)) {
        const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
        double precise = 0;
        bool counted = false;
        for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile schedstat(tasks.filePath(task + QStringLiteral("/schedstat")));
            if (!schedstat.open(QIODevice::ReadOnly))
                continue;
            precise += schedstat.readAll().split(' ').value(0).toDouble() / 1e9;
            counted = true;
        }
        if (counted) {
            total += precise;
            continue;
        }
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 12)
            total += (fields[11].toDouble() + fields[12].toDouble()) / tick; // utime, stime
    }
    return total;
}

} // namespace mira::bench
