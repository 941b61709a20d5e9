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
#include "support/virtualdisplay.h"

using namespace mira::test;

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
