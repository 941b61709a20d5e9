#pragma once
// A virtual X display of its own with a window manager, for end-to-end tests that need
// real windows: minimizing, restoring, activation and keys through xdotool.
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QThread>
#include <functional>
#include <optional>

namespace mira::test {

// Ends the process, politely first.
void endProcess(QProcess &p);

// Waits until cond has held once; what was seen is kept rather than read again, as a
// read may fail while a window goes away.
bool seen(const std::function<bool()> &cond, int ms = 10000);

// A virtual X display of its own with a window manager, ended with the test. Without a
// window manager no window is ever active and keys reach the window under the pointer
// only some of the time.
class VirtualDisplay {
public:
    static QStringList missingPrograms()
    {
        QStringList missing;
        for (const char *name : {"Xvfb", "openbox", "xdotool"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(name)).isEmpty())
                missing << QString::fromLatin1(name);
        return missing;
    }

    // Empty when the display and its window manager run, else what went wrong.
    // Without the window manager, windows get no frame and stay where they are put.
    QString start(bool withWindowManager = true)
    {
        // Xvfb takes a free display number and writes it to the descriptor given. Without
        // -noreset it resets when its last client leaves, and a client connecting then
        // (openbox after the first xdotool) is refused.
        server.start(QStringLiteral("Xvfb"),
                     {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-noreset"),
                      QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1024x768x24"),
                      QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        if (!server.waitForStarted(5000))
            return QStringLiteral("Xvfb does not start");
        if (!seen([&] { return server.canReadLine() || server.state() == QProcess::NotRunning; })
            || !server.canReadLine())
            return QStringLiteral("Xvfb names no display: ")
                   + QString::fromLocal8Bit(server.readAllStandardError());
        name = QLatin1Char(':') + QString::fromLatin1(server.readLine()).trimmed();
        if (!seen([&] { return xdotool({QStringLiteral("getmouselocation")}).ok; }))
            return QStringLiteral("no connection to the display ") + name;
        if (!withWindowManager)
            return {};

        windowManager.setProcessEnvironment(environment());
        windowManager.setProcessChannelMode(QProcess::MergedChannels);
        windowManager.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        if (!windowManager.waitForStarted(5000))
            return QStringLiteral("openbox does not start");
        // Openbox's check window says it manages the screen.
        if (!seen([&] {
                return !xdotool({QStringLiteral("search"), QStringLiteral("--class"),
                                 QStringLiteral("Openbox")})
                            .out.isEmpty();
            }))
            return QStringLiteral("openbox does not take the display ") + name
                   + (windowManager.state() == QProcess::NotRunning
                          ? QStringLiteral(" (it ended): ")
                          : QStringLiteral(": "))
                   + QString::fromLocal8Bit(windowManager.readAll());
        return {};
    }
    ~VirtualDisplay()
    {
        endProcess(windowManager);
        endProcess(server);
    }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), name);
        return env;
    }
    struct Result {
        bool ok = false;
        QString out;
        QString err;
    };
    Result xdotool(const QStringList &args) const
    {
        QProcess p;
        p.setProcessEnvironment(environment());
        p.start(QStringLiteral("xdotool"), args);
        if (!p.waitForFinished(10000)) {
            endProcess(p);
            return {};
        }
        return {p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0,
                QString::fromUtf8(p.readAllStandardOutput()).trimmed(),
                QString::fromUtf8(p.readAllStandardError()).trimmed()};
    }
    // The program's mapped windows (main window, menus); title: a regular expression.
    // A window of any program that goes away while xdotool reads it ends xdotool with an
    // X error, so a failed search is tried again; none when it keeps failing.
    std::optional<QStringList> visibleWindows(qint64 pid, const QString &title = {}) const
    {
        QStringList args{QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                         QStringLiteral("--pid"), QString::number(pid)};
        if (!title.isEmpty())
            args << QStringLiteral("--all") << QStringLiteral("--name") << title;
        for (int attempt = 0; attempt < 5; ++attempt) {
            const Result r = xdotool(args);
            if (r.ok || r.err.isEmpty())
                return r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            QThread::msleep(100);
        }
        return std::nullopt;
    }
    QString activeWindow() const { return xdotool({QStringLiteral("getactivewindow")}).out; }

    QString name;
    QProcess server;
    QProcess windowManager;
};

// Ends the process on every way out of the test.
struct ProcessEnd {
    QProcess &process;
    ~ProcessEnd() { endProcess(process); }
};

} // namespace mira::test
