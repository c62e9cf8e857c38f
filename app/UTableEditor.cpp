#include "app/UTableEditor.h"

#include "app/UGlobals.h"
#include "app/ULang.h"
#include "app/UTableRows.h"
#include "grid/core/ExtCGrid.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/Interaction.h"
#include "platform/core/SysUtils.h"

#include <algorithm>

namespace
{

// The family's look of the table editors.
constexpr int Button_Top = 6, Button_Left = 16, Button_Step = 118;
constexpr TColor Active_Cell_Color = 0xEACAB6;
constexpr const char* Cell_Font = "Verdana";
constexpr const char* Fixed_Font = "Tahoma";
constexpr int Font_Height_8pt = -11;

void Set_Font(TFont* font, const char* name, bool bold)
{
    font->Name = name;
    font->Height = Font_Height_8pt;
    font->Style = bold ? TFontStyles(fsBold) : TFontStyles();
}

// The file's name for messages that name where a fault is.
QString Where(const QString& path, const char* section)
{
    return section ? QString("%1: %2").arg(path, QLatin1String(section)) : path;
}

} // namespace

TTableEditor::TTableEditor(TComponent* AOwner, const TEditorSpec& Spec) : TForm(AOwner), FSpec(Spec)
{
    BeginLoading();
    SetName(QLatin1String(Spec.Name));
    Set_Form_Look(this, true);
    if (Spec.Form_Font)
        Font->Name = QLatin1String(Spec.Form_Font);
    SetBorderIcons(biSystemMenu | biMinimize | biMaximize);
    Make_Dialog_Frame(this, *this);
    Make_Buttons();

    FTables.resize(Spec.Tables.size());
    if (FTables.size() > 1) {
        PageControl1 = new TPageControl(this);
        PageControl1->SetName("PageControl1");
        PageControl1->SetParent(this);
        PageControl1->SetAlign(alClient);
    }
    for (size_t i = 0; i < FTables.size(); ++i) {
        TTableView& view = FTables[i];
        view.Spec = &Spec.Tables[i];
        TWinControl* parent = this;
        if (PageControl1) {
            view.Tab = new TTabSheet(this);
            view.Tab->SetName(QLatin1String(view.Spec->Tab_Name));
            view.Tab->SetPageControl(PageControl1);
            parent = view.Tab;
        }
        Make_Table(view, parent);
    }
    EndLoading();

    OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TTableEditor::~TTableEditor() = default;

void TTableEditor::Make_Buttons()
{
    TFadeButton** buttons[] = {&Btn_OK, &Btn_Cancel, &Btn_DelRow, &Btn_InsRow, &Btn_CopyRow, &Btn_PasteRow};
    const char* names[] = {"Btn_OK", "Btn_Cancel", "Btn_DelRow", "Btn_InsRow", "Btn_CopyRow", "Btn_PasteRow"};
    for (int i = 0; i < 6; ++i)
        *buttons[i] =
            Make_Button(this, P_Button, names[i], TButtonRole::Command, Button_Left + Button_Step * i,
                        Button_Top, Dialog_Button_Width, Dialog_Button_Height);
    Set_Button_Glyph(Btn_OK, TShellGlyph::OK);
    Set_Button_Glyph(Btn_Cancel, TShellGlyph::Cancel);
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_OK->OnClick = [this](TObject* Sender) { Btn_OKClick(Sender); };
    Btn_DelRow->OnClick = [this](TObject* Sender) { Btn_DelRowClick(Sender); };
    Btn_InsRow->OnClick = [this](TObject* Sender) { Btn_InsRowClick(Sender); };
    Btn_CopyRow->OnClick = [this](TObject* Sender) { Btn_CopyRowClick(Sender); };
    Btn_PasteRow->OnClick = [this](TObject* Sender) { Btn_PasteRowClick(Sender); };
}

void TTableEditor::Make_Table(TTableView& View, TWinControl* Parent)
{
    const TEditorTable& spec = *View.Spec;
    if (spec.Check_Boxes) {
        View.String_Grid = new TExtStringGrid(this);
        View.String_Grid->SetName(QLatin1String(spec.Grid_Name));
        View.String_Grid->SetParent(Parent);
        Init_Table(View);
        return;
    }
    auto* g = new TExtColumnGrid(this);
    View.Grid = g;
    View.String_Grid = g;
    g->SetName(QLatin1String(spec.Grid_Name));
    g->SetParent(Parent);
    g->SetAlign(alClient);
    g->SetParentFont(false);
    Set_Font(g->Font, Cell_Font, false);
    Set_Font(g->FixedFont(), Fixed_Font, true);
    Set_Font(g->ActiveCellFont(), Fixed_Font, true);
    g->ActiveCellShow = true;
    g->ActiveCellColor = Active_Cell_Color;
    g->SetHoverRow(true);
    g->SetOptions(g->Options() | goRangeSelect | goColSizing | goEditing);
    // A header double click sizes a column only through the user's option.
    g->MouseActions()->AutoSizeColOnDblClick = false;
    g->SetDefaultRowHeight(spec.Row_Height);
    g->SetColCount(int(spec.Columns.size()));
    g->SetRowCount(spec.Data_Rows + 1);
    g->SetFixedRows(1);
    g->SetFixedCols(1);

    for (int c = 0; c < int(spec.Columns.size()); ++c) {
        const TEditorColumn& col = spec.Columns[size_t(c)];
        TGridColumnItem* item = g->Columns()->Items(c);
        if (col.Font) {
            TFont font;
            font.Assign(g->Font);
            font.Name = QLatin1String(col.Font);
            item->SetFont(&font);
        } else {
            item->SetFont(g->Font);
        }
        item->SetHeaderFont(g->FixedFont());
        item->SetWidth(col.Width);
        item->SetColor(col.Color);
        item->SetEditor(col.Editor);
        item->ReadOnly = col.Read_Only;
        item->SetAlignment(col.Alignment);
        for (const char* text : col.Items)
            item->ComboItems()->Add(QString::fromUtf8(text));
    }
    // Hidden last: hiding moves no item, the records keep their real indexes.
    for (int c = int(spec.Columns.size()) - 1; c > 0; --c)
        if (spec.Columns[size_t(c)].Hidden)
            g->HideColumn(c);

    Bind_Grid_Events(View);
}

// The string-grid variant's table: counts, widths, row heights and numbers, the check boxes of
// column 1 and each cell's colour and alignment, in code (the headers come with Set_Lang).
void TTableEditor::Init_Table(TTableView& View)
{
    const TEditorTable& spec = *View.Spec;
    TExtStringGrid* g = View.String_Grid;
    g->SetAlign(alClient);
    g->SetParentFont(false);
    Set_Font(g->Font, Cell_Font, false);
    Set_Font(g->FixedFont(), Fixed_Font, true);
    Set_Font(g->ActiveCellFont(), Fixed_Font, true);
    g->ActiveCellShow = true;
    g->ActiveCellColor = Active_Cell_Color;
    g->SetHoverRow(true);
    g->SetOptions(g->Options() | goRangeSelect | goColSizing | goEditing);
    g->MouseActions()->AutoSizeColOnDblClick = false;
    g->SetColCount(int(spec.Columns.size()));
    g->SetRowCount(spec.Data_Rows + 1);
    g->SetFixedRows(1);
    g->SetFixedCols(1);
    for (int c = 0; c < int(spec.Columns.size()); ++c)
        g->SetColWidths(c, spec.Columns[size_t(c)].Width);
    g->AddCheckBoxColumn(1, false, false);
    for (int r = 0; r < g->RowCount(); ++r) {
        g->SetRowHeights(r, spec.Row_Height);
        if (r == 0)
            continue;
        g->SetCells(0, r, QString::number(r));
        for (int c = 1; c < int(spec.Columns.size()); ++c) {
            TCellProperties* p = g->GetCellProperties(c, r);
            p->SetBrushColor(spec.Columns[size_t(c)].Color);
            p->SetAlignment(c == 1 ? taCenter : spec.Columns[size_t(c)].Alignment);
        }
    }
    Bind_Grid_Events(View);
}

void TTableEditor::Bind_Grid_Events(TTableView& View)
{
    const TEditorTable& spec = *View.Spec;
    TExtStringGrid* g = View.String_Grid;
    if (spec.Select_On_Click)
        g->OnClickCell = [this](TObject* Sender, int ARow, int ACol) { ClickCell(Sender, ARow, ACol); };
    g->OnDblClickCell = [this](TObject* Sender, int ARow, int ACol) { DblClickCell(Sender, ARow, ACol); };
    g->OnKeyPress = [this](TObject* Sender, char16_t& Key) { KeyPress(Sender, Key); };
    // A table without header hints leaves the grid's own hints alone.
    const bool hints = std::any_of(spec.Columns.begin(), spec.Columns.end(),
                                   [](const TEditorColumn& c) { return c.Hint >= 0; });
    if (hints)
        g->OnGridHint = [this](TObject* Sender, int ARow, int ACol, QString& hint) {
            GridHint(Sender, ARow, ACol, hint);
        };
}

void TTableEditor::FormCreate()
{
    L_SW_Code->SetCaption(SW_Code);
    SetClientWidth(FSpec.Client_Width);
    SetClientHeight(FSpec.Client_Height);
    if (PageControl1)
        PageControl1->SetActivePageIndex(0);
    Set_Lang();
}

void TTableEditor::Set_Lang()
{
    SetCaption(Lang_Text(FSpec.Caption));
    L_SW_Desc->SetCaption(Lang_Text(FSpec.Desc));
    TFadeButton* buttons[] = {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow};
    for (int i = 0; i < 6; ++i) {
        const TEditorButtonText& b = FSpec.Buttons[i];
        buttons[i]->SetCaption(b.Caption >= 0 ? Lang_Text(b.Caption) : QString::fromUtf8(b.Fixed));
        if (b.Hint >= 0)
            buttons[i]->SetHint(Lang_Text(b.Hint));
        buttons[i]->SetShowHint(b.Show_Hint);
    }
    for (TTableView& t : FTables) {
        if (t.Tab && t.Spec->Tab_Caption >= 0)
            t.Tab->SetCaption(Lang_Text(t.Spec->Tab_Caption));
        const auto& cols = t.Spec->Columns;
        for (int c = 0; c < int(cols.size()); ++c)
            if (cols[size_t(c)].Header < 0)
                continue;
            else if (t.Grid)
                t.Grid->Columns()->Items(c)->SetHeader(Lang_Text(cols[size_t(c)].Header));
            else
                t.String_Grid->SetCells(c, 0, Lang_Text(cols[size_t(c)].Header));
        Fill_Hints(t);
    }
}

void TTableEditor::Fill_Hints(TTableView& T)
{
    T.Hints.clear();
    bool any_hint = false;
    const auto& cols = T.Spec->Columns;
    for (int c = 1; c < int(cols.size()); ++c) {
        any_hint = any_hint || cols[size_t(c)].Hint >= 0;
        T.Hints << (cols[size_t(c)].Hint >= 0 ? Lang_Text(cols[size_t(c)].Hint) : QString());
    }
    if (!any_hint)
        T.Hints.clear();
}

// ---- Show --------------------------------------------------------------------------------------------

std::vector<TTableEditor::TLoadedRows> TTableEditor::Read_File()
{
    std::vector<TLoadedRows> tables(FTables.size());
    const QString path = *FSpec.File.Path;
    if (!FileExists(path))
        return tables;
    XML1.LoadFromFile(path);
    const TXmlElement root = XML1.Root();
    for (size_t i = 0; i < FTables.size(); ++i) {
        const TEditorTable& spec = *FTables[i].Spec;
        TXmlElement parent = root;
        if (spec.Section) {
            parent = root.Child(QLatin1String(spec.Section));
            if (parent.IsNull())
                throw EXmlError(QString("%1: element %2 missing").arg(path, QLatin1String(spec.Section)));
        }
        // Element children only: a comment or text under the parent is no row.
        const std::vector<TXmlElement> rows =
            spec.Any_Row_Name ? parent.Children() : parent.Children(QLatin1String(spec.Row_Element));
        // Rows beyond the table are not read at all: they could never be shown or saved again.
        const size_t n = std::min(rows.size(), size_t(spec.Data_Rows));
        for (size_t r = 0; r < n; ++r) {
            QStringList texts;
            for (const TEditorColumn& col : spec.Columns) {
                if (!col.Attribute) {
                    texts << QString::fromUtf8(col.New_Text);
                    continue;
                }
                const QString name = QLatin1String(col.Attribute);
                const bool present = rows[r].HasAttribute(name);
                const QString value = present ? rows[r].Attribute(name) : QString();
                if (present && !(value.isEmpty() && col.Empty_Is_Missing && col.Missing))
                    texts << value;
                else if (!present && col.Missing_From_Row)
                    texts << col.Missing_From_Row(texts);
                else if (col.Missing)
                    texts << QString::fromUtf8(col.Missing);
                else
                    throw EXmlError(QString("%1, row %2: attribute %3 missing")
                                        .arg(Where(path, spec.Section))
                                        .arg(r + 1)
                                        .arg(name));
            }
            Read_Row(FTables[i], rows[r], texts);
            tables[i].push_back(texts);
        }
    }
    return tables;
}

void TTableEditor::Put(TTableView& T, int ACol, int ARow, const QString& Text)
{
    if (T.Spec->Check_Boxes && ACol == 1)
        T.String_Grid->SetCheckBoxState(1, ARow, Text != "N");
    else
        T.String_Grid->SetCells(ACol, ARow, Text);
}

void TTableEditor::Clear_Rows(TTableView& T)
{
    TExtStringGrid* g = T.String_Grid;
    const int total = g->ColCount() + g->NumHiddenColumns();
    for (int r = 1; r < g->RowCount(); ++r) {
        g->SetCells(0, r, QString::number(r));
        for (int c = 1; c < total; ++c)
            Put(T, c, r,
                c < int(T.Spec->Columns.size()) ? QString::fromUtf8(T.Spec->Columns[size_t(c)].New_Text)
                                                : QString());
    }
}

void TTableEditor::FormShow(TObject*)
{
    // Everything is read before a cell changes: a faulty file leaves the form as it was.
    const std::vector<TLoadedRows> loaded = Read_File();
    for (TTableView& t : FTables) {
        t.String_Grid->BeginUpdate();
        Clear_Rows(t);
    }
    try {
        Fill_Lists();
    } catch (...) {
        for (TTableView& t : FTables)
            t.String_Grid->EndUpdate();
        throw;
    }
    for (size_t i = 0; i < FTables.size(); ++i) {
        TExtStringGrid* g = FTables[i].String_Grid;
        for (size_t r = 0; r < loaded[i].size(); ++r) {
            QStringList texts = loaded[i][r];
            Load_Row(FTables[i], int(r) + 1, texts);
            for (int c = 1; c < int(texts.size()); ++c)
                Put(FTables[i], c, int(r) + 1, texts[c]);
        }
        g->EndUpdate();
        FTables[i].Do_Copy = false;
    }
    if (PageControl1)
        PageControl1->SetActivePageIndex(0);
    for (TTableView& t : FTables)
        if (t.Spec->Focus_On_Show && t.String_Grid->CanFocus()) {
            t.String_Grid->SetFocus();
            break;
        }
}

// ---- Rows --------------------------------------------------------------------------------------------

TTableEditor::TTableView& TTableEditor::Active_Table()
{
    if (PageControl1)
        for (TTableView& t : FTables)
            if (t.Tab == PageControl1->ActivePage())
                return t;
    return FTables.front();
}

int TTableEditor::Used_Rows(const TTableView& T)
{
    const TKeyRule rule = T.Spec->Key_Rule;
    if (rule == TKeyRule::None)
        return T.String_Grid->RowCount() - 1;
    if (rule == TKeyRule::Last_Trimmed) {
        int last = T.String_Grid->RowCount() - 1;
        while (last > 0 && Trim(T.String_Grid->Cells(T.Spec->Key_Col, last)).isEmpty())
            --last;
        return last;
    }
    int r = 1;
    for (; r < T.String_Grid->RowCount(); ++r) {
        const QString key = T.String_Grid->Cells(T.Spec->Key_Col, r);
        if (rule == TKeyRule::Enabled_Trimmed && !Row_Enabled(T, r))
            continue;
        if (rule == TKeyRule::Raw ? key.isEmpty() : Trim(key).isEmpty())
            break;
    }
    // The used rows end with the last one that has a key, as a table ending there always did.
    if (rule == TKeyRule::Enabled_Trimmed)
        while (r > 1 && Trim(T.String_Grid->Cells(T.Spec->Key_Col, r - 1)).isEmpty())
            --r;
    return r - 1;
}

bool Enabled_By(TEnableRule Rule, const QString& Enable_Cell)
{
    switch (Rule) {
    case TEnableRule::None:
        return true;
    case TEnableRule::Trimmed_Upper:
        return UpperCase(Trim(Enable_Cell)) == "Y";
    case TEnableRule::Upper:
        return UpperCase(Enable_Cell) == "Y";
    case TEnableRule::Exact:
    case TEnableRule::Check_Box:
        return Enable_Cell == "Y";
    }
    return true;
}

bool TTableEditor::Row_Enabled(const TTableView& T, int ARow)
{
    if (T.Spec->Enable_Rule == TEnableRule::Check_Box) {
        bool state = false;
        return T.String_Grid->GetCheckBoxState(T.Spec->Enable_Col, ARow, state) && state;
    }
    return Enabled_By(T.Spec->Enable_Rule, T.String_Grid->Cells(T.Spec->Enable_Col, ARow));
}

int TTableEditor::Cell_Int(TExtStringGrid* Grid, int ACol, int ARow, int Fallback)
{
    return StrToIntDef(Grid->Cells(ACol, ARow), Fallback);
}

void TTableEditor::Row_Error(const TTableView& T, int ARow, int Fault, const QString& Suffix)
{
    MessageDlg(Lang_Text(T.Spec->Error_Row_Text) + QString::number(ARow) + Lang_Text(Fault) + Suffix, mtError,
               mbOK);
}

void TTableEditor::End_Cell_Edit(TExtStringGrid* Grid)
{
    Grid->HideInplaceEdit();
}

void TTableEditor::Btn_CopyRowClick(TObject*)
{
    TTableView& t = Active_Table();
    End_Cell_Edit(t.String_Grid);
    if (t.Spec->Check_Boxes)
        Copy_Row_Check(t.String_Grid, t.String_Grid->Row());
    else
        Copy_Row(t.Grid, t.Grid->Row());
    for (TTableView& other : FTables)
        other.Do_Copy = &other == &t;
}

void TTableEditor::Btn_PasteRowClick(TObject*)
{
    TTableView& t = Active_Table();
    End_Cell_Edit(t.String_Grid);
    if (t.Spec->Check_Boxes)
        Paste_Row_Check(t.String_Grid, t.String_Grid->Row(), t.Do_Copy);
    else
        Paste_Row(t.Grid, t.Grid->Row(), t.Do_Copy);
}

void TTableEditor::Btn_InsRowClick(TObject*)
{
    TTableView& t = Active_Table();
    End_Cell_Edit(t.String_Grid);
    if (t.Spec->Check_Boxes)
        Ins_Row_Check(t.String_Grid->Row(), t.String_Grid, t.Spec->Enable_First);
    else
        Ins_Row(t.Grid->Row(), t.Grid, t.Spec->Enable_First);
}

void TTableEditor::Btn_DelRowClick(TObject*)
{
    TTableView& t = Active_Table();
    End_Cell_Edit(t.String_Grid);
    const int row = t.String_Grid->Row();
    if (t.Spec->Guarded_Delete && (row < 1 || row >= t.String_Grid->RowCount()))
        return;
    QString question = Lang_Text(t.Spec->Delete_Text);
    // Replaced as text: a language file's text never reaches a printf-style formatter.
    if (t.Spec->Delete_Style == TDeleteQuestion::Append_Number) {
        question += QString::number(row);
    } else {
        const qsizetype at = question.indexOf("%d");
        if (at >= 0)
            question.replace(at, 2, QString::number(row));
    }
    if (MessageDlg(question, mtConfirmation, mbYesNo) != mrYes)
        return;
    if (t.Spec->Check_Boxes)
        Del_Row_Check(row, t.String_Grid, t.Spec->Enable_First);
    else
        Del_Row(row, t.Grid);
}

// ---- Grid events -------------------------------------------------------------------------------------

TTableEditor::TTableView* TTableEditor::View_Of(TObject* Grid)
{
    for (TTableView& t : FTables)
        if (t.String_Grid == Grid)
            return &t;
    return nullptr;
}

void TTableEditor::ClickCell(TObject* Sender, int ARow, int ACol)
{
    if (TTableView* t = View_Of(Sender); t && ACol == 0)
        t->String_Grid->SelectRows(ARow, 1);
}

void TTableEditor::DblClickCell(TObject* Sender, int ARow, int ACol)
{
    if (TTableView* t = View_Of(Sender))
        Grid_Dbl_Click_Auto_Size(t->String_Grid, ARow, ACol);
}

void TTableEditor::KeyPress(TObject* Sender, char16_t& Key)
{
    if (TTableView* t = View_Of(Sender))
        Grid_Enter_Next_Cell(t->String_Grid, Key);
}

void TTableEditor::GridHint(TObject* Sender, int ARow, int ACol, QString& hintstr)
{
    TTableView* t = View_Of(Sender);
    if (!t)
        return;
    hintstr.clear();
    TExtStringGrid* g = t->String_Grid;
    const int c = g->NumHiddenColumns() > 0 ? g->RealColIndex(ACol) : ACol;
    if (ARow == 0 && c > 0 && c - 1 < t->Hints.size())
        hintstr = t->Hints[c - 1];
}

// ---- OK ----------------------------------------------------------------------------------------------

void TTableEditor::Btn_OKClick(TObject*)
{
    for (TTableView& t : FTables)
        End_Cell_Edit(t.String_Grid);
    if (!Controllo_dati())
        return;
    Save_File();
    SetModalResult(mrOk);
}

QString TTableEditor::Saved_Text(TTableView& T, int ACol, int ARow)
{
    if (T.Spec->Check_Boxes && ACol == 1) {
        bool state = false;
        return T.String_Grid->GetCheckBoxState(1, ARow, state) && state ? "Y" : "N";
    }
    return T.String_Grid->Cells(ACol, ARow);
}

void TTableEditor::Save_File()
{
    TXmlElement root = XML1.CreateRoot(QLatin1String(FSpec.File.Root));
    if (FSpec.File.Version_Comment)
        XML1.AddComment(QLatin1String(FSpec.File.Version_Comment));
    for (TTableView& t : FTables) {
        TXmlElement parent = t.Spec->Section ? root.AddChild(QLatin1String(t.Spec->Section)) : root;
        const int used = Used_Rows(t);
        for (int r = 1; r <= used; ++r) {
            TXmlElement row = parent.AddChild(QLatin1String(t.Spec->Row_Element));
            for (int c = 0; c < int(t.Spec->Columns.size()); ++c)
                if (const char* name = t.Spec->Columns[size_t(c)].Attribute)
                    row.SetAttribute(QLatin1String(name), Saved_Text(t, c, r));
        }
    }
    // Atomic: a failed write leaves the old file whole, and the error names the file.
    XML1.SaveToFile(*FSpec.File.Path);
}
