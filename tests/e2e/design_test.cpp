// The design popup on the real program under a virtual X display: a right click in an
// empty set, Browser > New chosen with the keyboard, and the saved set holds the pane.
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

#include "support/testdata.h"
#include "support/wait.h"

namespace {

void endProcess(QProcess &p)
{
    if (p.state() == QProcess::NotRunning)
        return;
    p.terminate();
    if (!p.waitForFinished(5000)) {
        p.kill();
        p.waitForFinished(5000);
    }
}

// Waits until cond has held once; what was seen is kept rather than read again, as a
// read may fail while a window goes away.
bool seen(const std::function<bool()> &cond, int ms = 10000)
{
    bool held = false;
    return mira::test::waitUntil([&] { return held = held || cond(); }, ms);
}

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
    QString start()
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
    // None when the search failed: a window that goes away while xdotool reads it ends
    // xdotool with an X error.
    std::optional<QStringList> visibleWindows(qint64 pid, const QString &title = {}) const
    {
        QStringList args{QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                         QStringLiteral("--pid"), QString::number(pid)};
        if (!title.isEmpty())
            args << QStringLiteral("--all") << QStringLiteral("--name") << title;
        const Result r = xdotool(args);
        if (!r.ok && !r.err.isEmpty())
            return std::nullopt;
        return r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
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

} // namespace

TEST(DesignOnTheProgram, RightClickAndBrowserNewFromTheKeyboardAddsAPane)
{
    const QStringList missing = VirtualDisplay::missingPrograms();
    ASSERT_TRUE(missing.isEmpty())
        << "this test needs " << missing.join(QStringLiteral(", ")).toStdString()
        << " (scripts/deps installs them)";
    VirtualDisplay display;
    const QString failure = display.start();
    ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();

    QTemporaryDir dir;
    ASSERT_TRUE(mira::test::copyProgramInto(dir.path()));
    const QString set = dir.path() + QStringLiteral("/Desk.set");
    {
        QFile f(set);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("object TBaseForm\r\n  Left = 0\r\n  Top = 0\r\n  Width = 640\r\n  Height = 480\r\n"
                "  object TPan\r\n    Align = alClient\r\n  end\r\nend\r\n");
    }
    QProcess mira;
    QProcessEnvironment env = display.environment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir.path() + QStringLiteral("/data"));
    mira.setProcessEnvironment(env);
    mira.setWorkingDirectory(dir.path());
    mira.start(dir.path() + QStringLiteral("/mira"), {QStringLiteral("Desk")});
    ASSERT_TRUE(mira.waitForStarted(10000));
    const qint64 pid = mira.processId();
    ProcessEnd end{mira};

    // The main window shows and is the program's only window (the splash is gone; Qt
    // may replace the main window's native window once while it starts), and the window
    // manager has made it active, so the keyboard goes to the program.
    const QString title = QStringLiteral("^Desk - Mira$");
    QString window;
    ASSERT_TRUE(seen(
        [&] {
            const std::optional<QStringList> all = display.visibleWindows(pid);
            if (!all || all->size() != 1 || display.visibleWindows(pid, title) != *all)
                return false;
            window = all->front();
            if (display.activeWindow() == window)
                return true;
            display.xdotool({QStringLiteral("windowactivate"), window});
            return false;
        },
        30000))
        << "the main window is not alone and active: "
        << display.visibleWindows(pid).value_or(QStringList()).join(QLatin1Char(' ')).toStdString()
        << ", active " << display.activeWindow().toStdString() << "; "
        << mira.readAllStandardError().toStdString();

    // The popup and its submenus are the program's other mapped windows; -1 when unknown.
    auto menus = [&] {
        const std::optional<QStringList> all = display.visibleWindows(pid);
        const std::optional<QStringList> main = display.visibleWindows(pid, title);
        return all && main && main->size() == 1 ? int(all->size()) - 1 : -1;
    };
    // A right click in the middle of the empty layout opens the design popup.
    ASSERT_TRUE(display
                    .xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window,
                              QStringLiteral("320"), QStringLiteral("240")})
                    .ok);
    ASSERT_TRUE(display.xdotool({QStringLiteral("click"), QStringLiteral("3")}).ok);
    ASSERT_TRUE(seen([&] { return menus() == 1; })) << "no design popup";

    // The pointer stays on the popup's corner, on no item. Book, Page, Browser; Right
    // opens Browser with its first enabled item, New, selected.
    ASSERT_TRUE(display
                    .xdotool({QStringLiteral("key"), QStringLiteral("Down"), QStringLiteral("Down"),
                              QStringLiteral("Down"), QStringLiteral("Right")})
                    .ok);
    ASSERT_TRUE(seen([&] { return menus() == 2; })) << "no Browser menu";
    ASSERT_TRUE(display.xdotool({QStringLiteral("key"), QStringLiteral("Return")}).ok);
    // The menus close once the command has run.
    ASSERT_TRUE(seen([&] { return menus() == 0; })) << "the menus stay open";

    // SIGTERM saves as Exit does.
    mira.terminate();
    ASSERT_TRUE(mira.waitForFinished(30000));
    const QByteArray saved = mira::test::readFile(set);
    EXPECT_EQ(saved.count("object TBrowser"), 1) << saved.toStdString();
}
