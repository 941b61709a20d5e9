#include "app/activation.h"
#include "app/appcontrol.h"
#include "app/application.h"
#include "app/baseform.h"
#include "app/caretrest.h"
#include "app/program.h"
#include "app/programvalues.h"
#include "app/splash.h"
#include "platform/termination.h"

int main(int argc, char **argv)
{
    mira::prepareApplication();
    mira::MiraApplication app(argc, argv);
    mira::initProgram(app);
    mira::CaretRest caretRest(&app);
    if (mira::CheckIEVersion())
        return 1;

    auto *splash = new mira::TSplashForm;
    splash->show();
    app.processEvents();

    QStringList arguments = app.arguments();
    arguments.removeFirst();
    std::unique_ptr<mira::ProgramInstance> program = mira::CreateProgram(arguments);
    if (program->terminated()) {
        splash->close();
        return 1;
    }
    // A request to end from outside closes the window as Exit does, saving as promised.
    mira::platform::OnTerminationRequest(program->form.get(),
                                         [form = program->form.get()] { form->close(); });
    program->form->show();
    mira::ActivateWhenShown(program->form.get());
    splash->ReleaseAfterShown(program->form.get());
    const int code = app.exec();
    program.reset();
    return code;
}
