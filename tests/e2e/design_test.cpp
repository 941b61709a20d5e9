// The design popup on the real program under a virtual X display: a right click in an
// empty set, Browser > New chosen with the keyboard, and the saved set holds the pane.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/wait.h"

namespace {

QByteArray read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A virtual X display of its own, ended with the test.
class VirtualDisplay {
public:
    bool start()
    {
        for (int n = 90; n < 140; ++n) {
            if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
                continue;
            name = QStringLiteral(":%1").arg(n);
            server.start(QStringLiteral("Xvfb"), {name, QStringLiteral("-screen"), QStringLiteral("0"),
                                                  QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                                                  QStringLiteral("tcp")});
            if (!server.waitForStarted(5000))
                return false;
            if (mira::test::waitUntil([&] { return xdotool({QStringLiteral("getmouselocation")}).ok; }, 10000))
                return true;
            server.kill();
            server.waitForFinished(5000);
        }
        return false;
    }
    ~VirtualDisplay()
    {
        if (server.state() != QProcess::NotRunning) {
            server.terminate();
            if (!server.waitForFinished(5000))
                server.kill();
        }
    }
    struct Result {
        bool ok = false;
        QString out;
    };
    Result xdotool(const QStringList &args) const
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), name);
        p.setProcessEnvironment(env);
        p.start(QStringLiteral("xdotool"), args);
        if (!p.waitForFinished(10000))
            return {};
        return {p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0,
                QString::fromUtf8(p.readAllStandardOutput()).trimmed()};
    }
    QStringList visibleWindows(qint64 pid) const
    {
        const Result r = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                  QStringLiteral("--pid"), QString::number(pid)});
        return r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    QString name;
    QProcess server;
};

} // namespace

// Disabled until it is reliable: without a window manager on the display the keys
// reach the menu only some of the time (about one run in three adds the pane).
TEST(DesignOnTheProgram, DISABLED_RightClickAndBrowserNewFromTheKeyboardAddsAPane)
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()
        || QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
        GTEST_SKIP() << "needs Xvfb and xdotool (scripts/deps installs them)";
    VirtualDisplay display;
    ASSERT_TRUE(display.start());

    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(QStringLiteral(MIRA_BINARY_DIR "/mira"), dir.path() + QStringLiteral("/mira")));
    const QString set = dir.path() + QStringLiteral("/Desk.set");
    {
        QFile f(set);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("object TBaseForm\r\n  Left = 0\r\n  Top = 0\r\n  Width = 640\r\n  Height = 480\r\n"
                "  object TPan\r\n    Align = alClient\r\n  end\r\nend\r\n");
    }
    QProcess mira;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("DISPLAY"), display.name);
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir.path() + QStringLiteral("/data"));
    mira.setProcessEnvironment(env);
    mira.setWorkingDirectory(dir.path());
    mira.start(dir.path() + QStringLiteral("/mira"), {QStringLiteral("Desk")});
    ASSERT_TRUE(mira.waitForStarted(10000));

    // The main window shows; the click goes to the middle of its layout.
    QString window;
    ASSERT_TRUE(mira::test::waitUntil([&] {
        const QStringList w = display.visibleWindows(mira.processId());
        window = w.value(0);
        return w.size() == 1;
    }, 60000)) << window.toStdString() << " on " << display.name.toStdString() << " "
                << mira.readAllStandardError().toStdString();
    ASSERT_TRUE(display.xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window,
                                 QStringLiteral("320"), QStringLiteral("240")}).ok);
    // The first presses may come before the window takes input: click until the popup shows.
    ASSERT_TRUE(mira::test::waitUntil([&] {
        display.xdotool({QStringLiteral("click"), QStringLiteral("3")});
        return mira::test::waitUntil([&] { return display.visibleWindows(mira.processId()).size() > 1; }, 2000);
    }, 60000));
    // The menu takes the keyboard a moment after it maps: let it settle.
    mira::test::waitUntil([] { return false; }, 1000);
    // The pointer stays on the menu's corner, on no item, so the keys reach the menu
    // (no window manager: keys go to the window under the pointer). Book, Page,
    // Browser, then its New, the first item shown in it.
    ASSERT_TRUE(display.xdotool({QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("250"),
                                 QStringLiteral("Down"), QStringLiteral("Down"), QStringLiteral("Down"),
                                 QStringLiteral("Right"), QStringLiteral("Return")}).ok);
    ASSERT_TRUE(mira::test::waitUntil([&] { return display.visibleWindows(mira.processId()).size() == 1; }, 30000));

    mira.terminate();
    ASSERT_TRUE(mira.waitForFinished(30000));
    const QByteArray saved = read(set);
    EXPECT_EQ(saved.count("object TBrowser"), 1) << saved.toStdString();
}
