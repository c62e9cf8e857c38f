#include "editors/fieldbus/UCAN_Frames.h"

#include "app/UGlobals.h"
#include "platform/core/SysUtils.h"

namespace canframes
{

namespace
{

using framerules::In;

constexpr TColor Cyan = 0xFEFAE0, Orange = 0xB0D8FF, Green = 0xA8FFA8, Pink = 0xF4D6FC;
constexpr const char* Tahoma = "Tahoma";
const char* const kTypes[] = {"2.0A (11 bits)", "2.0B (29 bits)"};

constexpr TEditorColumn Col(int Header, int Width, TColor Color, const char* Attribute, const char* Missing,
                            int Hint, TEditorType Editor = edNormal, const char* Font = nullptr)
{
    TEditorColumn c;
    c.Header = Header;
    c.Editor = Editor;
    c.Width = Width;
    c.Color = Color;
    c.Attribute = Attribute;
    c.Missing = Missing;
    c.Hint = Hint;
    c.Font = Font;
    return c;
}

constexpr TEditorColumn Number_Col(int Header)
{
    TEditorColumn c = Col(Header, 40, clWindow, nullptr, nullptr, -1, edNormal, Tahoma);
    return c;
}

constexpr TEditorColumn Enable_Col(int Header, int Hint)
{
    TEditorColumn c = Col(Header, 50, Orange, "Enable", "Y", Hint, edDataCheckBox);
    c.New_Text = "Y";
    return c;
}

constexpr TEditorColumn Type_Col(int Header, int Hint, const char* Missing)
{
    TEditorColumn c = Col(Header, 90, Cyan, "CAN_Type", Missing, Hint, edComboList);
    c.Items = kTypes;
    return c;
}

// The byte lists are filled at every show (Byte_Items).
constexpr TEditorColumn Byte_Col(int k, int Header, int Hint)
{
    const char* names[] = {"Byte1", "Byte2", "Byte3", "Byte4", "Byte5", "Byte6", "Byte7", "Byte8"};
    return Col(Header, 48, Pink, names[k], "", Hint, edComboList);
}

// Time of a transmit row without one: "0" when the row, as read, sends on timer.
QString Time_When_Missing(const QStringList& Texts)
{
    return Texts.size() > 7 && Texts[7] == "Y" ? QStringLiteral("0") : QString();
}

const TEditorColumn kReceive_Columns[] = {
    Number_Col(2408),
    Enable_Col(2409, 2429),
    Col(2410, 90, Cyan, "COBID", "", 2430, edNormal, Tahoma),
    Type_Col(2411, 2431, ""),
    Col(2412, 70, Cyan, "Dim", "", 2432, edNormal, Tahoma),
    Col(2413, 75, Green, "TimeOut", "0", 2434),
    Byte_Col(0, 2414, 2435),
    Byte_Col(1, 2415, 2436),
    Byte_Col(2, 2416, 2437),
    Byte_Col(3, 2417, 2438),
    Byte_Col(4, 2418, 2439),
    Byte_Col(5, 2419, 2440),
    Byte_Col(6, 2420, 2441),
    Byte_Col(7, 2421, 2442),
    Col(2422, 185, clWhite, "Mnemonic", "", 2443),
};

constexpr TEditorColumn Time_Col()
{
    TEditorColumn c = Col(2515, 70, Green, "Time", nullptr, 2537);
    c.Missing_From_Row = Time_When_Missing;
    return c;
}

const TEditorColumn kTransmit_Columns[] = {
    Number_Col(2508),
    Enable_Col(2509, 2531),
    Col(2510, 90, Cyan, "COBID", "", 2532, edNormal, Tahoma),
    Type_Col(2511, 2533, Type_11),
    Col(2512, 70, Cyan, "Dim", "", 2534, edNormal, Tahoma),
    Col(2513, 65, Green, "OnChange", "Y", 2535, edDataCheckBox),
    Col(2562, 50, Green, "OnCMD", "N", 2563, edDataCheckBox),
    Col(2514, 55, Green, "OnTimer", "N", 2536, edDataCheckBox),
    Time_Col(),
    Byte_Col(0, 2516, 2538),
    Byte_Col(1, 2517, 2539),
    Byte_Col(2, 2518, 2540),
    Byte_Col(3, 2519, 2541),
    Byte_Col(4, 2520, 2542),
    Byte_Col(5, 2521, 2543),
    Byte_Col(6, 2522, 2544),
    Byte_Col(7, 2523, 2545),
    Col(2524, 110, clWhite, "Mnemonic", "", 2546),
};

constexpr TEditorTable Table(const char* Grid, int Error_Row, int Delete,
                             std::span<const TEditorColumn> Columns)
{
    TEditorTable t{
        Grid, nullptr, -1, nullptr, 512, 2, true, Error_Row, Delete, TDeleteQuestion::Append_Number, Columns};
    t.Enable_Rule = TEnableRule::Trimmed_Upper;
    t.Any_Row_Name = true;
    t.Select_On_Click = false;
    t.Focus_On_Show = true;
    return t;
}

const TEditorTable kReceive_Table[] = {Table("ACG_CAN_Receive", 2444, 2458, kReceive_Columns)};
const TEditorTable kTransmit_Table[] = {Table("ACG_CAN_Transmit", 2547, 2561, kTransmit_Columns)};

// Texts and columns of one editor's check.
struct TCanCheck {
    int Time_Col;    // TimeOut or Time
    int OnTimer_Col; // -1: the time is always checked
    int First_Byte;
    int CobID_11, CobID_29, Dimension, Time;
    int Bytes[8];
    int Or_None;
};

const TCanCheck kReceive_Check = {
    5, -1, First_Byte_Rx, 2445, 2446, 2447, 2448, {2449, 2451, 2452, 2453, 2454, 2455, 2456, 2457}, 2450};
const TCanCheck kTransmit_Check = {
    8, 7, First_Byte_Tx, 2548, 2549, 2550, 2551, {2552, 2554, 2555, 2556, 2557, 2558, 2559, 2560}, 2553};

TFrameCheck Check(const TCanCheck& K, const TFrameRows& Rows, int MAX_Byte)
{
    for (size_t i = 0; i < Rows.size(); ++i) {
        const QStringList& row = Rows[i];
        const int r = int(i) + 1;
        if (!Enabled_By(TEnableRule::Trimmed_Upper, row.value(1)))
            continue;
        if (Trim(row.value(3)) == Type_11) {
            if (!In(row.value(2), 0, 2047))
                return TFrameFault{r, K.CobID_11};
        } else if (!In(row.value(2), 0, 0x1FFFFFFF)) {
            return TFrameFault{r, K.CobID_29};
        }
        if (!In(row.value(4), 1, 8))
            return TFrameFault{r, K.Dimension};
        const bool timed = K.OnTimer_Col < 0 || UpperCase(Trim(row.value(K.OnTimer_Col))) == "Y";
        if (timed && !In(row.value(K.Time_Col), 0, 100000000))
            return TFrameFault{r, K.Time};
        const int dim = framerules::Num(row.value(4));
        for (int k = 0; k < dim; ++k) {
            const QString cell = Trim(row.value(K.First_Byte + k));
            if (cell.isEmpty() || cell == "None")
                continue;
            if (!In(cell, 0, MAX_Byte - 1))
                return TFrameFault{r, K.Bytes[k], QString::number(MAX_Byte - 1), K.Or_None};
        }
    }
    return std::nullopt;
}

} // namespace

const TEditorSpec Receive_Spec = {
    "FReceiveCAN",
    1010,
    337,
    2400,
    2401,
    {{2402, 2423, true},
     {2403, 2424, true},
     {2404, 2425, true},
     {2405, 2426, true},
     {2406, 2427, true},
     {2407, 2428, true}},
    {&File_CAN_Rec_Frames, "Receive_Frames", "SW_VERSION = 1.001"},
    kReceive_Table,
};

const TEditorSpec Transmit_Spec = {
    "FTransmitCAN",
    1100,
    337,
    2500,
    2501,
    {{2502, 2525, true},
     {2503, 2526, true},
     {2504, 2527, true},
     {2505, 2528, true},
     {2506, 2529, true},
     {2507, 2530, true}},
    {&File_CAN_Send_Frames, "Transmit_Frames", "SW_VERSION = 1.001"},
    kTransmit_Table,
};

TFrameCheck Check_Receive(const TFrameRows& Rows, int MAX_Byte)
{
    return Check(kReceive_Check, Rows, MAX_Byte);
}

TFrameCheck Check_Transmit(const TFrameRows& Rows, int MAX_Byte)
{
    return Check(kTransmit_Check, Rows, MAX_Byte);
}

QStringList Byte_Items(int MAX_Byte)
{
    QStringList items;
    items.reserve(MAX_Byte + 1);
    items << "None";
    for (int i = 0; i < MAX_Byte; ++i)
        items << QString::number(i);
    return items;
}

} // namespace canframes
