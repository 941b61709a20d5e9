#include "app/snapshot.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <cstdio>

#include "app/appcontrol.h"
#include "app/baseform.h"
#include "app/program.h"
#include "bookmarks/urlcombo.h"
#include "bookmarks/urls.h"
#include "browser/browser.h"
#include "browser/mwebbrowser.h"
#include "dialogs/modal.h"
#include "platform/pagecopies.h"
#include "platform/webcontrol.h"

namespace mira {
namespace {

// One pane Go All sends somewhere, and how its load ended.
struct Watched {
    QPointer<TBrowser> pane;
    QString label;
    bool ended = false;
    bool failed = false;
    // The pane's load was told as ended; for a failed one, once its stand-in (the
    // kept copy or Mira's own page) has loaded.
    bool told = false;
    platform::PageLoad load;
    // Ended as far as the picture is concerned: a failed load still has its stand-in
    // to show.
    bool done() const { return told || (ended && !failed); }
};

// The bookmark Go All loads in pane, or nullptr (a typed address, a skipped bookmark).
const TURL *goAllTarget(TBrowser *pane)
{
    const int index = pane->URLs()->IndexOfName(pane->AddressCombo->currentText());
    const TURL *url = pane->URLs()->Items(index);
    return url && url->Refresh() >= 0 && !url->Address().isEmpty() ? url : nullptr;
}

void runEventsFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Waits until done() or the deadline; true when done.
bool waitUntil(const std::function<bool()> &done, const QElapsedTimer &clock, qint64 deadline)
{
    while (!done()) {
        if (clock.elapsed() >= deadline)
            return false;
        runEventsFor(20);
    }
    return true;
}

// The engine paints a moment after loading: a pane that shows a page has more than
// its background colour.
bool painted(const QImage &shot, QWidget *form, TBrowser *pane)
{
    QWidget *view = pane->WebView;
    if (!view->isVisible())
        return true;
    const QImage part = shot.copy(QRect(view->mapTo(form, QPoint(0, 0)), view->size()));
    QSet<QRgb> colors;
    for (int y = 0; y < part.height(); y += 4)
        for (int x = 0; x < part.width(); x += 4)
            colors.insert(part.pixel(x, y));
    return colors.size() >= 8;
}

} // namespace

QString StaleText(const platform::PageLoad &load)
{
    QString text;
    if (!load.error.isEmpty())
        text = QStringLiteral(": ") + QString(load.error).simplified();
    if (load.copyTaken.isValid())
        text += QStringLiteral(" (showing its kept copy of %1)")
                    .arg(load.copyTaken.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    return text;
}

int SnapshotRunner::run(ModalRecord &record)
{
    const QString caption = record.caption.isEmpty() ? QStringLiteral("Question") : record.caption;
    std::fprintf(stderr, "mira: %s: %s (answered %s)\n", qPrintable(caption),
                 qPrintable(QString(record.text).replace(QLatin1Char('\n'), QLatin1Char(' '))),
                 record.buttons & mbCancel ? "Cancel"
                 : record.buttons & mbNo   ? "No"
                                           : "OK");
    return record.buttons & mbCancel ? mrCancel : record.buttons & mbNo ? mrNo : mrOK;
}

SnapshotResult TakeSnapshot(ProgramInstance &program, const QString &path, int waitSeconds)
{
    SnapshotResult result;
    TAppControlModule *module = program.module.get();
    TBaseForm *form = program.form.get();
    // Looking at a set never changes it.
    module->Action(u"FileSaveOnCloseAction")->setChecked(false);
    module->SetProgramFlag(pfAutoSave, false);
    module->File().UpdateAutoSave();

    const bool loadedOnOpen = module->Flags().testFlag(pfGoAllOnOpen);
    QList<std::shared_ptr<Watched>> watched;
    int number = 0;
    for (TBrowser *pane : module->Panes().List()) {
        ++number;
        const TURL *url = goAllTarget(pane);
        if (!url || !pane->WebView->Control())
            continue;
        auto watch = std::make_shared<Watched>();
        watch->pane = pane;
        watch->label =
            QStringLiteral("pane %1 \"%2\" (%3)").arg(number).arg(url->Name(), url->Address());
        platform::WebControl *control = pane->WebView->Control();
        // A load that fails ends with the control's "Cannot open" status text.
        QObject::connect(control, &platform::WebControl::statusTextChange, control,
                         [watch](const QString &text) {
                             if (text.startsWith(QLatin1String("Cannot open ")))
                                 watch->failed = true;
                         });
        QObject::connect(control, &platform::WebControl::progressChange, control,
                         [watch](int progress, int) {
                             if (progress == -1)
                                 watch->ended = true;
                         });
        QObject::connect(control, &platform::WebControl::pageLoadEnded, control,
                         [watch](const platform::PageLoad &load) {
                             watch->told = true;
                             watch->ended = true;
                             watch->failed = !load.ok;
                             watch->load = load;
                         });
        // Loads started on opening may have ended already.
        if (loadedOnOpen && control->navigation()->readyState() == platform::READYSTATE_COMPLETE)
            watch->ended = true;
        watched.append(watch);
    }

    // The picture is of the client area: without a frame, it has the set's size.
    form->setWindowFlag(Qt::FramelessWindowHint);
    // A window larger than the (small) offscreen screen is fitted into it when shown;
    // the picture shows it at the size of the set.
    const QSize size = form->size();
    form->show();
    if (form->size() != size)
        form->resize(size);
    if (!loadedOnOpen)
        module->AllPanes().GoAll()->trigger();

    QElapsedTimer clock;
    clock.start();
    const qint64 limit = qint64(waitSeconds) * 1000;
    waitUntil(
        [&] {
            for (const auto &w : std::as_const(watched))
                if (w->pane && !w->done())
                    return false;
            return true;
        },
        clock, limit);
    // Up to five seconds more for the pages to reach the screen.
    waitUntil(
        [&] {
            const QImage shot = form->grab().toImage();
            for (const auto &w : std::as_const(watched))
                if (w->pane && w->done() && !painted(shot, form, w->pane))
                    return false;
            return true;
        },
        clock, clock.elapsed() + 5000);

    for (const auto &w : std::as_const(watched)) {
        if (!w->pane)
            continue;
        if (!w->ended)
            result.failures.append(
                w->label + QStringLiteral(": did not finish loading in %1 s").arg(waitSeconds));
        else if (w->failed)
            result.failures.append(w->label + QStringLiteral(": could not be loaded")
                                   + StaleText(w->load));
    }
    result.written = form->grab().save(path, "PNG");
    // The copies of what was just loaded, so a later look can stand in for a failure.
    waitUntil([] { return platform::CopiesUnderway() == 0; }, clock, clock.elapsed() + 10000);
    return result;
}

} // namespace mira
