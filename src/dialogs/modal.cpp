#include "dialogs/modal.h"

#include <QDialog>

namespace mira {
namespace {

class RealRunner final : public ModalRunner {
public:
    int run(ModalRecord &record) override { return record.show ? record.show() : mrCancel; }
};

RealRunner realRunner;
ModalRunner *currentRunner = &realRunner;

} // namespace

int RunModal(ModalRecord &record)
{
    return currentRunner->run(record);
}

int RunDialog(QDialog &dialog, QWidget *owner)
{
    ModalRecord record;
    record.kind = ModalRecord::Kind::Dialog;
    record.caption = dialog.windowTitle();
    record.owner = owner;
    record.dialog = &dialog;
    record.show = [&dialog] { return dialog.exec(); };
    return RunModal(record);
}

ModalRunner *SetModalRunner(ModalRunner *runner)
{
    ModalRunner *previous = currentRunner;
    currentRunner = runner ? runner : &realRunner;
    return previous == &realRunner ? nullptr : previous;
}

} // namespace mira
