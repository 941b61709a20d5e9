#include "support/scriptedmodal.h"

namespace mira::test {

ScriptedModal::ScriptedModal()
{
    previous = SetModalRunner(this);
}
ScriptedModal::~ScriptedModal()
{
    SetModalRunner(previous);
}

ScriptedModal &ScriptedModal::answer(int result)
{
    answers.push_back({result, {}, false, {}});
    return *this;
}

ScriptedModal &ScriptedModal::answerText(const QString &text, int result)
{
    answers.push_back({result, text, true, {}});
    return *this;
}

ScriptedModal &ScriptedModal::answerWith(std::function<int(ModalRecord &)> fn)
{
    answers.push_back({mrCancel, {}, false, std::move(fn)});
    return *this;
}

int ScriptedModal::run(ModalRecord &record)
{
    ModalRecord copy = record;
    copy.show = nullptr;
    copy.setText = nullptr;
    asked.append(copy);
    if (answers.empty())
        return defaultResult;
    ModalAnswer a = answers.front();
    answers.pop_front();
    if (a.custom)
        return a.custom(record);
    if (a.setText && record.setText)
        record.setText(a.text);
    return a.result;
}

} // namespace mira::test
