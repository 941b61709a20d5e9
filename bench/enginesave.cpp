#include "enginesave.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <algorithm>

namespace mira::bench {

namespace {

// Waits for sender's signal, at most timeoutMs; false on the timeout.
template<typename Signal, typename Sender>
bool waitFor(Sender *sender, Signal signal, int timeoutMs)
{
    QEventLoop loop;
    bool fired = false;
    QObject::connect(sender, signal, &loop, [&] {
        fired = true;
        loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return fired;
}

// Saves the page as the web control keeps a copy: through the profile's download request.
// Returns the time to the finished file in ms, or a negative number on a failure.
double saveCopy(QWebEngineProfile *profile, QWebEnginePage *page, const QString &path)
{
    QEventLoop loop;
    bool done = false;
    QObject context;
    QObject::connect(profile, &QWebEngineProfile::downloadRequested, &context,
                     [&](QWebEngineDownloadRequest *request) {
                         if (!request->isSavePageDownload() || request->page() != page)
                             return;
                         QObject::connect(request, &QWebEngineDownloadRequest::isFinishedChanged,
                                          &context, [&, request] {
                                              if (!request->isFinished())
                                                  return;
                                              done =
                                                  request->state()
                                                  == QWebEngineDownloadRequest::DownloadCompleted;
                                              loop.quit();
                                          });
                     });
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    page->save(path, QWebEngineDownloadRequest::MimeHtmlSaveFormat);
    loop.exec();
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    return done ? ms : -1;
}

} // namespace

EngineRun engineSaves(const QUrl &url, int count)
{
    EngineRun run;
    QTemporaryDir dir;
    auto *profile = new QWebEngineProfile(QStringLiteral("copies_bench"));
    profile->setPersistentStoragePath(dir.filePath(QStringLiteral("profile")));
    profile->setCachePath(dir.filePath(QStringLiteral("cache")));
    profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
    auto *page = new QWebEnginePage(profile);

    // The first load starts the renderer: it is not a load of a running wall.
    page->load(url);
    if (!waitFor(page, &QWebEnginePage::loadFinished, 30000)) {
        delete page;
        delete profile;
        return run;
    }
    double loads = 0;
    double saves = 0;
    run.saveMinMs = 1e9;
    int done = 0;
    for (int i = 0; i < count; ++i) {
        QElapsedTimer timer;
        timer.start();
        page->triggerAction(QWebEnginePage::Reload);
        if (!waitFor(page, &QWebEnginePage::loadFinished, 30000))
            break;
        loads += double(timer.nsecsElapsed()) / 1e6;
        const QString path = dir.filePath(QStringLiteral("copy%1.mht").arg(i));
        const double ms = saveCopy(profile, page, path);
        if (ms < 0)
            break;
        saves += ms;
        run.saveMinMs = std::min(run.saveMinMs, ms);
        run.saveMaxMs = std::max(run.saveMaxMs, ms);
        run.copyBytes = QFileInfo(path).size();
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            run.copy = file.readAll();
        ++done;
    }
    delete page;
    delete profile;
    if (done == count && !run.copy.isEmpty()) {
        run.ok = true;
        run.loadMs = loads / done;
        run.saveMs = saves / done;
    }
    return run;
}

} // namespace mira::bench
