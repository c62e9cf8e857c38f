#include "gateway/USetAccess.h"

#include "app/UGlobals.h"
#include "grid/core/ExtCGrid.h"

#include <algorithm>

TFSetAccess* FSetAccess = nullptr;

namespace
{

constexpr int Topic_Col = 12;

namespace txt
{
constexpr int Caption = 1700, Desc = 1701;
constexpr int Read_Tab = 1714, Write_Tab = 1715;
constexpr int Error_Row = 1768, Delete_Question = 1788;
} // namespace txt

constexpr setaccess::TRequestTexts kRead_Texts = {-1,   -1,   1769, 1770, 1771, 1772,
                                                  1773, 1774, 1775, 1776, 1777, 1778};
constexpr setaccess::TRequestTexts kWrite_Texts = {-1,   -1,   1779, 1780, 1781, 1782,
                                                   1783, 1784, 1785, 1786, 1787, -1};

using namespace setaccess;

const TEditorColumn kRead_Columns[] = {
    Text_Column({1716, 40, clWindow, nullptr, -1}),
    Check_Column({1717, 50, Check_Color, "Enable", 1743}, "Y", true, "Y"),
    Text_Column({1718, 60, Slave_Color, "Slave_ID", 1744}),
    List_Column({1719, 115, Slave_Color, "Type", 1745}, Read_Types),
    Text_Column({1720, 60, Slave_Color, "Address", 1746}),
    Text_Column({1721, 64, Slave_Color, "NPoint", 1747}),
    Text_Column({1722, 64, Time_Color, "PollTime", 1748}),
    Text_Column({1723, 64, Time_Color, "MaxError", 1749}),
    List_Column({1724, 61, Array_Color, "Position", 1750}),
    List_Column({1725, 64, Array_Color, "Bit", 1751}, Start_Bits),
    Check_Column({1726, 40, Swap_Color, "Swap", 1752}, "N"),
    Check_Column({1790, 80, Swap_Color, "SwapWord", 1792}, "N"),
    List_Column({1742, 120, Topic_Color, "Index_Topic", 1753}, {}, true, ""),
    Text_Column({1727, 120, clWhite, "Mnemonic", 1754}),
};
const TEditorColumn kWrite_Columns[] = {
    Text_Column({1728, 40, clWindow, nullptr, -1}),
    Check_Column({1729, 50, Check_Color, "Enable", 1755}, "Y", true, "Y"),
    Text_Column({1730, 60, Slave_Color, "Slave_ID", 1756}),
    List_Column({1731, 115, Slave_Color, "Type", 1757}, Write_Types),
    Text_Column({1732, 60, Slave_Color, "Address", 1758}),
    Text_Column({1733, 64, Slave_Color, "NPoint", 1759}),
    Text_Column({1734, 64, Time_Color, "PollTime", 1760}),
    Check_Column({1735, 68, Time_Color, "OnChange", 1761}, nullptr, false),
    Check_Column({1736, 56, Time_Color, "OnCMD", 1762}, "N", false),
    Text_Column({1737, 64, Time_Color, "MaxError", 1763}),
    List_Column({1738, 64, Array_Color, "Position", 1764}),
    List_Column({1739, 64, Array_Color, "Bit", 1765}, Start_Bits),
    Check_Column({1740, 40, Swap_Color, "Swap", 1766}, "N"),
    Check_Column({1791, 80, Swap_Color, "SwapWord", 1793}, "N"),
    Text_Column({1741, 113, clWhite, "Mnemonic", 1767}),
};

const TEditorTable kTables[] = {
    {"ACG_Modbus_Read", "TS_Modbus_Read", txt::Read_Tab, "Modbus_Read", setaccess::Data_Rows, 2, true,
     txt::Error_Row, txt::Delete_Question, TDeleteQuestion::Append_Number, kRead_Columns},
    {"ACG_Modbus_Write", "TS_Modbus_Write", txt::Write_Tab, "Modbus_Write", setaccess::Data_Rows, 2, true,
     txt::Error_Row, txt::Delete_Question, TDeleteQuestion::Append_Number, kWrite_Columns},
};

const TEditorSpec kSpec = {
    "FSetAccess",
    1040,
    337,
    txt::Caption,
    txt::Desc,
    {{1702, 1708, true},
     {1703, 1709, true},
     {1704, 1710, true},
     {1705, 1711, true},
     {1706, 1712, true},
     {1707, 1713, true}},
    {&File_ModbusM_SetAccess, "EtherNetIP_to_Modbus", "SW_VERSION = 1.001"},
    kTables,
};

} // namespace

TFSetAccess::TFSetAccess(TComponent* AOwner)
    : TRequestEditor(AOwner, kSpec, 0, kRead_Texts, kWrite_Texts),
      ComboItem_Topic(size_t(setaccess::Data_Rows), -1)
{
    Btn_OK->OnClick = [this](TObject* Sender) { bitbtn1Click(Sender); };
    for (TExtColumnGrid* g : {ACG_Modbus_Read, ACG_Modbus_Write})
        g->OnGridHint = [this](TObject* Sender, int ARow, int ACol, QString& hint) {
            ACG_Modbus_ReadGridHint(Sender, ARow, ACol, hint);
        };
    ACG_Modbus_Read->OnComboChange = [this](TObject* Sender, int ACol, int ARow, int AItemIndex,
                                            const QString& ASelection) {
        ComboChange(Sender, ACol, ARow, AItemIndex, ASelection);
    };
    FormCreate();
}

TFSetAccess::~TFSetAccess()
{
    if (FSetAccess == this)
        FSetAccess = nullptr;
}

void TFSetAccess::bitbtn1Click(TObject* Sender)
{
    TTableEditor::Btn_OKClick(Sender);
}

int TFSetAccess::Get_Index_From_Topic(const QString& Topic, int Remembered) const
{
    if (Remembered >= 0 && Remembered < List_Publish_Topic->Count() &&
        List_Publish_Topic->Strings(Remembered) == Topic)
        return Remembered;
    return Get_Index_From_Topic(Topic);
}

void TFSetAccess::ACG_Modbus_ReadGridHint(TObject* Sender, int ARow, int ACol, QString& hintstr)
{
    auto* grid = static_cast<TExtColumnGrid*>(Sender);
    const QStringList& hints =
        grid == ACG_Modbus_Read ? Hint_Modbus_Set_Access_Read() : Hint_Modbus_Set_Access_Write();
    const int c = grid->RealColIndex(ACol);
    if (ARow == 0 && c > 0 && c - 1 < hints.size())
        hintstr = hints[c - 1];
}

void TFSetAccess::ComboChange(TObject* Sender, int ACol, int ARow, int AItemIndex, const QString&)
{
    auto* grid = static_cast<TExtColumnGrid*>(Sender);
    if (grid->RealColIndex(ACol) == Topic_Col && ARow >= 1 && ARow <= int(ComboItem_Topic.size()))
        ComboItem_Topic[size_t(ARow - 1)] = AItemIndex;
}

void TFSetAccess::Fill_Lists()
{
    TRequestEditor::Fill_Lists();
    std::fill(ComboItem_Topic.begin(), ComboItem_Topic.end(), -1);
}

void TFSetAccess::Topic_Loaded(int ARow, int Index)
{
    if (ARow >= 1 && ARow <= int(ComboItem_Topic.size()))
        ComboItem_Topic[size_t(ARow - 1)] = Index;
}

QString TFSetAccess::Saved_Text(TTableView& T, int ACol, int ARow)
{
    if (&T != &Table(0) || ACol != Topic_Col)
        return TRequestEditor::Saved_Text(T, ACol, ARow);
    // No index while the column is hidden: the gateway then publishes no topic.
    if (ACG_Modbus_Read->IsHiddenColumn(Topic_Col))
        return QString();
    return QString::number(
        Get_Index_From_Topic(ACG_Modbus_Read->Cells(Topic_Col, ARow), ComboItem_Topic[size_t(ARow - 1)]));
}
