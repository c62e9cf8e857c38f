#include "editors/fieldbus/UDefOffset.h"

#include "app/UGlobals.h"
#include "app/ULang.h"
#include "grid/core/ExtCGrid.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/Interaction.h"
#include "platform/core/SysUtils.h"
#include "platform/core/Xml.h"

#include <algorithm>

TFDefOffset* FDefOffset = nullptr;

namespace dnetoffset
{

namespace
{

const char* const kSlave_Attributes[] = {"ID", "NB_IN", "NB_OUT", "Mnemonic"};

TXmlElement Root_Of(const TXmlDocument& doc, const QString& path)
{
    const TXmlElement root = doc.Root();
    if (root.IsNull())
        throw EXmlError(QString("%1: no root element").arg(path));
    return root;
}

// A byte count or ID as the slave list holds it; anything else would shift every byte map.
int Whole(const QString& path, int row, const char* name, const QString& text, int max)
{
    int32_t v = 0;
    if (!TryStrToInt(text, v) || v < 0 || v > max)
        throw EXmlError(QString("%1, row %2: attribute %3 \"%4\" is no whole number 0 .. %5")
                            .arg(path)
                            .arg(row)
                            .arg(QLatin1String(name), text)
                            .arg(max));
    return v;
}

void Read_Side(const QString& path, int node, const TXmlElement& Nodo, const char* section, int count,
               QStringList& offsets, QStringList& mnemonics)
{
    const TXmlElement s = Nodo.Child(QLatin1String(section));
    if (s.IsNull())
        throw EXmlError(QString("%1, Nodo_DNET %2: element %3 missing").arg(path).arg(node).arg(section));
    const std::vector<TXmlElement> rows = s.Children("row");
    const int n = std::min(int(rows.size()), count);
    for (int i = 0; i < n; ++i)
        for (const char* name : {"Offset", "Mnemonic"})
            if (!rows[size_t(i)].HasAttribute(QLatin1String(name)))
                throw EXmlError(QString("%1, Nodo_DNET %2, %3 row %4: attribute %5 missing")
                                    .arg(path)
                                    .arg(node)
                                    .arg(QLatin1String(section))
                                    .arg(i + 1)
                                    .arg(QLatin1String(name)));
    for (int i = 0; i < n; ++i) {
        offsets[i] = rows[size_t(i)].Attribute("Offset");
        mnemonics[i] = rows[size_t(i)].Attribute("Mnemonic");
    }
}

void Write_Side(TXmlElement& Nodo, const char* section, const QStringList& offsets,
                const QStringList& mnemonics)
{
    TXmlElement s = Nodo.AddChild(QLatin1String(section));
    for (qsizetype i = 0; i < offsets.size(); ++i) {
        TXmlElement row = s.AddChild("row");
        row.SetAttribute("Offset", offsets[i]);
        row.SetAttribute("Mnemonic", mnemonics.value(i));
    }
}

} // namespace

std::vector<TSlave_DN> Read_Slave_List(const QString& path, std::vector<QStringList>& Texts)
{
    Texts.clear();
    std::vector<TSlave_DN> slaves;
    if (!FileExists(path))
        return slaves;
    TXmlDocument doc;
    doc.LoadFromFile(path);
    const std::vector<TXmlElement> rows = Root_Of(doc, path).Children();
    std::vector<QStringList> texts;
    for (size_t k = 0; k < rows.size(); ++k) {
        const int r = int(k) + 1;
        QStringList row;
        for (const char* name : kSlave_Attributes) {
            if (!rows[k].HasAttribute(QLatin1String(name)))
                throw EXmlError(QString("%1, row %2: attribute %3 missing").arg(path).arg(r).arg(name));
            row << rows[k].Attribute(QLatin1String(name));
        }
        TSlave_DN s;
        s.ID = uint8_t(Whole(path, r, "ID", row[0], 255));
        s.ByteIN = uint16_t(Whole(path, r, "NB_IN", row[1], 65535));
        s.ByteOUT = uint16_t(Whole(path, r, "NB_OUT", row[2], 65535));
        s.SL_ByteIN = QStringList(s.ByteIN, QStringLiteral("None"));
        s.SL_ByteIN_M = QStringList(s.ByteIN, QString());
        s.SL_ByteOUT = QStringList(s.ByteOUT, QStringLiteral("None"));
        s.SL_ByteOUT_M = QStringList(s.ByteOUT, QString());
        slaves.push_back(std::move(s));
        texts.push_back(row);
    }
    Texts = std::move(texts);
    return slaves;
}

void Read_Offsets(const QString& path, std::vector<TSlave_DN>& Slaves)
{
    if (!FileExists(path))
        return;
    TXmlDocument doc;
    doc.LoadFromFile(path);
    const std::vector<TXmlElement> nodes = Root_Of(doc, path).Children();
    const size_t n = std::min(nodes.size(), Slaves.size());
    for (size_t k = 0; k < n; ++k) {
        TSlave_DN& s = Slaves[k];
        Read_Side(path, int(k) + 1, nodes[k], "ByteIN", s.ByteIN, s.SL_ByteIN, s.SL_ByteIN_M);
        Read_Side(path, int(k) + 1, nodes[k], "ByteOUT", s.ByteOUT, s.SL_ByteOUT, s.SL_ByteOUT_M);
    }
}

void Write_Offsets(const QString& path, const std::vector<TSlave_DN>& Slaves)
{
    TXmlDocument doc;
    TXmlElement root = doc.CreateRoot("Define_Offset");
    doc.AddComment("SW_VERSION = 1.000");
    for (const TSlave_DN& s : Slaves) {
        TXmlElement nodo = root.AddChild("Nodo_DNET");
        Write_Side(nodo, "ByteIN", s.SL_ByteIN, s.SL_ByteIN_M);
        Write_Side(nodo, "ByteOUT", s.SL_ByteOUT, s.SL_ByteOUT_M);
    }
    // Atomic: a failed write leaves the old file whole, and the error names the file.
    doc.SaveToFile(path);
}

std::optional<TOffsetConflict> Find_Output_Conflict(const std::vector<TSlave_DN>& Slaves,
                                                    TCheck_Byte_Offset& Check)
{
    for (const TSlave_DN& s : Slaves)
        for (qsizetype i = 0; i < s.SL_ByteOUT.size(); ++i) {
            const int offset = StrToIntDef(s.SL_ByteOUT[i], -1);
            // Only an edited file holds an offset past the image: it takes no image byte.
            if (offset < 0 || offset >= Image_Bytes)
                continue;
            const TByteOwner here{s.ID, int(i)};
            if (Check[size_t(offset)].ID >= 0)
                return TOffsetConflict{Check[size_t(offset)], here};
            Check[size_t(offset)] = here;
        }
    return std::nullopt;
}

QString Conflict_Text(const TOffsetConflict& Conflict)
{
    return Lang_Text(3021) + "\n\r( " + Lang_Text(3022) + QString::number(Conflict.First.ID) +
           Lang_Text(3023) + QString::number(Conflict.First.Byte) + Lang_Text(3024) +
           QString::number(Conflict.Second.ID) + Lang_Text(3025) + QString::number(Conflict.Second.Byte) +
           ")";
}

} // namespace dnetoffset

namespace
{

using namespace dnetoffset;

constexpr int Client_Width = 482, Client_Height = 610;
constexpr int Panel1_Height = 162;
constexpr int Splitter_Height = 4;
constexpr int Min_Panel_Height = 40; // what the splitter leaves of either panel
constexpr int Row_Height = 22;
constexpr TColor Active_Cell_Color = 0xEACAB6;
constexpr TColor Cyan = 0xFEFAE0, Pink = 0xF4D6FC;
constexpr int Font_Height_8pt = -11;

void Set_Font(TFont* font, const char* name, bool bold)
{
    font->Name = name;
    font->Height = Font_Height_8pt;
    font->Style = bold ? TFontStyles(fsBold) : TFontStyles();
}

TPanel* Make_Panel(TForm* form, const char* name, TAlign align)
{
    auto* p = new TPanel(form);
    p->SetName(name);
    p->SetParent(form);
    p->SetBevelOuter(bvNone);
    p->SetParentColor(true);
    p->SetBorderWidth(4);
    p->SetAlign(align);
    return p;
}

TLabel* Make_Top_Label(TForm* form, TWinControl* parent, const char* name, int top)
{
    TLabel* l = Make_Label(form, parent, name, 4, top);
    l->SetAlign(alTop);
    return l;
}

// A table of the family's look: header row fixed (also when it is the only row), row height 22,
// Verdana cells, bold Tahoma headers, the active cell on light blue.
TExtColumnGrid* Make_Grid(TForm* form, TWinControl* parent, const char* name, int cols, int fixed_cols)
{
    auto* g = new TExtColumnGrid(form);
    g->SetName(name);
    g->SetParent(parent);
    g->SetAlign(alClient);
    g->SetParentFont(false);
    Set_Font(g->Font, "Verdana", false);
    Set_Font(g->FixedFont(), "Tahoma", true);
    Set_Font(g->ActiveCellFont(), "Tahoma", true);
    g->ActiveCellShow = true;
    g->ActiveCellColor = Active_Cell_Color;
    g->SetHoverRow(true);
    g->MouseActions()->AutoSizeColOnDblClick = false;
    g->SetDefaultRowHeight(Row_Height);
    g->SetFixedRowAlways(true);
    g->SetColCount(cols);
    g->SetRowCount(1);
    g->SetFixedRows(1);
    g->SetFixedCols(fixed_cols);
    for (int c = 0; c < cols; ++c) {
        TGridColumnItem* item = g->Columns()->Items(c);
        item->SetFont(g->Font);
        item->SetHeaderFont(g->FixedFont());
    }
    return g;
}

// Byte, Offset (the list filled at every show), Mnemonic.
TExtColumnGrid* Make_Byte_Grid(TForm* form, TWinControl* parent, const char* name)
{
    TExtColumnGrid* g = Make_Grid(form, parent, name, 3, 1);
    g->SetOptions(g->Options() | goColSizing | goEditing);
    const int widths[] = {60, 110, 240};
    for (int c = 0; c < 3; ++c)
        g->Columns()->Items(c)->SetWidth(widths[c]);
    g->Columns()->Items(1)->SetColor(Pink);
    g->Columns()->Items(1)->SetEditor(edComboList);
    g->Columns()->Items(2)->SetColor(clWhite);
    return g;
}

QStringList Offset_Items(int MAX_Byte)
{
    QStringList items;
    items.reserve(MAX_Byte + 1);
    items << "None";
    for (int i = 0; i < MAX_Byte; ++i)
        items << QString::number(i);
    return items;
}

void Show_Bytes(TExtColumnGrid* g, const QStringList& offsets, const QStringList& mnemonics)
{
    g->HideInplaceEdit();
    g->BeginUpdate();
    g->SetRowCount(int(offsets.size()) + 1);
    for (int i = 0; i < int(offsets.size()); ++i) {
        g->SetCells(0, i + 1, QString::number(i));
        g->SetCells(1, i + 1, offsets[i]);
        g->SetCells(2, i + 1, mnemonics.value(i));
    }
    g->EndUpdate();
}

void Store_Bytes(TExtColumnGrid* g, QStringList& offsets, QStringList& mnemonics)
{
    g->HideInplaceEdit();
    const int n = std::min(g->RowCount() - 1, int(offsets.size()));
    for (int r = 1; r <= n; ++r) {
        offsets[r - 1] = g->Cells(1, r);
        mnemonics[r - 1] = g->Cells(2, r);
    }
}

} // namespace

TFDefOffset::TFDefOffset(TComponent* AOwner) : TForm(AOwner)
{
    SetName("FDefOffset");
    Set_Form_Look(this, true);
    SetBorderIcons(biSystemMenu | biMinimize | biMaximize);
    Make_Dialog_Frame(this, *this);

    Btn_OK = Make_Button(this, P_Button, "Btn_OK", TButtonRole::Command, 16, 6, Dialog_Button_Width,
                         Dialog_Button_Height);
    Set_Button_Glyph(Btn_OK, TShellGlyph::OK);
    Btn_Cancel = Make_Button(this, P_Button, "Btn_Cancel", TButtonRole::Command, 134, 6, Dialog_Button_Width,
                             Dialog_Button_Height);
    Set_Button_Glyph(Btn_Cancel, TShellGlyph::Cancel);
    Btn_Cancel->SetModalResult(mrCancel);

    Panel1 = Make_Panel(this, "Panel1", alTop);
    Panel1->SetTop(Title_Panel_Height);
    Panel1->SetHeight(Panel1_Height);
    Label1 = Make_Top_Label(this, Panel1, "Label1", 0);
    ACG_DN_Slaves = Make_Grid(this, Panel1, "ACG_DN_Slaves", 4, 0);
    ACG_DN_Slaves->SetOptions(ACG_DN_Slaves->Options() | goColSizing);
    const int widths[] = {90, 100, 100, 150};
    const TColor colors[] = {Cyan, Pink, Pink, clWhite};
    for (int c = 0; c < 4; ++c) {
        TGridColumnItem* item = ACG_DN_Slaves->Columns()->Items(c);
        item->SetWidth(widths[c]);
        item->SetColor(colors[c]);
        item->ReadOnly = true;
    }

    Panel3 = Make_Panel(this, "Panel3", alClient);
    // Dragged, it gives the slave panel the height the mouse says, leaving each side some room.
    Splitter1 = new TSplitter(this);
    Splitter1->MinSize = Min_Panel_Height;
    Splitter1->SetName("Splitter1");
    Splitter1->SetParent(this);
    Splitter1->SetBounds(0, Title_Panel_Height + Panel1_Height, Client_Width, Splitter_Height);
    Splitter1->SetAlign(alTop);
    Label2 = Make_Top_Label(this, Panel3, "Label2", 0);
    Label3 = Make_Top_Label(this, Panel3, "Label3", 20);
    PageControl1 = new TPageControl(this);
    PageControl1->SetName("PageControl1");
    PageControl1->SetParent(Panel3);
    PageControl1->SetAlign(alClient);
    TabSheet1 = new TTabSheet(this);
    TabSheet1->SetName("TabSheet1");
    TabSheet1->SetPageControl(PageControl1);
    ACG_ByteIN = Make_Byte_Grid(this, TabSheet1, "ACG_ByteIN");
    TabSheet2 = new TTabSheet(this);
    TabSheet2->SetName("TabSheet2");
    TabSheet2->SetPageControl(PageControl1);
    ACG_ByteOUT = Make_Byte_Grid(this, TabSheet2, "ACG_ByteOUT");

    Btn_OK->OnClick = [this](TObject* Sender) { bitbtn1Click(Sender); };
    ACG_DN_Slaves->OnClick = [this](TObject* Sender) { ACG_DN_SlavesClick(Sender); };
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    FormCreate();
}

TFDefOffset::~TFDefOffset()
{
    if (FDefOffset == this)
        FDefOffset = nullptr;
}

void TFDefOffset::FormCreate()
{
    L_SW_Code->SetCaption(SW_Code);
    SetClientWidth(Client_Width);
    SetClientHeight(Client_Height);
    PageControl1->SetActivePage(TabSheet1);
    Set_Lang();
}

void TFDefOffset::Set_Lang()
{
    SetCaption(Lang_Text(3000));
    L_SW_Desc->SetCaption(Lang_Text(3001));
    Btn_OK->SetCaption(Lang_Text(3002));
    Btn_Cancel->SetCaption(Lang_Text(3003));
    Btn_OK->SetHint(Lang_Text(3004));
    Btn_Cancel->SetHint(Lang_Text(3005));
    Btn_OK->SetShowHint(true);
    Btn_Cancel->SetShowHint(true);
    TabSheet1->SetCaption(Lang_Text(3006));
    TabSheet2->SetCaption(Lang_Text(3007));
    Label1->SetCaption(Lang_Text(3008));
    Label2->SetCaption(Lang_Text(3009));
    Label3->SetCaption(Lang_Text(3010));
    const std::pair<TExtColumnGrid*, int> headers[] = {
        {ACG_DN_Slaves, 3011}, {ACG_ByteIN, 3015}, {ACG_ByteOUT, 3018}};
    for (const auto& [grid, first] : headers)
        for (int c = 0; c < grid->ColCount(); ++c)
            grid->Columns()->Items(c)->SetHeader(Lang_Text(first + c));
}

void TFDefOffset::FormShow(TObject*)
{
    List_Slaves_DN.clear();
    MAX_BYTE_IN = MAX_BYTE_OUT = Image_Bytes;
    const std::pair<TExtColumnGrid*, int> lists[] = {{ACG_ByteIN, MAX_BYTE_IN}, {ACG_ByteOUT, MAX_BYTE_OUT}};
    for (const auto& [grid, bytes] : lists) {
        TStringList* items = grid->Columns()->Items(1)->ComboItems();
        items->Clear();
        items->AddStrings(Offset_Items(bytes));
    }
    Slave_Before_Select = -1;
    Load_Slave_DN();
    Load_Offset_Slave_DN();
    Select_First();
}

void TFDefOffset::Load_Slave_DN()
{
    // Read whole before the grid changes: a faulty list raises and the form does not open.
    std::vector<QStringList> texts;
    std::vector<TSlave_DN> slaves = Read_Slave_List(File_DNETM_Net, texts);
    ACG_DN_Slaves->BeginUpdate();
    ACG_DN_Slaves->SetRowCount(1);
    ACG_DN_Slaves->SetRowCount(int(texts.size()) + 1);
    for (int r = 0; r < int(texts.size()); ++r)
        for (int c = 0; c < 4; ++c)
            ACG_DN_Slaves->SetCells(c, r + 1, texts[size_t(r)][c]);
    ACG_DN_Slaves->EndUpdate();
    List_Slaves_DN = std::move(slaves);
}

void TFDefOffset::Load_Offset_Slave_DN()
{
    Read_Offsets(File_DNETM_DefOff, List_Slaves_DN);
}

void TFDefOffset::Select_First()
{
    if (List_Slaves_DN.empty()) {
        ACG_ByteIN->SetRowCount(1);
        ACG_ByteOUT->SetRowCount(1);
        return;
    }
    ACG_DN_Slaves->FocusCell(0, 1);
    ACG_DN_SlavesClick(ACG_DN_Slaves);
}

void TFDefOffset::ACG_DN_SlavesClick(TObject*)
{
    const int row = ACG_DN_Slaves->Row();
    if (row < 1 || row > int(List_Slaves_DN.size()))
        return;
    if (Slave_Before_Select >= 0)
        Save_Data_ByteIN_ByteOUT();
    ACG_DN_Slaves->SelectRows(row, 1);
    Slave_Before_Select = row - 1;
    Update_Slave_DN();
}

void TFDefOffset::Update_Slave_DN()
{
    const TSlave_DN& s = List_Slaves_DN.at(size_t(Slave_Before_Select));
    Show_Bytes(ACG_ByteIN, s.SL_ByteIN, s.SL_ByteIN_M);
    Show_Bytes(ACG_ByteOUT, s.SL_ByteOUT, s.SL_ByteOUT_M);
}

bool TFDefOffset::Save_Data_ByteIN_ByteOUT()
{
    TSlave_DN& s = List_Slaves_DN.at(size_t(Slave_Before_Select));
    Store_Bytes(ACG_ByteIN, s.SL_ByteIN, s.SL_ByteIN_M);
    Store_Bytes(ACG_ByteOUT, s.SL_ByteOUT, s.SL_ByteOUT_M);
    return true;
}

void TFDefOffset::Reset_Array_Check()
{
    Check_Byte_Offset.fill(TByteOwner{});
}

bool TFDefOffset::Check_Data()
{
    Reset_Array_Check();
    const std::optional<TOffsetConflict> conflict = Find_Output_Conflict(List_Slaves_DN, Check_Byte_Offset);
    if (conflict)
        MessageDlg(Conflict_Text(*conflict), mtError, mbOK);
    return !conflict;
}

void TFDefOffset::Save_Offset_Slave_DN()
{
    Write_Offsets(File_DNETM_DefOff, List_Slaves_DN);
}

void TFDefOffset::bitbtn1Click(TObject*)
{
    if (Slave_Before_Select >= 0)
        Save_Data_ByteIN_ByteOUT();
    if (!Check_Data())
        return;
    Save_Offset_Slave_DN();
    SetModalResult(mrOk);
}
