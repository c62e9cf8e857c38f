#include "editors/fieldbus/UBACnetAccess.h"

#include "app/UGlobals.h"
#include "app/UHelpers.h"
#include "app/ULang.h"
#include "editors/fieldbus/UImportEDEFile.h"
#include "grid/core/ExtCGrid.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/core/SysUtils.h"
#include "platform/core/Xml.h"

#include <QFileInfo>

TFBACnetAccess* FBACnetAccess = nullptr;

namespace bacnetaccess
{

namespace
{

using bacnetrules::TSide;
using framerules::In;

constexpr TColor Cyan = 0xFEFAE0, Orange = 0xB0D8FF, Green = 0xA8FFA8, Pink = 0xF4D6FC, Yellow = 0xA8FFFF;
constexpr int Narrow_Screen = 1270, Narrow_Width = 1000, Wide_Width = 1305, Client_Height = 337;
constexpr int Import_Button_Left = 488;
constexpr const char* Present_Value_Text = "Present Value (85)";

const char* const kRead_Objects[] = {
    "Accumulator",   "Multi-State Input",  "Multi-State Output",     "Multi-State Value", "Analog Input",
    "Analog Output", "Analog Value",       "Binary Input",           "Binary Output",     "Binary Value",
    "Integer Value", "Large Analog Value", "Positive Integer Value", "Life Safety Point", "Life Safety Zone"};
const char* const kRead_Properties[] = {"Present Value (85)",   "Object Identifier (75)", "Units (117)",
                                        "Scale (187)",          "PreScale (185)",         "Polarity (84)",
                                        "Event State (36)",     "Status Flags (111)",     "Object Type (79)",
                                        "Number of States (74)"};
const char* const kWrite_Objects[] = {"Multi-State Output", "Multi-State Value",  "Analog Output",
                                      "Analog Value",       "Binary Output",      "Binary Value",
                                      "Integer Value",      "Large Analog Value", "Positive Integer Value"};
const char* const kWrite_Properties[] = {"Present Value (85)"};
const char* const kData_Types[] = {"Null",   "Boolean",      "Unsigned Int",     "Signed Int", "Real",
                                   "Double", "Octet String", "Character String", "Bit String", "Enumerated",
                                   "Date",   "Time",         "Object ID"};
const char* const kD_Len[] = {"1", "2", "6", "M1", "M2", "M3", "M4", "M5", "M6", "M7", "M8"};
const char* const kBits[] = {"0", "1", "2", "3", "4", "5", "6", "7"};
const char* const kRead_Convertion[] = {"None", "Float to Int", "(Float to Int) * 10",
                                        "(Float to Int) * 100"};
const char* const kWrite_Convertion[] = {"None", "Int to Float", "(Int to Float) / 10",
                                         "(Int to Float) / 100"};

constexpr TEditorColumn Col(int Header, TEditorType Editor, int Width, TColor Color, const char* Attribute,
                            const char* Missing = "")
{
    TEditorColumn c;
    c.Header = Header;
    c.Editor = Editor;
    c.Width = Width;
    c.Color = Color;
    c.Attribute = Attribute;
    c.Missing = Missing;
    if (Editor == edDataCheckBox)
        c.Alignment = taCenter;
    return c;
}

constexpr TEditorColumn Items(TEditorColumn c, std::span<const char* const> Items)
{
    c.Items = Items;
    return c;
}

constexpr TEditorColumn Enable(int Header)
{
    TEditorColumn c = Col(Header, edDataCheckBox, 50, Orange, "Enable", "Y");
    c.New_Text = "Y";
    return c;
}

// Swap and Convertion: hidden for good, never loaded or saved.
constexpr TEditorColumn Unsaved(TEditorColumn c)
{
    c.Attribute = nullptr;
    c.Missing = nullptr;
    c.Hidden = true;
    return c;
}

const TEditorColumn kRead_Columns[R_Count] = {
    Col(2008, edNormal, 40, clWindow, nullptr, nullptr),
    Enable(2090),
    Col(2009, edNormal, 110, Cyan, "IP_Address_Slave_ID"),
    Items(Col(2011, edComboEdit, 150, Cyan, "Object_Type"), kRead_Objects),
    Col(2012, edNormal, 80, Cyan, "Instance"),
    Items(Col(2013, edComboEdit, 150, Cyan, "Property"), kRead_Properties),
    Col(2014, edNormal, 50, Pink, "NumByte"),
    Col(2062, edDataCheckBox, 55, Yellow, "Enable_Destination", "N"),
    Col(2063, edNormal, 55, Yellow, "Destination_Network"),
    Items(Col(2064, edComboList, 50, Yellow, "Destination_Length"), kD_Len),
    Col(2065, edNormal, 120, Yellow, "Destination_Address"),
    Col(2015, edNormal, 70, Green, "PollTime"),
    Col(2016, edNormal, 60, Green, "MaxError"),
    Col(2017, edComboList, 64, Pink, "Position"),
    Items(Col(2018, edComboList, 64, Pink, "StartBit"), kBits),
    Unsaved(Col(2060, edDataCheckBox, 40, Yellow, nullptr)),
    Unsaved(Items(Col(2080, edComboList, 120, Yellow, nullptr), kRead_Convertion)),
    Col(2019, edNormal, 200, clWhite, "Mnemonic"),
};

const TEditorColumn kWrite_Columns[W_Count] = {
    Col(2020, edNormal, 40, clWindow, nullptr, nullptr),
    Enable(2091),
    Col(2021, edNormal, 110, Cyan, "IP_Address_Slave_ID"),
    Items(Col(2023, edComboEdit, 150, Cyan, "Object_Type"), kWrite_Objects),
    Items(Col(2024, edComboList, 100, Cyan, "Data_Type"), kData_Types),
    Col(2025, edNormal, 80, Cyan, "Instance"),
    Items(Col(2026, edComboEdit, 130, Cyan, "Property"), kWrite_Properties),
    Col(2027, edNormal, 50, Cyan, "Priority"),
    Col(2028, edNormal, 50, Pink, "NumByte"),
    Col(2066, edDataCheckBox, 55, Yellow, "Enable_Destination", "N"),
    Col(2067, edNormal, 55, Yellow, "Destination_Network"),
    Items(Col(2068, edComboList, 50, Yellow, "Destination_Length"), kD_Len),
    Col(2069, edNormal, 120, Yellow, "Destination_Address"),
    Col(2029, edDataCheckBox, 50, Green, "OnChange", "N"),
    Col(2030, edDataCheckBox, 50, Green, "OnTimer", "N"),
    Col(2031, edNormal, 70, Green, "PollTime"),
    Col(2032, edNormal, 60, Green, "MaxError"),
    Col(2033, edComboList, 64, Pink, "Position"),
    Items(Col(2034, edComboList, 64, Pink, "StartBit"), kBits),
    Unsaved(Col(2061, edDataCheckBox, 40, Yellow, nullptr)),
    Unsaved(Items(Col(2081, edComboList, 120, Yellow, nullptr), kWrite_Convertion)),
    Col(2035, edNormal, 200, clWhite, "Mnemonic"),
};

TEditorTable Table(const char* Grid, const char* Tab, int Tab_Caption, const char* Section, int Error_Row,
                   std::span<const TEditorColumn> Columns)
{
    TEditorTable t{Grid,        Tab,  Tab_Caption, Section, Data_Rows,
                   Col_Address, true, Error_Row,   2036,    TDeleteQuestion::Append_Number,
                   Columns};
    t.Enable_Rule = TEnableRule::Exact;
    t.Select_On_Click = false;
    return t;
}

// The columns a table's rules read, by side.
struct TSideColumns {
    TSide Side;
    int Object, Instance, Property, En_Dest, D_Net, D_Len, D_Add, Poll, Max_Err;
    // Texts: address (IP, slave ID), object, instance, property, network, length (number, list),
    // address by length 1 / 2 / 6, poll time, max err.
    int IP, Slave, Object_Text, Instance_Text, Property_Text, Net_Text, Len_Number, Len_List, Add_1, Add_2,
        Add_6, Poll_Text, Max_Err_Text;
};

const TSideColumns kRead_Side = {TSide::Read, R_Object, R_Instance, R_Property, R_En_Dest, R_D_Net,
                                 R_D_Len,     R_D_Add,  R_Poll,     R_Max_Err,  2038,      2039,
                                 2040,        2041,     2042,       2070,       2071,      2086,
                                 2072,        2073,     2074,       2044,       2045};
const TSideColumns kWrite_Side = {TSide::Write, W_Object, W_Instance, W_Property, W_En_Dest, W_D_Net,
                                  W_D_Len,      W_D_Add,  W_Poll,     W_Max_Err,  2047,      2048,
                                  2049,         2050,     2051,       2075,       2076,      2087,
                                  2077,         2078,     2079,       2055,       2056};

TFrameCheck Check_Address(const TSideColumns& K, int Row, const QString& Key, int Type)
{
    const QString text = Trim(Key);
    if (Type == 0) {
        uint8_t b1 = 0, b2 = 0, b3 = 0, b4 = 0;
        if (Decode_IP_Address(text, b1, b2, b3, b4))
            return TFrameFault{Row, K.IP};
    } else if (Type == 1) {
        if (!In(text, 0, 254))
            return TFrameFault{Row, K.Slave};
    }
    return std::nullopt;
}

TFrameCheck Check_Instance(const TSideColumns& K, int Row, const QString& Text)
{
    const int64_t v = StrToInt64Def(Text, -1);
    if (v < 0 || v > int64_t(0xFFFFFFFF))
        return TFrameFault{Row, K.Instance_Text};
    return std::nullopt;
}

// Network, length and address of a row whose En Dest is on.
TFrameCheck Check_Destination(const TSideColumns& K, int Row, const QStringList& R)
{
    if (!In(R.value(K.D_Net), 1, 65535))
        return TFrameFault{Row, K.Net_Text};
    const QString length = R.value(K.D_Len), address = R.value(K.D_Add);
    int n = 0;
    if (TryStrToInt(length, n)) {
        switch (n) {
        case 1:
            return In(address, 0, 255) ? TFrameCheck() : TFrameFault{Row, K.Add_1};
        case 2:
            return In(address, 1, 65535) ? TFrameCheck() : TFrameFault{Row, K.Add_2};
        case 6: {
            uint8_t b1 = 0, b2 = 0, b3 = 0, b4 = 0;
            uint16_t port = 0;
            return Decode_IP_Port(Trim(address), b1, b2, b3, b4, port) ? TFrameCheck()
                                                                       : TFrameFault{Row, K.Add_6};
        }
        default:
            return TFrameFault{Row, K.Len_Number};
        }
    }
    const QString m = UpperCase(Trim(length));
    if (m.size() != 2 || m[0] != 'M' || m[1] < '1' || m[1] > '8')
        return TFrameFault{Row, K.Len_List};
    if (const int fault = bacnetrules::Dest_Add_Fault(address, m[1].unicode() - '0', K.Side))
        return TFrameFault{Row, fault};
    return std::nullopt;
}

} // namespace

int Key_Column(int BACnet_Type)
{
    return BACnet_Type == 0 || BACnet_Type == 1 ? Col_Address : Col_Object;
}

TFrameCheck Check_Read_Rows(const TFrameRows& Rows, int BACnet_Type)
{
    const TSideColumns& K = kRead_Side;
    for (size_t i = 0; i < Rows.size(); ++i) {
        const QStringList& R = Rows[i];
        const int row = int(i) + 1;
        if (!Enabled_By(TEnableRule::Exact, R.value(R_Enable)))
            continue;
        if (TFrameCheck f = Check_Address(K, row, R.value(R_Address), BACnet_Type))
            return f;
        const int object = bacnetrules::Check_Object_Type(R.value(R_Object), TSide::Read);
        if (object == -1)
            return TFrameFault{row, K.Object_Text};
        if (TFrameCheck f = Check_Instance(K, row, R.value(R_Instance)))
            return f;
        if (bacnetrules::Check_Property(R.value(R_Property), TSide::Read, object) == -1)
            return TFrameFault{row, K.Property_Text};
        if (!In(R.value(R_NByte), 0, 255))
            return TFrameFault{row, 2043};
        if (UpperCase(Trim(R.value(R_En_Dest))) == QLatin1String("Y"))
            if (TFrameCheck f = Check_Destination(K, row, R))
                return f;
        if (!In(R.value(R_Poll), 0, 100000000))
            return TFrameFault{row, K.Poll_Text};
        if (!In(R.value(R_Max_Err), 0, 65535))
            return TFrameFault{row, K.Max_Err_Text};
    }
    return std::nullopt;
}

TFrameCheck Check_Write_Rows(const TFrameRows& Rows, int BACnet_Type)
{
    const TSideColumns& K = kWrite_Side;
    for (size_t i = 0; i < Rows.size(); ++i) {
        const QStringList& R = Rows[i];
        const int row = int(i) + 1;
        if (!Enabled_By(TEnableRule::Exact, R.value(W_Enable)))
            continue;
        if (TFrameCheck f = Check_Address(K, row, R.value(W_Address), BACnet_Type))
            return f;
        const int object = bacnetrules::Check_Object_Type(R.value(W_Object), TSide::Write);
        if (object == -1)
            return TFrameFault{row, K.Object_Text};
        if (TFrameCheck f = Check_Instance(K, row, R.value(W_Instance)))
            return f;
        const int property = bacnetrules::Check_Property(R.value(W_Property), TSide::Write, object);
        if (property == -1)
            return TFrameFault{row, K.Property_Text};
        const QString data_type = R.value(W_Data_Type);
        if (bacnetrules::Check_Data_Type(data_type, object, property) < 0) {
            const QString expected = bacnetrules::Aspected_Data_Type_Value(object, property);
            return expected.isEmpty() ? TFrameFault{row, 2052} : TFrameFault{row, 2058, expected};
        }
        if (!In(R.value(W_Priority), 0, 16))
            return TFrameFault{row, 2053};
        const int max = bacnetrules::Check_Num_Byte_Max(data_type);
        if (!In(R.value(W_NByte), 0, max))
            return TFrameFault{row, 2054, QString::number(max)};
        if (UpperCase(Trim(R.value(W_En_Dest))) == QLatin1String("Y"))
            if (TFrameCheck f = Check_Destination(K, row, R))
                return f;
        if (UpperCase(R.value(W_Timer)) == QLatin1String("Y") && !In(R.value(W_Poll), 0, 100000000))
            return TFrameFault{row, K.Poll_Text};
        if (!In(R.value(W_Max_Err), 0, 65535))
            return TFrameFault{row, K.Max_Err_Text};
    }
    return std::nullopt;
}

bool Read_BACnet_Master_Type(const QString& Path, int& Type)
{
    Type = 0;
    if (!FileExists(Path))
        return false;
    try {
        TXmlDocument doc;
        doc.LoadFromFile(Path);
        const TXmlElement e = doc.Root().Child(QStringLiteral("BACnet_Master_Type"));
        if (!e)
            return false;
        Type = StrToIntDef(e.Text(), 0);
        return true;
    } catch (const Exception&) {
        return false;
    }
}

TSpecHolder::TSpecHolder()
    : Own_Tables{Table("ACG1", "TS_BACnet_Read", 2006, "BACnet_Read", 2037, kRead_Columns),
                 Table("ACG2", "TS_BACnet_Write", 2007, "BACnet_Write", 2046, kWrite_Columns)},
      Own_Spec{"FBACnetAccess",
               Wide_Width,
               Client_Height,
               2000,
               2001,
               // No button hints: the hint texts are cleared after the frame's Set_Lang.
               {{2002, 2002, false},
                {2003, 2003, false},
                {2004, 2004, false},
                {2005, 2005, false},
                {-1, 2002, false, ""},
                {-1, 2002, false, ""}},
               {&File_BACnet_Master_Access, "BACnet_Master_Access", "SW_VERSION = 1.000"},
               Own_Tables}
{
}

} // namespace bacnetaccess

using namespace bacnetaccess;

TFBACnetAccess::TFBACnetAccess(TComponent* AOwner) : TTableEditor(AOwner, Own_Spec)
{
    ACG1 = Table(Read_Table).Grid;
    ACG2 = Table(Write_Table).Grid;
    TS_BACnet_Read = Table(Read_Table).Tab;
    TS_BACnet_Write = Table(Write_Table).Tab;

    // No Copy and Paste: the fifth place holds the import.
    for (TFadeButton* b : {Btn_CopyRow, Btn_PasteRow}) {
        b->SetVisible(false);
        b->OnClick = nullptr;
    }
    Btn_Import_CSV = Make_Button(this, P_Button, "Btn_Import_CSV", TButtonRole::Command, Import_Button_Left,
                                 Btn_OK->Top(), Dialog_Button_Width, Dialog_Button_Height);
    Btn_Import_CSV->OnClick = [this](TObject* Sender) { Btn_Import_CSVClick(Sender); };

    for (TExtColumnGrid* g : {ACG1, ACG2}) {
        g->OnDblClickCell = nullptr;
        g->OnKeyPress = nullptr;
        g->OnGridHint = [this](TObject* Sender, int ARow, int ACol, QString& hint) {
            ACG1GridHint(Sender, ARow, ACol, hint);
        };
    }
    OD_EDE_File.Filter = QStringLiteral("BACnet EDE File (*.csv)|*.csv");
    OD_EDE_File.InitialDir = Last_EDE_Dir;
    FormCreate();
    SetClientWidth(Screen && Screen->Width() <= Narrow_Screen ? Narrow_Width : Wide_Width);
}

TFBACnetAccess::~TFBACnetAccess()
{
    if (FBACnetAccess == this)
        FBACnetAccess = nullptr;
}

void TFBACnetAccess::Set_Lang()
{
    TTableEditor::Set_Lang();
    for (TFadeButton* b : {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow})
        b->SetHint(QString());
    Btn_Import_CSV->SetCaption(Lang_Text(2059));
}

void TFBACnetAccess::FormShow(TObject* Sender)
{
    int type = 0;
    if (!Read_BACnet_Master_Type(File_ParGen, type))
        MessageDlg(Lang_Text(2057), mtError, mbOK);
    App_BACnet_Type = type;
    const std::pair<TExtColumnGrid*, int> address_headers[] = {
        {ACG1, type == 1 ? 2010 : 2009},
        {ACG2, type == 1 ? 2022 : 2021},
    };
    for (const auto& [grid, header] : address_headers) {
        const bool shown = type == 0 || type == 1;
        if (shown) {
            grid->Columns()->Items(Col_Address)->SetHeader(Lang_Text(header));
            if (grid->IsHiddenColumn(Col_Address))
                grid->UnHideColumn(Col_Address);
        } else if (!grid->IsHiddenColumn(Col_Address)) {
            grid->HideColumn(Col_Address);
        }
    }
    for (TEditorTable& t : Own_Tables)
        t.Key_Col = Key_Column(type);
    // Rows cleared, Position lists, the file loaded, the read tab active.
    TTableEditor::FormShow(Sender);
}

void TFBACnetAccess::Fill_Lists()
{
    QStringList items;
    for (int i = 0; i < Image_Bytes; ++i)
        items << QString::number(i);
    const std::pair<TExtColumnGrid*, int> lists[] = {{ACG1, R_Position}, {ACG2, W_Position}};
    for (const auto& [grid, col] : lists) {
        TStringList* list = grid->Columns()->Items(col)->ComboItems();
        list->BeginUpdate();
        list->Clear();
        list->AddStrings(items);
        list->EndUpdate();
    }
}

bool TFBACnetAccess::Controllo_dati()
{
    if (const TFrameCheck fault = Check_Read_Rows(Used_Row_Texts(*this, Read_Table), App_BACnet_Type)) {
        Show_Frame_Fault(*this, Read_Table, *fault);
        return false;
    }
    if (const TFrameCheck fault = Check_Write_Rows(Used_Row_Texts(*this, Write_Table), App_BACnet_Type)) {
        Show_Frame_Fault(*this, Write_Table, *fault);
        return false;
    }
    return true;
}

void TFBACnetAccess::ACG1GridHint(TObject* Sender, int ARow, int ACol, QString& hintstr)
{
    if (Sender == ACG1)
        hintstr = Str_Hint_Read(ARow, ACol);
    else if (Sender == ACG2)
        hintstr = Str_Hint_Write(ARow, ACol);
    else
        hintstr.clear();
}

QString TFBACnetAccess::Str_Hint_Read(int ARow, int ACol)
{
    // The grid asks with the display column; column 2 may be hidden.
    if (ARow < 1 || ARow >= ACG1->RowCount() || ACG1->RealColIndex(ACol) != R_Property)
        return QString();
    return bacnetrules::Read_Property_Bytes(ACG1->Cells(R_Object, ARow), ACG1->Cells(R_Property, ARow));
}

QString TFBACnetAccess::Str_Hint_Write(int, int)
{
    return QString();
}

void TFBACnetAccess::Btn_Import_CSVClick(TObject*)
{
    TFImportEDEFile* dialog = FImportEDEFile;
    if (!dialog)
        return;
    dialog->App_BACnet_Type = App_BACnet_Type;
    TFileDialogRequest request = OD_EDE_File;
    request.InitialDir = Last_EDE_Dir;
    if (!Interaction().FileDialog(request))
        return;
    const QString file = request.FileName;
    Last_EDE_Dir = ExtractFilePath(file);
    OD_EDE_File.InitialDir = Last_EDE_Dir;
    if (!QFileInfo::exists(file))
        return;
    // A path that cannot be read as a file is named in one box; the import dialog does not open.
    try {
        ReadFileBytes(file);
    } catch (const Exception& e) {
        MessageDlg(e.Message, mtError, mbOK);
        return;
    }
    dialog->EDE_File = file;
    if (dialog->ShowModal() != mrOk)
        return;
    Take_Objects(dialog->List_EDE_Var, dialog->E_ID_IP->Text());
}

void TFBACnetAccess::Take_Objects(const std::vector<TBACnet_Var>& Objects, const QString& Address)
{
    struct TFill {
        TExtColumnGrid* Grid;
        int Position_Col, NByte_Col;
        int Row = 0;          // next row to fill
        int64_t Position = 0; // next free byte
        int Left_Out = 0;
    };
    TFill fills[] = {{ACG1, R_Position, R_NByte}, {ACG2, W_Position, W_NByte}};
    const int key = Key_Column(App_BACnet_Type);
    for (TFill& f : fills) {
        End_Cell_Edit(f.Grid);
        const int rows = f.Grid->RowCount();
        f.Row = rows;
        for (int r = 1; r < rows; ++r) {
            if (Trim(f.Grid->Cells(key, r)).isEmpty()) {
                f.Row = std::min(f.Row, r);
                continue;
            }
            const int position = StrToIntDef(f.Grid->Cells(f.Position_Col, r), -1);
            const int bytes = StrToIntDef(f.Grid->Cells(f.NByte_Col, r), -1);
            if (position >= 0 && bytes >= 0)
                f.Position = std::max(f.Position, int64_t(position) + bytes);
        }
    }
    TFill& rd = fills[Read_Table];
    TFill& wr = fills[Write_Table];
    for (const TBACnet_Var& v : Objects) {
        if (!v.import)
            continue;
        const QString object = Get_ObjType_EDE(v.object_type);
        const QString instance = QString::number(v.object_instance);
        const int bytes = Get_NumByte_EDE(v.object_type);
        const QString mnemonic = v.object_name + " - " + v.description;
        if (v.read) {
            if (rd.Row < rd.Grid->RowCount()) {
                const QStringList texts = {"Y",
                                           Address,
                                           object,
                                           instance,
                                           Present_Value_Text,
                                           QString::number(bytes),
                                           "N",
                                           "",
                                           "",
                                           "",
                                           "1000",
                                           "0",
                                           QString::number(rd.Position),
                                           "0",
                                           "N",
                                           "",
                                           mnemonic};
                for (int c = 0; c < texts.size(); ++c)
                    rd.Grid->SetCells(c + 1, rd.Row, texts[c]);
                ++rd.Row;
                rd.Position += bytes;
            } else {
                ++rd.Left_Out;
            }
        }
        if (v.write) {
            if (wr.Row < wr.Grid->RowCount()) {
                const QStringList texts = {"Y",
                                           Address,
                                           object,
                                           Get_DataType_EDE(v.object_type),
                                           instance,
                                           Present_Value_Text,
                                           "0",
                                           QString::number(bytes),
                                           "N",
                                           "",
                                           "",
                                           "",
                                           "N",
                                           "N",
                                           "1000",
                                           "0",
                                           QString::number(wr.Position),
                                           "0",
                                           "N",
                                           "",
                                           mnemonic};
                for (int c = 0; c < texts.size(); ++c)
                    wr.Grid->SetCells(c + 1, wr.Row, texts[c]);
                ++wr.Row;
                wr.Position += bytes;
            } else {
                ++wr.Left_Out;
            }
        }
    }
    if (rd.Left_Out + wr.Left_Out > 0)
        MessageDlg(Lang_Text(2094) + QString::number(rd.Left_Out + wr.Left_Out), mtError, mbOK);
}
