#include "editors/fieldbus/UJ1939_Frames.h"

#include "app/UGlobals.h"
#include "platform/core/SysUtils.h"

namespace j1939frames
{

namespace
{

using framerules::In;
using framerules::Num;
using framerules::Ticked;

constexpr TColor Cyan = 0xFEFAE0, Yellow = 0xA8FFFF, Green = 0xCAFFCA, Pink = 0xF4D6FC, Orange = 0xB0D8FF;
const char* const kPages[] = {"0", "1"};
constexpr int On_Request_Col = 6, On_Data_Change_Col = 7, On_Timer_Col = 8;

constexpr TEditorColumn Col(int Header, int Width, TColor Color, const char* Attribute, const char* Missing,
                            int Hint, TEditorType Editor = edNormal)
{
    TEditorColumn c;
    c.Header = Header;
    c.Editor = Editor;
    c.Width = Width;
    c.Color = Color;
    c.Attribute = Attribute;
    c.Missing = Missing;
    c.Hint = Hint;
    c.Font = "Tahoma";
    return c;
}

constexpr TEditorColumn Page_Col(int Header, int Width, int Hint)
{
    TEditorColumn c = Col(Header, Width, Cyan, "DP", "", Hint, edComboList);
    c.Items = kPages;
    return c;
}

constexpr TEditorColumn Count_Col()
{
    TEditorColumn c = Col(3619, 60, Yellow, "TP_NByte", "8", 3629);
    c.Empty_Is_Missing = true;
    return c;
}

const TEditorColumn kReceive_Columns[] = {
    Col(3514, 40, clWindow, nullptr, nullptr, -1),
    Page_Col(3515, 65, 3525),
    Col(3516, 85, Cyan, "PGN", "", 3526),
    Col(3517, 95, Cyan, "SA", "", 3527),
    Col(3518, 113, Yellow, "TP", "N", 3528, edDataCheckBox),
    Col(3519, 65, Green, "TP_Start", "", 3529),
    Col(3520, 55, Green, "TP_NByte", "", 3530),
    Col(3521, 75, Pink, "Delete", "N", 3531, edDataCheckBox),
    Col(3522, 75, Orange, "OnRequest", "N", 3532, edDataCheckBox),
    Col(3523, 65, Orange, "OnReq_Time", "1000", 3533),
    Col(3524, 120, clWhite, "Mnemonic", "", 3534),
};

const TEditorColumn kTransmit_Columns[] = {
    Col(3614, 40, clWindow, nullptr, nullptr, -1),
    Col(3615, 50, Cyan, "Priority", "", 3625),
    Page_Col(3616, 65, 3626),
    Col(3617, 85, Cyan, "PGN", "", 3627),
    Col(3618, 95, Cyan, "SA", "", 3628),
    Count_Col(),
    Col(3620, 55, Green, "On_Request", "N", 3630, edDataCheckBox),
    Col(3621, 80, Green, "On_Data_Change", "N", 3631, edDataCheckBox),
    Col(3622, 60, Green, "On_Timer", "N", 3632, edDataCheckBox),
    Col(3623, 70, Green, "SendTimer", "", 3633),
    Col(3624, 115, clWhite, "Mnemonic", "", 3634),
};

constexpr TEditorTable Table(int Key_Col, int Error_Row, int Delete, std::span<const TEditorColumn> Columns)
{
    TEditorTable t{"sga",   nullptr, -1,        nullptr, 512,
                   Key_Col, false,   Error_Row, Delete,  TDeleteQuestion::Append_Number,
                   Columns};
    t.Key_Rule = TKeyRule::Raw;
    t.Any_Row_Name = true;
    t.Guarded_Delete = true;
    t.Row_Height = 21;
    return t;
}

const TEditorTable kReceive_Table[] = {Table(2, 3535, 3547, kReceive_Columns)};
const TEditorTable kTransmit_Table[] = {Table(3, 3635, 3643, kTransmit_Columns)};

} // namespace

const TEditorSpec Receive_Spec = {
    "FReceiveJ1939",
    876,
    337,
    3500,
    3501,
    {{3502, 3508, true},
     {3503, 3509, true},
     {3504, 3510, true},
     {3505, 3511, true},
     {3506, 3512, true},
     {3507, 3513, true}},
    {&File_J1939_Rec_Frames, "Receive_J1939", "SW_VERSION = 1.000"},
    kReceive_Table,
};

const TEditorSpec Transmit_Spec = {
    "FTransmitJ1939",
    800,
    337,
    3600,
    3601,
    {{3602, 3608, true},
     {3603, 3609, true},
     {3604, 3610, true},
     {3605, 3611, true},
     {3606, 3612, true},
     {3607, 3613, true}},
    {&File_J1939_Send_Frames, "Transmit_J1939", "SW_VERSION = 1.000"},
    kTransmit_Table,
};

TFrameCheck Check_Receive(const TFrameRows& Rows, int NUM_BYTE_IN)
{
    constexpr framerules::TSingleFrameTexts single = {3541, 3542, 3543, 3544};
    int total = 0;
    for (size_t i = 0; i < Rows.size(); ++i) {
        const QStringList& row = Rows[i];
        const int r = int(i) + 1;
        if (row.value(1).isEmpty())
            return TFrameFault{r, 3536};
        if (!In(row.value(2), 0, 0xFFFF))
            return TFrameFault{r, 3537};
        if (!In(row.value(3), 0, 239))
            return TFrameFault{r, 3538};
        const QString start = row.value(5), count = row.value(6);
        int block = framerules::Single_Frame_Block;
        if (Ticked(row.value(4))) {
            if (!In(start, 0, 1785))
                return TFrameFault{r, 3539};
            if (Num(count) < 0 || Num(start) + Num(count) > 1785)
                return TFrameFault{r, 3540};
            block = Num(count);
        } else if (TFrameCheck fault = framerules::Check_Single_Frame(r, start, count, single)) {
            return fault;
        }
        total += block;
        if (total > NUM_BYTE_IN)
            return TFrameFault{0, 3545, QString::number(NUM_BYTE_IN)};
        if (Ticked(row.value(8)) && !In(row.value(9), 0, 10000000))
            return TFrameFault{r, 3546};
    }
    return std::nullopt;
}

TFrameCheck Check_Transmit(const TFrameRows& Rows, int NUM_BYTE_OUT)
{
    int total = 0;
    for (size_t i = 0; i < Rows.size(); ++i) {
        const QStringList& row = Rows[i];
        const int r = int(i) + 1;
        if (!In(row.value(1), 0, 7))
            return TFrameFault{r, 3636};
        if (row.value(2).isEmpty())
            return TFrameFault{r, 3637};
        if (!In(row.value(3), 0, 0x1FFFF))
            return TFrameFault{r, 3638};
        if (!In(row.value(4), 0, 255))
            return TFrameFault{r, 3639};
        if (!In(row.value(5), 0, NUM_BYTE_OUT))
            return TFrameFault{r, 3640, QString::number(NUM_BYTE_OUT)};
        total += Num(row.value(5));
        if (total > NUM_BYTE_OUT)
            return TFrameFault{0, 3641, QString::number(NUM_BYTE_OUT)};
        if (Ticked(row.value(On_Timer_Col)) && !In(row.value(9), 1, 65535))
            return TFrameFault{r, 3642};
    }
    return std::nullopt;
}

void Read_Legacy_Send_Type(const QString& T_Type, QStringList& Texts)
{
    const QString mode = UpperCase(T_Type);
    for (int c : {On_Request_Col, On_Data_Change_Col, On_Timer_Col})
        Texts[c] = "N";
    if (mode == "ON DATA CHANGE")
        Texts[On_Data_Change_Col] = "Y";
    else if (mode == "ON TIMER")
        Texts[On_Timer_Col] = "Y";
}

} // namespace j1939frames
