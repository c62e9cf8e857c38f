// Operations on blocks of cells that keep the grid's structure: the derived clears, trimming,
// colouring, merging runs of equal cells and splitting merged areas, and two cell queries.
#include "grid/core/ExtGrid.h"
#include "platform/core/SysUtils.h"

// ---- Clears ----------------------------------------------------------------------------------------------

void TExtStringGrid::ClearCols(int ColIndex, int CCount)
{
    if (RowCount() == 0 || ColCount() == 0 || CCount <= 0)
        return;
    ClearRect(ColIndex, 0, ColIndex + CCount - 1, RowCount() - 1);
}

void TExtStringGrid::ClearNormalRows(int RowIndex, int RCount)
{
    if (RowCount() == 0 || ColCount() == 0 || RCount <= 0)
        return;
    ClearRect(FixedCols(), RowIndex, TotalColCount() - FixedRightCols - 1, RowIndex + RCount - 1);
}

void TExtStringGrid::ClearNormalCols(int ColIndex, int CCount)
{
    if (RowCount() == 0 || ColCount() == 0 || CCount <= 0)
        return;
    ClearRect(ColIndex, FixedRows(), ColIndex + CCount - 1, RowCount() - FixedFooters - 1);
}

void TExtStringGrid::ClearNormalCells()
{
    if (RowCount() == 0 || ColCount() == 0)
        return;
    // The nodes live in column 0: when it is cleared too they go first, their rows shown again.
    if (FixedCols() == 0 && HasNodes())
        RemoveAllNodes();
    ClearRect(FixedCols(), FixedRows(), TotalColCount() - FixedRightCols - 1, RowCount() - FixedFooters - 1);
}

void TExtStringGrid::ClearSelection()
{
    if (FMouseActions->DisjunctRowSelect()) {
        // Persistent row flags are kept by real row.
        const bool persistent = FMouseActions->RowSelectPersistent;
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (RowSelect(persistent ? RealRowIndex(r) : r))
                ClearRows(r, 1);
    } else if (FMouseActions->DisjunctColSelect()) {
        for (int c = FixedCols(); c < ColCount(); ++c)
            if (ColSelect(c))
                ClearCols(c, 1);
    } else {
        const TGridRect sel = Selection();
        ClearRect(sel.Left, sel.Top, sel.Right, sel.Bottom);
    }
}

void TExtStringGrid::Clear()
{
    if (RowCount() == 0 || ColCount() == 0)
        return;
    if (HasNodes() && !IsDestroying())
        RemoveAllNodes();
    ClearRect(0, 0, TotalColCount() - 1, RowCount() - 1);
    SearchInc.clear();
    if (FNumHidden > 0)
        InvalidateGrid();
}

void TExtStringGrid::ClearAll()
{
    Clear();
    for (int i = 0; i < FGridItems->Count(); ++i) {
        TStringList* items = FGridItems->Items(i)->Items();
        for (int c = 0; c < items->Count(); ++c)
            items->SetStrings(c, QString());
    }
}

// ---- Trimming and colouring ------------------------------------------------------------------------------

void TExtStringGrid::TrimRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
    for (int r = ARow1; r <= ARow2; ++r)
        for (int c = ACol1; c <= ACol2; ++c) {
            const int a = SaveHiddenCells ? DisplToRealCol(c) : c;
            const QString text = Cells(a, r);
            const QString trimmed = Trim(text);
            if (trimmed != text)
                SetCells(a, r, trimmed);
        }
}

void TExtStringGrid::ColorRect(int ACol1, int ARow1, int ACol2, int ARow2, TColor AColor)
{
    for (int r = ARow1; r <= ARow2; ++r)
        for (int c = ACol1; c <= ACol2; ++c)
            SetColors(c, r, AColor);
}

// ---- Merging and splitting -------------------------------------------------------------------------------

void TExtStringGrid::MergeColumnCells(int ColIndex, bool MainMerge)
{
    const int first = FixedRows();
    const int last = RowCount() - FixedFooters - 1;
    int start = first;
    QString startText = first <= last ? Cells(ColIndex, first) : QString();
    auto close = [&](int end) {
        if (end - start >= 1)
            MergeCells(ColIndex, start, 1, end - start + 1);
    };
    for (int r = first + 1; r <= last; ++r) {
        const QString text = Cells(ColIndex, r);
        if (text == startText && (MainMerge || RowSpanIdentical(r - 1, r)))
            continue;
        close(r - 1);
        start = r;
        startText = text;
    }
    if (first <= last)
        close(last);
}

void TExtStringGrid::MergeRowCells(int RowIndex, bool MainMerge)
{
    const int first = FixedCols();
    const int last = ColCount() - FixedRightCols - 1;
    int start = first;
    QString startText = first <= last ? Cells(first, RowIndex) : QString();
    auto close = [&](int end) {
        if (end - start >= 1)
            MergeCells(start, RowIndex, end - start + 1, 1);
    };
    for (int c = first + 1; c <= last; ++c) {
        const QString text = Cells(c, RowIndex);
        if (text == startText && (MainMerge || ColSpanIdentical(c - 1, c)))
            continue;
        close(c - 1);
        start = c;
        startText = text;
    }
    if (first <= last)
        close(last);
}

void TExtStringGrid::SplitColumnCells(int ColIndex)
{
    int r = 0;
    while (r < RowCount() - FixedFooters - 1) {
        const int span = IsMergedCell(ColIndex, r) ? CellSpan(ColIndex, r).Y : 0;
        if (span > 0) {
            SplitCells(ColIndex, r);
            r += span + 1;
        } else {
            ++r;
        }
    }
}

void TExtStringGrid::SplitRowCells(int RowIndex)
{
    int c = 0;
    while (c < ColCount() - FixedRightCols - 1) {
        const int span = IsMergedCell(c, RowIndex) ? CellSpan(c, RowIndex).X : -1;
        if (span >= 0) {
            SplitCells(c, RowIndex);
            c += span + 1;
        } else {
            ++c;
        }
    }
}

void TExtStringGrid::SplitAllCells()
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            if (IsMergedCell(c, r))
                SplitCells(c, r);
}

// ---- Queries ---------------------------------------------------------------------------------------------

bool TExtStringGrid::IsWideCell(int ACol, int ARow)
{
    return Cells(ACol, ARow).startsWith(QLatin1String("|\\"));
}

bool TExtStringGrid::IsCell(const QString& SubStr, int& ACol, int& ARow)
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            if (GetGridCell(c, r) == SubStr) {
                ACol = c;
                ARow = r;
                return true;
            }
    return false;
}
