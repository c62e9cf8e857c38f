// TExtStringGrid: scroll-bar looks (system and metro bars), scroll hints and live thumb tracking,
// scrolling a cell into view, drag scrolling, the synchronised grid and the cell controls.
#include "grid/core/ExtGrid_Scroll.h"

#include "grid/base/HtmlHintWindow.h"
#include "grid/core/ExtGrid.h"
#include "platform/controls/Forms.h"

#include <QCursor>
#include <QScrollBar>
#include <cmath>

namespace
{
constexpr int ScrollHintMaxWidth = 100;
constexpr int ScrollHintOffsetX = 10;
} // namespace

// ---- Looks
// -------------------------------------------------------------------------------------------------

void TExtStringGrid::SetScrollType(TScrollType Value)
{
    FScrollType = Value;
    // The flat looks of the common controls do not exist here: the system bars stay.
    FIsFlat = false;
    if (!HandleAllocated())
        return;
    if (Value == ssMetro) {
        CreateScrollControls();
        SetScrollBars(ssNone);
    } else if (vscrlctrl || hscrlctrl) {
        FreeScrollControls();
        SetScrollBars(ssBoth);
    }
}

void TExtStringGrid::CreateScrollControls()
{
    if (!vscrlctrl) {
        vscrlctrl = new TScrollControl(this);
        vscrlctrl->Direction = sdVertical;
        vscrlctrl->SetParent(this);
        vscrlctrl->SetWidth(MetroBarThickness);
        vscrlctrl->SetAlign(alRight);
        vscrlctrl->Show();
    }
    if (!hscrlctrl) {
        hscrlctrl = new TScrollControl(this);
        hscrlctrl->Direction = sdHorizontal;
        hscrlctrl->SetParent(this);
        hscrlctrl->SetHeight(MetroBarThickness);
        hscrlctrl->SetAlign(alBottom);
        hscrlctrl->Show();
    }
}

void TExtStringGrid::FreeScrollControls()
{
    delete vscrlctrl;
    vscrlctrl = nullptr;
    delete hscrlctrl;
    hscrlctrl = nullptr;
}

void TExtStringGrid::SetScrollProportional(bool Value)
{
    FScrollProportional = Value;
    if (Value) {
        UpdateVertProportional();
        UpdateHorzProportional();
    }
}

// Our bars carry value TopRow - FixedRows with a page of the visible rows, so their thumbs are
// proportional already; these keep their skip conditions and only bring the bars up to date.
void TExtStringGrid::UpdateVertProportional()
{
    if ((ComponentState() & csLoading) || IsDesignTime() || !FScrollProportional || FScrollLock)
        return;
    if (VisibleRowCount() + FixedRows() >= RowCount())
        return;
    if (QScrollBar* bar = ScrollBar(SB_VERT); bar && bar->value() != TopRow() - FixedRows())
        bar->setValue(TopRow() - FixedRows());
}

void TExtStringGrid::UpdateHorzProportional()
{
    if ((ComponentState() & csLoading) || IsDesignTime() || !FScrollProportional || FScrollLock)
        return;
    if (QScrollBar* bar = ScrollBar(SB_HORZ); bar && bar->value() != LeftCol() - FixedCols())
        bar->setValue(LeftCol() - FixedCols());
}

// ---- Scroll messages
// ----------------------------------------------------------------------------------------

void TExtStringGrid::ScrollHint(bool Vertical, int Code, int Index)
{
    if (Code == SB_ENDSCROLL) {
        if (FScrollHintWnd)
            FScrollHintWnd->ReleaseHint();
        FScrollHintShow = false;
        return;
    }
    if (Code != SB_THUMBTRACK)
        return;
    QString text = (Vertical ? QStringLiteral("Row : ") : QStringLiteral("Col : ")) + QString::number(Index);
    if (OnScrollHint)
        OnScrollHint(this, Index, text);
    if (!FScrollHintWnd)
        FScrollHintWnd = new THTMLHintWindow(this);
    TRect r = FScrollHintWnd->CalcHintRect(ScrollHintMaxWidth, text, nullptr);
    const TPoint at = TPoint::FromQPoint(QCursor::pos());
    OffsetRect(r, at.X + ScrollHintOffsetX, at.Y);
    FScrollHintWnd->SetColor(HintColor);
    FScrollHintWnd->ActivateHint(r, text);
    FScrollHintShow = true;
}

void TExtStringGrid::WMHScroll(int Code, int Pos)
{
    // Bar value = LeftCol - FixedCols: the column is the value on from the fixed columns.
    const int c = FixedCols() + Pos;
    if (ScrollHints == shHorizontal || ScrollHints == shBoth)
        ScrollHint(false, Code, c);
    if (Code == SB_THUMBTRACK && ScrollSynch && c >= FixedCols() && c < ColCount())
        SetLeftCol(std::min(c, MaxLeftCol()));
    TBaseGrid::WMHScroll(Code, Pos);
    if (Code == SB_ENDSCROLL && ColCount() == 1)
        InvalidateGrid();
}

void TExtStringGrid::WMVScroll(int Code, int Pos)
{
    if (IsDesignTime()) {
        TBaseGrid::WMVScroll(Code, Pos);
        return;
    }
    const int r = FixedRows() + Pos;
    if (ScrollHints == shVertical || ScrollHints == shBoth)
        ScrollHint(true, Code, r);
    if (Code == SB_THUMBTRACK && ScrollSynch && r >= FixedRows() && r < RowCount())
        SetTopRow(std::min(r, MaxTopRow()));
    TBaseGrid::WMVScroll(Code, Pos);
}

void TExtStringGrid::TopLeftChanged()
{
    TBaseGrid::TopLeftChanged();
    CellControlsUpdate(false);
    FOldLeftCol = LeftCol();
    FOldTopRow = TopRow();
    if (TExtStringGrid* other = FSyncGrid->Grid()) {
        if (FSyncGrid->ScrollVertical && other->TopRow() != TopRow() && TopRow() < other->RowCount())
            other->SetTopRow(TopRow());
        if (FSyncGrid->ScrollHorizontal && other->LeftCol() != LeftCol() && LeftCol() < other->ColCount())
            other->SetLeftCol(LeftCol());
    }
    if (vscrlctrl)
        vscrlctrl->Invalidate();
    if (hscrlctrl)
        hscrlctrl->Invalidate();
}

void TExtStringGrid::SizeChanged(int OldColCount, int OldRowCount)
{
    if (Parent() && !(ComponentState() & csLoading) && !(Application && Application->Terminated()) &&
        FColumnSize->Stretch())
        ApplyColumnStretch(FColumnSize->StretchColumn);
    TBaseGrid::SizeChanged(OldColCount, OldRowCount);
    if (vscrlctrl)
        vscrlctrl->Invalidate();
    if (hscrlctrl)
        hscrlctrl->Invalidate();
}

void TExtStringGrid::ScrollInView(int ColIndex, int RowIndex)
{
    if (ColIndex < 0 || RowIndex < 0 || ColIndex >= ColCount() || RowIndex >= RowCount())
        return;
    int L = LeftCol(), T = TopRow();
    const int vc = VisibleColCount(), vr = VisibleRowCount();
    if (ColIndex < LeftCol() || ColIndex >= LeftCol() + vc) {
        SetCol(ColIndex);
        L = std::max(FixedCols(), ColIndex - vc / 2);
    }
    if (RowIndex < TopRow() || RowIndex >= TopRow() + vr) {
        SetRow(RowIndex);
        T = std::max(FixedRows(), RowIndex - vr / 2);
    }
    L = std::min(L, ColCount() - vc + 1);
    if (FixedCols() + vc < ColCount())
        SetLeftCol(std::max(FixedCols(), std::min(L, ColCount() - 1)));
    T = std::min(T, RowCount() - vr + 1);
    if (FixedRows() + vr >= RowCount())
        return;
    SetTopRow(std::max(FixedRows(), std::min(T, RowCount() - 1)));
}

void TExtStringGrid::DoScrollCell(int ACol, int ARow, int Position, int Min, int Max)
{
    if (OnScrollCell)
        OnScrollCell(this, ACol, ARow, Position, Min, Max);
}

// ---- Drag scrolling
// -------------------------------------------------------------------------------------------

void TExtStringGrid::DragScrollOver(TDragScrollState State, int X, int Y)
{
    TDragScrollOptions* o = FDragScrollOptions.get();
    if (!o->Active || State == dssLeave) {
        FDragTmr.reset();
        FDragScrollDirection = TDragScrollDirection();
        return;
    }
    const bool hadDirection = !FDragScrollDirection.Empty();
    TDragScrollDirection dir;
    const TRect client = ClientRect();
    if (Y < o->Margins()->TopMargin)
        dir.Include(dsdUp);
    else if (Y > client.Height() - o->Margins()->BottomMargin)
        dir.Include(dsdDown);
    if (X < o->Margins()->LeftMargin)
        dir.Include(dsdLeft);
    else if (X > client.Width() - o->Margins()->RightMargin)
        dir.Include(dsdRight);
    FDragScrollDirection = dir;
    if (dir.Empty()) {
        FDragTmr.reset();
        return;
    }
    if (!FDragTmr) {
        FDragTmr = std::make_unique<TTimer>(nullptr);
        FDragTmr->OnTimer = [this](TObject*) { DragScrollTimerTick(); };
        FDragTmr->SetInterval(unsigned(o->Delays()->InitialDelay));
        FDragTmr->SetEnabled(true);
    } else if (hadDirection) {
        FDragTmr->SetInterval(unsigned(o->Delays()->InitialDelay));
    }
}

void TExtStringGrid::DragScrollTimerTick()
{
    if (!FDragTmr)
        return;
    if (!FDragScrollOptions->Active) {
        FDragTmr.reset();
        return;
    }
    FDragTmr->SetInterval(unsigned(FDragScrollOptions->Delays()->RepeatDelay));
    if (OnDragScroll) {
        bool canScroll = true;
        OnDragScroll(this, TopRow(), LeftCol(), FDragScrollDirection, canScroll);
        if (!canScroll)
            return;
    }
    const TDragScrollDirection d = FDragScrollDirection;
    if (d.Contains(dsdUp) && TopRow() > FixedRows())
        SetTopRow(TopRow() - 1);
    if (d.Contains(dsdDown) && TopRow() + VisibleRowCount() < RowCount())
        SetTopRow(TopRow() + 1);
    if (d.Contains(dsdLeft) && LeftCol() > FixedCols())
        SetLeftCol(LeftCol() - 1);
    if (d.Contains(dsdRight) && LeftCol() + VisibleColCount() < ColCount())
        SetLeftCol(LeftCol() + 1);
}

// ---- Cell controls
// ----------------------------------------------------------------------------------------------

void TExtStringGrid::CellControlsUpdate(bool RebuildList)
{
    if (!HandleAllocated() || IsDestroying())
        return;
    if (RebuildList) {
        while (FControlList->Count() > 0)
            FControlList->RemoveControl(0);
        for (int c = 0; c < ColCount(); ++c)
            for (int r = 0; r < RowCount(); ++r)
                if (const TCellProperties* p = LookOf(c, r); p && p->Control())
                    FControlList->AddControl(c, r, p->Control());
    }
    if (FNumCellControls == 0)
        return;
    for (int i = 0; i < FControlList->Count(); ++i) {
        TControlItem* item = FControlList->Control(i);
        TControl* control = item->Control;
        if (!control)
            continue;
        if ((item->X < MaxHiddenColumns && IsHiddenColumn(item->X)) || IsHiddenRow(item->Y)) {
            control->SetVisible(false);
            continue;
        }
        const int c = RealToDisplCol(item->X);
        const int r = RealToDisplRow(item->Y);
        if (c < FixedCols() || r < FixedRows())
            continue; // controls of fixed cells stay where they are
        if (c < LeftCol() || c > LeftCol() + VisibleColCount() || r < TopRow() ||
            r > TopRow() + VisibleRowCount()) {
            control->SetVisible(false);
            continue;
        }
        const TRect cell = CellRect(c, r);
        control->SetBounds(cell.Left - 1, cell.Top - 1, cell.Width() + 1, cell.Height() + 1);
        control->SetVisible(true);
        control->Invalidate();
    }
}

// ---- TScrollControl
// -------------------------------------------------------------------------------------------

TScrollControl::TScrollControl(TComponent* AOwner) : TCustomControl(AOwner)
{
    DoubleBuffered = true;
    SetTabStop(false);
    // Only the thumb is drawn; the grid shows through the rest.
    Widget()->setAttribute(Qt::WA_TranslucentBackground);
    Widget()->setAutoFillBackground(false);
}

void TScrollControl::SetThumbColor(TColor Value)
{
    if (Value == FColor)
        return;
    FColor = Value;
    Invalidate();
}

TExtStringGrid* TScrollControl::Grid() const
{
    return dynamic_cast<TExtStringGrid*>(Parent());
}

bool TScrollControl::ThumbRect(int& Position, int& Size) const
{
    TExtStringGrid* g = Grid();
    if (!g)
        return false;
    const bool vert = Direction == sdVertical;
    const int count = vert ? g->RowCount() : g->ColCount();
    const int fixed = vert ? g->FixedRows() : g->FixedCols();
    const int visible = vert ? g->VisibleRowCount() : g->VisibleColCount();
    const int first = vert ? g->TopRow() : g->LeftCol();
    if (count <= 0 || fixed + visible >= count)
        return false;
    const int length = vert ? Height() : Width();
    int start = 0;
    for (int i = 0; i < fixed; ++i)
        start += vert ? g->RowHeights(i) : g->ColWidths(i);
    int tail = 0;
    for (int i = 0; i < g->FixedFooters && count - 1 - i >= fixed; ++i)
        tail += vert ? g->RowHeights(count - 1 - i) : g->ColWidths(count - 1 - i);
    const int track = std::max(0, length - start - tail);
    const double v = double(visible) / count;
    // A grid of only fixed rows has no offset.
    const double o = count - fixed > 0 ? double(first - fixed) / (count - fixed) : 0.0;
    Position = start + int(std::nearbyint(track * o));
    Size = std::max(MetroMinThumb, int(std::nearbyint(track * v)));
    if (Position + Size > length)
        Position = length - Size;
    return true;
}

void TScrollControl::Paint()
{
    int pos = 0, size = 0;
    if (!ThumbRect(pos, size))
        return;
    Canvas->Pen->Color = FColor;
    Canvas->Brush->Color = FColor;
    Canvas->Brush->Style = bsSolid;
    if (Direction == sdVertical)
        Canvas->Rectangle(0, pos, ScrollWidth, pos + size);
    else
        Canvas->Rectangle(pos, 0, pos + size, ScrollWidth);
}

void TScrollControl::HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::HandleMouseDown(Button, Shift, X, Y);
    TExtStringGrid* g = Grid();
    int pos = 0, size = 0;
    if (!g || !ThumbRect(pos, size))
        return;
    const bool vert = Direction == sdVertical;
    const int at = vert ? Y : X;
    if (at < pos) {
        if (vert)
            g->SetTopRow(std::max(g->FixedRows(), g->TopRow() - g->VisibleRowCount()));
        else
            g->SetLeftCol(std::max(g->FixedCols(), g->LeftCol() - g->VisibleColCount()));
    } else if (at > pos + size) {
        if (vert)
            g->SetTopRow(std::min(g->TopRow() + g->VisibleRowCount(), g->RowCount() - g->VisibleRowCount()));
        else
            g->SetLeftCol(
                std::min(g->LeftCol() + g->VisibleColCount(), g->ColCount() - g->VisibleColCount()));
    } else {
        FDownOnScroller = true;
        FDownPos = at;
        FDownRow = vert ? g->TopRow() : g->LeftCol();
    }
    Invalidate();
}

void TScrollControl::HandleMouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::HandleMouseMove(Shift, X, Y);
    TExtStringGrid* g = Grid();
    if (!g || !FDownOnScroller)
        return;
    if (Direction == sdVertical) {
        const int room = std::max(1, Height() - g->RowHeights(0));
        const int to = int(std::nearbyint(double(Y - FDownPos) / room * g->RowCount())) + FDownRow;
        g->SetTopRow(std::max(g->FixedRows(), std::min(to, g->RowCount() - g->VisibleRowCount())));
    } else {
        const int room = std::max(1, Width() - g->ColWidths(0));
        const int to = int(std::nearbyint(double(X - FDownPos) / room * g->ColCount())) + FDownRow;
        g->SetLeftCol(std::max(g->FixedCols(), std::min(to, g->ColCount() - g->VisibleColCount())));
    }
    Invalidate();
}

void TScrollControl::HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FDownOnScroller = false;
    TCustomControl::HandleMouseUp(Button, Shift, X, Y);
}
