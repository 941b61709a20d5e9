#pragma once
// Answers every modal run of the program by script and records what was asked.
#include <QList>
#include <QString>
#include <deque>
#include <functional>

#include "dialogs/modal.h"

namespace mira::test {

struct ModalAnswer {
    int result = mrCancel;
    QString text; // for input boxes: typed before the result is given
    bool setText = false;
    std::function<int(ModalRecord &)> custom; // overrides the above when set
};

class ScriptedModal : public ModalRunner {
public:
    ScriptedModal();
    ~ScriptedModal() override;

    // Queue answers in the order the questions will come.
    ScriptedModal &answer(int result);
    ScriptedModal &answerText(const QString &text, int result = mrOK);
    ScriptedModal &answerWith(std::function<int(ModalRecord &)> fn);
    // When the queue is empty: this result (Cancel unless changed).
    void setDefault(int result) { defaultResult = result; }

    int run(ModalRecord &record) override;

    QList<ModalRecord> asked; // every record, in order (show/setText cleared)
    int pending() const { return int(answers.size()); }

private:
    std::deque<ModalAnswer> answers;
    int defaultResult = mrCancel;
    ModalRunner *previous = nullptr;
};

} // namespace mira::test
