#include "editors/canopen/UCANopen_Tables.h"

#include "app/UGlobals.h"
#include "app/ULang.h"
#include "grid/core/ExtCGrid.h"
#include "platform/controls/Interaction.h"

#include <array>

namespace canopen
{

namespace
{

using framerules::In;
using framerules::Num;

constexpr TColor Cyan = 0xFEFAE0, Pink = 0xF4D6FC, Green = 0xA8FFA8, Yellow = 0xA8FFFF;
constexpr int Row_Height = 21;
constexpr const char* Version = "SW_VERSION = 1.005";

constexpr TEditorColumn Col(int Header, int Width, TColor Color, const char* Attribute, int Hint)
{
    TEditorColumn c;
    c.Header = Header;
    c.Width = Width;
    c.Color = Color;
    c.Attribute = Attribute;
    c.Hint = Hint;
    return c;
}

constexpr TEditorColumn Number_Col(int Header)
{
    return Col(Header, 40, clWindow, nullptr, -1);
}

// "Y" when ticked, "N" when unticked, "" until the first tick.
constexpr TEditorColumn Check_Col(int Header, int Hint, const char* Attribute)
{
    TEditorColumn c = Col(Header, 68, Green, Attribute, Hint);
    c.Editor = edDataCheckBox;
    c.Alignment = taCenter;
    return c;
}

constexpr const char* Address_Names[] = {"Address_B1", "Address_B2", "Address_B3", "Address_B4",
                                         "Address_B5", "Address_B6", "Address_B7", "Address_B8"};

constexpr TEditorColumn Address_Col(int k, int Header, int Width, int Hint)
{
    return Col(Header + k, Width, Pink, Address_Names[k], Hint + k);
}

constexpr TEditorTable Table(const char* Grid, const char* Tab, int Tab_Caption, const char* Section,
                             int Rows, int Error_Row, int Delete, std::span<const TEditorColumn> Columns)
{
    TEditorTable t{Grid,   Tab,   Tab_Caption, Section, Rows,
                   1,      false, Error_Row,   Delete,  TDeleteQuestion::Append_Number,
                   Columns};
    // Every element child of a section is a row, as the EDS writer reads them.
    t.Any_Row_Name = true;
    t.Row_Height = Row_Height;
    return t;
}

constexpr TEditorButtonText Button(int Caption, int Hint)
{
    return {Caption, Hint, true};
}

// ---- PDO ---------------------------------------------------------------------------------------------

const TEditorColumn kPDO_Receive[] = {
    Number_Col(2616),
    Col(2617, 65, Cyan, "COB-ID", 2643),
    Col(2618, 65, Cyan, "Dimension", 2644),
    Address_Col(0, 2619, 45, 2645),
    Address_Col(1, 2619, 45, 2645),
    Address_Col(2, 2619, 45, 2645),
    Address_Col(3, 2619, 45, 2645),
    Address_Col(4, 2619, 45, 2645),
    Address_Col(5, 2619, 45, 2645),
    Address_Col(6, 2619, 45, 2645),
    Address_Col(7, 2619, 45, 2645),
    Col(2627, 65, Green, "TimeOut", 2653),
    Col(2628, 173, clWhite, "Mnemonic", 2654),
};

const TEditorColumn kPDO_Transmit[] = {
    Number_Col(2629),
    Col(2630, 65, Cyan, "COB-ID", 2655),
    Col(2631, 65, Cyan, "Dimension", 2656),
    Address_Col(0, 2632, 45, 2657),
    Address_Col(1, 2632, 45, 2657),
    Address_Col(2, 2632, 45, 2657),
    Address_Col(3, 2632, 45, 2657),
    Address_Col(4, 2632, 45, 2657),
    Address_Col(5, 2632, 45, 2657),
    Address_Col(6, 2632, 45, 2657),
    Address_Col(7, 2632, 45, 2657),
    Col(2640, 65, Green, "Send_Time", 2665),
    Check_Col(2641, 2666, "On_Change"),
    Col(2642, 105, clWhite, "Mnemonic", 2667),
};

const TEditorTable kPDO_Tables[] = {
    Table("sga", "TS_Receive_PDO", 2614, "Receive_PDO", 30, 2668, 2691, kPDO_Receive),
    Table("sgb", "TS_Transmit_PDO", 2615, "Transmit_PDO", 30, 2668, 2691, kPDO_Transmit),
};

const TCheckStep kPDO_Receive_Check[] = {
    {TStep::Range, 1, 2669, 0, 0x7FF},
    {TStep::Range, 2, 2670, 1, 8},
    {TStep::Addresses, 3, 2671, 0, 0, 2},
    {TStep::Range, 11, 2679, 0, 65535},
};

const TCheckStep kPDO_Transmit_Check[] = {
    {TStep::Range, 1, 2680, 0, 0x7FF},
    {TStep::Range, 2, 2681, 1, 8},
    {TStep::Addresses, 3, 2682, 0, 0, 2},
    {TStep::Range, 11, 2690, 0, 100000000},
};

// ---- SDO client --------------------------------------------------------------------------------------

const TEditorColumn kSDO_Client_Read[] = {
    Number_Col(2716),
    Col(2717, 60, Cyan, "Device_ID", 2739),
    Col(2718, 55, Cyan, "Index", 2740),
    Col(2719, 60, Cyan, "SubIndex", 2741),
    Col(2720, 45, Cyan, "NByte", 2742),
    Col(2721, 60, Green, "Poll_Time", 2743),
    Address_Col(0, 2722, 70, 2744),
    Address_Col(1, 2722, 70, 2744),
    Address_Col(2, 2722, 70, 2744),
    Address_Col(3, 2722, 70, 2744),
    // The TimeOut column came after the others: its texts stand after the block's.
    Col(2780, 65, Yellow, "TimeOut", 2781),
    Col(2726, 163, clWhite, "Mnemonic", 2748),
};

const TEditorColumn kSDO_Client_Write[] = {
    Number_Col(2727),
    Col(2728, 60, Cyan, "Device_ID", 2749),
    Col(2729, 55, Cyan, "Index", 2750),
    Col(2730, 60, Cyan, "SubIndex", 2751),
    Col(2731, 45, Cyan, "NByte", 2752),
    Col(2732, 60, Green, "Poll_Time", 2753),
    Check_Col(2733, 2754, "On_Change"),
    Address_Col(0, 2734, 70, 2755),
    Address_Col(1, 2734, 70, 2755),
    Address_Col(2, 2734, 70, 2755),
    Address_Col(3, 2734, 70, 2755),
    Col(2738, 160, clWhite, "Mnemonic", 2759),
};

const TEditorTable kSDO_Client_Tables[] = {
    Table("sga", "TS_SDO_Read", 2714, "SDO_Read", 256, 2760, 2779, kSDO_Client_Read),
    Table("sgb", "TS_SDO_Write", 2715, "SDO_Write", 256, 2760, 2779, kSDO_Client_Write),
};

const TCheckStep kSDO_Client_Read_Check[] = {
    {TStep::Range, 1, 2761, 1, 127},       {TStep::Range, 2, 2762, 0x1000, 0xFFFF},
    {TStep::Range, 3, 2763, 0, 255},       {TStep::Size_124, 4, 2764},
    {TStep::Range, 5, 2765, 1, 100000000}, {TStep::Addresses, 6, 2766, 0, 0, 4},
    {TStep::Range, 10, 2782, 0, 65535},
};

const TCheckStep kSDO_Client_Write_Check[] = {
    {TStep::Range, 1, 2770, 1, 127},       {TStep::Range, 2, 2771, 0x1000, 0xFFFF},
    {TStep::Range, 3, 2772, 0, 255},       {TStep::Size_124, 4, 2773},
    {TStep::Range, 5, 2774, 0, 100000000}, {TStep::Addresses, 7, 2775, 0, 0, 4},
};

// ---- SDO server --------------------------------------------------------------------------------------

// Read and write tables have the same columns; their texts start at Header and Hint.
constexpr std::array<TEditorColumn, 9> Server_Columns(int Header, int Hint)
{
    return {Number_Col(Header),
            Col(Header + 1, 65, Cyan, "Index", Hint),
            Col(Header + 2, 61, Cyan, "SubIndex", Hint + 1),
            Col(Header + 3, 55, Cyan, "NByte", Hint + 2),
            Address_Col(0, Header + 4, 80, Hint + 3),
            Address_Col(1, Header + 4, 80, Hint + 3),
            Address_Col(2, Header + 4, 80, Hint + 3),
            Address_Col(3, Header + 4, 80, Hint + 3),
            Col(Header + 8, 170, clWhite, "Mnemonic", Hint + 7)};
}

constexpr std::array<TEditorColumn, 9> kSDO_Server_Read = Server_Columns(2816, 2834);
constexpr std::array<TEditorColumn, 9> kSDO_Server_Write = Server_Columns(2825, 2842);

const TEditorTable kSDO_Server_Tables[] = {
    Table("sga", "TS_SDO_Read", 2814, "SDO_Read", 500, 2850, 2865, kSDO_Server_Read),
    Table("sgb", "TS_SDO_Write", 2815, "SDO_Write", 500, 2850, 2865, kSDO_Server_Write),
};

const TCheckStep kSDO_Server_Read_Check[] = {
    {TStep::Range, 1, 2851, 0x2000, 0x5FFF},
    {TStep::Range, 2, 2852, 0, 255},
    {TStep::Size_124, 3, 2853},
    {TStep::Addresses, 4, 2854, 0, 0, 3},
};

const TCheckStep kSDO_Server_Write_Check[] = {
    {TStep::Range, 1, 2858, 0x2000, 0x5FFF},
    {TStep::Range, 2, 2859, 0, 255},
    {TStep::Size_124, 3, 2860},
    {TStep::Addresses, 4, 2861, 0, 0, 3},
};

TFrameCheck Check_Row(std::span<const TCheckStep> Steps, const QStringList& Row, int r, int Image_Size)
{
    for (const TCheckStep& s : Steps) {
        switch (s.Kind) {
        case TStep::Range:
            if (!In(Row.value(s.Col), s.Lo, s.Hi))
                return TFrameFault{r, s.Text};
            break;
        case TStep::Size_124: {
            const int n = Num(Row.value(s.Col));
            if (n != 1 && n != 2 && n != 4)
                return TFrameFault{r, s.Text};
            break;
        }
        case TStep::Addresses: {
            const int n = Num(Row.value(s.Count_Col));
            for (int k = 0; k < n; ++k)
                if (!In(Row.value(s.Col + k), 0, Image_Size - 1))
                    return TFrameFault{r, s.Text + k, QString::number(Image_Size - 1)};
            break;
        }
        }
    }
    return std::nullopt;
}

} // namespace

TFrameCheck Check_Rows(std::span<const TCheckStep> Steps, const TFrameRows& Rows, int Image_Size)
{
    for (size_t i = 0; i < Rows.size(); ++i)
        if (TFrameCheck fault = Check_Row(Steps, Rows[i], int(i) + 1, Image_Size))
            return fault;
    return std::nullopt;
}

const TEditorSpec PDO_Spec = {
    "FSet_PDO_Access",
    798,
    337,
    2600,
    2601,
    {Button(2602, 2608), Button(2603, 2609), Button(2604, 2610), Button(2605, 2611), Button(2606, 2612),
     Button(2607, 2613)},
    {&File_PDO_CANopen, "PDO_CANopen", Version},
    kPDO_Tables,
};

const TEditorSpec SDO_Client_Spec = {
    "FSet_SDO_Client_Access",
    863,
    337,
    2700,
    2701,
    {Button(2702, 2708), Button(2703, 2709), Button(2704, 2710), Button(2705, 2711), Button(2706, 2712),
     Button(2707, 2713)},
    {&File_SDO_Client_CANopen, "SDO_Client_CANopen", Version},
    kSDO_Client_Tables,
};

const TEditorSpec SDO_Server_Spec = {
    "FSet_SDO_Server_Access",
    749,
    337,
    2800,
    2801,
    {Button(2802, 2808), Button(2803, 2809), Button(2804, 2810), Button(2805, 2811), Button(2806, 2812),
     Button(2807, 2813)},
    {&File_SDO_Server_CANopen, "SDO_Server_CANopen", Version},
    kSDO_Server_Tables,
};

const TCANopenChecks PDO_Checks = {kPDO_Receive_Check, kPDO_Transmit_Check};
const TCANopenChecks SDO_Client_Checks = {kSDO_Client_Read_Check, kSDO_Client_Write_Check};
const TCANopenChecks SDO_Server_Checks = {kSDO_Server_Read_Check, kSDO_Server_Write_Check};

} // namespace canopen

// ---- Rows ------------------------------------------------------------------------------------------------

void Delete_Row(int ARow, TExtColumnGrid* Grid)
{
    if (ARow < 1)
        return;
    const int C = Grid->ColCount();
    const int R = Grid->RowCount();
    for (int r = ARow; r <= R - 2; ++r)
        for (int c = 1; c < C; ++c)
            Grid->SetCells(c, r, Grid->Cells(c, r + 1));
    for (int c = 1; c < C; ++c)
        Grid->SetCells(c, R - 1, QString());
}

// ---- The editors' frame ----------------------------------------------------------------------------------

TCANopenEditor::TCANopenEditor(TComponent* AOwner, const TEditorSpec& Spec,
                               const canopen::TCANopenChecks& Checks)
    : TTableEditor(AOwner, Spec), FChecks(Checks)
{
    sga = Table(0).Grid;
    sgb = Table(1).Grid;
}

void TCANopenEditor::Fill_Lists()
{
    PROFINET_NByte_IN = canopen::Image_Bytes;
    PROFINET_NByte_OUT = canopen::Image_Bytes;
}

bool TCANopenEditor::Controllo_dati()
{
    const std::pair<std::span<const canopen::TCheckStep>, int32_t> tables[] = {
        {FChecks.First, PROFINET_NByte_IN},
        {FChecks.Second, PROFINET_NByte_OUT},
    };
    for (int t = 0; t < 2; ++t) {
        const TFrameCheck fault =
            canopen::Check_Rows(tables[t].first, Used_Row_Texts(*this, t), tables[t].second);
        if (fault) {
            Show_Frame_Fault(*this, t, *fault);
            return false;
        }
    }
    return true;
}

void TCANopenEditor::Btn_DelRowClick(TObject*)
{
    TTableView& t = Active_Table();
    End_Cell_Edit(t.Grid);
    const int row = t.Grid->Row();
    if (MessageDlg(Lang_Text(t.Spec->Delete_Text) + QString::number(row), mtConfirmation, mbYesNo) != mrYes)
        return;
    Delete_Row(row, t.Grid);
}
