// TExtStringGrid: cells by real row, the per-cell look arrays and the per-cell hooks.
#include "grid/base/HtmlText.h"
#include "grid/base/NumberText.h"
#include "grid/core/ExtGrid.h"


// ---- Cells by real column and real row -----------------------------------------------------------------

QString TExtStringGrid::AllCells(int c, int r)
{
    if (c < 0 || r < 0)
        return QString();
    if (const TGridItem* item = HiddenRowItem(r)) {
        QString text = c < item->Items()->Count() ? item->Items()->Strings(c) : QString();
        GetDisplText(c, r, text);
        return text;
    }
    return GetCellEx(c, RealToDisplRow(r));
}

void TExtStringGrid::SetAllCells(int c, int r, const QString& Value)
{
    // Negative indexes and columns beyond a hidden row's lines write nothing rather than raise.
    if (c < 0 || r < 0)
        return;
    if (TGridItem* item = HiddenRowItem(r)) {
        while (item->Items()->Count() <= c)
            item->Items()->Add(QString());
        item->Items()->SetStrings(c, Value);
        return;
    }
    const int row = RealToDisplRow(r);
    SetCellEx(c, row, Value);
    if (DisplColIndex(c) != c)
        RepaintCell(DisplColIndex(c), row);
}

QString TExtStringGrid::AllGridCells(int c, int r) const
{
    if (c < 0 || r < 0)
        return QString();
    if (const TGridItem* item = HiddenRowItem(r))
        return c < item->Items()->Count() ? item->Items()->Strings(c) : QString();
    return GetGridCell(c, RealToDisplRow(r));
}

void TExtStringGrid::SetAllGridCells(int c, int r, const QString& Value)
{
    if (c < 0 || r < 0)
        return;
    if (TGridItem* item = HiddenRowItem(r)) {
        if (c < item->Items()->Count())
            item->Items()->SetStrings(c, Value);
        return;
    }
    const int row = RealToDisplRow(r);
    SetGridCell(c, row, Value);
    if (DisplColIndex(c) != c)
        RepaintCell(DisplColIndex(c), row);
}

TObject* TExtStringGrid::AllObjects(int c, int r) const
{
    if (c < 0 || r < 0)
        return nullptr;
    if (const TGridItem* item = HiddenRowItem(r)) {
        if (c >= item->Items()->Count())
            return nullptr;
        TObject* object = item->Items()->Objects(c);
        if (const auto* props = dynamic_cast<const TCellProperties*>(object))
            return props->CellObject();
        return object;
    }
    return GetObjectEx(c, RealToDisplRow(r));
}

void TExtStringGrid::SetAllObjects(int c, int r, TObject* Value)
{
    if (c < 0 || r < 0)
        return;
    if (TGridItem* item = HiddenRowItem(r)) {
        if (c >= item->Items()->Count())
            return;
        if (auto* props = dynamic_cast<TCellProperties*>(item->Items()->Objects(c)))
            props->SetCellObject(Value);
        else
            item->Items()->SetObjects(c, Value);
        return;
    }
    SetObjectEx(c, RealToDisplRow(r), Value);
}

// ---- Per-cell look -------------------------------------------------------------------------------------

template <class F> void TExtStringGrid::StyleCell(int c, int r, F Set, bool OnlyUnlocked)
{
    Set(GetCellProperties(c, r));
    if (!OnlyUnlocked || FUpdateCount == 0)
        RepaintCell(DisplColIndex(c), r);
}

TColor TExtStringGrid::Colors(int c, int r) const
{
    const TCellProperties* p = LookOf(c, r);
    return p ? p->BrushColor() : clNone;
}

void TExtStringGrid::SetColors(int c, int r, TColor Value)
{
    StyleCell(
        c, r, [&](TCellProperties* p) { p->SetBrushColor(Value); }, true);
}

TColor TExtStringGrid::ColorsTo(int c, int r) const
{
    const TCellProperties* p = LookOf(c, r);
    return p ? p->BrushColorTo() : clNone;
}

void TExtStringGrid::SetColorsTo(int c, int r, TColor Value)
{
    StyleCell(c, r, [&](TCellProperties* p) { p->SetBrushColorTo(Value); });
}

TColor TExtStringGrid::FontColors(int c, int r) const
{
    const TCellProperties* p = LookOf(c, r);
    return p ? p->FontColor() : clNone;
}

void TExtStringGrid::SetFontColors(int c, int r, TColor Value)
{
    StyleCell(c, r, [&](TCellProperties* p) { p->SetFontColor(Value); });
}

TFontStyles TExtStringGrid::FontStyles(int c, int r) const
{
    const TCellProperties* p = LookOf(c, r);
    return p ? p->FontStyle() : TFontStyles(0);
}

void TExtStringGrid::SetFontStyles(int c, int r, TFontStyles Value)
{
    StyleCell(c, r, [&](TCellProperties* p) { p->SetFontStyle(Value); });
}

int TExtStringGrid::FontSizes(int c, int r) const
{
    const TCellProperties* p = LookOf(c, r);
    return p ? p->FontSize() : 0;
}

void TExtStringGrid::SetFontSizes(int c, int r, int Value)
{
    StyleCell(c, r, [&](TCellProperties* p) { p->SetFontSize(Value); });
}

QString TExtStringGrid::FontNames(int c, int r) const
{
    const TCellProperties* p = LookOf(c, r);
    return p ? p->FontName() : QString();
}

void TExtStringGrid::SetFontNames(int c, int r, const QString& Value)
{
    StyleCell(c, r, [&](TCellProperties* p) { p->SetFontName(Value); });
}

TAlignment TExtStringGrid::Alignments(int c, int r) const
{
    const TCellProperties* p = LookOf(c, r);
    return p ? p->Alignment() : taLeftJustify;
}

void TExtStringGrid::SetAlignments(int c, int r, TAlignment Value)
{
    StyleCell(c, r, [&](TCellProperties* p) { p->SetAlignment(Value); });
}

TCellGradientDirection TExtStringGrid::Gradients(int c, int r) const
{
    const TCellProperties* p = LookOf(c, r);
    return p ? p->GradientDirection() : GradientVertical;
}

void TExtStringGrid::SetGradients(int c, int r, TCellGradientDirection Value)
{
    StyleCell(c, r, [&](TCellProperties* p) { p->SetGradientDirection(Value); });
}

bool TExtStringGrid::ReadOnly(int c, int r) const
{
    const TCellProperties* p = LookOf(c, r);
    return p && p->ReadOnly();
}

void TExtStringGrid::SetReadOnly(int c, int r, bool Value)
{
    StyleCell(c, r, [&](TCellProperties* p) { p->SetReadOnly(Value); });
}

bool TExtStringGrid::WordWraps(int c, int r)
{
    return GetCellProperties(c, r)->WordWrap();
}

void TExtStringGrid::SetWordWraps(int c, int r, bool Value)
{
    StyleCell(c, r, [&](TCellProperties* p) { p->SetWordWrap(Value); });
}

// ---- Per-cell hooks ------------------------------------------------------------------------------------

void TExtStringGrid::IsFixedCell(int ACol, int ARow, bool& IsFixed)
{
    IsFixed = IsFixed || (FFixedRowAlways && ARow <= FFixedRowsMin && RowCount() == FFixedRowsMin) ||
              (FFixedColAlways && ACol < FFixedColsMin && ColCount() == FFixedColsMin) ||
              ACol < FixedCols() || ARow < TBaseGrid::FixedRows();
    if (!IsFixed && OnIsFixedCell)
        OnIsFixedCell(this, ARow, ACol, IsFixed);
}

bool TExtStringGrid::IsFixed(int ACol, int ARow)
{
    bool fixed = false;
    IsFixedCell(RealColIndex(ACol), ARow, fixed);
    return fixed;
}

void TExtStringGrid::CanEditCell(int ACol, int ARow, bool& CanEdit)
{
    int c = ACol, r = ARow;
    FindBaseCell(ACol, ARow, c, r);
    if (HasCellProperties(c, r) && CanEdit) {
        CanEdit = !ReadOnly(c, r);
        if (!(Options().Contains(goEditing) || FEditDisable || FMouseActions->RangeSelectAndEdit))
            CanEdit = false;
    }
    if (c < ColCount() + NumHiddenColumns())
        DoCanEditCell(c, r, CanEdit);
    else
        CanEdit = true;
}

void TExtStringGrid::DoCanEditCell(int ACol, int ARow, bool& CanEdit)
{
    if (OnCanEditCell)
        OnCanEditCell(this, ARow, ACol, CanEdit);
}

void TExtStringGrid::GetCheckTrue(int ACol, int ARow, QString& Value)
{
    Value = CheckTrue;
    if (OnGetCheckTrue)
        OnGetCheckTrue(this, ACol, ARow, Value);
}

void TExtStringGrid::GetCheckFalse(int ACol, int ARow, QString& Value)
{
    Value = CheckFalse;
    if (OnGetCheckFalse)
        OnGetCheckFalse(this, ACol, ARow, Value);
}

void TExtStringGrid::GetCellWordWrap(int ACol, int ARow, bool& WordWrap)
{
    if (OnGetWordWrap)
        OnGetWordWrap(this, ACol, ARow, WordWrap);
}

bool TExtStringGrid::GetColumnFilter(int Column)
{
    FFilterList->Clear();
    if (FilterDropDownAuto && Column >= FixedCols()) {
        FFilterList->SetSorted(true);
        auto add = [this](const QString& text) {
            if (text.contains(' '))
                FFilterList->Add(text + "=\"" + text + "\"");
            else
                FFilterList->Add(text);
        };
        for (int r = TBaseGrid::FixedRows(); r < RowCount() - FixedFooters; ++r)
            add(GetCellEx(Column, r).trimmed());
        if (!FilterIncremental)
            for (int i = 0; i < FGridItems->Count(); ++i)
                add(AllCells(Column, FGridItems->Items(i)->Idx));
        FFilterList->SetSorted(false);
        if (!FilterDropDownClear.isEmpty())
            FFilterList->Insert(0, FilterDropDownClear);
    }
    if (OnGetColumnFilter)
        OnGetColumnFilter(this, Column, FFilterList.get());
    return FFilterList->Count() > 0;
}

// ---- Displayed texts ----------------------------------------------------------------------------------

QString TExtStringGrid::GetStrippedCell(int ACol, int ARow)
{
    return HTMLToText(GetCellEx(ACol, ARow));
}

QString TExtStringGrid::GetFormattedCell(int ACol, int ARow)
{
    const QString stored = GetCellEx(ACol, ARow);
    if (!OnGetFloatFormat || NumberTextKind(stored) == ntkNoNumber)
        return stored;
    bool isFloat = true;
    QString fmt = FloatFormat;
    OnGetFloatFormat(this, ACol, ARow, isFloat, fmt);
    if (!isFloat || fmt.isEmpty())
        return stored;
    // A format that does not fit the value shows the stored text; the painter must not fail on it.
    try {
        if (fmt.contains('d'))
            return Format(fmt, {Ints(ACol, ARow)});
        return Format(fmt, {Floats(ACol, ARow)});
    } catch (const Exception&) {
        return stored;
    }
}
