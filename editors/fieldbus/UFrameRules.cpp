#include "editors/fieldbus/UFrameRules.h"

#include "app/ULang.h"
#include "app/UTableEditor.h"
#include "grid/core/ExtCGrid.h"
#include "platform/controls/Interaction.h"
#include "platform/core/SysUtils.h"

namespace framerules
{

int Num(const QString& Text)
{
    return StrToIntDef(Text, -1);
}

bool In(const QString& Text, int Lo, int Hi)
{
    const int v = Num(Text);
    return v >= Lo && v <= Hi;
}

bool Ticked(const QString& Text)
{
    return Text == "Y";
}

TFrameCheck Check_Single_Frame(int Row, const QString& Start, const QString& Count,
                               const TSingleFrameTexts& Texts)
{
    const bool no_start = Trim(Start).isEmpty(), no_count = Trim(Count).isEmpty();
    if (no_start && no_count)
        return std::nullopt;
    if (no_start || no_count)
        return TFrameFault{Row, Texts.Both};
    if (!In(Start, 1, 8))
        return TFrameFault{Row, Texts.Start};
    if (!In(Count, 1, 8))
        return TFrameFault{Row, Texts.Count};
    if (Num(Start) + Num(Count) > 8)
        return TFrameFault{Row, Texts.Sum};
    return std::nullopt;
}

} // namespace framerules

TFrameRows Used_Row_Texts(TTableEditor& Form, int Table)
{
    TTableEditor::TTableView& t = Form.Table(Table);
    const int used = Form.Used_Rows(t);
    const int cols = t.String_Grid->ColCount() + t.String_Grid->NumHiddenColumns();
    TFrameRows rows;
    rows.reserve(size_t(used));
    for (int r = 1; r <= used; ++r) {
        QStringList texts;
        for (int c = 0; c < cols; ++c)
            texts << t.String_Grid->Cells(c, r);
        rows.push_back(texts);
    }
    return rows;
}

QString Frame_Fault_Text(int Error_Row_Text, const TFrameFault& Fault)
{
    QString text;
    if (Fault.Row > 0)
        text = Lang_Text(Error_Row_Text) + QString::number(Fault.Row);
    text += Lang_Text(Fault.Text) + Fault.Limit;
    if (Fault.Closing >= 0)
        text += Lang_Text(Fault.Closing);
    return text;
}

void Show_Frame_Fault(TTableEditor& Form, int Table, const TFrameFault& Fault)
{
    MessageDlg(Frame_Fault_Text(Form.Table(Table).Spec->Error_Row_Text, Fault), mtError, mbOK);
}
