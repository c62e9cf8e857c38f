#include "editors/fieldbus/UNMEA_Frames.h"

#include "app/UGlobals.h"

namespace nmeaframes
{

namespace
{

using framerules::In;
using framerules::Num;
using framerules::Ticked;

constexpr TColor Cyan = 0xFEFAE0, Yellow = 0xA8FFFF, Green = 0xCAFFCA, Pink = 0xF4D6FC;

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

const TEditorColumn kReceive_Columns[] = {
    Col(3914, 40, clWindow, nullptr, nullptr, -1),
    Col(3915, 80, Cyan, "PGN", "", 3923),
    Col(3916, 95, Cyan, "SA", "", 3924),
    Col(3917, 113, Yellow, "TP", "N", 3925, edDataCheckBox),
    Col(3918, 73, Yellow, "FP", "N", 3926, edDataCheckBox),
    Col(3919, 65, Green, "TP_Start", "", 3927),
    Col(3920, 50, Green, "TP_NByte", "", 3928),
    Col(3921, 74, Pink, "Delete", "N", 3929, edDataCheckBox),
    Col(3922, 195, clWhite, "Mnemonic", "", 3930),
};

const TEditorColumn kTransmit_Columns[] = {
    Col(4014, 40, clWindow, nullptr, nullptr, -1),
    Col(4015, 50, Cyan, "Priority", "", 4025),
    Col(4016, 75, Cyan, "PGN", "", 4026),
    Col(4017, 95, Cyan, "SA", "", 4027),
    Col(4018, 75, Pink, "FP", "N", 4028, edDataCheckBox),
    Col(4019, 60, Yellow, "TP_NByte", "", 4029),
    Col(4020, 55, Green, "On_Request", "N", 4030, edDataCheckBox),
    Col(4021, 80, Green, "On_Data_Change", "N", 4031, edDataCheckBox),
    Col(4022, 64, Green, "On_Timer", "N", 4032, edDataCheckBox),
    Col(4023, 75, Green, "SendTimer", "", 4033),
    Col(4024, 116, clWhite, "Mnemonic", "", 4034),
};

constexpr TEditorTable Table(int Key_Col, int Error_Row, int Delete, std::span<const TEditorColumn> Columns)
{
    TEditorTable t{"sga",   nullptr, -1,        nullptr, 62,
                   Key_Col, false,   Error_Row, Delete,  TDeleteQuestion::Append_Number,
                   Columns};
    t.Key_Rule = TKeyRule::Raw;
    t.Any_Row_Name = true;
    t.Guarded_Delete = true;
    t.Row_Height = 21;
    return t;
}

const TEditorTable kReceive_Table[] = {Table(1, 3931, 3943, kReceive_Columns)};
const TEditorTable kTransmit_Table[] = {Table(2, 4035, 4042, kTransmit_Columns)};

} // namespace

const TEditorSpec Receive_Spec = {
    "FReceiveNMEA",
    810,
    337,
    3900,
    3901,
    {{3902, 3908, true},
     {3903, 3909, true},
     {3904, 3910, true},
     {3905, 3911, true},
     {3906, 3912, true},
     {3907, 3913, true}},
    {&File_NMEA_Rec_Frames, "Receive_NMEA_2000", "SW_VERSION = 1.001"},
    kReceive_Table,
};

// The transmit file's root bears the receive file's name; files written so far have it.
const TEditorSpec Transmit_Spec = {
    "FTransmitNMEA",
    810,
    337,
    4000,
    4001,
    {{4002, 4008, true},
     {4003, 4009, true},
     {4004, 4010, true},
     {4005, 4011, true},
     {4006, 4012, true},
     {4007, 4013, true}},
    {&File_NMEA_Send_Frames, "Receive_NMEA_2000", "SW_VERSION = 1.001"},
    kTransmit_Table,
};

TFrameCheck Check_Receive(const TFrameRows& Rows, int NUM_BYTE_IN)
{
    constexpr framerules::TSingleFrameTexts single = {3938, 3939, 3940, 3941};
    int total = 0;
    for (size_t i = 0; i < Rows.size(); ++i) {
        const QStringList& row = Rows[i];
        const int r = int(i) + 1;
        if (!In(row.value(1), 0, 0x1FFFF))
            return TFrameFault{r, 3932};
        if (!In(row.value(2), 0, 239))
            return TFrameFault{r, 3933};
        const QString start = row.value(5), count = row.value(6);
        int block = framerules::Single_Frame_Block;
        const bool tp = Ticked(row.value(3)), fp = Ticked(row.value(4));
        if (tp || fp) {
            // With both ticked the transport protocol's limits apply.
            const int limit = tp ? 1785 : 223;
            if (!In(start, 0, limit))
                return TFrameFault{r, tp ? 3934 : 3936};
            if (Num(count) < 0 || Num(start) + Num(count) > limit)
                return TFrameFault{r, tp ? 3935 : 3937};
            block = Num(count);
        } else if (TFrameCheck fault = framerules::Check_Single_Frame(r, start, count, single)) {
            return fault;
        }
        total += block;
        if (total > NUM_BYTE_IN)
            return TFrameFault{0, 3942, QString::number(NUM_BYTE_IN)};
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
            return TFrameFault{r, 4036};
        if (!In(row.value(2), 0, 0x1FFFF))
            return TFrameFault{r, 4037};
        if (!In(row.value(3), 0, 239))
            return TFrameFault{r, 4038};
        if (!In(row.value(5), 0, NUM_BYTE_OUT))
            return TFrameFault{r, 4039, QString::number(NUM_BYTE_OUT)};
        total += Num(row.value(5));
        if (total > NUM_BYTE_OUT)
            return TFrameFault{0, 4040, QString::number(NUM_BYTE_OUT)};
        if (Ticked(row.value(8)) && !In(row.value(9), 1, 65535))
            return TFrameFault{r, 4041};
    }
    return std::nullopt;
}

} // namespace nmeaframes
