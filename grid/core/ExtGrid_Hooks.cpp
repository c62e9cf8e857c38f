// TExtStringGrid: the per-cell hooks with their events, the current cell, more cell views, row colours
// and cell controls.
#include "grid/base/CellText.h"
#include "grid/edit/GridCombo.h"
#include "grid/core/ExtGrid.h"

// ---- Look hooks ----------------------------------------------------------------------------------------

void TExtStringGrid::GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    if (ActiveCellShow) {
        const int d = DisplColIndex(ACol);
        if ((ARow == Row() && d == FixedCols() - 1 && FixedCols() > 0) ||
            (d == Col() && ARow == FixedRows() - 1 && FixedRows() > 0)) {
            AFont->Assign(*FActiveCellFont);
            ABrush->Color = ActiveCellColor;
        }
    }
    if (const TCellProperties* p = GridProps(ACol, ARow)) {
        // Cells without a cell object (the kinds painted as plain text) take their own background.
        if (p->BrushColor() != clNone && !p->GraphicObject())
            ABrush->Color = p->BrushColor();
        if (p->FontColor() != clNone)
            AFont->Color = p->FontColor();
        if (p->FontStyle() != 0)
            AFont->Style = p->FontStyle();
        if (p->FontSize() != 0)
            AFont->Size = p->FontSize();
        if (!p->FontName().isEmpty())
            AFont->Name = p->FontName();
    }
    if (OnGetCellColor)
        OnGetCellColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TExtStringGrid::GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush,
                                       TFont* AFont)
{
    if (OnGetCellPrintColor)
        OnGetCellPrintColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TExtStringGrid::GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders)
{
    // Group header rows are underlined and summary rows topped, column 0 (the node) excepted.
    if (ACol > 0 && FGrouping->HeaderUnderline && IsNode(ARow)) {
        Borders = TCellBorders{cbBottom};
        APen->Color = FGrouping->HeaderLineColor;
        APen->Width = FGrouping->HeaderLineWidth;
    }
    if (ACol > 0 && FGrouping->SummaryLine && IsSummary(ARow)) {
        Borders = TCellBorders{cbTop};
        APen->Color = FGrouping->SummaryLineColor;
        APen->Width = FGrouping->SummaryLineWidth;
    }
    if (OnGetCellBorder)
        OnGetCellBorder(this, ARow, ACol, APen, Borders);
}

void TExtStringGrid::GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders)
{
    if (OnGetCellPrintBorder)
        OnGetCellPrintBorder(this, ARow, ACol, APen, Borders);
}

void TExtStringGrid::GetAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
    if (ACol == 0 && FMouseActions->HotmailRowSelect())
        HAlign = taCenter;
    if (OnGetAlignment)
        OnGetAlignment(this, ARow, ACol, HAlign, VAlign);
}

void TExtStringGrid::GetFormat(int ACol, TSortStyle& AStyle, QString& aPrefix, QString& aSuffix)
{
    if (OnGetFormat)
        OnGetFormat(this, ACol, AStyle, aPrefix, aSuffix);
}

// ---- Editor kind hooks ---------------------------------------------------------------------------------

void TExtStringGrid::QueryEditorType(int ACol, int ARow, TEditorType& AEditor)
{
    if (OnGetEditorType)
        OnGetEditorType(this, ACol, ARow, AEditor);
}

void TExtStringGrid::GetCellEditorType(int ACol, int ARow, TEditorType& AEditor)
{
    if (OnGetEditorType)
        OnGetEditorType(this, ACol, ARow, AEditor);
}

bool TExtStringGrid::IsEditorNone(int ACol, int ARow)
{
    if (!OnGetEditorType)
        return false;
    TEditorType editor = edNormal;
    OnGetEditorType(this, ACol, ARow, editor);
    return editor == edNone;
}

void TExtStringGrid::DoIsPasswordCell(int ACol, int ARow, bool& IsPassword)
{
    if (OnIsPasswordCell)
        OnIsPasswordCell(this, ARow, ACol, IsPassword);
}

bool TExtStringGrid::HasComboBox(int ACol, int ARow)
{
    bool has = false;
    if (OnHasComboBox) {
        OnHasComboBox(this, ACol, ARow, has);
        return has;
    }
    if (!FControlLook->DropDownAlwaysVisible())
        return false;
    TEditorType editor = DefaultEditor;
    TGridCombo::EditorTypeKeepingList(this, ACol, ARow, editor);
    return editor == edComboEdit || editor == edComboList;
}

bool TExtStringGrid::HasSpinEdit(int ACol, int ARow)
{
    if (ACol < FixedCols() || ARow < FixedRows())
        return false;
    bool has = false;
    if (OnHasSpinEdit) {
        OnHasSpinEdit(this, ACol, ARow, has);
        return has;
    }
    if (!FControlLook->SpinButtonsAlwaysVisible())
        return false;
    TEditorType editor = DefaultEditor;
    QueryEditorType(ACol, ARow, editor);
    return editor == edSpinEdit || editor == edFloatSpinEdit || editor == edTimeSpinEdit ||
           editor == edDateSpinEdit;
}

// ---- Event relays --------------------------------------------------------------------------------------

TCursor TExtStringGrid::DoGetCellCursor(int ACol, int ARow, int X, int Y)
{
    TCursor cursor = Cursor();
    if (OnGetCellCursor) {
        OnGetCellCursor(this, ACol, ARow, X, Y, cursor);
        SetCursor(cursor);
    }
    return cursor;
}

void TExtStringGrid::DoGridHint(int ACol, int ARow, QString& HintStr, QString& WideHintStr)
{
    if (OnGridHint)
        OnGridHint(this, ARow, ACol, HintStr);
    if (OnGridWideHint) {
        OnGridWideHint(this, ARow, ACol, WideHintStr);
        if (!WideHintStr.isEmpty())
            HintStr = EncodeWideText(WideHintStr);
    }
}

void TExtStringGrid::DoSearchFooterAction(const QString& Value, int ACol, int ARow,
                                          TSearchAction SearchAction)
{
    if (OnSearchFooterAction)
        OnSearchFooterAction(this, Value, ACol, ARow, SearchAction);
}

void TExtStringGrid::DoButtonClick(int ACol, int ARow)
{
    if (OnButtonClick)
        OnButtonClick(this, ACol, ARow);
}

void TExtStringGrid::DoExpandClick(int ACol, int ARow, bool Expanded)
{
    if (OnExpandClick)
        OnExpandClick(this, ACol, ARow, Expanded);
    SetRowHeights(ARow, GetExpandHeight(ACol, ARow, Expanded));
}

void TExtStringGrid::DoComboCloseUp(int ARow, int ACol)
{
    if (OnComboCloseUp)
        OnComboCloseUp(this, ARow, ACol);
}

void TExtStringGrid::DoComboDropDown(int ARow, int ACol)
{
    if (OnComboDropDown)
        OnComboDropDown(this, ARow, ACol);
}

void TExtStringGrid::StoreOldCell(int ACol, int ARow)
{
    FOldCol = ACol;
    FOldRow = ARow;
    const int real = RealColIndex(ACol);
    FOldCellText = GetGridCell(real, ARow);
    FOldCellTextWide = DecodeWideText(FOldCellText);
    FOldModifiedValue = FModified;
}

// ---- Current cell --------------------------------------------------------------------------------------

QString TExtStringGrid::GetCurrentCellText()
{
    const TPoint b = BaseCell(RealCol(), Row());
    return GetGridCell(b.X, b.Y);
}

void TExtStringGrid::SetCurrentCellText(const QString& Value)
{
    const TPoint b = BaseCell(RealCol(), Row());
    SetCellEx(b.X, b.Y, Value);
}

QString TExtStringGrid::GetCurrentBaseCell()
{
    const TPoint b = BaseCell(RealCol(), Row());
    return GetCellEx(b.X, b.Y);
}

void TExtStringGrid::SetCurrentBaseCell(const QString& Value)
{
    if (IsBaseCell(RealCol(), Row())) {
        WriteEditText(Col(), Row(), Value);
        return;
    }
    const TPoint b = BaseCell(RealCol(), Row());
    WriteEditText(b.X, b.Y, Value);
}

// ---- Cell views ----------------------------------------------------------------------------------------

int TExtStringGrid::ColumnPosition(int ACol) const
{
    if (FColumnOrder->Count() == 0)
        return ACol;
    int pos = FColumnOrder->IndexOf(ACol);
    if (pos < 0)
        pos = ACol;
    if (FGroupColumn >= 0 && ACol >= FGroupColumn)
        --pos;
    return pos == -1 ? ACol : pos;
}

int TExtStringGrid::UnSortedRow(int ARow) const
{
    if (FSortRowXRef->Count() < ARow)
        return ARow;
    const int i = FSortRowXRef->IndexOf(ARow);
    return i < 0 ? FSortRowXRef->Count() : i;
}

int TExtStringGrid::SortedRowIndex(int ARow) const
{
    if (ARow >= 0 && ARow < FSortRowXRef->Count())
        return DisplToRealRow(FSortRowXRef->Items(ARow));
    return DisplToRealRow(ARow);
}

int TExtStringGrid::UnSortedRowIndex(int ARow) const
{
    if (FSortRowXRef->Count() == 0)
        return ARow;
    const int i = FSortRowXRef->IndexOf(ARow);
    return i < 0 ? FSortRowXRef->Count() : i;
}

int TExtStringGrid::LinesInCell(int ACol, int ARow)
{
    return CountTextLines(GetCellEx(ACol, ARow), true);
}

TFont* TExtStringGrid::Fonts(int c, int r)
{
    const TCellProperties* p = GridProps(c, r);
    if (!p)
        return Font;
    cf->Name = p->FontName();
    cf->Size = p->FontSize();
    cf->Style = p->FontStyle();
    cf->Color = p->FontColor();
    return cf.get();
}

void TExtStringGrid::SetFonts(int c, int r, const TFont* Value)
{
    TCellProperties* p = GetCellProperties(c, r);
    p->SetFontName(Value->Name);
    p->SetFontSize(Value->Size);
    p->SetFontStyle(Value->Style);
    p->SetFontColor(Value->Color);
    if (FUpdateCount == 0)
        RepaintCell(DisplColIndex(c), r);
}

void TExtStringGrid::SetRowColor(int ARow, TColor Value)
{
    for (int c = FixedCols(); c < AllColCount(); ++c) {
        if (Value == clNone) {
            // Only cells without a cell object lose their properties with the colour.
            if (TCellProperties* p = GridProps(c, ARow); p && p->GraphicObject())
                p->SetBrushColor(clNone);
            else
                FreeCellProps(c, ARow);
        } else {
            GetCellProperties(c, ARow)->SetBrushColor(Value);
        }
    }
    InvalidateRow(ARow);
}

void TExtStringGrid::SetRowColorTo(int ARow, TColor Value)
{
    for (int c = FixedCols(); c < AllColCount(); ++c) {
        if (Value == clNone)
            FreeCellProps(c, ARow);
        else
            GetCellProperties(c, ARow)->SetBrushColorTo(Value);
    }
    InvalidateRow(ARow);
}

void TExtStringGrid::SetRowFontColor(int ARow, TColor Value)
{
    for (int c = FixedCols(); c < AllColCount(); ++c) {
        if (Value == clNone) {
            if (Colors(c, ARow) == clNone)
                FreeCellProps(c, ARow);
        } else {
            GetCellProperties(c, ARow)->SetFontColor(Value);
        }
    }
    InvalidateRow(ARow);
}

// ---- Cell controls -------------------------------------------------------------------------------------

TControl* TExtStringGrid::CellControls(int ACol, int ARow) const
{
    const TCellProperties* p = GridProps(ACol, ARow);
    return p ? p->Control() : nullptr;
}

void TExtStringGrid::SetCellControls(int ACol, int ARow, TControl* Value)
{
    const int realRow = RealRowIndex(ARow);
    if (Value) {
        // The lookup uses the row as given, the new entry the real row (the program's way).
        if (const int i = FControlList->ControlIndex(ACol, ARow); i >= 0)
            FControlList->RemoveControl(i);
        if (!CellControls(ACol, ARow))
            ++FNumCellControls;
        FControlList->AddControl(ACol, realRow, Value);
        GetCellProperties(ACol, ARow)->SetControl(Value);
        Value->SetParent(this);
        const TRect r = CellRect(DisplColIndex(ACol), ARow);
        Value->SetBounds(r.Left - 1, r.Top - 1, r.Width() + 1, r.Height() + 1);
        return;
    }
    if (CellControls(ACol, ARow)) {
        if (const int i = FControlList->ControlIndex(ACol, realRow); i >= 0)
            FControlList->RemoveControl(i);
        --FNumCellControls;
        GetCellProperties(ACol, ARow)->SetControl(nullptr);
    }
}

// ---- In-place editor limits ------------------------------------------------------------------------------

int TExtStringGrid::ReadEditLimit()
{
    return MaxEditLength;
}

QString TExtStringGrid::ReadEditMask(int ACol, int ARow)
{
    QString mask = EditMask;
    if (OnGetEditMask)
        OnGetEditMask(this, ACol, ARow, mask);
    return mask;
}
