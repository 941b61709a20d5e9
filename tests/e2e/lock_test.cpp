// Lock on minimize on the real program under a virtual X display with a window manager:
// minimized and restored as the taskbar would, the program asks for the key and shows
// nothing of its pages until the right one is typed.
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#include "support/testdata.h"
#include "support/virtualdisplay.h"

using namespace mira::test;

namespace {

// Written by tests/data/lockkey_vector.py for the text "abc".
const char kAbcKey[] =
    "q9D1Gj9kia7T+B1CZ4yx1vsgRWqPtNn+I0htkrfcASYFTPoLMFV6n8TpDjNYfaLH7BE2W4Clyu8UOV6DqM3yFzxhhg==";

// Pixels of the page's own colour on the whole screen; -1 when no picture was taken.
int pagePixels(const VirtualDisplay &display)
{
    QProcess grab;
    grab.setProcessEnvironment(display.environment());
    grab.start(QStringLiteral("import"),
               {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")});
    if (!grab.waitForFinished(20000) || grab.exitCode() != 0) {
        endProcess(grab);
        return -1;
    }
    const QImage shot = QImage::fromData(grab.readAllStandardOutput(), "PNG");
    if (shot.isNull())
        return -1;
    int n = 0;
    for (int y = 0; y < shot.height(); y += 2)
        for (int x = 0; x < shot.width(); x += 2)
            n += shot.pixel(x, y) == qRgb(0x12, 0xC0, 0x34);
    return n;
}

} // namespace

TEST(LockOnTheProgram, ARestoredWindowShowsNothingUntilTheKeyIsTyped)
{
    QStringList missing = VirtualDisplay::missingPrograms();
    if (QStandardPaths::findExecutable(QStringLiteral("import")).isEmpty())
        missing << QStringLiteral("import");
    ASSERT_TRUE(missing.isEmpty())
        << "this test needs " << missing.join(QStringLiteral(", ")).toStdString();
    VirtualDisplay display;
    const QString failure = display.start();
    ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();

    QTemporaryDir dir;
    ASSERT_TRUE(copyProgramInto(dir.path()));
    const QString page = dir.path() + QStringLiteral("/page.html");
    {
        QFile f(page);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<html><body style='margin:0;background:#12c034'></body></html>");
    }
    const QString set = dir.path() + QStringLiteral("/Lock.set");
    {
        QFile f(set);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(crlf("object TBaseForm\n  Tag = 32\n  Left = 0\n  Top = 0\n  Width = 640\n"
                     "  Height = 480\n  Key = '"
                     + QByteArray(kAbcKey)
                     + "'\n  object TPan\n    Align = alClient\n    object TBrowser\n"
                       "      Align = alClient\n      URLs = <\n        item\n"
                       "          Name = 'Green'\n          Address = '"
                     + QUrl::fromLocalFile(page).toEncoded()
                     + "'\n        end>\n    end\n  end\nend\n"));
    }
    QProcess mira;
    QProcessEnvironment env = display.environment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir.path() + QStringLiteral("/data"));
    mira.setProcessEnvironment(env);
    mira.setWorkingDirectory(dir.path());
    mira.start(dir.path() + QStringLiteral("/mira"), {QStringLiteral("Lock")});
    ASSERT_TRUE(mira.waitForStarted(10000));
    const qint64 pid = mira.processId();
    ProcessEnd end{mira};

    const QString title = QStringLiteral("^Lock - Mira$");
    QString window;
    // Looked up again after loading: the window must still be the program's only one.
    const auto aloneAndActive = [&] {
        return seen(
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
            30000);
    };
    ASSERT_TRUE(aloneAndActive()) << "the main window is not alone and active; "
                                  << mira.readAllStandardError().toStdString();

    // Go All (F9) shows the page.
    ASSERT_TRUE(display.xdotool({QStringLiteral("key"), QStringLiteral("F9")}).ok);
    ASSERT_TRUE(seen([&] { return pagePixels(display) > 1000; }, 30000)) << "no page shown";
    ASSERT_TRUE(aloneAndActive());

    // Minimized by the window manager, as its button does.
    ASSERT_TRUE(display.xdotool({QStringLiteral("windowminimize"), window}).ok);
    ASSERT_TRUE(seen([&] { return display.visibleWindows(pid, title) == QStringList(); }))
        << "the window stays";

    // Restored as the taskbar does: the lock dialog asks, and no page shows meanwhile.
    ASSERT_TRUE(display.xdotool({QStringLiteral("windowactivate"), window}).ok);
    const QString lockTitle = QStringLiteral("^Mira Lock$");
    QString lockWindow;
    ASSERT_TRUE(seen([&] {
        const std::optional<QStringList> lock = display.visibleWindows(pid, lockTitle);
        if (!lock || lock->size() != 1)
            return false;
        lockWindow = lock->front();
        return true;
    })) << "no lock dialog";
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(pagePixels(display), 0) << "the page shows while the program is locked";

    // A wrong key keeps it minimized; a second restore asks again.
    ASSERT_TRUE(seen([&] {
        if (display.activeWindow() == lockWindow)
            return true;
        display.xdotool({QStringLiteral("windowactivate"), lockWindow});
        return false;
    })) << "the lock dialog is not active";
    ASSERT_TRUE(display.xdotool({QStringLiteral("type"), QStringLiteral("abd")}).ok);
    ASSERT_TRUE(display.xdotool({QStringLiteral("key"), QStringLiteral("Return")}).ok);
    ASSERT_TRUE(seen([&] { return display.visibleWindows(pid, lockTitle) == QStringList(); }));
    // It says so, with the attempts left, before the window goes back down.
    QString told;
    ASSERT_TRUE(seen([&] {
        const std::optional<QStringList> box = display.visibleWindows(pid, QStringLiteral(
                                                                               "^Wrong Key$"));
        if (!box || box->size() != 1)
            return false;
        told = box->front();
        return true;
    })) << "no word of the wrong key";
    EXPECT_EQ(pagePixels(display), 0);
    ASSERT_TRUE(seen([&] {
        if (display.activeWindow() == told)
            return true;
        display.xdotool({QStringLiteral("windowactivate"), told});
        return false;
    }));
    ASSERT_TRUE(display.xdotool({QStringLiteral("key"), QStringLiteral("Return")}).ok);
    ASSERT_TRUE(seen([&] {
        return display.visibleWindows(pid, QStringLiteral("^Wrong Key$")) == QStringList();
    }));
    EXPECT_EQ(pagePixels(display), 0);
    EXPECT_EQ(display.visibleWindows(pid, title), QStringList());

    // This time a script maps the window itself.
    ASSERT_TRUE(display.xdotool({QStringLiteral("windowmap"), window}).ok);
    ASSERT_TRUE(seen([&] {
        const std::optional<QStringList> lock = display.visibleWindows(pid, lockTitle);
        if (!lock || lock->size() != 1)
            return false;
        lockWindow = lock->front();
        return true;
    })) << "no lock dialog on the second restore";
    EXPECT_EQ(pagePixels(display), 0);
    ASSERT_TRUE(seen([&] {
        if (display.activeWindow() == lockWindow)
            return true;
        display.xdotool({QStringLiteral("windowactivate"), lockWindow});
        return false;
    }));
    ASSERT_TRUE(display.xdotool({QStringLiteral("type"), QStringLiteral("abc")}).ok);
    ASSERT_TRUE(display.xdotool({QStringLiteral("key"), QStringLiteral("Return")}).ok);

    // The right key: the window and its page come back.
    ASSERT_TRUE(seen([&] { return display.visibleWindows(pid, title) == QStringList{window}; }))
        << "the window stays minimized after the right key";
    EXPECT_TRUE(seen([&] { return pagePixels(display) > 1000; }, 20000))
        << "the page does not come back";
}
