// A wall that runs by itself, on the real engine: timed reloads against a server
// that counts requests, the snapshot of a set, and the program's desktop face
// (--help, --version, the desktop entry).
#include <QAbstractButton>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/baseform.h"
#include "bookmarks/urlcombo.h"
#include "browser/browser.h"
#include "support/httpserver.h"
#include "support/programfixture.h"
#include "support/testdata.h"
#include "support/wait.h"

using namespace mira;

namespace {

// A set of panes side by side, one bookmark each (address, Refresh), with the
// given flags word.
QByteArray wallSet(int tag, const QList<QPair<QString, int>> &panes)
{
    QByteArray t = "object TBaseForm\r\n";
    if (tag)
        t += "  Tag = " + QByteArray::number(tag) + "\r\n";
    t += "  Left = 0\r\n  Top = 0\r\n  Width = 900\r\n  Height = 500\r\n"
         "  PixelsPerInch = 96\r\n  TextHeight = 13\r\n"
         "  object TPan\r\n    Left = 0\r\n    Top = 0\r\n    Width = 892\r\n"
         "    Height = 435\r\n    Align = alClient\r\n";
    int n = 0;
    for (const auto &[address, refresh] : panes) {
        const bool last = ++n == panes.size();
        t += "    object TBrowser\r\n      Left = 0\r\n      Top = 0\r\n      Width = 290\r\n"
             "      Height = 435\r\n      Align = "
             + QByteArray(last ? "alClient" : "alLeft") + "\r\n      URLs = <\r\n        item\r\n"
             + "          Name = 'Pane " + QByteArray::number(n) + "'\r\n          Address = '"
             + address.toUtf8() + "'\r\n";
        if (refresh)
            t += "          Refresh = " + QByteArray::number(refresh) + "\r\n";
        t += "        end>\r\n    end\r\n";
    }
    t += "  end\r\nend\r\n";
    return t;
}

QByteArray page(const char *title)
{
    return QByteArray("<!DOCTYPE html><html><head><title>") + title
           + "</title></head><body style=\"background:#fed\"><h1>" + title
           + "</h1><p style=\"color:#236\">Served for the wall.</p></body></html>";
}

class Wall : public test::ProgramTest {};

// Runs a program in its own folder while this process keeps serving pages.
struct Outcome {
    int code = -1;
    QByteArray out, err;
};

Outcome runProgram(const QString &program, const QStringList &args, const QString &folder,
                   int ms = 60000)
{
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start(program, args);
    Outcome run;
    if (!p.waitForStarted(10000))
        return run;
    test::waitUntil([&] { return p.state() == QProcess::NotRunning; }, ms);
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished(5000);
        return run;
    }
    run.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = p.readAllStandardOutput();
    run.err = p.readAllStandardError();
    return run;
}

// How many colours a sample of the region shows: a painted page has many.
int colours(const QImage &image, const QRect &region)
{
    QSet<QRgb> seen;
    const QRect r = region.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); y += 3)
        for (int x = r.left(); x <= r.right(); x += 3)
            seen.insert(image.pixel(x, y));
    return int(seen.size());
}

} // namespace

TEST_F(Wall, PanesReloadByThemselvesAtTheirPeriods)
{
    test::HttpServer server;
    ASSERT_TRUE(server.start());
    server.serve(QStringLiteral("/two"), page("Two"));
    server.serve(QStringLiteral("/three"), page("Three"));
    server.serve(QStringLiteral("/zero"), page("Zero"));
    writeFile(QStringLiteral("Wall.set"),
              wallSet(256, {{server.url(QStringLiteral("/two")).toString(), 2},
                            {server.url(QStringLiteral("/three")).toString(), 3},
                            {server.url(QStringLiteral("/zero")).toString(), 0}}));
    start({QStringLiteral("Wall")}); // Go All On Open loads them
    form()->show();
    ASSERT_TRUE(test::waitUntil([&] {
        return server.count(QStringLiteral("/two")) && server.count(QStringLiteral("/three"))
               && server.count(QStringLiteral("/zero"));
    }));
    server.clearLog();
    QElapsedTimer clock;
    clock.start();
    test::waitUntil([] { return false; }, 10000);
    const int two = server.count(QStringLiteral("/two"));
    const int three = server.count(QStringLiteral("/three"));
    EXPECT_GE(two, 4);
    EXPECT_LE(two, 6);
    EXPECT_GE(three, 2);
    EXPECT_LE(three, 4);
    EXPECT_EQ(server.count(QStringLiteral("/zero")), 0);
}

TEST_F(Wall, TypingInAnAddressBoxLeavesItsTimedReloadGoing)
{
    test::HttpServer server;
    ASSERT_TRUE(server.start());
    server.serve(QStringLiteral("/two"), page("Two"));
    writeFile(QStringLiteral("Wall.set"),
              wallSet(pfGoAllOnOpen, {{server.url(QStringLiteral("/two")).toString(), 2}}));
    start({QStringLiteral("Wall")});
    form()->show();
    auto *pane = form()->findChild<TBrowser *>();
    ASSERT_TRUE(pane);
    ASSERT_TRUE(test::waitUntil([&] { return pane->WebView->LocationName() == "Two"; }));

    // Typed and pasted text that is never loaded: the page shown is still the bookmark's.
    QTest::keyClicks(pane->AddressCombo, QStringLiteral("half an address"));
    pane->AddressCombo->setEditText(QStringLiteral("http://favorite.test/"));
    server.clearLog();
    test::waitUntil([] { return false; }, 9000);
    EXPECT_GE(server.count(QStringLiteral("/two")), 3);
    // The reloads leave what the user typed alone.
    EXPECT_EQ(pane->AddressCombo->currentText(), QStringLiteral("http://favorite.test/"));
}

TEST_F(Wall, APagesAlertHoldsOnlyItsOwnPane)
{
    test::HttpServer server;
    ASSERT_TRUE(server.start());
    server.serve(QStringLiteral("/asks"),
                 "<!DOCTYPE html><html><head><title>Asks</title></head><body>asks<script>"
                 "setTimeout(() => alert('Look at me'), 200);</script></body></html>");
    server.serve(QStringLiteral("/steady"), page("Steady"));
    writeFile(QStringLiteral("Wall.set"),
              wallSet(pfInteractive | pfGoAllOnOpen,
                      {{server.url(QStringLiteral("/asks")).toString(), 2},
                       {server.url(QStringLiteral("/steady")).toString(), 2}}));
    // The first box is the real one, open for nine seconds before it is answered;
    // later ones are answered at once.
    bool boxOpen = false;
    bool answered = false;
    int steadyMeanwhile = -1;
    int asksMeanwhile = -1;
    modal.answerWith([&](ModalRecord &record) {
        boxOpen = true;
        server.clearLog();
        QPointer<QDialog> box = record.dialog;
        QTimer::singleShot(9000, box, [box] {
            if (auto *ok = box ? box->findChild<QAbstractButton *>() : nullptr)
                ok->click();
        });
        const int result = record.show();
        steadyMeanwhile = server.count(QStringLiteral("/steady"));
        asksMeanwhile = server.count(QStringLiteral("/asks"));
        boxOpen = false;
        answered = true;
        server.clearLog();
        return result;
    });
    modal.setDefault(mrOK);
    start({QStringLiteral("Wall")});
    form()->show();
    ASSERT_TRUE(test::waitUntil([&] { return answered; }, 30000));
    ASSERT_FALSE(boxOpen);
    EXPECT_EQ(modal.asked.first().text, QStringLiteral("Look at me"));
    EXPECT_GE(steadyMeanwhile, 3); // its two seconds kept while the other page asked
    EXPECT_EQ(asksMeanwhile, 0);   // never reloaded under its own box
    // Answered, the asking pane goes on reloading by itself.
    EXPECT_TRUE(test::waitUntil([&] { return server.count(QStringLiteral("/asks")) > 0; }, 5000));
}

TEST(WallSnapshot, WritesTheWindowAndNamesThePanesThatFailed)
{
    test::HttpServer server;
    ASSERT_TRUE(server.start());
    server.serve(QStringLiteral("/news"), page("News"));
    server.hold(QStringLiteral("/slow"));
    QTemporaryDir dir;
    ASSERT_TRUE(test::copyProgramInto(dir.path()));
    const QString news = server.url(QStringLiteral("/news")).toString();
    const QString slow = server.url(QStringLiteral("/slow")).toString();
    const QByteArray goodSet = wallSet(0, {{news, 0}, {QStringLiteral("about:blank"), -1}});
    {
        QFile f(dir.filePath(QStringLiteral("Good.set")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(goodSet);
    }
    {
        QFile f(dir.filePath(QStringLiteral("Bad.set")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(wallSet(0, {{news, 0}, {slow, 0}, {QStringLiteral("http://127.0.0.1:1/"), 0}}));
    }
    const QString program = dir.filePath(QStringLiteral("mira"));

    Outcome good = runProgram(program,
                              {QStringLiteral("--snapshot"), QStringLiteral("good.png"),
                               QStringLiteral("Good")},
                              dir.path());
    EXPECT_EQ(good.code, 0) << good.err.toStdString();
    const QImage shot(dir.filePath(QStringLiteral("good.png")));
    ASSERT_FALSE(shot.isNull());
    EXPECT_GE(colours(shot, QRect(0, 60, 290, 300)), 8); // the served page is on it
    // Looking never saves: the set is as it was written.
    EXPECT_EQ(test::readFile(dir.filePath(QStringLiteral("Good.set"))), goodSet);

    Outcome bad = runProgram(program,
                             {QStringLiteral("--snapshot"), QStringLiteral("bad.png"),
                              QStringLiteral("--wait"), QStringLiteral("4"), QStringLiteral("Bad")},
                             dir.path());
    EXPECT_EQ(bad.code, 1);
    const QString err = QString::fromLocal8Bit(bad.err);
    EXPECT_FALSE(err.contains(QStringLiteral("pane 1 ")));
    EXPECT_TRUE(err.contains(
        QStringLiteral("mira: pane 2 \"Pane 2\" (%1): did not finish loading in 4 s").arg(slow)))
        << err.toStdString();
    EXPECT_TRUE(err.contains(
        QStringLiteral("mira: pane 3 \"Pane 3\" (http://127.0.0.1:1/): could not be loaded: "
                       "The address uses a port that web pages may not use.")))
        << err.toStdString();
    const QImage badShot(dir.filePath(QStringLiteral("bad.png")));
    ASSERT_FALSE(badShot.isNull());
    // The failed pane is pictured with the page standing in for it, not blank.
    EXPECT_GE(colours(badShot, QRect(600, 60, 280, 300)), 8);
    server.stop();
}

TEST(WallSnapshot, TheWelcomeSetShowsItsPanes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(test::copyProgramInto(dir.path()));
    // From the sources: the build puts its copy only into a folder without sets.
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(MIRA_TEST_DATA_DIR "/../../resources/welcome/Welcome.set"),
                    dir.filePath(QStringLiteral("Welcome.set"))));
    // Every pane starts on a page of the program's own (the set loads them as it
    // opens): all of them load without a network.
    Outcome run = runProgram(dir.filePath(QStringLiteral("mira")),
                             {QStringLiteral("--snapshot"), QStringLiteral("welcome.png"),
                              QStringLiteral("--wait"), QStringLiteral("8"),
                              QStringLiteral("Welcome")},
                             dir.path());
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    const QImage shot(dir.filePath(QStringLiteral("welcome.png")));
    ASSERT_FALSE(shot.isNull());
    EXPECT_GE(shot.width(), 1000);
    EXPECT_GE(colours(shot, QRect(0, 60, 390, 500)), 8);   // the welcome page
    EXPECT_GE(colours(shot, QRect(420, 90, 580, 500)), 8); // the News pane's page
}

TEST(DesktopFace, HelpAndVersionPrintAndExit)
{
    QTemporaryDir dir;
    ASSERT_TRUE(test::copyProgramInto(dir.path()));
    const QString mira = dir.filePath(QStringLiteral("mira"));
    Outcome help = runProgram(mira, {QStringLiteral("--help")}, dir.path(), 10000);
    EXPECT_EQ(help.code, 0);
    for (const char *option : {"--snapshot", "--wait", "--help", "--version"})
        EXPECT_TRUE(help.out.contains(option)) << option;
    Outcome version = runProgram(mira, {QStringLiteral("--version")}, dir.path(), 10000);
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, QByteArray("mira " MIRA_VERSION_TEXT "\n"));
    Outcome set = runProgram(QStringLiteral(MIRA_BINARY_DIR "/mira-set"),
                             {QStringLiteral("--version")}, dir.path(), 10000);
    EXPECT_EQ(set.out, QByteArray("mira-set " MIRA_VERSION_TEXT "\n"));
    Outcome wrong = runProgram(mira, {QStringLiteral("--frobnicate")}, dir.path(), 10000);
    EXPECT_EQ(wrong.code, 2);
    EXPECT_TRUE(wrong.err.contains("unknown option --frobnicate"));
}

TEST(DesktopFace, TheDesktopEntryValidates)
{
    const QString validate = QStandardPaths::findExecutable(
        QStringLiteral("desktop-file-validate"));
    if (validate.isEmpty())
        GTEST_SKIP() << "desktop-file-validate (desktop-file-utils) is not installed";
    Outcome run = runProgram(validate,
                             {QStringLiteral(MIRA_TEST_DATA_DIR
                                             "/../../resources/desktop/mira.desktop")},
                             QStringLiteral("."), 10000);
    EXPECT_EQ(run.code, 0) << run.out.toStdString() << run.err.toStdString();
}
