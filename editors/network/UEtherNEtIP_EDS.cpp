#include "editors/network/UEtherNEtIP_EDS.h"

#include "app/UGlobals.h"
#include "app/ULang.h"
#include "grid/core/ExtCGrid.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Interaction.h"
#include "platform/core/StringList.h"
#include "platform/core/SysUtils.h"

TFEtherNEtIP_EDS* FEtherNEtIP_EDS = nullptr;

namespace
{

constexpr int Client_Width = 1150, Client_Height = 337;
constexpr int Close_Delay_Ms = 10;
constexpr int No_Connection_Text = 5015;
constexpr const char* Section = "[Connection Manager]";
// "Default" stands for these header dimensions, as the scanner table reads them.
constexpr uint8_t Default_Header_OT = 4, Default_Header_TO = 0;

struct TColumn {
    int Header;
    int Width;
};
constexpr TColumn kColumns[] = {{5006, 100}, {5007, 200}, {5008, 100}, {5009, 110}, {5010, 120},
                                {5011, 110}, {5012, 120}, {5013, 125}, {5014, 125}};

// The family's grid look: Verdana cells, bold Tahoma headers, rows of 22.
void Set_Grid_Font(TFont* font, const char* name, bool bold)
{
    font->Name = name;
    font->Height = -11;
    font->Style = bold ? TFontStyles(fsBold) : TFontStyles();
}

// The text after the first ",", trimmed; empty when there is none (the fields have run out).
QString After_Comma(const QString& Text)
{
    const qsizetype at = Text.indexOf(',');
    return at < 0 ? QString() : Trim(Text.mid(at + 1));
}

// The text up to the first ",", trimmed (all of it when there is none).
QString Field(const QString& Text)
{
    return Trim(Text.left(Text.indexOf(',')));
}

// A line that opens a connection entry: its key, before the first "=", names a connection
// ("Connection1 = ..."). A value line that merely mentions one continues the open entry.
bool Starts_Entry(const QString& Line)
{
    const qsizetype eq = Line.indexOf('=');
    return eq >= 0 && Line.left(eq).contains(QLatin1String("Connection"));
}

QString Header_Text(uint8_t Value, uint8_t Default)
{
    return Value == Default ? QStringLiteral("Default") : QString::number(Value);
}

// The first position after From holding one of the two segment types, or -1.
qsizetype Find_After(std::span<const uint8_t> b, qsizetype From, uint8_t A, uint8_t B)
{
    for (qsizetype i = From + 1; i < qsizetype(b.size()); ++i)
        if (b[size_t(i)] == A || b[size_t(i)] == B)
            return i;
    return -1;
}

} // namespace

std::optional<TConnPath> Decode_Conn_Path(std::span<const uint8_t> b)
{
    constexpr uint8_t Class_8 = 0x20, Instance_8 = 0x24, Instance_16 = 0x25, Instance_32 = 0x26,
                      Point_8 = 0x2C;
    const qsizetype n = qsizetype(b.size());
    if (n < 6 || b[0] != Class_8)
        return std::nullopt;
    TConnPath path;
    qsizetype k = 1;
    uint8_t instance = 1;
    switch (b[2]) {
    case Instance_8:
        instance = b[3];
        k = 3;
        break;
    case Instance_16:
        instance = b[4];
        k = 5;
        break;
    case Instance_32:
        instance = b[4];
        k = 7;
        break;
    default:
        break;
    }
    path.InstanceOT = instance;
    path.InstanceTO = instance;
    const qsizetype p = Find_After(b, k, Point_8, Point_8);
    if (p < 0 || p + 1 >= n)
        return std::nullopt;
    path.ConnPointOT = b[size_t(p + 1)];
    const qsizetype q = Find_After(b, p + 1, Instance_8, Point_8);
    if (q < 0 || q + 1 >= n)
        return std::nullopt;
    if (b[size_t(q)] == Point_8) {
        path.ConnPointTO = b[size_t(q + 1)];
        return path;
    }
    path.InstanceTO = b[size_t(q + 1)];
    const qsizetype r = Find_After(b, q + 1, Point_8, Point_8);
    if (r < 0 || r + 1 >= n)
        return std::nullopt;
    path.ConnPointTO = b[size_t(r + 1)];
    return path;
}

TFEtherNEtIP_EDS::TFEtherNEtIP_EDS(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FEtherNEtIP_EDS");
    Set_Form_Look(this);
    Make_Dialog_Frame(this, *this);
    // The table editors' first two button places.
    Btn_OK = Make_Button(this, P_Button, "Btn_OK", TButtonRole::Command, 16, 6, Dialog_Button_Width,
                         Dialog_Button_Height);
    Set_Button_Glyph(Btn_OK, TShellGlyph::OK);
    Btn_OK->SetModalResult(mrOk);
    Btn_Cancel = Make_Button(this, P_Button, "Btn_Cancel", TButtonRole::Command, 134, 6, Dialog_Button_Width,
                             Dialog_Button_Height);
    Set_Button_Glyph(Btn_Cancel, TShellGlyph::Cancel);
    Btn_Cancel->SetModalResult(mrCancel);

    ACG = new TExtColumnGrid(this);
    ACG->SetName("ACG");
    ACG->SetParent(this);
    ACG->SetAlign(alClient);
    ACG->SetParentFont(false);
    Set_Grid_Font(ACG->Font, "Verdana", false);
    Set_Grid_Font(ACG->FixedFont(), "Tahoma", true);
    ACG->SetDefaultRowHeight(22);
    ACG->SetColCount(int(std::size(kColumns)));
    ACG->SetRowCount(2);
    ACG->SetFixedRows(1);
    ACG->SetFixedCols(0);
    TGridOptions options = ACG->Options();
    options.Exclude(goEditing).Include(goRowSelect).Include(goColSizing);
    ACG->SetOptions(options);
    for (int c = 0; c < int(std::size(kColumns)); ++c) {
        TGridColumnItem* item = ACG->Columns()->Items(c);
        item->SetFont(ACG->Font);
        item->SetHeaderFont(ACG->FixedFont());
        item->SetWidth(kColumns[c].Width);
        // The grid family turns editing on for any cell whose column allows it.
        item->ReadOnly = true;
    }

    TClose = new TTimer(this);
    TClose->SetName("TClose");
    TClose->SetEnabled(false);
    TClose->SetInterval(Close_Delay_Ms);
    TClose->OnTimer = [this](TObject* Sender) { TCloseTimer(Sender); };

    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    FormCreate();
}

TFEtherNEtIP_EDS::~TFEtherNEtIP_EDS()
{
    if (FEtherNEtIP_EDS == this)
        FEtherNEtIP_EDS = nullptr;
}

void TFEtherNEtIP_EDS::FormCreate()
{
    L_SW_Code->SetCaption(SW_Code);
    SetClientWidth(Client_Width);
    SetClientHeight(Client_Height);
    List_Conn.clear();
    Set_Lang();
}

void TFEtherNEtIP_EDS::Set_Lang()
{
    SetCaption(Lang_Text(5000));
    L_SW_Desc->SetCaption(Lang_Text(5001));
    Btn_OK->SetCaption(Lang_Text(5002));
    Btn_Cancel->SetCaption(Lang_Text(5003));
    Btn_OK->SetHint(Lang_Text(5004));
    Btn_Cancel->SetHint(Lang_Text(5005));
    Btn_OK->SetShowHint(true);
    Btn_Cancel->SetShowHint(true);
    for (int c = 0; c < int(std::size(kColumns)); ++c)
        ACG->Columns()->Items(c)->SetHeader(Lang_Text(kColumns[c].Header));
}

void TFEtherNEtIP_EDS::FormShow(TObject*)
{
    List_Conn.clear();
    Read_File();
    ShowDatainGrid();
}

void TFEtherNEtIP_EDS::Read_File()
{
    if (!FileExists(EDS_FileName))
        return;
    TStringList lines;
    lines.LoadFromFile(EDS_FileName);
    bool inside = false;
    QString entry;
    for (int i = 0; i < lines.Count(); ++i) {
        QString line = Trim(lines[i]);
        if (const qsizetype comment = line.indexOf('$'); comment >= 0)
            line = Trim(line.left(comment));
        if (line.isEmpty())
            continue;
        if (!inside) {
            inside = line.contains(QLatin1String(Section));
            continue;
        }
        if (line.startsWith('[')) {
            inside = false;
            if (!entry.isEmpty())
                entry = DecodeConnStr(entry);
        } else if (Starts_Entry(line)) {
            if (!entry.isEmpty())
                entry = DecodeConnStr(entry);
            entry = Trim(line.mid(line.indexOf('=') + 1));
        } else {
            entry += line;
        }
    }
    if (!entry.isEmpty())
        DecodeConnStr(entry);
}

QString TFEtherNEtIP_EDS::DecodeConnStr(const QString& Value)
{
    // A fault while decoding costs this entry only, never the rest of the file.
    try {
        Decode_Entry(Value);
    } catch (const std::exception&) {
    }
    return QString();
}

void TFEtherNEtIP_EDS::Decode_Entry(const QString& Value)
{
    // Fields: 1 trigger and transport, 2 connection parameters, 3 .. 12 intervals, sizes, formats
    // and configuration data, 13 name, 14 help string, 15 path; the entry ends with ";".
    QString rest = After_Comma(Value);
    const int32_t params = StrToIntDef(Field(rest), -1);
    rest = After_Comma(rest);
    for (int f = 3; f <= 12; ++f)
        rest = After_Comma(rest);
    const QString name = Field(rest);
    rest = After_Comma(rest);
    const QString help = Field(rest);
    rest = After_Comma(rest);

    const qsizetype comma = rest.indexOf(','), semicolon = rest.indexOf(';');
    QString path_text;
    if (comma >= 0 && semicolon >= 0 && comma < semicolon)
        path_text = rest.left(comma);
    else if (semicolon >= 0)
        path_text = rest.left(semicolon);
    path_text = Trim(path_text).remove('"');

    // Every byte is kept, however long the path.
    std::vector<uint8_t> bytes;
    for (const QString& token : path_text.split(' ', Qt::SkipEmptyParts)) {
        const int32_t v = StrToIntDef("0x" + token, -1);
        if (v >= 0 && v <= 255)
            bytes.push_back(uint8_t(v));
    }

    const std::optional<TConnPath> path = Decode_Conn_Path(bytes);
    if (!path)
        return;
    auto conn = std::make_unique<TConnData>();
    conn->ConnIndex = int32_t(List_Conn.size()) + 1;
    conn->ConnName = name;
    conn->HelpStr = help;
    conn->DimHeaderOT = Dim_Header_OT(params);
    conn->DimHeaderTO = Dim_Header_TO(params);
    conn->InstanceOT = path->InstanceOT;
    conn->ConnPointOT = path->ConnPointOT;
    conn->InstanceTO = path->InstanceTO;
    conn->ConnPointTO = path->ConnPointTO;
    List_Conn.push_back(std::move(conn));
}

void TFEtherNEtIP_EDS::ShowDatainGrid()
{
    ACG->SetRowCount(2);
    for (int c = 0; c < ACG->ColCount(); ++c)
        ACG->SetCells(c, 1, QString());
    if (List_Conn.empty()) {
        TClose->SetEnabled(true);
        return;
    }
    ACG->SetRowCount(int(List_Conn.size()) + 1);
    for (size_t i = 0; i < List_Conn.size(); ++i) {
        const TConnData& d = *List_Conn[i];
        const int r = int(i) + 1;
        const QString texts[] = {
            "Connection" + QString::number(r),
            d.ConnName,
            d.HelpStr,
            QString::number(d.InstanceOT),
            QString::number(d.ConnPointOT),
            QString::number(d.InstanceTO),
            QString::number(d.ConnPointTO),
            Header_Text(d.DimHeaderOT, Default_Header_OT),
            Header_Text(d.DimHeaderTO, Default_Header_TO),
        };
        for (int c = 0; c < int(std::size(texts)); ++c)
            ACG->SetCells(c, r, texts[c]);
    }
    ACG->SetRow(1);
}

void TFEtherNEtIP_EDS::TCloseTimer(TObject*)
{
    // One shot: a form closed before it fired has nothing to report.
    TClose->SetEnabled(false);
    if (!Showing())
        return;
    MessageDlg(Lang_Text(No_Connection_Text), mtError, mbOK);
    SetModalResult(mrCancel);
}
