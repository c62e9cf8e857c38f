// Column insertion and removal, row and column exchange, joining columns, and removing or hiding rows
// by selection, check state or duplicate text.
//
// Columns are real columns here. Their cells move in every stored row and in the entries of the hidden
// rows, so a row shown again later still has its cells under the right columns; widths and the
// visible-column table move with them.
#include "grid/core/ExtGrid.h"
#include "grid/ops/ScopeGuards.h"

#include "platform/core/SysUtils.h"

#include <QSet>
#include <algorithm>
#include <vector>

// ---- Columns -------------------------------------------------------------------------------------------

void TExtStringGrid::InsertCols(int ColIndex, int CCount)
{
    const int total = TotalColCount();
    if (CCount <= 0 || ColIndex < 0 || ColIndex > total)
        return;
    BeginUpdate();
    TFinally endUpdate([this] { EndUpdate(); });
    std::vector<int> widths;
    widths.reserve(size_t(total + CCount));
    for (int c = 0; c < total; ++c)
        widths.push_back(AllColWidths(c));
    widths.insert(widths.begin() + ColIndex, size_t(CCount), DefaultColWidth());

    CellStore().InsertCols(ColIndex, CCount);
    for (int i = 0; i < FGridItems->Count(); ++i) {
        TStringList* lines = FGridItems->Items(i)->Items();
        for (int k = 0; k < CCount && lines->Count() > ColIndex; ++k)
            lines->Insert(ColIndex, QString());
    }
    // The table's entries move right; those pushed past its end are dropped.
    for (int c = std::min(total + CCount, ColumnTableSize) - 1; c >= ColIndex + CCount; --c) {
        FVisibleCol[size_t(c)] = FVisibleCol[size_t(c - CCount)];
        FAllColWidths[size_t(c)] = FAllColWidths[size_t(c - CCount)];
    }
    for (int c = ColIndex; c < ColIndex + CCount && c < ColumnTableSize; ++c)
        FVisibleCol[size_t(c)] = true;
    ColumnMapChanged();
    SetColCount(ColCount() + CCount);
    for (int c = 0; c < total + CCount; ++c)
        SetAllColWidths(c, widths[size_t(c)]);
    DoCellsChanged(TRect(ColIndex, 0, ColIndex + CCount, RowCount() - 1));
}

void TExtStringGrid::RemoveCols(int ColIndex, int CCount)
{
    const int total = TotalColCount();
    if (CCount <= 0 || ColIndex < 0 || ColIndex >= total)
        return;
    CCount = std::min(CCount, total - ColIndex);
    BeginUpdate();
    TFinally endUpdate([this] { EndUpdate(); });
    std::vector<int> widths;
    widths.reserve(size_t(total));
    for (int c = 0; c < total; ++c)
        widths.push_back(AllColWidths(c));
    widths.erase(widths.begin() + ColIndex, widths.begin() + ColIndex + CCount);

    FreeCellPropsRect(ColIndex, 0, ColIndex + CCount - 1, RowCount() - 1);
    for (int i = 0; i < FGridItems->Count(); ++i) {
        TStringList* lines = FGridItems->Items(i)->Items();
        for (int k = 0; k < CCount && lines->Count() > ColIndex; ++k) {
            if (auto* props = dynamic_cast<TCellProperties*>(lines->Objects(ColIndex)))
                FreePropsAndGraphic(props);
            lines->Delete(ColIndex);
        }
    }
    CellStore().DeleteCols(ColIndex, CCount);

    int hiddenGone = 0;
    for (int c = ColIndex; c < ColIndex + CCount; ++c)
        if (IsHiddenColumn(c))
            ++hiddenGone;
    for (int c = ColIndex; c < ColumnTableSize; ++c) {
        const int from = c + CCount;
        FVisibleCol[size_t(c)] = from < ColumnTableSize ? FVisibleCol[size_t(from)] : true;
        FAllColWidths[size_t(c)] = from < ColumnTableSize ? FAllColWidths[size_t(from)] : int16_t(0);
    }
    // The count of hidden columns changes before ColCount, so that both always add up to the real
    // columns.
    FNumHidden -= hiddenGone;
    ColumnMapChanged();
    const int shown = ColCount() - (CCount - hiddenGone);
    if (Col() >= shown && shown - 1 >= FixedCols())
        SetCol(shown - 1);
    SetColCount(shown);
    for (int c = 0; c < total - CCount; ++c)
        SetAllColWidths(c, widths[size_t(c)]);
    DoCellsChanged(TRect(ColIndex, 0, ColIndex + CCount, RowCount() - 1));
}

void TExtStringGrid::SwapColumns(int ACol1, int ACol2)
{
    const int total = TotalColCount();
    if (ACol1 < 0 || ACol2 < 0 || ACol1 >= total || ACol2 >= total || ACol1 == ACol2)
        return;
    BeginUpdate();
    TFinally endUpdate([this] { EndUpdate(); });
    CellStore().SwapCols(ACol1, ACol2);
    for (int i = 0; i < FGridItems->Count(); ++i) {
        TStringList* lines = FGridItems->Items(i)->Items();
        while (lines->Count() <= std::max(ACol1, ACol2))
            lines->Add(QString());
        lines->Exchange(ACol1, ACol2);
    }
    const int w1 = AllColWidths(ACol1);
    const int w2 = AllColWidths(ACol2);
    SetAllColWidths(ACol1, w2);
    SetAllColWidths(ACol2, w1);
    if (FSortSettings->Column == ACol1)
        FSortSettings->Column = ACol2;
    else if (FSortSettings->Column == ACol2)
        FSortSettings->Column = ACol1;
    if (FControlList->Count() > 0) {
        for (int i = 0; i < FControlList->Count(); ++i) {
            TControlItem* item = FControlList->Control(i);
            if (item->X == ACol1)
                item->X = ACol2;
            else if (item->X == ACol2)
                item->X = ACol1;
        }
        CellControlsUpdate(false);
    }
    InvalidateGrid();
}

void TExtStringGrid::MergeCols(int ColIndex1, int ColIndex2, const QString& Separator)
{
    const int total = TotalColCount();
    // Joining a column with itself would remove the column it was joined into.
    if (ColIndex1 == ColIndex2 || ColIndex1 < 0 || ColIndex2 < 0 || ColIndex1 >= total || ColIndex2 >= total)
        return;
    {
        BeginUpdate();
        TFinally endUpdate([this] { EndUpdate(); });
        for (int r = FixedRows(); r < RowCount(); ++r)
            SetCellEx(ColIndex1, r, Trim(GetCellEx(ColIndex1, r) + Separator + GetCellEx(ColIndex2, r)));
    }
    RemoveCols(ColIndex2, 1);
}

void TExtStringGrid::RemoveSelectedCols()
{
    BeginUpdate();
    TFinally endUpdate([this] { EndUpdate(); });
    if (FMouseActions->DisjunctColSelect()) {
        for (int c = ColCount() - 1; c >= FixedCols(); --c) {
            if (!ColSelect(c))
                continue;
            RemoveCols(DisplToRealCol(c), 1);
            if (c < int(FColSelect.size()))
                FColSelect.erase(FColSelect.begin() + c);
        }
        return;
    }
    const TGridRect s = Selection();
    const int left = std::min(s.Left, s.Right);
    const int right = std::max(s.Left, s.Right);
    for (int c = right; c >= left; --c)
        RemoveCols(DisplToRealCol(c), 1);
}

void TExtStringGrid::RemoveUnSelectedCols()
{
    {
        BeginUpdate();
        TFinally endUpdate([this] { EndUpdate(); });
        if (FMouseActions->DisjunctColSelect()) {
            for (int c = ColCount() - 1; c >= FixedCols(); --c) {
                if (ColSelect(c))
                    continue;
                RemoveCols(DisplToRealCol(c), 1);
                if (c < int(FColSelect.size()))
                    FColSelect.erase(FColSelect.begin() + c);
            }
        } else {
            // Display columns: the hidden ones are none of them and stay.
            const TGridRect s = Selection();
            const int left = std::min(s.Left, s.Right);
            const int right = std::max(s.Left, s.Right);
            for (int c = ColCount() - 1; c > right; --c)
                RemoveCols(DisplToRealCol(c), 1);
            for (int c = left - 1; c >= FixedCols(); --c)
                RemoveCols(DisplToRealCol(c), 1);
        }
    }
    ClearColSelect();
}

// ---- Rows ----------------------------------------------------------------------------------------------

void TExtStringGrid::SwapRows(int ARow1, int ARow2)
{
    if (ARow1 < 0 || ARow2 < 0 || ARow1 >= RowCount() || ARow2 >= RowCount() || ARow1 == ARow2)
        return;
    // The whole rows: cells of hidden columns travel with their rows.
    CellStore().SwapRows(ARow1, ARow2);
    const int h1 = RowHeights(ARow1);
    const int h2 = RowHeights(ARow2);
    if (h1 != h2) {
        SetRowHeights(ARow1, h2);
        SetRowHeights(ARow2, h1);
    }
    if (FControlList->Count() > 0) {
        const int r1 = DisplToRealRow(ARow1);
        const int r2 = DisplToRealRow(ARow2);
        for (int i = 0; i < FControlList->Count(); ++i) {
            TControlItem* item = FControlList->Control(i);
            if (item->Y == r1)
                item->Y = r2;
            else if (item->Y == r2)
                item->Y = r1;
        }
        CellControlsUpdate(false);
    }
    InvalidateRow(ARow1);
    InvalidateRow(ARow2);
}

void TExtStringGrid::RemoveCheckedRows(int CheckBoxColumn, bool RemoveChecked)
{
    BeginUpdate();
    TFinally endUpdate([this] { EndUpdate(); });
    for (int r = RowCount() - 1; r >= FixedRows(); --r)
        if (IsChecked(CheckBoxColumn, DisplToRealRow(r)) == RemoveChecked)
            RemoveRows(r, 1);
}

void TExtStringGrid::RemoveDuplicates(int ACol, bool /*DoCase*/)
{
    const int col = DisplToRealCol(ACol);
    BeginUpdate();
    TFinally endUpdate([this] { EndUpdate(); });
    // The kept texts, looked up without case: whether they are held as written or upper-cased
    // (DoCase) makes no difference to which rows go.
    QSet<QString> kept;
    int r = FixedRows();
    while (r < RowCount() - FixedFooters) {
        const QString text = GetCellEx(col, r);
        const QString key = AnsiUpperCase(text);
        if (kept.contains(key)) {
            const int before = RowCount();
            DeleteRowRange(r, 1);
            if (RowCount() < before)
                continue;
        } else {
            kept.insert(key);
        }
        ++r;
    }
}

void TExtStringGrid::RemoveSelectedRows()
{
    BeginUpdate();
    TFinally endUpdate([this] { EndUpdate(); });
    if (FMouseActions->DisjunctRowSelect()) {
        const bool persistent = FMouseActions->RowSelectPersistent;
        std::vector<int> rows;
        for (int r = FixedRows(); r <= RowCount() - FixedFooters - 1; ++r)
            if (RowSelect(persistent ? DisplToRealRow(r) : r))
                rows.push_back(r);
        for (auto it = rows.rbegin(); it != rows.rend(); ++it)
            DeleteRowRange(*it, 1);
        ClearRowSelect();
        return;
    }
    const TGridRect s = Selection();
    const int top = std::min(s.Top, s.Bottom);
    const int bottom = std::max(s.Top, s.Bottom);
    for (int r = bottom; r >= top; --r)
        DeleteRowRange(r, 1);
}

void TExtStringGrid::RemoveUnSelectedRows()
{
    BeginUpdate();
    TFinally endUpdate([this] { EndUpdate(); });
    for (int r = RowCount() - FixedFooters - 1; r >= FixedRows(); --r)
        if (!RowSelect(r))
            DeleteRowRange(r, 1);
    if (FMouseActions->RowSelectPersistent)
        SelectRows(FixedRows(), RowCount() - FixedRows());
    else
        ClearRowSelect();
}

void TExtStringGrid::HideSelectedRows()
{
    BeginUpdate();
    TFinally endUpdate([this] { EndUpdate(); });
    const bool persistent = FMouseActions->RowSelectPersistent;
    for (int r = RowCount() - 1; r >= FixedRows(); --r) {
        const int real = DisplToRealRow(r);
        if (RowSelect(persistent ? real : r))
            HideRow(real);
    }
}

void TExtStringGrid::HideUnSelectedRows()
{
    BeginUpdate();
    TFinally endUpdate([this] { EndUpdate(); });
    const bool persistent = FMouseActions->RowSelectPersistent;
    // The selection is read before anything moves: a hidden row takes its selection flag along only
    // when the flags are kept by real row.
    std::vector<int> hide;
    for (int r = FixedRows(); r < RowCount(); ++r) {
        const int real = DisplToRealRow(r);
        if (!RowSelect(persistent ? real : r))
            hide.push_back(real);
    }
    for (auto it = hide.rbegin(); it != hide.rend(); ++it)
        HideRow(*it);
}
