// Test child for the crash test: opens a set and saves it over and over, switching
// between two states, until it is killed. Before the loop it writes both states'
// texts beside the set (.a and .b) so the parent knows what a whole file looks like.
#include <QFile>
#include <cstdio>

#include "app/appcontrol.h"
#include "app/application.h"
#include "app/baseform.h"
#include "app/formstream.h"
#include "app/program.h"
#include "platform/fakewebcontrol.h"
#include "platform/webcontrol.h"

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    mira::prepareApplication();
    mira::MiraApplication app(argc, argv);
    mira::initProgram(app);
    if (argc < 2)
        return 2;
    mira::platform::SetWebControlFactory([](QWidget *parent) -> mira::platform::WebControl * {
        return new mira::platform::FakeWebControl(parent);
    });
    const QString path = QString::fromLocal8Bit(argv[1]);
    mira::TAppControlModule module;
    mira::TBaseForm form(&module);
    module.File().Sets().ConfigFileName = path;
    if (!module.File().Sets().LoadConfigFile())
        return 3;
    module.Action("FileSaveOnCloseAction")->setChecked(false);
    auto writeSide = [&](const char *ext) {
        QFile f(path + QLatin1String(ext));
        if (!f.open(QIODevice::WriteOnly))
            return false;
        f.write(mira::WriteConfigSet(&form));
        return true;
    };
    form.SetTag(0);
    if (!writeSide(".a"))
        return 4;
    form.SetTag(mira::pfAutoSave);
    if (!writeSide(".b"))
        return 4;
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;) {
        form.SetTag(form.Tag() ^ mira::pfAutoSave);
        if (!module.File().Sets().SaveConfigFile())
            return 5;
    }
}
