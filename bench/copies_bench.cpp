// Kept copies, both halves of their cost per load, as figures and ratios from one run:
// the engine's MIME HTML save of a typical page (a page of some tens of KB with a style
// sheet and images from a local server) in ms and bytes against the load it follows, then
// the store putting copies of that size in place (write, rename, note, bound) against
// writing the same bytes once, and whether the store stays within its bound over 1,000
// loads of a wall at two numbers of addresses. Runs the real engine offscreen:
//   QT_QPA_PLATFORM=offscreen copies_bench
#include <QApplication>
#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSaveFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>

#include "app/program.h"
#include "enginesave.h"
#include "platform/pagecopies.h"
#include "support/httpserver.h"

using namespace mira::platform;
using mira::bench::EngineRun;

namespace {

double seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// ---------------------------------------------------------------- the page

struct Site {
    qint64 html = 0;
    qint64 css = 0;
    qint64 images = 0;
    int imageCount = 0;
    qint64 total() const { return html + css + images; }
};

// A noisy picture, so it compresses about as a photograph's thumbnail does.
QByteArray picture(int seed)
{
    QImage image(120, 90, QImage::Format_RGB32);
    quint32 state = 2463534242u + quint32(seed);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            const int noise = int(state & 15);
            image.setPixel(x, y, qRgb((x + seed * 40) % 256, (y * 2 + noise) % 256, noise * 16));
        }
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

// Serves a page as a wall shows them: about 30 KB of text, a style sheet, three images.
Site servePage(mira::test::HttpServer &server)
{
    QByteArray css;
    for (int i = 0; i < 60; ++i)
        css += QStringLiteral(".c%1 { color: #%2; margin: %3px %4px; font-size: %5px; }\n")
                   .arg(i)
                   .arg((i * 0x1F3A7) & 0xFFFFFF, 6, 16, QLatin1Char('0'))
                   .arg(i % 7)
                   .arg(i % 11)
                   .arg(11 + i % 6)
                   .toUtf8();
    const int imageCount = 3;
    qint64 images = 0;
    for (int i = 0; i < imageCount; ++i) {
        const QByteArray png = picture(i);
        images += png.size();
        server.serve(QStringLiteral("/img%1.png").arg(i), png, "image/png");
    }
    QByteArray html = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Wall page</title>"
                      "<link rel=\"stylesheet\" href=\"/style.css\"></head><body>"
                      "<h1>Line status</h1>";
    for (int i = 0; html.size() < 30000; ++i) {
        html += "<p class=\"c" + QByteArray::number(i % 60) + "\">Section " + QByteArray::number(i)
                + ": the trains on the north line run every twelve minutes until eight, then "
                  "every twenty; the south line is closed between the depot and the bridge "
                  "for works until further notice.</p>\n";
        if (i % 25 == 10 && i / 25 < imageCount)
            html += "<img src=\"/img" + QByteArray::number(i / 25) + ".png\" alt=\"map\">\n";
    }
    html += "</body></html>\n";
    server.serve(QStringLiteral("/style.css"), css, "text/css");
    server.serve(QStringLiteral("/page.html"), html);
    return {html.size(), css.size(), images, imageCount};
}

// ---------------------------------------------------------------- the store

struct StoreRun {
    double msPerLoad = 0;
    qint64 largest = 0;
    int files = 0;
    bool within = true; // the store never passed its bound after a copy was put in place
};

// loads copies, round-robin over addresses, in a store bounded at bound; the size is
// checked after every load, outside the timing.
StoreRun keep(int loads, int addresses, const QByteArray &copy, qint64 bound)
{
    QTemporaryDir dir;
    PageCopies store(dir.path(), bound);
    StoreRun run;
    std::chrono::steady_clock::duration spent{};
    for (int i = 0; i < loads; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const QString address = QStringLiteral("http://wall.example/%1").arg(i % addresses);
        const QString staged = store.stagingPath(address);
        QFile f(staged);
        if (f.open(QIODevice::WriteOnly))
            f.write(copy);
        f.close();
        store.commit(address, staged, QDateTime::currentDateTime().addSecs(i));
        spent += std::chrono::steady_clock::now() - start;
        const qint64 size = store.totalSize();
        run.largest = std::max(run.largest, size);
        run.within = run.within && size <= bound;
    }
    run.msPerLoad = std::chrono::duration<double>(spent).count() * 1000 / loads;
    run.files = int(QDir(dir.path()).entryList(QDir::Files).size());
    return run;
}

double plainWrite(int loads, const QByteArray &copy)
{
    QTemporaryDir dir;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < loads; ++i) {
        QSaveFile f(dir.filePath(QStringLiteral("%1.mht").arg(i % 16)));
        if (f.open(QIODevice::WriteOnly))
            f.write(copy);
        f.commit();
    }
    return seconds(start) * 1000 / loads;
}

} // namespace

int main(int argc, char **argv)
{
    mira::prepareApplication();
    QApplication app(argc, argv);
    mira::test::HttpServer server;
    if (!server.start()) {
        std::fprintf(stderr, "copies_bench: the local server did not start\n");
        return 1;
    }
    const Site site = servePage(server);
    constexpr int saves = 20;
    const EngineRun engine = mira::bench::engineSaves(server.url(QStringLiteral("/page.html")),
                                                      saves);
    std::printf("engine: a page of %lld KiB (%lld KiB of HTML, a %lld KiB style sheet, %d images "
                "of %lld KiB) from a local server, %d loads each followed by a save\n",
                site.total() / 1024, site.html / 1024, site.css / 1024, site.imageCount,
                site.images / 1024, saves);
    if (!engine.ok) {
        std::fprintf(stderr, "copies_bench: the engine did not load and save the page\n");
        return 1;
    }
    std::printf("  MIME HTML save %.1f ms (%.1f to %.1f), %lld bytes (%.2fx the page's bytes); "
                "a load %.1f ms: the save costs %.2fx a load\n",
                engine.saveMs, engine.saveMinMs, engine.saveMaxMs, engine.copyBytes,
                double(engine.copyBytes) / double(site.total()), engine.loadMs,
                engine.saveMs / engine.loadMs);

    constexpr int loads = 1000;
    constexpr qint64 bound = qint64(8) << 20;
    const double plain = plainWrite(loads, engine.copy);
    std::printf("kept copies: %d loads of the engine's %lld KiB copy\n", loads,
                engine.copyBytes / 1024);
    bool within = true;
    double storeMs = 0;
    // A wall at the small bound, then one that fills the program's own bound with a copy
    // of every address: putting a copy in place reads the notes of all the others.
    const struct {
        int addresses;
        qint64 bound;
    } walls[] = {{16, bound}, {160, bound}, {1000, PageCopies::DefaultBound}};
    for (const auto &wall : walls) {
        const StoreRun run = keep(loads, wall.addresses, engine.copy, wall.bound);
        if (wall.bound == bound)
            storeMs = std::max(storeMs, run.msPerLoad);
        std::printf("  %4d addresses, bound %3lld MiB: %.2f ms per load (%.1fx a plain write of "
                    "the bytes), largest store %.2f of the bound (%s), %d files left\n",
                    wall.addresses, wall.bound >> 20, run.msPerLoad, run.msPerLoad / plain,
                    double(run.largest) / double(wall.bound), run.within ? "held" : "PASSED",
                    run.files);
        within = within && run.within;
    }
    std::printf("a copy per load, engine and store at the bound: %.1f ms, %.2fx the load\n",
                engine.saveMs + storeMs, (engine.saveMs + storeMs) / engine.loadMs);
    return within ? 0 : 1;
}
