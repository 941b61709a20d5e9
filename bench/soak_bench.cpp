// Soak: a wall of live panes refreshed again and again for minutes, against a local
// server. Prints the memory (PSS) of the whole process tree at minute 1 and at the
// end, their ratio, and the refreshes that never reached the server.
//   soak_bench [MINUTES=10] [PERIOD_SECONDS=5] [PANES=16]
// Goal: ratio <= 1.1 and 0 failed loads. Runs offscreen; not part of ctest.
#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "app/appcontrol.h"
#include "app/application.h"
#include "app/baseform.h"
#include "app/program.h"
#include "app/programvalues.h"
#include "platform/useengine.h"
#include "proctree.h"
#include "support/httpserver.h"

namespace {

// A page that keeps working between refreshes: a table, a clock and a growing
// log trimmed to a fixed length, as dashboards do.
QByteArray page(int n)
{
    QByteArray rows;
    for (int r = 0; r < 200; ++r)
        rows += "<tr><td>" + QByteArray::number(r) + "</td><td>value " + QByteArray::number(r * n)
                + "</td></tr>";
    return "<!doctype html><html><head><title>Pane " + QByteArray::number(n)
           + "</title></head><body><h1 id=clock></h1><ul id=log></ul><table>" + rows
           + "</table><script>setInterval(function(){"
             "document.getElementById('clock').textContent=new Date().toISOString();"
             "var l=document.getElementById('log'),i=document.createElement('li');"
             "i.textContent=Math.random();l.appendChild(i);"
             "if(l.children.length>50)l.removeChild(l.firstChild);},200);</script></body></html>";
}

QByteArray browser(const QString &address, const char *align)
{
    return "object TBrowser\r\n  Left = 0\r\n  Top = 0\r\n  Width = 300\r\n  Height = 200\r\n"
           "  Align = "
           + QByteArray(align) + "\r\n  URLs = <\r\n    item\r\n      Name = 'Page'\r\n"
           + "      Address = '" + address.toUtf8() + "'\r\n    end>\r\nend\r\n";
}

QByteArray indent(const QByteArray &text)
{
    QByteArray out;
    for (const QByteArray &line : text.split('\n'))
        if (!line.isEmpty())
            out += "  " + line + "\n";
    return out;
}

// A grid of panes: rows of containers, each row a line of panes.
QByteArray wall(const QList<QString> &addresses)
{
    int columns = 1;
    while (columns * columns < addresses.size())
        ++columns;
    QByteArray rows;
    for (int first = 0; first < addresses.size(); first += columns) {
        const bool lastRow = first + columns >= addresses.size();
        QByteArray row = "object TPan\r\n  Left = 0\r\n  Top = 0\r\n  Width = 1280\r\n"
                         "  Height = 200\r\n  Align = "
                         + QByteArray(lastRow ? "alClient" : "alTop") + "\r\n";
        for (int i = first; i < qMin(first + columns, int(addresses.size())); ++i) {
            const bool lastColumn = i + 1 == qMin(first + columns, int(addresses.size()));
            row += indent(browser(addresses[i], lastColumn ? "alClient" : "alLeft"));
        }
        rows += indent(row + "end\r\n");
    }
    return "object TBaseForm\r\n  Left = 0\r\n  Top = 0\r\n  Width = 1280\r\n  Height = 960\r\n"
           "  PixelsPerInch = 96\r\n  TextHeight = 13\r\n"
           + indent("object TPan\r\n  Left = 0\r\n  Top = 0\r\n  Width = 1272\r\n"
                    "  Height = 900\r\n  Align = alClient\r\n"
                    + rows + "end\r\n")
           + "end\r\n";
}

void waitMs(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
                "--disable-gpu --disable-background-networking --disable-component-update");
    qputenv("QT_LOGGING_RULES", "qt.webenginecontext.debug=false;js.warning=false");
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (home.path() + "/cache").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());

    mira::prepareApplication();
    mira::MiraApplication app(argc, argv);
    mira::platform::UseEngine();
    mira::initProgram(app);
    const QStringList args = app.arguments();
    const int minutes = qMax(2, args.value(1, QStringLiteral("10")).toInt());
    const int period = qMax(1, args.value(2, QStringLiteral("5")).toInt());
    const int panes = qBound(1, args.value(3, QStringLiteral("16")).toInt(), 64);

    mira::test::HttpServer server;
    if (!server.start()) {
        std::fprintf(stderr, "soak_bench: the local server did not start\n");
        return 1;
    }
    QList<QString> addresses;
    for (int i = 0; i < panes; ++i) {
        const QString path = QStringLiteral("/pane%1").arg(i);
        server.serve(path, page(i));
        addresses.append(server.url(path).toString());
    }
    mira::programValues().programFolder = home.path() + QLatin1Char('/');
    const QString setPath = home.path() + QStringLiteral("/Soak.set");
    QFile set(setPath);
    if (!set.open(QIODevice::WriteOnly) || set.write(wall(addresses)) < 0)
        return 1;
    set.close();

    auto program = mira::CreateProgram({setPath});
    program->form->show();
    program->module->Action("GoAllAction")->trigger();
    QElapsedTimer start;
    start.start();
    while (start.elapsed() < 60000) {
        int loaded = 0;
        for (int i = 0; i < panes; ++i)
            loaded += server.count(QStringLiteral("/pane%1").arg(i)) > 0;
        if (loaded == panes)
            break;
        waitMs(100);
    }
    waitMs(period * 1000);

    // Each cycle every pane must reach the server once before the next refresh.
    int failures = 0;
    double atMinuteOne = 0;
    QElapsedTimer clock;
    clock.start();
    const qint64 end = qint64(minutes) * 60000;
    int cycles = 0;
    while (clock.elapsed() < end) {
        server.clearLog();
        program->module->Action("RefreshAllAction")->trigger();
        // A busy machine may take longer than the period: a pane has three periods
        // to reach the server before its refresh counts as failed.
        QElapsedTimer cycle;
        cycle.start();
        const auto missing = [&] {
            int n = 0;
            for (int i = 0; i < panes; ++i)
                if (server.count(QStringLiteral("/pane%1").arg(i)) < 1)
                    ++n;
            return n;
        };
        while (missing() > 0 && cycle.elapsed() < period * 3000)
            waitMs(100);
        if (cycle.elapsed() < period * 1000)
            waitMs(int(period * 1000 - cycle.elapsed()));
        ++cycles;
        const int missed = missing();
        if (missed)
            std::fprintf(stderr, "cycle %d at %llds: %d panes not refreshed\n", cycles,
                         clock.elapsed() / 1000, missed);
        failures += missed;
        if (atMinuteOne == 0 && clock.elapsed() >= 60000)
            atMinuteOne = mira::bench::treePssMiB(int(QCoreApplication::applicationPid()));
    }
    const double atEnd = mira::bench::treePssMiB(int(QCoreApplication::applicationPid()));
    std::printf("soak: %d panes, refresh every %d s, %d min, %d cycles\n", panes, period, minutes,
                cycles);
    std::printf("PSS of the process tree: minute 1 %.1f MiB, minute %d %.1f MiB\n", atMinuteOne,
                minutes, atEnd);
    std::printf("ratio end / minute 1: %.3f (goal <= 1.1)\n",
                atMinuteOne > 0 ? atEnd / atMinuteOne : 0.0);
    std::printf("failed loads: %d of %d (goal 0)\n", failures, cycles * panes);
    program.reset();
    return 0;
}
