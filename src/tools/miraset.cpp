// mira-set: checks and formats set files for people who generate or edit them by hand.
//   mira-set check FILE...   prints "FILE: ok" or the reader's error per file
//   mira-set format FILE     prints the text that saving the set would write
//   mira-set --version       prints the version
// It never writes a file.
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <unistd.h>

#include "browser/browser.h"
#include "dialogs/modal.h"
#include "icons/styleicons.h"
#include "layout/classregistry.h"
#include "layout/layoutform.h"
#include "layout/setstream.h"
#include "platform/fakewebcontrol.h"
#include "platform/webcontrol.h"
#include "tools/hugeheap.h"

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
QString readInto(mira::LayoutForm &form, const mira::ClassRegistry &classes, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    const QByteArray text = file.readAll();
    if (!text.startsWith("object TBaseForm\r\n") && !text.startsWith("object TBaseForm\n")
        && text != "object TBaseForm")
        return QStringLiteral("is not a configuration file");
    return mira::ReadConfigSet(form, classes, text);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 2 && qstrcmp(argv[1], "--version") == 0) {
        std::fputs("mira-set " MIRA_VERSION_TEXT "\n", stdout);
        return 0;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Before anything else takes the heap's top: room for the largest set named. Page
    // faults took half of a large check.
    qint64 largest = 0;
    for (int i = 2; i < argc; ++i)
        largest = std::max(largest, QFileInfo(QString::fromLocal8Bit(argv[i])).size());
    mira::ReserveHugeHeap(mira::HeapRoomForSet(std::size_t(largest)));
    // Sets are built into widgets, never shown: no engine, no program around them.
    QApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    if (args.size() < 2)
        return usage();
    const QString command = args.takeFirst();
    if (command != QLatin1String("check") && command != QLatin1String("format"))
        return usage();
    if (command == QLatin1String("format") && args.size() != 1)
        return usage();

    mira::KeepStyleIcons(); // each pane's bar asks for the same icons
    CancelRunner cancel;
    mira::SetModalRunner(&cancel);
    // Reading needs no page: panes get the scriptable control, not the engine.
    mira::platform::SetWebControlFactory([](QWidget *parent) -> mira::platform::WebControl * {
        return new mira::platform::FakeWebControl(parent);
    });

    mira::ClassRegistry classes;
    mira::RegisterLayoutClasses(classes);
    mira::RegisterBrowserClasses(classes);
    int failures = 0;
    std::unique_ptr<mira::LayoutForm> form;
    for (const QString &path : args) {
        form = std::make_unique<mira::LayoutForm>();
        const QString error = readInto(*form, classes, path);
        if (command == QLatin1String("check")) {
            std::printf("%s: %s\n", qPrintable(path), error.isEmpty() ? "ok" : qPrintable(error));
        } else if (error.isEmpty()) {
            const QByteArray text = mira::WriteConfigSet(*form, classes);
            std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
        } else {
            std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(error));
        }
        if (!error.isEmpty())
            ++failures;
    }
    // The last set's tree is not taken apart on the way out: nothing of it is kept, and
    // freeing a large one costs as much as building it.
    std::fflush(stdout);
    std::fflush(stderr);
    _exit(failures ? 1 : 0);
}
