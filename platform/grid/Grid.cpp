// TCustomGrid: construction, dimensions, options, repainting and the viewport; TCustomDrawGrid.
#include "platform/grid/Grid.h"
#include "platform/grid/GridViewport.h"

#include <QApplication>
#include <QHelpEvent>
#include <QScrollBar>
#include <QTimer>

// ---- Viewport and scroll bars ----------------------------------------------------------------------

TGridViewport::TGridViewport(TCustomGrid* grid, QWidget* parent) : QWidget(parent), Grid(grid)
{
    // Paint covers every pixel (cells, then the grid colour): no background erase.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    setMouseTracking(true);
    setFocusProxy(parent);
}

bool TGridViewport::event(QEvent* e)
{
    // Events of the construction (before the grid holds it) and of the teardown stay with Qt.
    if (Grid && Grid->FViewport == this && !(Grid->ComponentState() & csDestroying))
        return Grid->ViewportEvent(e);
    return QWidget::event(e);
}

TGridScrollBar::TGridScrollBar(TCustomGrid* grid, int bar, QWidget* parent)
    : QScrollBar(bar == SB_VERT ? Qt::Vertical : Qt::Horizontal, parent), Grid(grid), Bar(bar)
{
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void TGridScrollBar::mouseReleaseEvent(QMouseEvent* e)
{
    const bool dragging = isSliderDown();
    QScrollBar::mouseReleaseEvent(e);
    if (Grid && !(Grid->ComponentState() & csDestroying))
        Grid->ScrollBarReleased(Bar, dragging);
}

// ---- TCustomGrid -----------------------------------------------------------------------------------

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner)
{
    FCols.SetCount(5);
    FCols.SetDefaultSize(64);
    FRows.SetCount(5);
    FRows.SetDefaultSize(24);
    // The grid calls Click itself (after a cell move, at the end of a selection), not on every release.
    ControlStyle = (ControlStyle | csOpaque) & ~csClickEvents;
    SetColor(clWindow);
    SetTabStop(true);
    UpdateLineRoom();

    FViewport = new TGridViewport(this, Widget());
    for (int bar : {SB_HORZ, SB_VERT}) {
        auto* sb = new TGridScrollBar(this, bar, Widget());
        QObject::connect(sb, &QAbstractSlider::actionTriggered, sb,
                         [this, bar](int action) { GuardedDispatch([&] { ScrollBarAction(bar, action); }); });
        FBars[bar] = sb;
    }
    SetBounds(0, 0, 320, 120);
    UpdateScrollArea(false);
}

TCustomGrid::~TCustomGrid()
{
    Destroying();
    // The widgets outlive this part of the object until the control deletes them.
    static_cast<TGridViewport*>(FViewport)->Grid = nullptr;
    for (QScrollBar* sb : FBars) {
        static_cast<TGridScrollBar*>(sb)->Grid = nullptr;
        QObject::disconnect(sb, nullptr, nullptr, nullptr);
    }
    for (auto& [id, timer] : FTimers) {
        timer->stop();
        QObject::disconnect(timer, nullptr, nullptr, nullptr);
    }
}

QWidget* TCustomGrid::Viewport() const
{
    return FViewport;
}

QWidget* TCustomGrid::ChildHost() const
{
    // Editors and cell controls live in client coordinates.
    return FViewport ? static_cast<QWidget*>(FViewport) : Widget();
}

void TCustomGrid::CheckCoord(int ACol, int ARow) const
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
        throw EInvalidGridOperation("Grid index out of range");
}

// ---- Dimensions ------------------------------------------------------------------------------------

void TCustomGrid::SetColCount(int Value)
{
    ChangeSize(Value, RowCount());
}

void TCustomGrid::SetRowCount(int Value)
{
    ChangeSize(ColCount(), Value);
}

void TCustomGrid::ChangeSize(int NewColCount, int NewRowCount)
{
    NewColCount = std::max(NewColCount, 1);
    NewRowCount = std::max(NewRowCount, 1);
    const int oldC = ColCount();
    const int oldR = RowCount();
    if (NewColCount == oldC && NewRowCount == oldR)
        return;
    const TGridCoord topLeft{LeftCol(), TopRow()};
    auto resize = [](TGridAxis& a, int count) {
        if (count <= a.Fixed)
            a.Fixed = count - 1;
        a.SetCount(count);
        a.First = std::clamp(a.First, a.Fixed, count - 1);
    };
    resize(FCols, NewColCount);
    resize(FRows, NewRowCount);
    for (TGridCoord* p : {&FCurrent, &FAnchor}) {
        p->X = std::clamp(p->X, 0, NewColCount - 1);
        p->Y = std::clamp(p->Y, 0, NewRowCount - 1);
    }
    if (FOptions.Contains(goRowSelect)) {
        FAnchor.X = NewColCount - 1;
        FCurrent.X = FixedCols();
    }
    if (FInplaceCol >= NewColCount || FInplaceRow >= NewRowCount) {
        // The edited cell is gone: nothing is written beyond the counts.
        DropEdit();
        if (FOptions.Contains(goAlwaysShowEditor))
            UpdateEdit();
        else
            FEditorMode = false;
    }
    SizeChanged(oldC, oldR);
    UpdateScrollArea(true);
    InvalidateGrid();
    if (TGridCoord{LeftCol(), TopRow()} != topLeft)
        TopLeftChanged();
}

void TCustomGrid::SetFixedCols(int Value)
{
    SetFixedCount(FCols, &TGridCoord::X, Value, "Fixed column count must be less than column count");
}

void TCustomGrid::SetFixedRows(int Value)
{
    SetFixedCount(FRows, &TGridCoord::Y, Value, "Fixed row count must be less than row count");
}

void TCustomGrid::SetFixedCount(TGridAxis& Axis, int TGridCoord::*Coord, int Value, const char* TooMany)
{
    if (Value < 0)
        throw EInvalidGridOperation("Grid index out of range");
    if (Value >= Axis.Count())
        throw EInvalidGridOperation(TooMany);
    if (Value == Axis.Fixed)
        return;
    const int oldFirst = Axis.First;
    // A grid showing its first scrolled column (row) keeps showing it.
    if (Axis.First == Axis.Fixed || Axis.First < Value)
        Axis.First = Value;
    Axis.Fixed = Value;
    FCurrent.*Coord = std::max(FCurrent.*Coord, Value);
    FAnchor.*Coord = std::max(FAnchor.*Coord, Value);
    UpdateScrollArea(true);
    InvalidateGrid();
    if (Axis.First != oldFirst)
        TopLeftChanged();
}

void TCustomGrid::SetDefaultColWidth(int Value)
{
    FCols.SetDefaultSize(Value);
    UpdateScrollArea(false);
    InvalidateGrid();
    ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(int Value)
{
    FRows.SetDefaultSize(Value);
    UpdateScrollArea(false);
    InvalidateGrid();
    RowHeightsChanged();
}

int TCustomGrid::ColWidths(int Index) const
{
    if (Index < 0 || Index >= ColCount())
        RaiseListIndexError(Index);
    return FCols.Size(Index);
}

void TCustomGrid::SetColWidths(int Index, int Value)
{
    if (Index < 0 || Index >= ColCount())
        RaiseListIndexError(Index);
    if (!FCols.SetSize(Index, Value))
        return;
    UpdateScrollArea(false);
    InvalidateGrid();
    ColWidthsChanged();
}

void TCustomGrid::MoveColWidths(int From, int To, int Delta)
{
    if (From >= To || Delta == 0)
        return;
    if (From < 0 || To > ColCount())
        RaiseListIndexError(From < 0 ? From : To - 1);
    if (From + Delta < 0 || To + Delta > ColCount())
        RaiseListIndexError(From + Delta < 0 ? From + Delta : To - 1 + Delta);
    if (!FCols.MoveSizes(From, To, Delta))
        return;
    UpdateScrollArea(false);
    InvalidateGrid();
    ColWidthsChanged();
}

int TCustomGrid::RowHeights(int Index) const
{
    if (Index < 0 || Index >= RowCount())
        RaiseListIndexError(Index);
    return FRows.Size(Index);
}

void TCustomGrid::SetRowHeights(int Index, int Value)
{
    if (Index < 0 || Index >= RowCount())
        RaiseListIndexError(Index);
    if (!FRows.SetSize(Index, Value))
        return;
    UpdateScrollArea(false);
    InvalidateGrid();
    RowHeightsChanged();
}

// ---- Options and looks -----------------------------------------------------------------------------

void TCustomGrid::SetOptions(TGridOptions Value)
{
    if (Value.Contains(goRowSelect))
        Value.Exclude(goAlwaysShowEditor);
    if (Value == FOptions)
        return;
    const TGridOptions old = FOptions;
    FOptions = Value;
    if (UpdateLineRoom())
        UpdateScrollAreaClamped();
    if (!FEditorMode) {
        if (Value.Contains(goAlwaysShowEditor))
            ShowEditor();
        else
            HideEdit();
    }
    if (Value.Contains(goRowSelect) && !old.Contains(goRowSelect) && FCurrent.X < ColCount() &&
        FCurrent.Y < RowCount())
        MoveCurrent(FCurrent.X, FCurrent.Y, true, false);
    // Only what changes the look repaints; goEditing and friends flip on every move.
    const TGridOptions looks = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRowSelect |
                               goDrawFocusSelected | goRangeSelect;
    if (!((old & looks) == (Value & looks)))
        InvalidateGrid();
}

bool TCustomGrid::UpdateLineRoom()
{
    const int vert = FOptions.Contains(goFixedVertLine) || FOptions.Contains(goVertLine) ? FGridLineWidth : 0;
    const int horz = FOptions.Contains(goFixedHorzLine) || FOptions.Contains(goHorzLine) ? FGridLineWidth : 0;
    if (vert == FCols.Line && horz == FRows.Line)
        return false;
    FCols.Line = vert;
    FRows.Line = horz;
    return true;
}

void TCustomGrid::SetGridLineWidth(int Value)
{
    Value = std::max(Value, 0);
    if (Value == FGridLineWidth)
        return;
    FGridLineWidth = Value;
    if (UpdateLineRoom())
        UpdateScrollAreaClamped();
    InvalidateGrid();
}

void TCustomGrid::SetDefaultDrawing(bool Value)
{
    if (Value == FDefaultDrawing)
        return;
    FDefaultDrawing = Value;
    InvalidateGrid();
}

void TCustomGrid::SetFixedColor(TColor Value)
{
    if (Value == FFixedColor)
        return;
    FFixedColor = Value;
    InvalidateGrid();
}

void TCustomGrid::SetBorderStyle(TBorderStyle Value)
{
    if (Value == FBorderStyle)
        return;
    FBorderStyle = Value;
    Widget()->update(); // the frame
    UpdateScrollAreaClamped();
}

void TCustomGrid::HandleColorChanged()
{
    TCustomControl::HandleColorChanged();
    InvalidateGrid();
}

void TCustomGrid::HandleFontChanged()
{
    TCustomControl::HandleFontChanged();
    InvalidateGrid();
}

void TCustomGrid::HandleEnabledChanged()
{
    TCustomControl::HandleEnabledChanged();
    InvalidateGrid();
}

// ---- Repainting ------------------------------------------------------------------------------------

void TCustomGrid::InvalidateCell(int ACol, int ARow)
{
    InvalidateRect(TGridRect{ACol, ARow, ACol, ARow});
}

void TCustomGrid::InvalidateRow(int ARow)
{
    InvalidateRect(TGridRect{0, ARow, ColCount() - 1, ARow});
}

void TCustomGrid::InvalidateCol(int ACol)
{
    InvalidateRect(TGridRect{ACol, 0, ACol, RowCount() - 1});
}

void TCustomGrid::InvalidateGrid()
{
    if (FViewport)
        FViewport->update();
}

void TCustomGrid::InvalidateRect(const TGridRect& ARect)
{
    if (!FViewport)
        return;
    const TRect client = ClientRect();
    int x0, x1, y0, y1;
    if (FCols.Span(ARect.Left, ARect.Right, client.Width(), x0, x1) &&
        FRows.Span(ARect.Top, ARect.Bottom, client.Height(), y0, y1))
        FViewport->update(QRect(x0, y0, x1 - x0, y1 - y0));
}

void TCustomGrid::InvalidateClientRect(const TRect& ARect)
{
    if (FViewport && !ARect.IsEmpty())
        FViewport->update(ARect.ToQRect());
}

void TCustomGrid::SetRedraw(bool Value)
{
    if (FViewport)
        FViewport->setUpdatesEnabled(Value);
}

// ---- Viewport events -------------------------------------------------------------------------------

bool TCustomGrid::ViewportEvent(QEvent* Event)
{
    switch (Event->type()) {
    case QEvent::Paint:
        ViewportPaint(static_cast<QPaintEvent*>(Event));
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        // Viewport coordinates are client coordinates.
        auto* mouse = static_cast<QMouseEvent*>(Event);
        DispatchMouse(mouse, mouse->position().toPoint());
        return true;
    }
    case QEvent::Wheel:
        DispatchWheel(static_cast<QWheelEvent*>(Event));
        return true;
    case QEvent::ToolTip:
        ShowCellHint(static_cast<QHelpEvent*>(Event));
        return true;
    default:
        return FViewport->BaseEvent(Event);
    }
}

// ---- TCustomDrawGrid -------------------------------------------------------------------------------

bool TCustomDrawGrid::CanSelectCell(int ACol, int ARow)
{
    bool can = true;
    if (OnSelectCell)
        OnSelectCell(this, ACol, ARow, can);
    return can;
}

void TCustomDrawGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    if (OnDrawCell)
        OnDrawCell(this, ACol, ARow, ARect, AState);
}

void TCustomDrawGrid::TopLeftChanged()
{
    TCustomGrid::TopLeftChanged();
    if (OnTopLeftChanged)
        OnTopLeftChanged(this);
}

void TCustomDrawGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    TCustomGrid::ColumnMoved(FromIndex, ToIndex);
    if (OnColumnMoved)
        OnColumnMoved(this, FromIndex, ToIndex);
}

void TCustomDrawGrid::RowMoved(int FromIndex, int ToIndex)
{
    TCustomGrid::RowMoved(FromIndex, ToIndex);
    if (OnRowMoved)
        OnRowMoved(this, FromIndex, ToIndex);
}

// ---- Base notifications ----------------------------------------------------------------------------

void TCustomGrid::SizeChanged(int, int) {}
void TCustomGrid::ColWidthsChanged() {}
void TCustomGrid::RowHeightsChanged() {}
void TCustomGrid::TopLeftChanged() {}
void TCustomGrid::ColumnMoved(int, int) {}
void TCustomGrid::RowMoved(int, int) {}

bool TCustomGrid::CanSelectCell(int, int)
{
    return true;
}

void TCustomGrid::DrawCell(int, int, const TRect&, TGridDrawState) {}
