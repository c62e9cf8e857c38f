#include "platform/controls/CheckListBox.h"

#include "platform/core/SysUtils.h"

namespace {

Qt::CheckState ToQt(TCheckBoxState State)
{
    switch (State) {
    case cbChecked: return Qt::Checked;
    case cbGrayed: return Qt::PartiallyChecked;
    default: return Qt::Unchecked;
    }
}

} // namespace

TCheckListBox::TCheckListBox(TComponent* AOwner) : TListBox(AOwner)
{
    // Every item gets its box as it comes in (the items are the list box's own).
    QObject::connect(List()->model(), &QAbstractItemModel::rowsInserted, List(), [this](const QModelIndex&, int first, int last) {
        ++FCheckChange;
        for (int i = first; i <= last; ++i) {
            QListWidgetItem* item = List()->item(i);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
        }
        --FCheckChange;
    });
    ConnectSignal(List(), &QListWidget::itemChanged, [this](QListWidgetItem*) {
        if (FCheckChange == 0)
            ClickCheck();
    });
}

QListWidgetItem* TCheckListBox::CheckedItem(int Index) const
{
    if (Index < 0 || Index >= Count())
        RaiseListIndexError(Index);
    return List()->item(Index);
}

bool TCheckListBox::Checked(int Index) const
{
    return CheckedItem(Index)->checkState() == Qt::Checked;
}

void TCheckListBox::SetChecked(int Index, bool Value)
{
    SetState(Index, Value ? cbChecked : cbUnchecked);
}

TCheckBoxState TCheckListBox::State(int Index) const
{
    switch (CheckedItem(Index)->checkState()) {
    case Qt::Checked: return cbChecked;
    case Qt::PartiallyChecked: return cbGrayed;
    default: return cbUnchecked;
    }
}

void TCheckListBox::SetState(int Index, TCheckBoxState Value)
{
    QListWidgetItem* item = CheckedItem(Index);
    ++FCheckChange;
    item->setCheckState(ToQt(Value));
    --FCheckChange;
}

void TCheckListBox::UncheckAll()
{
    for (int i = 0; i < Count(); ++i)
        SetChecked(i, false);
}

void TCheckListBox::ClickCheck()
{
    if (OnClickCheck)
        OnClickCheck(this);
}
