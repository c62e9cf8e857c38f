#include "editors/fieldbus/UImportEDEFile.h"

#include "app/UGlobals.h"
#include "app/UHelpers.h"
#include "app/ULang.h"
#include "editors/fieldbus/UBACnet_Rules.h"
#include "grid/core/ExtCGrid.h"
#include "platform/controls/Interaction.h"
#include "platform/controls/StdCtrls.h"
#include "platform/core/SysUtils.h"

#include <QStringDecoder>

TFImportEDEFile* FImportEDEFile = nullptr;

namespace importede
{

namespace
{

constexpr int Fields = 16;

QString Decode(const QByteArray& Bytes)
{
    struct TMark {
        const char* Bytes;
        int Size;
        QStringConverter::Encoding Encoding;
    };
    const TMark marks[] = {{"\xEF\xBB\xBF", 3, QStringConverter::Utf8},
                           {"\xFF\xFE", 2, QStringConverter::Utf16LE},
                           {"\xFE\xFF", 2, QStringConverter::Utf16BE}};
    for (const TMark& m : marks)
        if (Bytes.startsWith(QByteArray::fromRawData(m.Bytes, m.Size))) {
            QStringDecoder decoder(m.Encoding);
            return decoder(Bytes.mid(m.Size));
        }
    return DecodeWindows1252(Bytes);
}

} // namespace

QStringList EDE_Lines(const QByteArray& Bytes)
{
    const QString text = Decode(Bytes);
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != '\r' && c != '\n')
            continue;
        lines << text.mid(start, i - start);
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines << text.mid(start);
    return lines;
}

bool Is_EDE_Header(const QString& Line)
{
    QString s = Trim(Line);
    if (s.startsWith('#'))
        s = Trim(s.mid(1));
    return s.startsWith(QLatin1String("mandatory"));
}

int EDE_First_Object_Line(const QStringList& Lines)
{
    // The published layout has its header at line 6; other writers place it elsewhere.
    if (Lines.size() > 6 && Is_EDE_Header(Lines[6]))
        return 8;
    int first = -1;
    for (int i = 0; i < Lines.size(); ++i)
        if (Is_EDE_Header(Lines[i]))
            first = i + 2;
    return first;
}

TBACnet_Var Parse_EDE_Line(const QString& Line)
{
    std::vector<qsizetype> seps;
    for (qsizetype i = 0; i < Line.size() && seps.size() < size_t(Fields - 1); ++i)
        if (Line[i] == ';')
            seps.push_back(i);
    // Field k (1-based, 1..15) ends at separator k; without that separator it is empty.
    auto field = [&](int k) -> QString {
        if (size_t(k) > seps.size())
            return QString();
        const qsizetype from = k == 1 ? 0 : seps[size_t(k - 2)] + 1;
        return Trim(Line.mid(from, seps[size_t(k - 1)] - from));
    };
    QString rest = seps.empty() ? Line : Line.mid(seps.back() + 1);
    rest = Trim(rest);
    if (rest.endsWith(';'))
        rest = Trim(rest.chopped(1));
    auto number = [](const QString& s) { return StrToIntDef(s, -1); };
    auto yes = [](const QString& s) { return UpperCase(s) == QLatin1String("Y"); };

    TBACnet_Var v;
    v.keyname = field(1);
    v.device_obj_instance = number(field(2));
    v.object_name = field(3);
    v.object_type = number(field(4));
    v.object_instance = number(field(5));
    v.description = field(6);
    v.present_value_default = field(7);
    v.min_present_value = field(8);
    v.max_present_value = field(9);
    v.commandable = yes(field(10));
    v.support_COV = yes(field(11));
    v.hi_limit = field(12);
    v.low_limit = field(13);
    v.stete_text_reference = field(14);
    v.unit_code = field(15);
    v.vendor_specific_address = rest;
    return v;
}

std::vector<TBACnet_Var> Read_EDE_Objects(const QByteArray& Bytes)
{
    const QStringList lines = EDE_Lines(Bytes);
    std::vector<TBACnet_Var> objects;
    const int first = EDE_First_Object_Line(lines);
    if (first < 0)
        return objects;
    for (int i = first; i < lines.size(); ++i) {
        const QString line = Trim(lines[i]);
        if (line.isEmpty())
            continue;
        TBACnet_Var v = Parse_EDE_Line(line);
        if (!bacnetrules::EDE_Type_Taken(v.object_type))
            continue;
        v.import = true;
        v.read = true;
        v.write = v.commandable;
        objects.push_back(std::move(v));
    }
    return objects;
}

} // namespace importede

using namespace importede;

namespace
{

constexpr int Client_Width = 863, Client_Height = 337;
constexpr int Band_Height = 22;
constexpr int Button_Top = 6, Button_Left = 16, Button_Step = 118;
constexpr int Cleared_Rows = 512;
constexpr TColor Active_Cell_Color = 0xEACAB6;

struct TImportColumn {
    int Header;
    int Width;
    TEditorType Editor;
    bool Read_Only;
};

const TImportColumn kColumns[Col_Count] = {
    {2104, 40, edNormal, true},        {2105, 50, edDataCheckBox, false}, {2106, 50, edDataCheckBox, false},
    {2107, 50, edDataCheckBox, false}, {2108, 200, edNormal, true},       {2109, 80, edNormal, true},
    {2110, 80, edNormal, true},        {2111, 200, edNormal, true},       {2112, 90, edDataCheckBox, true},
};

QString YN(bool b)
{
    return b ? QStringLiteral("Y") : QStringLiteral("N");
}

} // namespace

TFImportEDEFile::TFImportEDEFile(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FImportEDEFile");
    Set_Form_Look(this);
    Make_Dialog_Frame(this, *this);

    P_ID_IP = new TPanel(this);
    P_ID_IP->SetName("P_ID_IP");
    P_ID_IP->SetParent(this);
    P_ID_IP->SetBevelOuter(bvNone);
    P_ID_IP->SetParentColor(true);
    P_ID_IP->SetHeight(Band_Height);
    P_ID_IP->SetAlign(alTop);
    LID_IP = Make_Label(this, P_ID_IP, "LID_IP", 16, 4);
    E_ID_IP = new TEdit(this);
    E_ID_IP->SetName("E_ID_IP");
    E_ID_IP->SetParent(P_ID_IP);
    E_ID_IP->SetBounds(250, 0, 135, 21);

    ACG = new TExtColumnGrid(this);
    ACG->SetName("ACG");
    ACG->SetParent(this);
    ACG->SetAlign(alClient);
    ACG->ActiveCellShow = true;
    ACG->ActiveCellColor = Active_Cell_Color;
    ACG->SetOptions(ACG->Options() | goColSizing | goEditing);
    ACG->SetDefaultRowHeight(22);
    ACG->SetColCount(Col_Count);
    ACG->SetRowCount(2);
    ACG->SetFixedRows(1);
    ACG->SetFixedCols(1);
    for (int c = 0; c < Col_Count; ++c) {
        TGridColumnItem* item = ACG->Columns()->Items(c);
        item->SetWidth(kColumns[c].Width);
        item->SetEditor(kColumns[c].Editor);
        item->ReadOnly = kColumns[c].Read_Only;
        if (kColumns[c].Editor == edDataCheckBox)
            item->SetAlignment(taCenter);
    }
    ACG->OnCheckBoxClick = [this](TObject* Sender, int ACol, int ARow, bool State) {
        ACGCheckBoxClick(Sender, ACol, ARow, State);
    };

    TFadeButton** buttons[] = {&Btn_OK, &Btn_Cancel, &Btn_Select_All, &Btn_Unselect_All};
    const char* names[] = {"Btn_OK", "Btn_Cancel", "Btn_Select_All", "Btn_Unselect_All"};
    for (int i = 0; i < 4; ++i)
        *buttons[i] =
            Make_Button(this, P_Button, names[i], TButtonRole::Command, Button_Left + Button_Step * i,
                        Button_Top, Dialog_Button_Width, Dialog_Button_Height);
    Set_Button_Glyph(Btn_OK, TShellGlyph::OK);
    Set_Button_Glyph(Btn_Cancel, TShellGlyph::Cancel);
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_OK->OnClick = [this](TObject* Sender) { Btn_OKClick(Sender); };
    Btn_Select_All->OnClick = [this](TObject* Sender) { Btn_Select_AllClick(Sender); };
    Btn_Unselect_All->OnClick = [this](TObject* Sender) { Btn_Unselect_AllClick(Sender); };

    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    FormCreate();
}

TFImportEDEFile::~TFImportEDEFile()
{
    if (FImportEDEFile == this)
        FImportEDEFile = nullptr;
}

void TFImportEDEFile::FormCreate()
{
    L_SW_Code->SetCaption(SW_Code);
    SetClientWidth(Client_Width);
    SetClientHeight(Client_Height);
    Set_Lang();
}

void TFImportEDEFile::Set_Lang()
{
    SetCaption(Lang_Text(2100));
    L_SW_Desc->SetCaption(Lang_Text(2101));
    Btn_OK->SetCaption(Lang_Text(2102));
    Btn_Cancel->SetCaption(Lang_Text(2103));
    Btn_Select_All->SetCaption(Lang_Text(2120));
    Btn_Unselect_All->SetCaption(Lang_Text(2121));
    LID_IP->SetCaption(Lang_Text(2115));
    for (int c = 0; c < Col_Count; ++c)
        ACG->Columns()->Items(c)->SetHeader(Lang_Text(kColumns[c].Header));
}

void TFImportEDEFile::FormShow(TObject*)
{
    ACG->BeginUpdate();
    for (int r = 1; r <= Cleared_Rows; ++r) {
        ACG->SetCells(Col_N, r, QString::number(r));
        for (int c = 1; c < Col_Count; ++c)
            ACG->SetCells(c, r, QString());
    }
    ACG->EndUpdate();
    if (E_ID_IP->CanFocus())
        E_ID_IP->SetFocus();
    Cancel_EDE_List_Vars();
    Load_EDE_File();
    Show_Data_in_Grid();
}

void TFImportEDEFile::Cancel_EDE_List_Vars()
{
    List_EDE_Var.clear();
}

void TFImportEDEFile::Load_EDE_File()
{
    List_EDE_Var = Read_EDE_Objects(ReadFileBytes(EDE_File));
}

void TFImportEDEFile::Show_Data_in_Grid()
{
    const int n = int(List_EDE_Var.size());
    ACG->BeginUpdate();
    ACG->SetRowCount(std::max(n, 1) + 1);
    for (int i = 0; i < n; ++i) {
        const TBACnet_Var& v = List_EDE_Var[size_t(i)];
        const int r = i + 1;
        ACG->SetCells(Col_N, r, QString::number(r));
        ACG->SetCells(Col_Import, r, YN(v.import));
        ACG->SetCells(Col_Read, r, YN(v.read));
        ACG->SetCells(Col_Write, r, YN(v.write));
        ACG->SetCells(Col_Name, r, v.object_name);
        ACG->SetCells(Col_Type, r, QString::number(v.object_type));
        ACG->SetCells(Col_Instance, r, QString::number(v.object_instance));
        ACG->SetCells(Col_Desc, r, v.description);
        ACG->SetCells(Col_Commandable, r, YN(v.commandable));
    }
    ACG->EndUpdate();
}

void TFImportEDEFile::ACGCheckBoxClick(TObject*, int ACol, int ARow, bool State)
{
    if (ARow < 1 || ARow > int(List_EDE_Var.size()))
        return;
    TBACnet_Var& v = List_EDE_Var[size_t(ARow - 1)];
    switch (ACG->RealColIndex(ACol)) {
    case Col_Import:
        v.import = State;
        break;
    case Col_Read:
        v.read = State;
        break;
    case Col_Write:
        if (!v.commandable) {
            MessageDlg(Lang_Text(2113) + QString::number(ARow) + Lang_Text(2114), mtError, mbOK);
            ACG->SetCells(Col_Write, ARow, "N");
            return;
        }
        v.write = State;
        break;
    default:
        break;
    }
}

void TFImportEDEFile::Set_All_Import(bool State)
{
    for (int r = 1; r < ACG->RowCount(); ++r)
        ACG->SetCells(Col_Import, r, YN(State));
    for (TBACnet_Var& v : List_EDE_Var)
        v.import = State;
}

void TFImportEDEFile::Btn_Select_AllClick(TObject*)
{
    Set_All_Import(true);
}

void TFImportEDEFile::Btn_Unselect_AllClick(TObject*)
{
    Set_All_Import(false);
}

void TFImportEDEFile::Btn_OKClick(TObject*)
{
    const QString text = E_ID_IP->Text();
    if (App_BACnet_Type == 0) {
        uint8_t b1 = 0, b2 = 0, b3 = 0, b4 = 0;
        if (Decode_IP_Address(text, b1, b2, b3, b4)) {
            MessageDlg(Lang_Text(2116), mtError, mbOK);
            return;
        }
    } else if (App_BACnet_Type == 1) {
        const int id = StrToIntDef(text, -1);
        if (id < 0 || id > 254) {
            MessageDlg(Lang_Text(2117), mtError, mbOK);
            return;
        }
    }
    SetModalResult(mrOk);
}
