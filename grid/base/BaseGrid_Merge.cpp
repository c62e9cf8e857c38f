// TBaseGrid: merged areas, cell rectangles, and the keys, wheel and scrolling that follow areas.
#include "grid/base/BaseGrid.h"

#include <algorithm>

namespace
{
bool SpansSet(const TCellProperties* props)
{
    return props && props->CellSpanX() != CellSpanNone && props->CellSpanY() != CellSpanNone;
}
} // namespace

void TBaseGrid::MergeCells(int c, int r, int spanx, int spany)
{
    ++FMergeCount;
    for (int i = c; i < c + spanx; ++i) {
        for (int j = r; j < r + spany; ++j) {
            TCellProperties* props = GetCellProperties(i, j);
            const bool base = i == c && j == r;
            props->SetIsBaseCell(base);
            props->SetCellSpanX(base ? spanx - 1 : i - c);
            props->SetCellSpanY(base ? spany - 1 : j - r);
        }
    }
    for (int i = c; i < c + spanx; ++i)
        for (int j = r; j < r + spany; ++j)
            RepaintCell(i, j);
}

void TBaseGrid::SplitCells(int c, int r)
{
    const TCellProperties* props = GetCellProperties(c, r);
    int bc, br;
    props->GetBaseCell(c, r, bc, br);
    const TCellProperties* base = GetCellProperties(bc, br);
    const int sx = base->CellSpanX(), sy = base->CellSpanY();
    const bool merged = !(sx == CellSpanNone && sy == CellSpanNone);
    for (int i = bc; i <= bc + sx; ++i) {
        for (int j = br; j <= br + sy; ++j) {
            TCellProperties* cell = GetCellProperties(i, j);
            cell->SetIsBaseCell(true);
            cell->SetCellSpanX(CellSpanNone);
            cell->SetCellSpanY(CellSpanNone);
        }
    }
    for (int i = bc; i <= bc + sx; ++i)
        for (int j = br; j <= br + sy; ++j)
            RepaintCell(i, j);
    // Only a real split counts down: the derived grid trusts the counter to know whether areas exist.
    if (merged && FMergeCount > 0)
        --FMergeCount;
}

TPoint TBaseGrid::BaseCell(int ACol, int ARow) const
{
    const TCellProperties* props = GridProps(ACol, ARow);
    return props ? props->BaseCell(ACol, ARow) : TPoint(ACol, ARow);
}

bool TBaseGrid::IsBaseCell(int ACol, int ARow) const
{
    const TCellProperties* props = GridProps(ACol, ARow);
    return !props || props->IsBaseCell();
}

bool TBaseGrid::FindBaseCell(int c, int r, int& BaseCol, int& BaseRow) const
{
    BaseCol = c;
    BaseRow = r;
    const TCellProperties* props = GridProps(c, r);
    if (!props || props->IsBaseCell())
        return true;
    props->GetBaseCell(c, r, BaseCol, BaseRow);
    return false;
}

bool TBaseGrid::IsMergedCell(int ACol, int ARow) const
{
    const TCellProperties* props = GridProps(ACol, ARow);
    return props && (props->CellSpanX() > 0 || props->CellSpanY() > 0);
}

bool TBaseGrid::IsMergedNonBaseCell(int ACol, int ARow) const
{
    return IsMergedCell(ACol, ARow) && !IsBaseCell(ACol, ARow);
}

bool TBaseGrid::IsXMergedCell(int ACol, int ARow)
{
    const TPoint base = BaseCell(ACol, ARow);
    return GetCellProperties(base.X, base.Y)->CellSpanX() > 0;
}

bool TBaseGrid::IsYMergedCell(int ACol, int ARow)
{
    const TPoint base = BaseCell(ACol, ARow);
    return GetCellProperties(base.X, base.Y)->CellSpanY() > 0;
}

TPoint TBaseGrid::CellSpan(int ACol, int ARow) const
{
    const TCellProperties* props = GridProps(ACol, ARow);
    if (!SpansSet(props))
        return TPoint(0, 0);
    const TPoint b = props->BaseCell(ACol, ARow);
    const TCellProperties* base = GridProps(b.X, b.Y);
    if (!base)
        return TPoint(0, 0);
    return TPoint(base->CellSpanX(), base->CellSpanY());
}

TPoint TBaseGrid::CellExt(int ACol, int ARow) const
{
    const TCellProperties* props = GridProps(ACol, ARow);
    if (!SpansSet(props))
        return TPoint(0, 0);
    const TPoint b = props->BaseCell(ACol, ARow);
    const TPoint span = CellSpan(ACol, ARow);
    return TPoint(b.X + span.X - ACol, b.Y + span.Y - ARow);
}

TGridRect TBaseGrid::FullCell(int c, int r) const
{
    const TPoint b = BaseCell(c, r);
    const TPoint span = CellSpan(c, r);
    return TGridRect{b.X, b.Y, b.X + span.X, b.Y + span.Y};
}

int TBaseGrid::MinRowSpan(int ARow) const
{
    int result = RowCount();
    for (int c = 0; c < ColCount(); ++c) {
        const int span = CellSpan(c, ARow).Y;
        if (span > 0 && span < result)
            result = span;
    }
    return result;
}

int TBaseGrid::MaxRowSpan(int ARow) const
{
    int result = 0;
    for (int c = 0; c < ColCount(); ++c)
        result = std::max(result, CellSpan(c, ARow).Y);
    return result;
}

bool TBaseGrid::RowSpanIdentical(int ARow1, int ARow2) const
{
    bool any = false;
    for (int c = 0; c < ColCount(); ++c) {
        if (CellSpan(c, ARow1).Y > 0 && CellSpan(c, ARow2).Y > 0) {
            if (BaseCell(c, ARow1).Y != BaseCell(c, ARow2).Y)
                return false;
            any = true;
        }
    }
    return any;
}

bool TBaseGrid::ColSpanIdentical(int ACol1, int ACol2) const
{
    bool any = false;
    for (int r = 0; r < RowCount(); ++r) {
        if (CellSpan(ACol1, r).X > 0 && CellSpan(ACol2, r).X > 0) {
            if (BaseCell(ACol1, r).X != BaseCell(ACol2, r).X)
                return false;
            any = true;
        }
    }
    return any;
}

// ---- Rectangles ----------------------------------------------------------------------------------------

TRect TBaseGrid::CalcCellRect(int c, int r) const
{
    // Sums over the axis; a scrolled index is placed relative to the first shown one, which gives the
    // same result as summing from 0 and shifting back by the hidden part.
    auto place = [](int i, int fixed, int first, int fixedExtent, auto sum) {
        if (i < fixed)
            return sum(0, i);
        return i >= first ? fixedExtent + sum(first, i) : fixedExtent - sum(i, first);
    };
    const int left = place(c, FixedCols(), LeftCol(), FixedColsWidth(),
                           [this](int a, int b) { return ColWidthsSum(a, b); });
    const int top = place(r, FixedRows(), TopRow(), FixedRowsHeight(),
                          [this](int a, int b) { return RowHeightsSum(a, b); });
    return TRect(left, top, left + ColWidthsSum(c, c + 1), top + RowHeightsSum(r, r + 1));
}

TRect TBaseGrid::CellRect(int c, int r) const
{
    const TCellProperties* props = GridProps(c, r);
    if (SpansSet(props)) {
        const TPoint b = props->BaseCell(c, r);
        const TPoint span = CellSpan(c, r);
        TRect r1 = CalcCellRect(b.X, b.Y);
        if (r1.Width() == 0)
            r1.Right = r1.Left + 1;
        TRect r2 = CalcCellRect(b.X + span.X, b.Y + span.Y);
        if (r2.Width() == 0)
            r2.Left = r2.Right - 1;
        TRect result;
        UnionRect(result, r1, r2);
        return result;
    }
    if (props && props->Control())
        return CalcCellRect(c, r);
    const TRect shown = TStringGrid::CellRect(c, r);
    return Bounds(shown.Left, shown.Top, ColWidthsSum(c, c + 1), RowHeightsSum(r, r + 1));
}

TPoint TBaseGrid::CellSize(int c, int r) const
{
    const TRect rect = SpansSet(GridProps(c, r)) ? CellRect(c, r) : CalcCellRect(c, r);
    return TPoint(rect.Width(), rect.Height());
}

// ---- Moving over areas ---------------------------------------------------------------------------------

void TBaseGrid::MoveToBaseCell()
{
    const TCellProperties* props = GridProps(Col(), Row());
    if (!props)
        return;
    const TPoint b = props->BaseCell(Col(), Row());
    SetCol(b.X);
    SetRow(b.Y);
}

void TBaseGrid::HandleKeyDown(WORD& Key, TShiftState Shift)
{
    const TCellProperties* props = GridProps(Col(), Row());
    TPoint b(Col(), Row());
    TPoint span(CellSpanNone, CellSpanNone);
    if (props) {
        b = props->BaseCell(Col(), Row());
        if (const TCellProperties* base = GridProps(b.X, b.Y))
            span = TPoint(base->CellSpanX(), base->CellSpanY());
    }
    if (Key == VK_NEXT) {
        if (FHideLastRow && RowCount() > 1 && TopRow() + VisibleRowCount() - FixedRows() == RowCount() - 1)
            SetRow(RowCount() - 2);
    } else if (props) {
        switch (Key) {
        case VK_LEFT:
            if (b.X < Col() && Col() > FixedCols() && b.X > 0)
                SetCol(b.X);
            break;
        case VK_UP:
            if (b.Y < Row() && Row() > FixedRows() && b.Y > 0)
                SetRow(b.Y);
            break;
        case VK_RIGHT:
            if (b.X + span.X >= Col() && Col() < ColCount() - 1 && b.X < ColCount() - 1 &&
                b.X + span.X < ColCount())
                SetCol(b.X + span.X);
            break;
        case VK_DOWN:
            if (b.Y + span.Y >= Row() && Row() < RowCount() - 1 && b.Y < RowCount() - 1)
                SetRow(b.Y + span.Y);
            break;
        default:
            break;
        }
    }
    TObjStringGrid::HandleKeyDown(Key, Shift);
    MoveToBaseCell();
}

bool TBaseGrid::HandleWheelDown(TShiftState Shift, TPoint MousePos)
{
    const bool result = TObjStringGrid::HandleWheelDown(Shift, MousePos);
    if (FHideLastRow && Row() < RowCount() - 1 && VisibleRowCount() < Row() - TopRow())
        SetTopRow(TopRow() + 1);
    MoveToBaseCell();
    return result;
}

bool TBaseGrid::HandleWheelUp(TShiftState Shift, TPoint MousePos)
{
    const bool result = TObjStringGrid::HandleWheelUp(Shift, MousePos);
    MoveToBaseCell();
    return result;
}

void TBaseGrid::TopLeftChanged()
{
    TObjStringGrid::TopLeftChanged();
    for (int r = TopRow(); r <= TopRow() + VisibleRowCount(); ++r)
        for (int c = 0; c < FixedCols(); ++c)
            if (IsMergedCell(c, r))
                RepaintCell(c, r);
    for (int c = LeftCol(); c <= LeftCol() + VisibleColCount(); ++c)
        for (int r = 0; r < FixedRows(); ++r)
            if (IsMergedCell(c, r))
                RepaintCell(c, r);
}
