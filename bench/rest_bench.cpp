// rest_bench: the CPU a wall of twelve animated pages costs, three books of four pages each,
// with hidden book pages resting against the same wall without: printed as the
// ratio of the two (goal: 0.4 or less). All processes of the program count: the
// program itself and the engine's.
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <cstdio>
#include <unistd.h>

#include "app/appcontrol.h"
#include "app/application.h"
#include "app/baseform.h"
#include "app/program.h"
#include "app/programvalues.h"
#include "browser/browser.h"
#include "platform/useengine.h"

namespace {

// A page that keeps its script and its painting busy, as a live dashboard does.
const char kPage[] = R"(<!DOCTYPE html><html><head><title>Live</title><style>
#bar{width:40px;height:40px;background:#36c;position:relative;animation:move 1s infinite alternate}
@keyframes move{from{left:0}to{left:200px}}</style></head><body><div id="bar"></div>
<canvas id="c" width="300" height="150"></canvas><p id="t"></p><script>
let n=0;const c=document.getElementById('c').getContext('2d');
setInterval(()=>{n++;let s=0;for(let i=0;i<20000;i++)s+=Math.sin(i+n);
c.fillStyle='hsl('+(n%360)+',60%,50%)';c.fillRect((n*3)%300,0,10,150);
document.getElementById('t').textContent=n+' '+s.toFixed(2);},16);
</script></body></html>)";

QByteArray pageObject(int depth, const QString &caption, const QString &address)
{
    const QByteArray in(size_t(depth) * 2, ' ');
    return in + "object TPage\r\n" + in + "  Caption = '" + caption.toUtf8() + "'\r\n" + in
           + "  object TBrowser\r\n" + in + "    Left = 0\r\n" + in + "    Top = 0\r\n" + in
           + "    Width = 300\r\n" + in + "    Height = 300\r\n" + in + "    Align = alClient\r\n"
           + in + "    URLs = <\r\n" + in + "      item\r\n" + in + "        Name = 'Live'\r\n" + in
           + "        Address = '" + address.toUtf8() + "'\r\n" + in + "      end>\r\n" + in
           + "  end\r\n" + in + "end\r\n";
}

// Three books side by side, four pages each; Go All On Open loads every pane.
QByteArray wallSet(const QString &address)
{
    QByteArray t = "object TBaseForm\r\n  Tag = 256\r\n  Left = 0\r\n  Top = 0\r\n"
                   "  Width = 960\r\n  Height = 400\r\n  PixelsPerInch = 96\r\n"
                   "  TextHeight = 13\r\n  object TPan\r\n    Left = 0\r\n    Top = 0\r\n"
                   "    Width = 952\r\n    Height = 340\r\n    Align = alClient\r\n";
    for (int b = 0; b < 3; ++b) {
        t += "    object TBook\r\n      Left = 0\r\n      Top = 0\r\n      Width = 310\r\n"
             "      Height = 340\r\n      Align = "
             + QByteArray(b == 2 ? "alClient" : "alLeft")
             + "\r\n      TabOrder = " + QByteArray::number(b) + "\r\n";
        for (int p = 0; p < 4; ++p)
            t += pageObject(3, QStringLiteral("Page %1").arg(p + 1), address);
        t += "    end\r\n";
    }
    return t + "  end\r\nend\r\n";
}

void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// CPU ticks (user and system) of this process and all its descendants.
qint64 treeTicks()
{
    QHash<qint64, qint64> parent;
    QHash<qint64, qint64> ticks;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        if (!ok)
            continue;
        QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QByteArray stat = f.readAll();
        // Fields after the command name, which may hold blanks: state ppid ... utime stime.
        const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (fields.size() < 13)
            continue;
        parent[pid] = fields[1].toLongLong();
        ticks[pid] = fields[11].toLongLong() + fields[12].toLongLong();
    }
    const qint64 self = getpid();
    qint64 sum = 0;
    for (auto it = ticks.constBegin(); it != ticks.constEnd(); ++it) {
        for (qint64 p = it.key(); p > 1; p = parent.value(p, 0))
            if (p == self) {
                sum += it.value();
                break;
            }
    }
    return sum;
}

// Opens the wall, lets it load and settle, and measures the CPU over a window.
double wallCpuShare(const QString &setPath, bool resting)
{
    auto program = mira::CreateProgram({setPath});
    program->module->Action("FileSaveOnCloseAction")->setChecked(false);
    program->form->show();
    if (!resting)
        for (QWidget *pane : program->module->Panes().List())
            if (auto *b = qobject_cast<mira::TBrowser *>(pane))
                b->SetRestDelay(24 * 3600 * 1000);
    runFor(6000 + mira::PaneRestDelayMs + 2000); // load, rest, settle
    int hidden = 0, rest = 0;
    for (QWidget *pane : program->module->Panes().List())
        if (auto *b = qobject_cast<mira::TBrowser *>(pane); b && !b->isVisible()) {
            ++hidden;
            rest += b->Resting() ? 1 : 0;
        }
    std::printf("%s: %d of %d hidden panes resting\n", resting ? "resting" : "awake", rest, hidden);
    const long hz = sysconf(_SC_CLK_TCK);
    const int windowMs = 10000;
    const qint64 before = treeTicks();
    runFor(windowMs);
    const qint64 used = treeTicks() - before;
    program.reset();
    runFor(3000); // the engine's processes of this wall end
    return double(used) / double(hz) / (windowMs / 1000.0);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
                "--disable-gpu --disable-background-networking --disable-component-update");
    QTemporaryDir dir;
    qputenv("XDG_DATA_HOME", dir.path().toLocal8Bit());
    mira::prepareApplication();
    mira::MiraApplication app(argc, argv);
    mira::platform::UseEngine();
    mira::initProgram(app);
    mira::programValues().programFolder = dir.path() + QLatin1Char('/');

    QFile page(dir.filePath(QStringLiteral("live.html")));
    if (!page.open(QIODevice::WriteOnly) || page.write(kPage) < 0)
        return 1;
    page.close();
    QFile set(dir.filePath(QStringLiteral("Wall.set")));
    if (!set.open(QIODevice::WriteOnly)
        || set.write(wallSet(QUrl::fromLocalFile(page.fileName()).toString())) < 0)
        return 1;
    set.close();

    const double awake = wallCpuShare(set.fileName(), false);
    const double rested = wallCpuShare(set.fileName(), true);
    std::printf("12 animated panes, 3 shown: CPU %.2f cores with hidden pages awake, %.2f with "
                "them resting\nratio resting / awake: %.2f (goal <= 0.40)\n",
                awake, rested, awake > 0 ? rested / awake : 0.0);
    return 0;
}
