#include "gateway/UEtherCATSlave_Group.h"

#include "app/UGlobals.h"
#include "app/ULang.h"
#include "grid/core/ExtCGrid.h"
#include "platform/controls/Interaction.h"

TFEtherCATSlave_Group* FEtherCATSlave_Group = nullptr;

namespace
{

constexpr int Max_Variables = 256;
constexpr int Num_Variables_Col = 2;

namespace txt
{
constexpr int Caption = 5300, Desc = 5301;
constexpr int Error_Row = 5325, Delete_Question = 5322;
constexpr int StoM_Tab = 5314, MtoS_Tab = 5315;
constexpr int StoM_Row_Fault = 5326, StoM_Total_Fault = 5327;
constexpr int MtoS_Row_Fault = 5328, MtoS_Total_Fault = 5329;
} // namespace txt

constexpr TColor Name_Color = 0xFEFAE0;  // light cyan
constexpr TColor Count_Color = 0xA8FFA8; // light green

// The same columns in both tables but for the header texts.
constexpr TEditorColumn Column(int Header, int Width, TColor Color, const char* Attribute,
                               const char* Missing = nullptr)
{
    TEditorColumn c;
    c.Header = Header;
    c.Width = Width;
    c.Color = Color;
    c.Attribute = Attribute;
    c.Missing = Missing;
    return c;
}

const TEditorColumn kStoM_Columns[] = {
    Column(5316, 40, clWindow, nullptr),
    Column(5317, 300, Name_Color, "Group_Name"),
    Column(5323, 100, Count_Color, "Num_Variables", ""),
    Column(5318, 300, clWindow, "Mnemonic"),
};
const TEditorColumn kMtoS_Columns[] = {
    Column(5319, 40, clWindow, nullptr),
    Column(5320, 300, Name_Color, "Group_Name"),
    Column(5324, 100, Count_Color, "Num_Variables", ""),
    Column(5321, 300, clWindow, "Mnemonic"),
};

const TEditorTable kTables[] = {
    {"ACG_Group_StoM", "TS_SlaveToMaster", txt::StoM_Tab, "Slave_to_Master", 16, 1, false, txt::Error_Row,
     txt::Delete_Question, TDeleteQuestion::Replace_Placeholder, kStoM_Columns},
    {"ACG_Group_MtoS", "TS_MasterToSlave", txt::MtoS_Tab, "Master_to_Slave", 16, 1, false, txt::Error_Row,
     txt::Delete_Question, TDeleteQuestion::Replace_Placeholder, kMtoS_Columns},
};

const TEditorSpec kSpec = {
    "FEtherCATSlave_Group",
    800,
    337,
    txt::Caption,
    txt::Desc,
    // Only Copy Row and Paste Row show their hints.
    {{5302, 5308, false},
     {5303, 5309, false},
     {5304, 5310, false},
     {5305, 5311, false},
     {5306, 5312, true},
     {5307, 5313, true}},
    {&File_EtherCAT_Slave_Group, "PROFINET_Master_to_Modbus_TCP_Master", "SW_VERSION = 1.001"},
    kTables,
};

} // namespace

TFEtherCATSlave_Group::TFEtherCATSlave_Group(TComponent* AOwner) : TTableEditor(AOwner, kSpec)
{
    TS_SlaveToMaster = Table(0).Tab;
    TS_MasterToSlave = Table(1).Tab;
    ACG_Group_StoM = Table(0).Grid;
    ACG_Group_MtoS = Table(1).Grid;
    FormCreate();
}

TFEtherCATSlave_Group::~TFEtherCATSlave_Group()
{
    if (FEtherCATSlave_Group == this)
        FEtherCATSlave_Group = nullptr;
}

bool TFEtherCATSlave_Group::Controllo_dati()
{
    struct TCheck {
        int Table;
        int Row_Fault;
        int Total_Fault;
    };
    const TCheck checks[] = {{0, txt::StoM_Row_Fault, txt::StoM_Total_Fault},
                             {1, txt::MtoS_Row_Fault, txt::MtoS_Total_Fault}};
    for (const TCheck& check : checks) {
        const TTableView& t = Table(check.Table);
        const int used = Used_Rows(t);
        int total = 0;
        for (int r = 1; r <= used; ++r) {
            const int n = Cell_Int(t.Grid, Num_Variables_Col, r);
            if (n < 1 || n > Max_Variables) {
                Row_Error(t, r, check.Row_Fault);
                return false;
            }
            total += n;
        }
        if (total > Max_Variables) {
            MessageDlg(Lang_Text(check.Total_Fault), mtError, mbOK);
            return false;
        }
    }
    return true;
}
