#include "editors/network/USNMPManagerAccess.h"

#include "app/UGlobals.h"
#include "app/UHelpers.h"
#include "app/ULang.h"
#include "grid/core/ExtCGrid.h"
#include "platform/controls/Interaction.h"
#include "platform/core/SysUtils.h"

TFSNMPManagerAccess* FSNMPManagerAccess = nullptr;

namespace snmpmanager
{

namespace
{

using framerules::In;
using framerules::Num;

constexpr TColor Cyan = 0xFEFAE0, Pink = 0xF4D6FC, Yellow = 0xA8FFFF, Green = 0xA8FFA8;

const char* const kVersions[] = {"1", "2", "3"};
const char* const kCommunities[] = {"Tundra", "Fenwick"};
const char* const kTypes[] = {"String", "Int"};
const char* const kModes[] = {"Get", "Set", "Trap"};
const char* const kConversions[] = {"None", "Float", "Float * 10", "Float * 100"};
const char* const kLevels[] = {"NoAuth NoPriv", "Auth NoPriv", "Auth Priv"};
const char* const kAuthModes[] = {"MD5", "SHA"};
const char* const kPrivModes[] = {"DES", "AES"};

constexpr TEditorColumn Col(int Header, int Width, TColor Color, const char* Attribute, int Hint,
                            TEditorType Editor = edNormal, std::span<const char* const> Items = {},
                            const char* Missing = "")
{
    TEditorColumn c;
    c.Header = Header;
    c.Editor = Editor;
    c.Items = Items;
    c.Width = Width;
    c.Color = Color;
    c.Attribute = Attribute;
    c.Missing = Missing;
    c.Hint = Hint;
    return c;
}

constexpr TEditorColumn Number_Col()
{
    TEditorColumn c;
    c.Header = 4608;
    c.Width = 40;
    return c;
}

constexpr TEditorColumn Flag_Col(int Header, int Width, const char* Attribute, int Hint)
{
    return Col(Header, Width, Yellow, Attribute, Hint, edDataCheckBox, {}, "N");
}

constexpr TEditorColumn Enable_Col()
{
    TEditorColumn c = Col(4609, 50, Yellow, "Enable", 4623, edDataCheckBox, {}, "Y");
    c.New_Text = "Y";
    return c;
}

// The Position list is filled at every show.
const TEditorColumn kColumns[] = {
    Number_Col(),
    Enable_Col(),
    Col(4610, 90, Cyan, "IP_Address", 4624),
    Col(4611, 60, Cyan, "Version", 4625, edComboList, kVersions),
    Col(4612, 106, Cyan, "Community_String", 4626, edComboEdit, kCommunities),
    Col(4613, 100, Cyan, "OID", 4627),
    Col(4614, 65, Cyan, "Type", 4628, edComboList, kTypes),
    Col(4615, 65, Cyan, "Mode", 4629, edComboList, kModes),
    Flag_Col(4616, 75, "On_Change", 4630),
    Flag_Col(4617, 50, "On_Command", 4631),
    Flag_Col(4618, 65, "On_Timer", 4632),
    Col(4619, 65, Green, "Time", 4633),
    Col(4620, 75, Pink, "Position", 4634, edComboList),
    Col(4621, 75, Pink, "Number_Bytes", 4635),
    Col(4654, 95, Cyan, "ConvertFrom", 4655, edComboList, kConversions, "None"),
    Flag_Col(4660, 50, "Cancel", 4661),
    Col(4662, 70, Green, "User", 4668),
    Col(4663, 70, Green, "Auth_Pass", 4669),
    Col(4664, 70, Green, "Priv_Pass", 4670),
    Col(4665, 100, Green, "Security_Level", 4671, edComboList, kLevels),
    Col(4666, 75, Green, "Auth_Mode", 4672, edComboList, kAuthModes),
    Col(4667, 75, Green, "Priv_Mode", 4673, edComboList, kPrivModes),
    Col(4622, 80, clWhite, "Mnemonic", 4636),
};

constexpr TEditorTable Make_Table()
{
    TEditorTable t{"ACG_SNMP", nullptr, -1,   nullptr, 512,
                   Col_IP,     true,    4637, 4647,    TDeleteQuestion::Append_Number,
                   kColumns};
    t.Any_Row_Name = true;
    t.Select_On_Click = false;
    t.Focus_On_Show = true;
    return t;
}

const TEditorTable kTable[] = {Make_Table()};

constexpr int Error_Row = 4637;
constexpr int IP_Fault = 4638;
constexpr int OID_Faults = 4639; // results 1 .. 6 of Check_SNMP_OID
constexpr int Time_Fault = 4645, Bytes_Fault = 4646, Conversion_Fault = 4656;
constexpr int Level_Fault = 4683, Auth_Mode_Fault = 4684, Priv_Mode_Fault = 4685;
constexpr int Same_Rows = 4686, Same_And = 4687, Same_Used = 4688;

// A version 3 credential and its three fault texts (results 1 .. 3 of Check_SNMP_Password).
struct TCredential {
    int Col;
    bool User_Name;
    int Faults;
};
const TCredential kCredentials[] = {
    {Col_User, true, 4674}, {Col_AuthPass, false, 4677}, {Col_PrivPass, false, 4680}};

bool Enabled(const QStringList& Row)
{
    return Trim(Row.value(Col_Enable)) == "Y";
}

QString Row_Fault(int Row, int Text)
{
    return Lang_Text(Error_Row) + QString::number(Row) + Lang_Text(Text);
}

// The fault text of one enabled row, or 0.
int Row_Check(const QStringList& Row)
{
    QString p1, p2, p3, p4;
    if (!Split_IP_Address(Row.value(Col_IP), p1, p2, p3, p4))
        return IP_Fault;
    // Not trimmed: a blank in the OID is a fault of the text.
    if (const int oid = Check_SNMP_OID(Row.value(Col_OID)))
        return OID_Faults + oid - 1;
    if (Trim(Row.value(Col_OnTimer)) == "Y" && !In(Row.value(Col_Time), 1, 100000000))
        return Time_Fault;
    if (!In(Row.value(Col_NumBytes), 0, 1024))
        return Bytes_Fault;
    if (Trim(Row.value(Col_Conversion)).isEmpty())
        return Conversion_Fault;
    if (Num(Row.value(Col_Version)) != 3)
        return 0;
    for (const TCredential& c : kCredentials)
        if (const int result = Check_SNMP_Password(Row.value(c.Col), c.User_Name))
            return c.Faults + result - 1;
    const int level = SNMP_Sec_Level(Row.value(Col_SecLevel));
    if (level < 0)
        return Level_Fault;
    if ((level & 1) && Trim(Row.value(Col_AuthMode)).isEmpty())
        return Auth_Mode_Fault;
    if ((level & 2) && Trim(Row.value(Col_PrivMode)).isEmpty())
        return Priv_Mode_Fault;
    return 0;
}

bool Same_Request(const QStringList& A, const QStringList& B)
{
    for (int c : {Col_IP, Col_Version, Col_OID})
        if (Trim(A.value(c)) != Trim(B.value(c)))
            return false;
    return true;
}

} // namespace

const TEditorSpec Spec = {
    "FSNMPManagerAccess",
    1230,
    337,
    4600,
    4601,
    {{4602, 4648, true},
     {4603, 4649, true},
     {4604, 4650, true},
     {4605, 4651, true},
     {4606, 4652, true},
     {4607, 4653, true}},
    {&File_SNMP_Manager, "SNMP_Manager_Access", "SW_VERSION = 1.000"},
    kTable,
};

std::optional<QString> Check_Requests(const TFrameRows& Rows)
{
    for (size_t i = 0; i < Rows.size(); ++i)
        if (Enabled(Rows[i]))
            if (const int fault = Row_Check(Rows[i]))
                return Row_Fault(int(i) + 1, fault);
    for (size_t b = 0; b < Rows.size(); ++b) {
        if (!Enabled(Rows[b]))
            continue;
        for (size_t e = b + 1; e < Rows.size(); ++e)
            if (Enabled(Rows[e]) && Same_Request(Rows[b], Rows[e]))
                return Lang_Text(Same_Rows) + QString::number(b + 1) + Lang_Text(Same_And) +
                       QString::number(e + 1) + Lang_Text(Same_Used);
    }
    return std::nullopt;
}

} // namespace snmpmanager

using namespace snmpmanager;

TFSNMPManagerAccess::TFSNMPManagerAccess(TComponent* AOwner) : TTableEditor(AOwner, snmpmanager::Spec)
{
    ACG_SNMP = Table(0).Grid;
    ACG_SNMP->OnDblClickCell = [this](TObject* Sender, int ARow, int ACol) {
        ACG_SNMPDblClickCell(Sender, ARow, ACol);
    };
    ACG_SNMP->OnKeyPress = [this](TObject* Sender, char16_t& Key) { ACG_SNMPKeyPress(Sender, Key); };
    ACG_SNMP->OnGridHint = [this](TObject* Sender, int ARow, int ACol, QString& hint) {
        ACG_SNMPGridHint(Sender, ARow, ACol, hint);
    };
    FormCreate();
}

TFSNMPManagerAccess::~TFSNMPManagerAccess()
{
    if (FSNMPManagerAccess == this)
        FSNMPManagerAccess = nullptr;
}

void TFSNMPManagerAccess::Fill_Lists()
{
    TStringList* items = ACG_SNMP->Columns()->Items(Col_Position)->ComboItems();
    items->BeginUpdate();
    items->Clear();
    for (int i = 0; i < Data_Array; ++i)
        items->Add(QString::number(i));
    items->EndUpdate();
}

bool TFSNMPManagerAccess::Controllo_dati()
{
    const std::optional<QString> fault = Check_Requests(Used_Row_Texts(*this, 0));
    if (fault)
        MessageDlg(*fault, mtError, mbOK);
    return !fault;
}
