#include "app/program.h"

#include <QApplication>
#include <unistd.h>

#include "app/appcontrol.h"
#include "app/baseform.h"
#include "app/networkfollow.h"
#include "app/programvalues.h"
#include "dialogs/messagebox.h"
#include "icons/images.h"
#include "icons/styleicons.h"
#include "platform/scenegraph.h"

static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace mira {

void prepareApplication()
{
    // Views drawn through OpenGL share one context; drawn in software they need none, and
    // the shared one would load and start the whole GL stack for nothing.
    if (!platform::DrawViewsInSoftware())
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // The engine's sandbox refuses to run as root.
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setOrganizationName(QStringLiteral("mira"));
    QCoreApplication::setApplicationName(QStringLiteral("mira"));
}

void initProgram(QApplication &app)
{
    initResources();
    app.setApplicationDisplayName(QString());
    app.setWindowIcon(ApplicationIcon());
    KeepStyleIcons(); // each pane's bar asks for the same icons
    InitProgramValues();
}

ProgramInstance::ProgramInstance() = default;

ProgramInstance::~ProgramInstance()
{
    // An end that did not close the window (a test, a loop ended from outside) closes
    // it as Exit does: the save on exit runs before any widget goes.
    if (form)
        form->close();
    form.reset();
    module.reset();
}

bool ProgramInstance::terminated() const
{
    return module && module->File().Sets().Terminated();
}

std::unique_ptr<ProgramInstance> CreateProgram(const QStringList &arguments, bool followNetwork)
{
    auto program = std::make_unique<ProgramInstance>();
    program->module = std::make_unique<TAppControlModule>();
    // Before the set opens, so its first loads go out as the network allows.
    if (followNetwork)
        FollowNetwork(*program->module);
    program->form = std::make_unique<TBaseForm>(program->module.get());
    const bool loaded = program->module->File().Sets().OpenAtStart(arguments);
    if (!loaded && !program->terminated())
        program->form->SetStoredBounds(WorkArea());
    return program;
}

} // namespace mira
