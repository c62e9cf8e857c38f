// TExtStringGrid: rectangle and disjunct selections, modified and disabled rows, the cell checker,
// fills, numbering and the repaint helpers.
#include "grid/core/ExtGrid.h"
#include "grid/edit/EsgCheck.h"
#include "grid/ops/ScopeGuards.h"

#include <QRandomGenerator>
#include <algorithm>

namespace
{
template <class T> void GrowTo(std::vector<T>& List, int Size)
{
    if (Size > int(List.size()))
        List.resize(size_t(Size), T());
}
} // namespace

// ---- Rectangle selection ---------------------------------------------------------------------------------

void TExtStringGrid::SelectCells(int FromCol, int FromRow, int ToCol, int ToRow)
{
    SetSelection(TGridRect{FromCol, FromRow, ToCol, ToRow});
}

void TExtStringGrid::SelectRange(int FromCol, int ToCol, int FromRow, int ToRow)
{
    SetRow(ToRow);
    SetCol(ToCol);
    SetSelection(TGridRect{FromCol, FromRow, ToCol, ToRow});
}

void TExtStringGrid::GotoCell(int ACol, int ARow)
{
    SetRow(ARow);
    SetCol(ACol);
}

void TExtStringGrid::ClearSelectedCells()
{
    SetSelection(TGridRect{FixedCols(), FixedRows(), FixedCols(), FixedRows()});
    FSelectedCells.clear();
    InvalidateGrid();
}

QString TExtStringGrid::SelectedText()
{
    TGridRect r = Selection();
    std::vector<int> rows;
    if (FMouseActions->DisjunctRowSelect()) {
        for (int row = FixedRows(); row < RowCount(); ++row)
            if (RowFlagSet(FMouseActions->RowSelectPersistent ? RealRowIndex(row) : row))
                rows.push_back(row);
    } else {
        for (int row = r.Top; row <= r.Bottom; ++row)
            rows.push_back(row);
    }
    QString result;
    for (const int row : rows) {
        for (int c = r.Left; c <= r.Right; ++c) {
            QString text = GetCellEx(RealColIndex(c), row);
            if (text.contains(QLatin1String("{\\")))
                text = RichCellPlainText(text);
            if (ExcelClipboardFormat && CountTextLines(text, Multilinecells) > 1)
                QuoteMultiLine(text);
            result += text;
            if (c < r.Right)
                result += QChar('\t');
        }
        if (row != r.Bottom)
            result += QLatin1String("\r\n");
    }
    return result;
}

// ---- Rows and columns ------------------------------------------------------------------------------------

void TExtStringGrid::SelectRows(int RowIndex, int RCount)
{
    if (RowIndex + RCount > RowCount())
        RCount = RowCount() - RowIndex;
    if (!FMouseActions->DisjunctRowSelect()) {
        SetSelection(TGridRect{FixedCols(), RowIndex, ColCount() - 1, RowIndex + RCount - 1});
    } else {
        for (int r = RowIndex; r < RowIndex + RCount; ++r) {
            const int rr = FMouseActions->RowSelectPersistent ? RealRowIndex(r) : r;
            if (rr < RowCount())
                SetRowSelect(rr, true);
        }
    }
    FSelChange = false;
}

void TExtStringGrid::UnSelectRows(int RowIndex, int RCount)
{
    if (!FMouseActions->DisjunctRowSelect())
        return;
    for (int r = RowIndex; r < RowIndex + RCount; ++r) {
        const int rr = FMouseActions->RowSelectPersistent ? RealRowIndex(r) : r;
        if (rr < RowCount())
            SetRowSelect(rr, false);
    }
    FSelChange = false;
}

void TExtStringGrid::SelectCols(int ColIndex, int CCount)
{
    if (!FMouseActions->DisjunctColSelect()) {
        SetSelection(TGridRect{ColIndex, FixedRows(), ColIndex + CCount - 1, RowCount() - 1});
        return;
    }
    for (int c = ColIndex; c < ColIndex + CCount; ++c)
        if (c < ColCount())
            SetColSelect(c, true);
}

void TExtStringGrid::UnSelectCols(int ColIndex, int CCount)
{
    if (!FMouseActions->DisjunctColSelect())
        return;
    for (int c = ColIndex; c < ColIndex + CCount; ++c)
        if (c < ColCount())
            SetColSelect(c, false);
}

bool TExtStringGrid::RowFlagSet(int ARow) const
{
    return ARow >= 0 && ARow < int(FRowSelect.size()) && FRowSelect[size_t(ARow)];
}

bool TExtStringGrid::RowSelect(int ARow)
{
    if (FMouseActions->RowSelectPersistent) {
        // Flags are kept by real row; a negative one has none.
        if (ARow < 0)
            return false;
    } else if (ARow < 0 || ARow >= RowCount() + NumHiddenRows()) {
        throw EExtGridError(QStringLiteral("Invalid row %1 accessed").arg(ARow));
    }
    if (FMouseActions->DisjunctRowSelect()) {
        GrowTo(FRowSelect, ARow + 1);
        return FRowSelect[size_t(ARow)] != 0;
    }
    const TGridRect s = Selection();
    return ARow >= std::min(s.Top, s.Bottom) && ARow <= std::max(s.Top, s.Bottom);
}

void TExtStringGrid::SetRowSelect(int ARow, bool Value)
{
    if (ARow < 0 || (ARow >= RowCount() + NumHiddenRows() && RowCount() > FixedRows()))
        throw EExtGridError(QStringLiteral("Invalid row accessed"));
    bool allow = true;
    if (ARow >= int(FRowSelect.size()) || bool(FRowSelect[size_t(ARow)]) != Value) {
        if (OnRowDisjunctSelect)
            OnRowDisjunctSelect(this, ARow, Value, allow);
        if (!allow)
            return;
    }
    GrowTo(FRowSelect, ARow + 1);
    const bool was = FRowSelect[size_t(ARow)] != 0;
    if (Value) {
        if (!was)
            InvalidateRow(ARow);
        FRowSelect[size_t(ARow)] = 1;
        if (ARow >= FixedRows() &&
            std::find(FSelectedRows.begin(), FSelectedRows.end(), ARow) == FSelectedRows.end())
            FSelectedRows.push_back(ARow);
    } else {
        if (was)
            InvalidateRow(ARow);
        FRowSelect[size_t(ARow)] = 0;
        FSelectedRows.erase(std::remove(FSelectedRows.begin(), FSelectedRows.end(), ARow),
                            FSelectedRows.end());
    }
    if (OnRowDisjunctSelected)
        OnRowDisjunctSelected(this, ARow);
}

bool TExtStringGrid::ColSelect(int ACol)
{
    if (ACol < 0 || ACol >= ColCount())
        throw EExtGridError(QStringLiteral("Invalid column accessed"));
    GrowTo(FColSelect, ACol + 1);
    return FColSelect[size_t(ACol)] != 0;
}

void TExtStringGrid::SetColSelect(int ACol, bool Value)
{
    if (ACol < 0 || ACol >= ColCount())
        throw EExtGridError(QStringLiteral("Invalid column accessed"));
    GrowTo(FColSelect, ACol + 1);
    if (bool(FColSelect[size_t(ACol)]) != Value)
        InvalidateCol(ACol);
    FColSelect[size_t(ACol)] = Value ? 1 : 0;
}

void TExtStringGrid::ClearRowSelect()
{
    for (size_t r = 0; r < FRowSelect.size(); ++r)
        if (FRowSelect[r]) {
            if (int(r) < RowCount())
                InvalidateRow(int(r));
            FRowSelect[r] = 0;
        }
    FSelectedRows.clear();
}

void TExtStringGrid::ClearColSelect()
{
    for (size_t c = 0; c < FColSelect.size(); ++c)
        if (FColSelect[c]) {
            if (int(c) < ColCount())
                InvalidateCol(int(c));
            FColSelect[c] = 0;
        }
}

int TExtStringGrid::RowSelectCount() const
{
    if (FMouseActions->DisjunctRowSelect()) {
        const int n = std::min(RowCount() + NumHiddenRows(), int(FRowSelect.size()));
        return int(std::count_if(FRowSelect.begin(), FRowSelect.begin() + n, [](char f) { return f != 0; }));
    }
    return std::abs(Selection().Bottom - Selection().Top) + 1;
}

int TExtStringGrid::ColSelectCount() const
{
    if (FMouseActions->DisjunctColSelect())
        return int(std::count_if(FColSelect.begin(), FColSelect.end(), [](char f) { return f != 0; }));
    return Selection().Right - Selection().Left + 1;
}

int TExtStringGrid::SelectedRowCount()
{
    if (FMouseActions->DisjunctRowSelect())
        return int(FSelectedRows.size());
    const TGridRect s = Selection();
    const int bottom = std::min(s.Bottom, RowCount() - FixedFooters - 1);
    const TPoint span = CellSpan(s.Left, s.Top);
    if (IsMergedCell(s.Left, s.Top) && span.Y > 0)
        return bottom < s.Top + span.Y ? span.Y + 1 : std::abs(s.Top - bottom) + 1;
    int n = std::abs(s.Top - bottom) + 1;
    if (IsMergedCell(s.Left, bottom))
        n += CellSpan(s.Left, bottom).Y;
    return n;
}

int TExtStringGrid::SelectedRow(int i) const
{
    if (FMouseActions->DisjunctRowSelect())
        return i >= 0 && i < int(FSelectedRows.size()) ? FSelectedRows[size_t(i)] : -1;
    const TGridRect s = Selection();
    const int top = std::min(s.Top, s.Bottom), bottom = std::max(s.Top, s.Bottom);
    return top + i <= bottom ? top + i : -1;
}

int TExtStringGrid::SelectedColCount()
{
    if (FMouseActions->DisjunctColSelect())
        return ColSelectCount(); // the flags that are set, not the list's length
    const TGridRect s = Selection();
    const TPoint span = CellSpan(s.Left, s.Top);
    if (IsMergedCell(s.Left, s.Top) && span.X > 0)
        return s.Right < s.Left + span.X ? span.X + 1 : std::abs(s.Left - s.Right) + 1;
    int n = std::abs(s.Left - s.Right) + 1;
    if (IsMergedCell(s.Right, s.Top))
        n += CellSpan(s.Right, s.Top).X;
    return n;
}

bool TExtStringGrid::IsSelected(int ACol, int ARow)
{
    if (ACol < FixedCols() || ARow < FixedRows())
        return false;
    if (FMouseActions->DisjunctCellSelect())
        return SelectedCells(ACol, ARow);
    if (FMouseActions->DisjunctRowSelect())
        return RowFlagSet(FMouseActions->RowSelectPersistent ? RealRowIndex(ARow) : ARow);
    if (FMouseActions->DisjunctColSelect())
        return ACol < int(FColSelect.size()) && FColSelect[size_t(ACol)];
    return Selection().Contains(ACol, ARow);
}

void TExtStringGrid::SelectionToRowSelect(bool All)
{
    TGridRect s = Selection();
    s.Bottom = std::min(s.Bottom, RowCount() - FixedFooters - 1);
    for (int r = FixedRows(); r < RowCount(); ++r) {
        const bool inside = r >= s.Top && r <= s.Bottom;
        if (inside || All)
            SetRowSelect(FMouseActions->RowSelectPersistent ? RealRowIndex(r) : r, inside);
    }
    if (NumHiddenRows() > 0)
        InvalidateGrid();
}

void TExtStringGrid::SelectionToColSelect(bool All)
{
    const TGridRect s = Selection();
    for (int c = FixedCols(); c < ColCount(); ++c) {
        const bool inside = c >= s.Left && c <= s.Right;
        if (inside || All)
            SetColSelect(c, inside);
    }
}

// ---- Disjunct cells --------------------------------------------------------------------------------------

bool TExtStringGrid::SelectedCells(int ACol, int ARow) const
{
    if (FMouseActions->DisjunctCellSelect())
        return std::find(FSelectedCells.begin(), FSelectedCells.end(), SelectedCellKey(ACol, ARow)) !=
               FSelectedCells.end();
    const TGridRect s = Selection();
    return ACol >= std::min(s.Left, s.Right) && ACol <= std::max(s.Left, s.Right) &&
           ARow >= std::min(s.Top, s.Bottom) && ARow <= std::max(s.Top, s.Bottom);
}

void TExtStringGrid::SetSelectedCells(int ACol, int ARow, bool Value)
{
    const int64_t key = SelectedCellKey(ACol, ARow);
    const auto it = std::find(FSelectedCells.begin(), FSelectedCells.end(), key);
    if (it == FSelectedCells.end() && Value)
        FSelectedCells.push_back(key);
    else if (it != FSelectedCells.end() && !Value)
        FSelectedCells.erase(it);
    RepaintCell(ACol, ARow);
}

int TExtStringGrid::SelectedCellsCount()
{
    if (FMouseActions->DisjunctCellSelect())
        return int(FSelectedCells.size());
    FSelectedCells.clear();
    const TGridRect s = Selection();
    if (s.Left == s.Right && s.Top == s.Bottom) {
        FSelectedCells.push_back(SelectedCellKey(Col(), Row()));
    } else {
        for (int c = s.Left; c <= s.Right; ++c)
            for (int r = s.Top; r <= s.Bottom; ++r)
                FSelectedCells.push_back(SelectedCellKey(c, r));
    }
    return int(FSelectedCells.size());
}

TGridCoord TExtStringGrid::SelectedCell(int Index) const
{
    if (Index < 0 || Index >= int(FSelectedCells.size()))
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return SelectedCellOfKey(FSelectedCells[size_t(Index)]);
}

// ---- Modified and disabled rows --------------------------------------------------------------------------

bool TExtStringGrid::RowModified(int ARow) const
{
    return ARow >= 0 && ARow < int(FModifiedRows.size()) && FModifiedRows[size_t(ARow)] == 1;
}

void TExtStringGrid::SetRowModified(int ARow, bool Value)
{
    if (ARow < 0)
        return;
    GrowTo(FModifiedRows, ARow + 1);
    FModifiedRows[size_t(ARow)] = Value ? 1 : 0;
    RepaintCell(0, ARow);
}

int TExtStringGrid::ModifiedRowCount() const
{
    return int(std::count(FModifiedRows.begin(), FModifiedRows.end(), uint8_t(1)));
}

void TExtStringGrid::ClearModifiedRows()
{
    FModifiedRows.clear();
    InvalidateGrid();
}

bool TExtStringGrid::RowEnabled(int ARow) const
{
    return !(ARow >= 0 && ARow < int(FEnabledRows.size()) && FEnabledRows[size_t(ARow)] != 0);
}

void TExtStringGrid::SetRowEnabled(int ARow, bool Value)
{
    if (ARow < 0)
        return;
    if (ARow == Row()) {
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (r != ARow && RowEnabled(r)) {
                SetRow(r);
                break;
            }
    }
    FUseEnabledRows = true;
    GrowTo(FEnabledRows, ARow + 1);
    FEnabledRows[size_t(ARow)] = Value ? 0 : 1;
    InvalidateRow(ARow);
}

// ---- Cell checker
// ------------------------------------------------------------------------------------------

// The current cell moves to a checked cell that can hold it (display column), as a user's move
// does: OnSelectCell is asked, the edit ends, the cell scrolls into view.
void TExtStringGrid::GotoCheckedCell(int ACol, int ARow)
{
    if (ACol < FixedCols() || ACol >= ColCount() || ARow < FixedRows() || ARow >= RowCount())
        return;
    MoveColRow(ACol, ARow, true, true);
}

bool TExtStringGrid::CheckCell(int ACol, int ARow)
{
    auto* checker = dynamic_cast<TExtStringGridCheck*>(CellChecker);
    if (!checker)
        return true;
    const QString t = UnMarkText(Cells(ACol, ARow));
    if (checker->GotoCell)
        GotoCheckedCell(RealToDisplCol(ACol), ARow);
    QString v = t;
    if (checker->UseCorrect)
        v = checker->Correct(ACol, ARow, v);
    if (checker->UseMarkError)
        v = checker->MarkError(ACol, ARow, v);
    // Written even when unchanged, so that old marks go.
    SetCells(ACol, ARow, v);
    return v == t;
}

bool TExtStringGrid::CheckCells(int FromCol, int FromRow, int ToCol, int ToRow)
{
    auto* checker = dynamic_cast<TExtStringGridCheck*>(CellChecker);
    if (!checker)
        return true;
    checker->StartCheck();
    const int row = Row();
    const int col = Col();
    bool ok = true;
    {
        TFinally stop([&] {
            checker->StopCheck();
            if (checker->GotoCell)
                GotoCheckedCell(col, row);
        });
        for (int r = FromRow; r <= ToRow; ++r)
            for (int c = FromCol; c <= ToCol; ++c)
                ok = CheckCell(c, r) && ok;
    }
    return ok;
}

bool TExtStringGrid::CheckCol(bool DoFixed, int ACol)
{
    return DoFixed ? CheckCells(ACol, 0, ACol, RowCount() - 1)
                   : CheckCells(ACol, FixedRows(), ACol, RowCount() - FixedFooters - 1);
}

bool TExtStringGrid::CheckRow(bool DoFixed, int ARow)
{
    return DoFixed ? CheckCells(0, ARow, ColCount() - 1, ARow)
                   : CheckCells(FixedCols(), ARow, ColCount() - FixedRightCols - 1, ARow);
}

bool TExtStringGrid::CheckGrid(bool DoFixed)
{
    return DoFixed ? CheckCells(0, 0, ColCount() - 1, RowCount() - 1)
                   : CheckCells(FixedCols(), FixedRows(), ColCount() - FixedRightCols - 1,
                                RowCount() - FixedFooters - 1);
}

// ---- Fills and numbering
// -------------------------------------------------------------------------------------

void TExtStringGrid::ForFillArea(bool DoFixed, const std::function<void(int c, int r)>& Fill)
{
    const int c0 = DoFixed ? 0 : FixedCols(), c1 = DoFixed ? ColCount() - 1 : ColCount() - FixedRightCols - 1;
    const int r0 = DoFixed ? 0 : FixedRows(), r1 = DoFixed ? RowCount() - 1 : RowCount() - FixedFooters - 1;
    BeginUpdate();
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c)
            Fill(c, r);
    EndUpdate();
    DoCellsChanged(TRect(c0, r0, c1, r1));
}

void TExtStringGrid::TextFill(bool DoFixed, const QString& Txt)
{
    ForFillArea(DoFixed, [&](int c, int r) { SetCells(c, r, Txt); });
}

void TExtStringGrid::FormatFill(bool DoFixed, const QString& Fmt)
{
    const QByteArray fmt = Fmt.toUtf8();
    ForFillArea(DoFixed, [&](int c, int r) { SetCells(c, r, QString::asprintf(fmt.constData(), c, r)); });
}

void TExtStringGrid::RandomFill(bool DoFixed, int Rnd)
{
    ForFillArea(DoFixed, [&](int c, int r) {
        SetCells(c, r, QString::number(Rnd > 0 ? QRandomGenerator::global()->bounded(Rnd) : 0));
    });
}

void TExtStringGrid::LinearFill(bool DoFixed)
{
    ForFillArea(DoFixed, [&](int c, int r) { SetCells(c, r, QStringLiteral("%1:%2").arg(c).arg(r)); });
}

void TExtStringGrid::AutoNumberCol(int ACol)
{
    if (RowCount() <= 0)
        return;
    const int last = RowCount() - FixedFooters - 1;
    for (int a = FixedRows() + AutoNumberStart; a <= last; ++a) {
        const int value = a - FixedRows() + 1 + AutoNumberOffset;
        const int row = AutoNumberDirection == sdAscending ? a : FixedRows() + last - a;
        SetCells(ACol, row, QString::number(value));
    }
}

void TExtStringGrid::AutoNumberRow(int ARow)
{
    const int last = ColCount() - FixedRightCols - 1;
    for (int c = FixedCols() + AutoNumberStart; c <= last; ++c) {
        const int value = c - FixedCols() + 1 + AutoNumberOffset;
        const int col =
            AutoNumberDirection == sdAscending ? c : ColCount() + FixedCols() - FixedRightCols - 1 - c;
        SetCells(col, ARow, QString::number(value));
    }
}

void TExtStringGrid::SwapCells(TGridCoord FromCell, TGridCoord ToCell)
{
    const QString t = GetGridCell(FromCell.X, FromCell.Y);
    TObject* o = GetGridObject(FromCell.X, FromCell.Y);
    SetGridCell(FromCell.X, FromCell.Y, GetGridCell(ToCell.X, ToCell.Y));
    SetGridObject(FromCell.X, FromCell.Y, GetGridObject(ToCell.X, ToCell.Y));
    SetGridCell(ToCell.X, ToCell.Y, t);
    SetGridObject(ToCell.X, ToCell.Y, o);
}

// ---- Repaint helpers
// -------------------------------------------------------------------------------------------

void TExtStringGrid::RepaintRow(int ARow)
{
    if (ARow >= 0 && ARow < RowCount())
        InvalidateRow(ARow);
}

void TExtStringGrid::RepaintCol(int ACol)
{
    if (ACol >= 0 && ACol < ColCount())
        InvalidateCol(ACol);
}

void TExtStringGrid::RepaintRect(const TGridRect& R)
{
    if (R.Left < 0 || R.Top < 0 || R.Right < 0 || R.Bottom < 0)
        return;
    const TRect a = CellRect(R.Left, R.Top);
    const TRect b = CellRect(std::min(VisibleColCount() + FixedCols(), R.Right), R.Bottom);
    if (a.IsEmpty() || b.IsEmpty()) {
        InvalidateGrid();
        return;
    }
    InvalidateClientRect(TRect(std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                               std::max(a.Bottom, b.Bottom)));
}

void TExtStringGrid::RepaintCellRange(const TGridRect& R)
{
    const TRect a = CellRect(R.Left, R.Top);
    const TRect b = CellRect(R.Right, R.Bottom);
    InvalidateClientRect(TRect(std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                               std::max(a.Bottom, b.Bottom)));
}
