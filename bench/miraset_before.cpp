// The set checker as it was first built, kept as the yardstick of miraset_bench: every
// set is read into the program's own main window and module, with the engine linked in.
//   mira-set check FILE...   prints "FILE: ok" or the reader's error per file
//   mira-set format FILE     prints the text that saving the set would write
//   mira-set --version       prints the version
// It never writes a file.
#include <QFile>
#include <QFileInfo>
#include <cstdio>

#include "app/appcontrol.h"
#include "app/application.h"
#include "app/baseform.h"
#include "app/commandline.h"
#include "app/formstream.h"
#include "app/program.h"
#include "app/setfilecheck.h"
#include "dialogs/modal.h"
#include "platform/fakewebcontrol.h"
#include "platform/webcontrol.h"

namespace {

// Every question reading raises is answered Cancel and reported on standard error.
class CancelRunner : public mira::ModalRunner {
public:
    int run(mira::ModalRecord &record) override
    {
        const QString caption = record.caption.isEmpty() ? QStringLiteral("Question")
                                                         : record.caption;
        std::fprintf(stderr, "%s: %s (answered Cancel)\n", qPrintable(caption),
                     qPrintable(QString(record.text).replace(QLatin1Char('\n'), QLatin1Char(' '))));
        return record.buttons & mira::mbCancel ? mira::mrCancel
               : record.buttons & mira::mbNo   ? mira::mrNo
                                               : mira::mrOK;
    }
};

int usage()
{
    std::fprintf(stderr, "usage: mira-set check FILE...\n       mira-set format FILE\n"
                         "       mira-set --version\n");
    return 2;
}

// Reads path into a fresh main window; returns the fault's message or empty.
QString readInto(mira::TBaseForm *form, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    const QByteArray text = file.readAll();
    if (!text.startsWith("object TBaseForm\r\n") && !text.startsWith("object TBaseForm\n")
        && text != "object TBaseForm")
        return QStringLiteral("is not a configuration file");
    return mira::ReadConfigSet(form, text);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 2 && qstrcmp(argv[1], "--version") == 0) {
        std::fputs(qPrintable(mira::VersionText(QStringLiteral("mira-set"))), stdout);
        return 0;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    mira::prepareApplication();
    mira::MiraApplication app(argc, argv);
    mira::initProgram(app);
    QStringList args = app.arguments();
    args.removeFirst();
    if (args.size() < 2)
        return usage();
    const QString command = args.takeFirst();
    if (command != QLatin1String("check") && command != QLatin1String("format"))
        return usage();
    if (command == QLatin1String("format") && args.size() != 1)
        return usage();

    CancelRunner cancel;
    mira::SetModalRunner(&cancel);
    // Reading needs no page: panes get the scriptable control, not the engine.
    mira::platform::SetWebControlFactory([](QWidget *parent) -> mira::platform::WebControl * {
        return new mira::platform::FakeWebControl(parent);
    });

    int failures = 0;
    for (const QString &path : args) {
        mira::TAppControlModule module;
        mira::TBaseForm form(&module);
        module.Action(u"FileSaveOnCloseAction")->setChecked(false); // never save on the way out
        const QString error = readInto(&form, path);
        if (command == QLatin1String("check")) {
            std::printf("%s: %s\n", qPrintable(path), error.isEmpty() ? "ok" : qPrintable(error));
        } else if (error.isEmpty()) {
            const QByteArray text = mira::WriteConfigSet(&form);
            std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
        } else {
            std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(error));
        }
        if (!error.isEmpty())
            ++failures;
    }
    mira::SetModalRunner(nullptr);
    return failures ? 1 : 0;
}
