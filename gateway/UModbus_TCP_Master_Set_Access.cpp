#include "gateway/UModbus_TCP_Master_Set_Access.h"

#include "app/UGlobals.h"
#include "app/ULang.h"
#include "grid/core/ExtCGrid.h"

TFModbus_TCP_Master_Set_Access* FModbus_TCP_Master_Set_Access = nullptr;

namespace
{

constexpr int Topic_Col = 12 + setaccess::Tcp_Offset;

namespace txt
{
constexpr int Caption = 1800, Desc = 1801;
constexpr int Read_Tab = 1806, Write_Tab = 1807;
constexpr int Error_Row = 1838, Delete_Question = 1861;
// The read hints a show leaves: those of the columns without Topic.
constexpr int Shown_Read_Hints[] = {1869, 1870, 1871, 1872, 1873, 1874, 1875,
                                    1876, 1877, 1878, 1879, 1880, 1902, 1882};
} // namespace txt

constexpr setaccess::TRequestTexts kRead_Texts = {1839, 1840, 1841, 1842, 1843, 1844,
                                                  1899, 1846, 1847, 1848, 1849, 1898};
constexpr setaccess::TRequestTexts kWrite_Texts = {1850, 1851, 1852, 1853, 1854, 1855,
                                                   1856, 1857, 1858, 1859, 1860, -1};

using namespace setaccess;

const TEditorColumn kRead_Columns[] = {
    Text_Column({1808, 40, clWindow, nullptr, -1}),
    Check_Column({1809, 50, Check_Color, "Enable", 1869}, "Y", true, "Y"),
    Text_Column({1810, 101, Slave_Color, "IP_Address", 1870}),
    Text_Column({1811, 45, Slave_Color, "Port", 1871}),
    Text_Column({1812, 55, Slave_Color, "Slave_ID", 1872}),
    List_Column({1813, 100, Slave_Color, "Type", 1873}, Read_Types),
    Text_Column({1814, 55, Slave_Color, "Address", 1874}),
    Text_Column({1815, 45, Slave_Color, "NPoint", 1875}),
    Text_Column({1816, 60, Time_Color, "PollTime", 1876}),
    Text_Column({1817, 64, Time_Color, "MaxError", 1877}),
    List_Column({1818, 60, Array_Color, "Position", 1878}),
    List_Column({1819, 60, Array_Color, "Bit", 1879}, Start_Bits),
    Check_Column({1820, 40, Swap_Color, "Swap", 1880}, "N"),
    Check_Column({1900, 80, Swap_Color, "SwapWord", 1902}, "N"),
    List_Column({1862, 120, Topic_Color, "Index_Topic", 1881}, {}, true, ""),
    Text_Column({1821, 140, clWhite, "Mnemonic", 1882}),
};
const TEditorColumn kWrite_Columns[] = {
    Text_Column({1822, 40, clWindow, nullptr, -1}),
    Check_Column({1823, 50, Check_Color, "Enable", 1883}, "Y", true, "Y"),
    Text_Column({1824, 101, Slave_Color, "IP_Address", 1884}),
    Text_Column({1825, 45, Slave_Color, "Port", 1885}),
    Text_Column({1826, 55, Slave_Color, "Slave_ID", 1886}),
    List_Column({1827, 100, Slave_Color, "Type", 1887}, Write_Types),
    Text_Column({1828, 55, Slave_Color, "Address", 1888}),
    Text_Column({1829, 45, Slave_Color, "NPoint", 1889}),
    Text_Column({1830, 60, Time_Color, "PollTime", 1890}),
    Check_Column({1831, 66, Time_Color, "OnChange", 1891}, nullptr, false),
    Check_Column({1832, 56, Time_Color, "OnCMD", 1892}, "N", false),
    Text_Column({1833, 62, Time_Color, "MaxError", 1893}),
    List_Column({1834, 55, Array_Color, "Position", 1894}),
    List_Column({1835, 55, Array_Color, "Bit", 1895}, Start_Bits),
    Check_Column({1836, 40, Swap_Color, "Swap", 1896}, "N"),
    Check_Column({1901, 80, Swap_Color, "SwapWord", 1903}, "N"),
    Text_Column({1837, 150, clWhite, "Mnemonic", 1897}),
};

const TEditorTable kTables[] = {
    {"ACG_Modbus_Read", "TS_Modbus_Read", txt::Read_Tab, "Modbus_Read", setaccess::Data_Rows, 2, true,
     txt::Error_Row, txt::Delete_Question, TDeleteQuestion::Append_Number, kRead_Columns},
    {"ACG_Modbus_Write", "TS_Modbus_Write", txt::Write_Tab, "Modbus_Write", setaccess::Data_Rows, 2, true,
     txt::Error_Row, txt::Delete_Question, TDeleteQuestion::Append_Number, kWrite_Columns},
};

const TEditorSpec kSpec = {
    "FModbus_TCP_Master_Set_Access",
    1150,
    337,
    txt::Caption,
    txt::Desc,
    // Copy Row and Paste Row keep fixed captions.
    {{1802, 1863, true},
     {1803, 1864, true},
     {1804, 1865, true},
     {1805, 1866, true},
     {-1, 1867, true, "Copy Row"},
     {-1, 1868, true, "Paste Row"}},
    {&File_ModbusTCPM_SetAccess, "PROFINET_Master_to_Modbus_TCP_Master", "SW_VERSION = 1.001"},
    kTables,
};

} // namespace

TFModbus_TCP_Master_Set_Access::TFModbus_TCP_Master_Set_Access(TComponent* AOwner)
    : TRequestEditor(AOwner, kSpec, setaccess::Tcp_Offset, kRead_Texts, kWrite_Texts)
{
    // The read table neither moves on with Enter nor shows header hints.
    ACG_Modbus_Read->OnKeyPress = nullptr;
    ACG_Modbus_Read->OnGridHint = nullptr;
    ACG_Modbus_Write->OnGridHint = [this](TObject* Sender, int ARow, int ACol, QString& hint) {
        ACG_Modbus_WriteGridHint(Sender, ARow, ACol, hint);
    };
    FormCreate();
}

TFModbus_TCP_Master_Set_Access::~TFModbus_TCP_Master_Set_Access()
{
    if (FModbus_TCP_Master_Set_Access == this)
        FModbus_TCP_Master_Set_Access = nullptr;
}

void TFModbus_TCP_Master_Set_Access::ACG_Modbus_WriteGridHint(TObject*, int ARow, int ACol, QString& hintstr)
{
    const QStringList& hints = Hint_Modbus_Set_Access_Write();
    if (ARow == 0 && ACol > 0 && ACol - 1 < hints.size())
        hintstr = hints[ACol - 1];
}

void TFModbus_TCP_Master_Set_Access::Fill_Lists()
{
    TRequestEditor::Fill_Lists();
    QStringList& hints = Hint_Modbus_Set_Access_Read();
    hints.clear();
    for (int n : txt::Shown_Read_Hints)
        hints << Lang_Text(n);
}

QString TFModbus_TCP_Master_Set_Access::Saved_Text(TTableView& T, int ACol, int ARow)
{
    if (&T == &Table(0) && ACol == Topic_Col)
        return QString::number(Get_Index_From_Topic(ACG_Modbus_Read->Cells(Topic_Col, ARow)));
    return TRequestEditor::Saved_Text(T, ACol, ARow);
}
