// TExtStringGrid: automatic sizing to content, fitting the columns into the width, stretching one
// column over the slack and the notifications after a width or height changed.
#include "grid/core/ExtGrid.h"
#include "platform/controls/Forms.h"

#include <QApplication>
#include <QRegularExpression>
#include <QStyle>
#include <cmath>

namespace
{
int RoundEven(double v)
{
    return int(std::nearbyint(v));
}

bool ApplicationTerminating()
{
    return Application && Application->Terminated();
}

// Runs its action once: at Run, or when the scope ends (also by an exception).
template <class F> class TOnExit
{
  public:
    explicit TOnExit(F f) : FAction(std::move(f)) {}
    ~TOnExit() { Run(); }
    void Run()
    {
        if (!FDone) {
            FDone = true;
            FAction();
        }
    }
    TOnExit(const TOnExit&) = delete;
    TOnExit& operator=(const TOnExit&) = delete;

  private:
    F FAction;
    bool FDone = false;
};
} // namespace

int TExtStringGrid::LimitToRange(int v, int Min, int Max) const
{
    if (Min == Max)
        return v;
    int r = v;
    if (v < Min && Min > 0)
        r = Min;
    if (v > Max && Max > 0)
        r = Max;
    return r;
}

// ---- Measuring
// ---------------------------------------------------------------------------------------------

TFont* TExtStringGrid::CellMeasureFont(int ACol, int ARow)
{
    Canvas->Font->Assign(*(ACol < FixedCols() || ARow < FixedRows() ? FixedFont() : Font));
    Canvas->Brush->Color = Color();
    GetCellColor(DisplToRealCol(ACol), ARow, TGridDrawState(0), Canvas->Brush, Canvas->Font);
    if (FZoomFactor != 0)
        Canvas->Font->Size = Canvas->Font->Size + FZoomFactor;
    return Canvas->Font;
}

// The one place that measures a cell's text for sizing: the painter's own measuring.
TPoint TExtStringGrid::MeasureCellText(int RealCol, int ARow, bool Wrapped)
{
    if (GetCellEx(RealCol, ARow).isEmpty())
        return TPoint(0, 0);
    const TSize size = GetCellTextSize(RealCol, ARow, false, Wrapped);
    return TPoint(size.cx, size.cy);
}

// ---- Columns
// -----------------------------------------------------------------------------------------------

int TExtStringGrid::FitColWidth(int Index, bool GrowOnly)
{
    const int real = DisplToRealCol(Index);
    int r0 = 0, r1 = RowCount() - 1;
    if (FColumnSize->Rows == arNormal) {
        r0 = FixedRows();
        r1 = RowCount() - FixedFooters - 1;
    } else if (FColumnSize->Rows == arFixed) {
        r1 = FixedRows() - 1;
    }
    int widest = 0;
    for (int r = r0; r <= r1; ++r) {
        if (IsMergedCell(Index, r) && CellSpan(Index, r).X > 0)
            continue;
        int w = MeasureCellText(real, r).X;
        if (ControlLook()->DropDownAlwaysVisible() && HasComboBox(real, r))
            w += 16;
        widest = std::max(widest, w);
    }
    const int inset = XYOffsetTopLeftOnly ? XYOffset.X : 2 * XYOffset.X;
    int W = widest + inset + 2 * (GridLineWidth() + 1);
    if (GrowOnly && ColWidths(Index) >= W)
        return ColWidths(Index);
    UpdateAutoColumnSize(Index, W);
    SetColWidths(Index, LimitToRange(W, FMinColWidth, MaxColWidth));
    return ColWidths(Index);
}

void TExtStringGrid::AutoSizeCol(int Index, int Padding)
{
    if (Index < 0 || Index >= ColCount())
        return;
    FitColWidth(Index, SizeGrowOnly);
    if (Padding != 0)
        SetColWidths(Index, LimitToRange(ColWidths(Index) + Padding, FMinColWidth, MaxColWidth));
}

void TExtStringGrid::AutoSizeColumns(bool DoFixedCols, int Padding)
{
    const int c0 = DoFixedCols ? 0 : FixedCols();
    const int c1 = DoFixedCols ? ColCount() - 1 : ColCount() - FixedRightCols - 1;
    for (int c = c0; c <= c1; ++c)
        AutoSizeCol(c, Padding);
}

void TExtStringGrid::UpdateColumnSize(int ACol, int& AWidth)
{
    if (OnUpdateColumnSize)
        OnUpdateColumnSize(this, ACol, AWidth);
}

void TExtStringGrid::UpdateAutoColumnSize(int ACol, int& AWidth)
{
    if (OnUpdateColumnSize)
        OnUpdateColumnSize(this, ACol, AWidth);
}

// ---- Rows
// --------------------------------------------------------------------------------------------------

int TExtStringGrid::FittedRowHeight(int ARow, bool GrowOnly)
{
    int tallest = 0;
    for (int c = 0; c < ColCount(); ++c) {
        if (IsMergedCell(c, ARow) && CellSpan(c, ARow).Y > 0 && !IsBaseCell(c, ARow))
            continue;
        tallest = std::max(tallest, MeasureCellText(DisplToRealCol(c), ARow).Y);
    }
    const int inset = XYOffsetTopLeftOnly ? XYOffset.Y : 2 * XYOffset.Y;
    const int H = tallest + inset + 2 * GridLineWidth() + (XYOffsetTopLeftOnly ? 2 : 0);
    if (GrowOnly && RowHeights(ARow) >= H)
        return RowHeights(ARow);
    return LimitToRange(H, FMinRowHeight, MaxRowHeight);
}

int TExtStringGrid::LinesRowHeight(int ARow, int Lines, int Padding)
{
    CellMeasureFont(FixedCols(), ARow);
    const int h = Canvas->TextHeight(QStringLiteral("gh"));
    return LimitToRange(Padding + Lines * (h + h / 8), FMinRowHeight, MaxRowHeight);
}

void TExtStringGrid::AutoSizeRow(int Index, int Padding)
{
    if (Index < 0 || Index >= RowCount())
        return;
    SetRowHeights(Index, FittedRowHeight(Index, SizeGrowOnly));
    if (Padding != 0)
        SetRowHeights(Index, LimitToRange(RowHeights(Index) + Padding, FMinRowHeight, MaxRowHeight));
}

void TExtStringGrid::AutoSizeRows(bool DoFixedRows, int Padding)
{
    if (RowCount() == 0)
        return;
    BeginUpdate();
    TOnExit endUpdate([this] { EndUpdate(); });
    // Measured first, written as one block with one notification.
    const int r0 = DoFixedRows ? 0 : FixedRows();
    std::vector<int> heights;
    heights.reserve(size_t(std::max(RowCount() - r0, 0)));
    for (int r = r0; r < RowCount(); ++r) {
        if (WordWrap()) {
            int h = FittedRowHeight(r, SizeGrowOnly);
            if (Padding != 0)
                h = LimitToRange(h + Padding, FMinRowHeight, MaxRowHeight);
            heights.push_back(h);
        } else {
            int lines = 1;
            if (Multilinecells)
                for (int c = 0; c < ColCount(); ++c)
                    lines = std::max(lines, CountTextLines(GetCellEx(DisplToRealCol(c), r), true));
            heights.push_back(LinesRowHeight(r, lines, Padding));
        }
    }
    if (RowAxis().SetSizes(r0, RowCount(), [&](int i, int) { return heights[size_t(i - r0)]; }))
        RowSizesChanged();
    endUpdate.Run();
    ApplyScrollBarAlways(false);
}

void TExtStringGrid::AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY)
{
    BeginUpdate();
    TOnExit endUpdate([this] { EndUpdate(); });
    const int r0 = DoFixedCells ? 0 : FixedRows();
    // Row heights only grow here; they are gathered over all columns and written as one block.
    std::vector<int> heights;
    for (int r = r0; r < RowCount(); ++r)
        heights.push_back(RowHeights(r));
    for (int c = DoFixedCells ? 0 : FixedCols(); c < ColCount(); ++c) {
        int a = SizeGrowOnly ? ColWidths(c) : 0;
        for (int r = r0; r < RowCount(); ++r) {
            int& b = heights[size_t(r - r0)];
            const TPoint t = MeasureCellText(DisplToRealCol(c), r);
            int W = t.X + PaddingX + XYOffset.X;
            int H = t.Y + PaddingY + XYOffset.Y;
            const TPoint span = IsMergedCell(c, r) ? CellSpan(c, r) : TPoint(0, 0);
            if (span.X == 0 && W > a) {
                W = LimitToRange(W, FMinColWidth, MaxColWidth);
                if (W > a) {
                    SetColWidths(c, W);
                    a = W;
                }
            }
            if (span.Y == 0 && H > b) {
                H = LimitToRange(H, FMinRowHeight, MaxRowHeight);
                if (H > b)
                    b = H;
            }
        }
    }
    if (RowAxis().SetSizes(r0, RowCount(), [&](int i, int) { return heights[size_t(i - r0)]; }))
        RowSizesChanged();
}

void TExtStringGrid::AutoFitColumns(bool DoFixedCells)
{
    const bool allRowsFit = VisibleRowCount() + FixedRows() >= RowCount();
    const int S = FScrollBarAlways == saVert || (ScrollBars() != ssNone && !allRowsFit)
                      ? QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent)
                      : 0;
    const int B = BorderStyle() == bsSingle ? 4 : 0; // single border, 3D
    int c0 = 0, c1 = ColCount() - 1, room = Width();
    if (!DoFixedCells) {
        c0 = FixedCols();
        c1 = ColCount() - FixedRightCols - 1;
        for (int c = 0; c < ColCount(); ++c)
            if (c < c0 || c > c1)
                room -= ColWidths(c);
    }
    if (c1 < c0)
        return; // no column to give the room to
    int L =
        Options().Contains(goVertLine) ? GridLineWidth() * (ColCount() - FixedCols() - FixedRightCols) : 0;
    if (Options().Contains(goFixedVertLine) && DoFixedCells)
        L += FixedCols() + FixedRightCols;
    BeginUpdate();
    if (ColCount() < 2) {
        SetColWidths(0, Width() - S - 5);
    } else {
        int sum = 0;
        for (int c = c0; c <= c1; ++c)
            sum += ColWidths(c);
        if (sum == 0 || sum == room - S - B) {
            EndUpdate();
            return;
        }
        const double e = double(room - S - B - L) / sum;
        int T = 0;
        for (int c = c0; c <= c1; ++c)
            T += RoundEven(ColWidths(c) * e);
        for (int c = c0; c <= c1; ++c)
            SetColWidths(c, RoundEven(double(ColWidths(c)) * T / sum));
    }
    int newSum = 0;
    for (int c = c0; c <= c1; ++c)
        newSum += ColWidths(c);
    int slack = room - (S + B + newSum);
    const int n = c1 - c0 + 1;
    if (n > 1 && n < slack) {
        for (int c = c0; c <= c1; ++c)
            SetColWidths(c, ColWidths(c) + slack / n);
        slack %= n;
    }
    int widest = c0;
    for (int c = c0; c <= c1; ++c)
        if (ColWidths(c) > ColWidths(widest))
            widest = c;
    SetColWidths(widest, ColWidths(widest) + slack);
    EndUpdate();
}

void TExtStringGrid::SizeToCols()
{
    int sum = 0;
    for (int c = 0; c < ColCount(); ++c)
        sum += ColWidths(c);
    SetClientWidth(sum);
}

void TExtStringGrid::SizeToRows()
{
    int sum = 0;
    for (int r = 0; r < RowCount(); ++r)
        sum += RowHeights(r);
    SetClientHeight(sum);
}

void TExtStringGrid::SizeToCells()
{
    const TScrollStyle bars = ScrollBars();
    SetScrollBars(ssNone);
    SizeToCols();
    SizeToRows();
    SetScrollBars(bars);
}

// ---- Stretching and notifications
// --------------------------------------------------------------------------

void TExtStringGrid::ApplyColumnStretch(int Index)
{
    if ((ComponentState() & csLoading) || IsDestroying() || ApplicationTerminating())
        return;
    // The index is judged only when a stretch would happen: a stale StretchColumn must not break
    // every width change while stretching is off.
    if (ColCount() == 0 || !FColumnSize || !FColumnSize->Stretch() || FIsColChanging)
        return;
    if (Index == -1)
        Index = ColCount() - 1;
    if (Index < 0 || Index >= ColCount())
        throw Exception(QStringLiteral("Stretch column index out of range"));
    FIsColChanging = true;
    ColchgFlg = false;
    const int client = ClientRect().Right;
    if (ColCount() == 1) {
        SetColWidths(0, client);
        ColchgFlg = true;
        FIsColChanging = false;
        return;
    }
    int s = 0;
    for (int c = 0; c < ColCount(); ++c)
        if (c != Index)
            s += ColWidths(c);
    if (s < client)
        SetColWidths(Index, client - s - 1);
    else if (LeftCol() == FixedCols())
        SetColWidths(Index, DefaultColWidth());
    ColchgFlg = true;
    FIsColChanging = false;
}

void TExtStringGrid::InitOrigColSizes()
{
    FOrigColSizes.clear();
    for (int c = 0; c < ColCount(); ++c)
        FOrigColSizes.push_back(ColWidths(c));
    FOldSize = Width();
}

void TExtStringGrid::ColWidthsChanged()
{
    if (ColchgFlg)
        ApplyColumnStretch(FColumnSize->StretchColumn);
    TBaseGrid::ColWidthsChanged();
    ColSizeFlg = true;
    if (ColSized && FMouseActions->AllColumnSize && Colclickedsize > 0 && Colclicked >= 0 &&
        Colclicked < ColCount()) {
        ColSized = false;
        const double f = double(ColWidths(Colclicked)) / Colclickedsize;
        for (int c = FixedCols(); c < ColCount(); ++c)
            if (c != Colclicked)
                SetColWidths(c, RoundEven(ColWidths(c) * f));
        ColSized = true;
    }
    if (ColSized && Colclicked >= 0 && Colclicked < ColCount()) {
        if (OnEndColumnSize)
            OnEndColumnSize(this, Colclicked);
        int w = ColWidths(Colclicked);
        UpdateColumnSize(Colclicked, w);
        if (w != ColWidths(Colclicked)) {
            ColSized = false;
            SetColWidths(Colclicked, w);
        }
    }
    if (ColSized) {
        Colclicked = -1;
        Rowclicked = -1;
    }
    ColSized = false;
    CellControlsUpdate(false);
    if (FColumnSize->Stretch() && FScrollProportional)
        UpdateVertProportional();
}

void TExtStringGrid::RowHeightsChanged()
{
    TBaseGrid::RowHeightsChanged();
    // Scaled only from a known earlier height.
    if (Rowsized && FMouseActions->AllRowSize && Rowclickedsize > 0 && Rowclicked >= 0 &&
        Rowclicked < RowCount()) {
        Rowsized = false;
        const double f = double(RowHeights(Rowclicked)) / Rowclickedsize;
        if (RowAxis().ScaleSizes(FixedRows(), RowCount(), f, Rowclicked))
            RowSizesChanged();
        Rowsized = true;
    }
    if (Rowsized) {
        if (OnEndRowSize)
            OnEndRowSize(this, Rowclicked);
        Colclicked = -1;
        Rowclicked = -1;
    }
    Rowsized = false;
    CellControlsUpdate(false);
}

void TExtStringGrid::WMSize()
{
    TBaseGrid::WMSize();
    if (IsDestroying() || !FColumnSize)
        return;
    if (FScrollProportional) {
        UpdateVertProportional();
        UpdateHorzProportional();
    }
    if (FOldSize > 0 && FColumnSize->SynchWithGrid && !FOrigColSizes.empty()) {
        HideEdit();
        const double factor =
            BorderStyle() == bsSingle ? (Width() + 2.0) / FOldSize : double(Width()) / FOldSize;
        const bool normalOnly = FColumnSize->SynchNormalCellsOnly;
        const int c0 = normalOnly ? FixedCols() : 0;
        const int c1 = normalOnly ? ColCount() - FixedRightCols - 1 : ColCount() - 1;
        for (int c = c0; c <= c1 && c < int(FOrigColSizes.size()); ++c)
            SetColWidths(c, int(FOrigColSizes[size_t(c)] * factor));
    }
    if (FColumnSize->Stretch() && (FScrollBarAlways == saNone || FScrollBarAlways == saVert) &&
        ColCount() > 0) {
        const int stretch = FColumnSize->StretchColumn == -1 ? ColCount() - 1 : FColumnSize->StretchColumn;
        int s = 0;
        for (int c = 0; c < ColCount(); ++c)
            if (c != stretch)
                s += ColWidths(c);
        if (s < Width())
            ApplyColumnStretch(FColumnSize->StretchColumn);
    }
}
