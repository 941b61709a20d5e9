#include <cstdio>

#include "app/activation.h"
#include "app/appcontrol.h"
#include "app/application.h"
#include "app/baseform.h"
#include "app/caretrest.h"
#include "app/commandline.h"
#include "app/fullscreen.h"
#include "app/program.h"
#include "app/programvalues.h"
#include "app/remoteclient.h"
#include "app/remotecommand.h"
#include "app/remoteservice.h"
#include "app/setsfolder.h"
#include "app/snapshot.h"
#include "app/splash.h"
#include "app/startcheck.h"
#include "dialogs/messagebox.h"
#include "platform/termination.h"
#include "platform/useengine.h"

namespace {

// What the command line and the environment name, checked before anything opens;
// an installed program's first start makes its sets folder before that.
mira::StartPlan planStart(const mira::CommandLine &line)
{
    const QString setsProblem = mira::PrepareSetsFolder(mira::SetsFolderInUse());
    mira::StartPlan plan = mira::PlanStart(line, mira::programValues().programFolder,
                                           qEnvironmentVariable("MIRA_FAVORITES"), mira::ProbePath);
    if (!setsProblem.isEmpty())
        plan.warnings.prepend({QStringLiteral("Configuration Sets"), setsProblem});
    return plan;
}

// mira --snapshot: the set's window offscreen, written as a PNG; no window shows.
int snapshot(const mira::CommandLine &line)
{
    const mira::StartPlan plan = planStart(line);
    if (!plan.refusal.isEmpty()) {
        std::fprintf(stderr, "mira: %s\n", qPrintable(mira::NoticeLine({QString(), plan.refusal})));
        return plan.exitCode;
    }
    for (const mira::StartNotice &warning : plan.warnings)
        std::fprintf(stderr, "mira: %s\n", qPrintable(mira::NoticeLine(warning)));
    mira::SnapshotRunner answers;
    mira::SetModalRunner(&answers);
    // The offscreen screen is small; the set's window keeps the size it was saved with.
    mira::SetWorkArea(QRect(0, 0, 8192, 8192));
    int code = 0;
    {
        std::unique_ptr<mira::ProgramInstance> program = mira::CreateProgram(line.sets);
        if (program->terminated() || !program->module->File().Sets().IsSetOpen()) {
            std::fprintf(stderr, "mira: no configuration set to open in %s\n",
                         qPrintable(mira::programValues().programFolder));
            code = 1;
        } else {
            const mira::SnapshotResult result = mira::TakeSnapshot(*program, line.snapshot,
                                                                   line.waitSeconds);
            for (const QString &failure : result.failures)
                std::fprintf(stderr, "mira: %s\n", qPrintable(failure));
            if (!result.written)
                std::fprintf(stderr, "mira: cannot write %s\n", qPrintable(line.snapshot));
            code = result.written && result.failures.isEmpty() ? 0 : 1;
        }
    }
    mira::SetModalRunner(nullptr);
    return code;
}

} // namespace

int main(int argc, char **argv)
{
    QStringList raw;
    for (int i = 1; i < argc; ++i)
        raw.append(QString::fromLocal8Bit(argv[i]));
    if (mira::IsRemoteCall(raw))
        return mira::RunRemote(argc, argv);
    const mira::CommandLine early = mira::ParseCommandLine(raw);
    if (!early.error.isEmpty()) {
        std::fprintf(stderr, "mira: %s\nTry 'mira --help'.\n", qPrintable(early.error));
        return 2;
    }
    if (early.help || early.version) {
        const QString text = early.help ? mira::UsageText()
                                        : mira::VersionText(QStringLiteral("mira"));
        std::fputs(qPrintable(text), stdout);
        return 0;
    }
    if (!early.snapshot.isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");

    mira::prepareApplication();
    mira::MiraApplication app(argc, argv);
    mira::platform::UseEngine();
    mira::initProgram(app);
    mira::CaretRest caretRest(&app);
    if (mira::CheckIEVersion())
        return 1;

    // Qt's own options are gone from the application's arguments.
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    const mira::CommandLine line = mira::ParseCommandLine(arguments);
    if (!line.snapshot.isEmpty())
        return snapshot(line);

    // One program per set: a second start brings the first one's window forward.
    mira::RemoteStart remote = mira::StartRemoteService(line.sets);
    if (remote.forwarded)
        return 0;
    if (!remote.failure.isEmpty()) {
        std::fprintf(stderr, "mira: %s\n", qPrintable(remote.failure));
        return 1;
    }

    // Told before the splash shows, which would cover the boxes.
    const mira::StartPlan plan = planStart(line);
    mira::TellStartWarnings(plan);

    auto *splash = new mira::TSplashForm;
    splash->show();
    app.processEvents();

    std::unique_ptr<mira::ProgramInstance> program = mira::CreateProgram(line.sets, true);
    if (program->terminated()) {
        splash->close();
        return 1;
    }
    if (line.fullScreen) {
        program->module->File().SetFullScreenForced(true);
        mira::UpdateFullScreen(*program->module);
    }
    // A request to end from outside closes the window as Exit does, saving as promised.
    mira::platform::OnTerminationRequest(program->form.get(),
                                         [form = program->form.get()] { form->close(); });
    if (remote.service)
        remote.service->Attach(*program->module);
    program->form->show();
    mira::ActivateWhenShown(program->form.get());
    splash->ReleaseAfterShown(program->form.get());
    const int code = app.exec();
    remote.service.reset();
    program.reset();
    return code;
}
