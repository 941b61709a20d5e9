#include "platform/modal.h"

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

ModalRunner *SetModalRunner(ModalRunner *runner)
{
    ModalRunner *previous = currentRunner;
    currentRunner = runner ? runner : &realRunner;
    return previous == &realRunner ? nullptr : previous;
}

} // namespace mira
