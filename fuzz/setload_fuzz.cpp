// The whole load of a set file: whatever the bytes, reading them into the
// containers, books and panes of a main window neither crashes nor hangs (every
// question answered by script), and a set that loads saves to text that loads
// back and saves to the same text.
#include <QApplication>
#include <cstdint>
#include <cstdlib>

#include "app/appcontrol.h"
#include "app/application.h"
#include "app/baseform.h"
#include "app/formstream.h"
#include "app/program.h"
#include "dialogs/modal.h"
#include "platform/fakewebcontrol.h"
#include "platform/webcontrol.h"
#include "setfile/setsyntax.h"

namespace {

// Answers the questions a load asks by the input's length, so both answers of
// each question get explored while the seeds stay plain set files.
class ScriptRunner : public mira::ModalRunner {
public:
    int answer = mira::mrCancel;
    int run(mira::ModalRecord &record) override
    {
        if (answer == mira::mrYes && (record.buttons & mira::mbYes))
            return mira::mrYes;
        return record.buttons & mira::mbCancel ? mira::mrCancel
               : record.buttons & mira::mbNo   ? mira::mrNo
                                               : mira::mrOK;
    }
};

ScriptRunner runner;

// Reads text into a fresh main window; the window is saved back when reading succeeded.
// Text that does not parse never reaches a window (the syntax has a target of its own),
// so it costs no module and main window: building those is most of a run.
bool loadAndSave(const QByteArray &text, QByteArray *saved)
{
    const mira::setfile::ParseResult parsed = mira::setfile::parse(text);
    if (!parsed.ok())
        return false;
    mira::TAppControlModule module;
    mira::TBaseForm form(&module);
    module.FileSaveOnCloseAction->setChecked(false);
    if (!mira::StreamIn(&form, *parsed.root).isEmpty())
        return false;
    *saved = mira::WriteConfigSet(&form);
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    mira::prepareApplication();
    // Never destroyed: at exit the application would run its clean-up after the
    // program's own caches are gone, which the real program never does.
    auto *app = new mira::MiraApplication(*argc, *argv);
    mira::initProgram(*app);
    mira::SetModalRunner(&runner);
    mira::platform::SetWebControlFactory([](QWidget *parent) -> mira::platform::WebControl * {
        return new mira::platform::FakeWebControl(parent);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    runner.answer = (size & 1) ? mira::mrYes : mira::mrCancel;
    const QByteArray text(reinterpret_cast<const char *>(data), qsizetype(size));
    QByteArray first;
    if (!loadAndSave(text, &first))
        return 0;
    QByteArray second;
    if (!loadAndSave(first, &second) || second != first)
        std::abort();
    return 0;
}
