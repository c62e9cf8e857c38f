#include "platform/controls/DialogKeyAnswer.h"

#include <QPointer>
#include <QWidget>
#include <unordered_map>

namespace
{

struct TEntry {
    // A control freed without removing its answer leaves a dead widget: the entry is then ignored.
    QPointer<QWidget> Widget;
    TWantsKeyAnswer Answer;
};

std::unordered_map<const TWinControl*, TEntry>& Answers()
{
    static std::unordered_map<const TWinControl*, TEntry> answers;
    return answers;
}

const TEntry* Find(const TWinControl* Control)
{
    auto& answers = Answers();
    const auto it = answers.find(Control);
    if (it == answers.end())
        return nullptr;
    if (!it->second.Widget || it->second.Widget != Control->Widget()) {
        answers.erase(it);
        return nullptr;
    }
    return &it->second;
}

} // namespace

void InstallWantsKeyAnswer(TWinControl* Control, TWantsKeyAnswer Answer)
{
    if (!Control || !Answer)
        return;
    Answers()[Control] = TEntry{Control->Widget(), std::move(Answer)};
}

void RemoveWantsKeyAnswer(TWinControl* Control)
{
    Answers().erase(Control);
}

bool HasWantsKeyAnswer(const TWinControl* Control)
{
    return Find(Control) != nullptr;
}

bool ControlWantsKey(const TWinControl* Control, WORD Key, TShiftState Shift)
{
    const bool own = Control->WantsKey(Key, Shift);
    if (const TEntry* e = Find(Control))
        return e->Answer(Key, Shift, own);
    return own;
}
