// The toolkit grid: TCustomGrid < TCustomDrawGrid / TDrawGrid < TStringGrid (platform/StringGrid.h).
//
// The grid family of the program (base grid, string grid, column grid) derives from these classes and
// overrides their virtuals, calling "the toolkit's handling" in the middle of its own; so the order in
// which the virtuals run is part of the interface and is written down at each declaration.
//
// The control is a scroll area built by hand: Widget() holds the frame, a viewport child that is the
// client area (ClientRect, CellRect, MouseToCell and painting are in viewport coordinates) and two
// scroll bars outside the viewport. All indexes are display indexes; sizes are in pixels. Cell
// rectangles abut (no grid lines of the toolkit's own: the grid family draws its lines itself).
#pragma once

#include "platform/Controls.h"
#include "platform/GridModel.h"

#include <map>

class QScrollBar;
class QTimer;
class TGridViewport;
class TInplaceEdit; // the in-place editor (TCustomMaskEdit with a grid back-pointer)

// ---- Vocabulary ------------------------------------------------------------------------------------

enum class GridOption : unsigned {
    FixedVertLine,
    FixedHorzLine,
    VertLine,
    HorzLine,
    RangeSelect,
    DrawFocusSelected,
    RowSizing,
    ColSizing,
    RowMoving,
    ColMoving,
    Editing,
    Tabs,
    RowSelect,
    AlwaysShowEditor,
    ThumbTracking
};
constexpr GridOption goFixedVertLine = GridOption::FixedVertLine;
constexpr GridOption goFixedHorzLine = GridOption::FixedHorzLine;
constexpr GridOption goVertLine = GridOption::VertLine;
constexpr GridOption goHorzLine = GridOption::HorzLine;
constexpr GridOption goRangeSelect = GridOption::RangeSelect;
constexpr GridOption goDrawFocusSelected = GridOption::DrawFocusSelected;
constexpr GridOption goRowSizing = GridOption::RowSizing;
constexpr GridOption goColSizing = GridOption::ColSizing;
constexpr GridOption goRowMoving = GridOption::RowMoving;
constexpr GridOption goColMoving = GridOption::ColMoving;
constexpr GridOption goEditing = GridOption::Editing;
constexpr GridOption goTabs = GridOption::Tabs;
constexpr GridOption goRowSelect = GridOption::RowSelect;
constexpr GridOption goAlwaysShowEditor = GridOption::AlwaysShowEditor;
constexpr GridOption goThumbTracking = GridOption::ThumbTracking;

// The set of grid options: `Options() | goEditing`, `Options().Contains(goRowSelect)`.
class TGridOptions
{
  public:
    constexpr TGridOptions() = default;
    constexpr TGridOptions(GridOption o) : bits_(Bit(o)) {}
    constexpr bool Contains(GridOption o) const { return (bits_ & Bit(o)) != 0; }
    constexpr TGridOptions& Include(GridOption o)
    {
        bits_ |= Bit(o);
        return *this;
    }
    constexpr TGridOptions& Exclude(GridOption o)
    {
        bits_ &= ~Bit(o);
        return *this;
    }
    friend constexpr TGridOptions operator|(TGridOptions a, TGridOptions b)
    {
        return FromBits(a.bits_ | b.bits_);
    }
    friend constexpr TGridOptions operator-(TGridOptions a, TGridOptions b)
    {
        return FromBits(a.bits_ & ~b.bits_);
    }
    friend constexpr TGridOptions operator&(TGridOptions a, TGridOptions b)
    {
        return FromBits(a.bits_ & b.bits_);
    }
    friend constexpr bool operator==(TGridOptions a, TGridOptions b) { return a.bits_ == b.bits_; }
    constexpr unsigned Bits() const { return bits_; }

  private:
    static constexpr unsigned Bit(GridOption o) { return 1u << unsigned(o); }
    static constexpr TGridOptions FromBits(unsigned bits)
    {
        TGridOptions s;
        s.bits_ = bits;
        return s;
    }
    unsigned bits_ = 0;
};
constexpr TGridOptions operator|(GridOption a, GridOption b)
{
    return TGridOptions(a) | TGridOptions(b);
}

// Draw state of a cell handed to DrawCell.
using TGridDrawState = unsigned;
constexpr TGridDrawState gdSelected = 1u << 0;
constexpr TGridDrawState gdFocused = 1u << 1;
constexpr TGridDrawState gdFixed = 1u << 2;
constexpr TGridDrawState gdRowSelected = 1u << 3;
constexpr TGridDrawState gdHotTrack = 1u << 4;
constexpr TGridDrawState gdPressed = 1u << 5;

// What a mouse drag is doing; the grid family sets it back to gsNormal to cancel a pending size or move.
enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// Scroll bars and scroll codes of WMHScroll/WMVScroll.
constexpr int SB_HORZ = 0, SB_VERT = 1, SB_BOTH = 3;
constexpr int SB_LINEUP = 0, SB_LINELEFT = 0, SB_LINEDOWN = 1, SB_LINERIGHT = 1, SB_PAGEUP = 2,
              SB_PAGELEFT = 2;
constexpr int SB_PAGEDOWN = 3, SB_PAGERIGHT = 3, SB_THUMBPOSITION = 4, SB_THUMBTRACK = 5, SB_TOP = 6;
constexpr int SB_LEFT = 6, SB_BOTTOM = 7, SB_RIGHT = 7, SB_ENDSCROLL = 8;

// Timer ids of the grid family; the toolkit grid runs the auto-scroll timer itself.
constexpr int GridScrollTimerId = 1;
constexpr int GridScrollTimerInterval = 60; // ms
// Half-width of the zone around a column (row) border where a press starts sizing.
constexpr int GridSizingMargin = 2;

using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TDrawCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const TRect& Rect, TGridDrawState State)>;
using TMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;

// ---- TCustomGrid -----------------------------------------------------------------------------------

// Rows and columns of cells with fixed rows and columns, a current cell with a selection anchor, and
// scrolling. Holds no cell data (TStringGrid does) and draws nothing itself: every visible cell goes
// through DrawCell. Input (keys, mouse, focus, the in-place editor) arrives in a second step; the
// calls it will make (MoveCurrent, MoveAnchor, FocusCell, UpdateEdit, HideEdit) are here already.
class TCustomGrid : public TCustomControl
{
  public:
    explicit TCustomGrid(TComponent* AOwner);
    ~TCustomGrid() override;

    // -- Dimensions --
    // Count writes: below 1 becomes 1; a fixed count that no longer fits drops to count - 1; current
    // cell, anchor and top-left are clamped without asking CanSelectCell; cell data stays; then
    // SizeChanged, the scroll bars, TopLeftChanged when the top-left moved, and a repaint.
    int ColCount() const { return FCols.Count(); }
    void SetColCount(int Value);
    int RowCount() const { return FRows.Count(); }
    void SetRowCount(int Value);
    // Fixed count writes raise EInvalidGridOperation for a value < 0 or >= the count.
    int FixedCols() const { return FCols.Fixed; }
    void SetFixedCols(int Value);
    int FixedRows() const { return FRows.Fixed; }
    void SetFixedRows(int Value);
    // Every write (an equal one too) puts all columns (rows) back to the default, then
    // ColWidthsChanged (RowHeightsChanged).
    int DefaultColWidth() const { return FCols.DefaultSize(); }
    void SetDefaultColWidth(int Value);
    int DefaultRowHeight() const { return FRows.DefaultSize(); }
    void SetDefaultRowHeight(int Value);
    // Index outside 0 .. count - 1: EListError. A changed size is stored, then ColWidthsChanged
    // (RowHeightsChanged) runs at once - it may set other sizes (re-entrant). Negative sizes are 0.
    int ColWidths(int Index) const;
    void SetColWidths(int Index, int Value);
    int RowHeights(int Index) const;
    void SetRowHeights(int Index, int Value);

    // Changing goRowSelect drops goAlwaysShowEditor; outside editor mode the editor follows
    // goAlwaysShowEditor; newly set goRowSelect re-selects the current row (asks CanSelectCell).
    // Cheap and silent otherwise: the grid family flips goEditing on nearly every move.
    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions Value);
    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor Value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);

    // -- Current cell and selection --
    // Writes: outside the counts EInvalidGridOperation "Grid index out of range"; the same value does
    // nothing at all; another goes through FocusCell (CanSelectCell, move, UpdateEdit, Click).
    int Col() const { return FCurrent.X; }
    void SetCol(int Value);
    int Row() const { return FCurrent.Y; }
    void SetRow(int Value);
    // Read: anchor and current cell, sorted. Write: anchor := (Left, Top), current := (Right,
    // Bottom) as given - unsorted, unchecked, no CanSelectCell, no Click (the grid family parks the
    // selection outside the grid to hide it).
    TGridRect Selection() const { return GridRect(FAnchor, FCurrent); }
    void SetSelection(const TGridRect& Value);
    // Writes outside FixedCols .. ColCount - 1 (FixedRows .. RowCount - 1) are ignored; a change
    // scrolls and calls TopLeftChanged.
    int LeftCol() const { return FCols.First; }
    void SetLeftCol(int Value);
    int TopRow() const { return FRows.First; }
    void SetTopRow(int Value);
    // Wholly visible scrolled columns (rows) from LeftCol (TopRow); may be 0.
    int VisibleColCount() const;
    int VisibleRowCount() const;
    // Same as MoveCurrent followed by UpdateEdit (no Click).
    void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);

    // -- Geometry (client = viewport coordinates) --
    // The cell's rectangle when any part of it shows (it may reach past the client edge), else empty.
    TRect CellRect(int ACol, int ARow) const;
    // The cell under a client point; -1 where there is none (before the first, after the last).
    void MouseToCell(int X, int Y, int& ACol, int& ARow) const;
    TGridCoord MouseCoord(int X, int Y) const;
    TRect ClientRect() const override;
    // Screen <-> client of the viewport (the frame is not client area).
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;
    QWidget* Viewport() const;

    // -- Repainting --
    void InvalidateCell(int ACol, int ARow);
    void InvalidateRow(int ARow);
    void InvalidateCol(int ACol);
    void InvalidateGrid();
    void InvalidateRect(const TGridRect& ARect);
    // WM_SETREDRAW: while off, nothing of the client area is painted.
    void SetRedraw(bool Value);

    // -- Scroll bars --
    // Bar: SB_HORZ or SB_VERT. Showing keeps the bar visible even when nothing scrolls, until it is
    // un-shown; then it follows ScrollBars and the need again. Disabling greys both arrows.
    void ShowScrollBar(int Bar, bool Visible);
    void EnableScrollBar(int Bar, bool Enable);
    bool ScrollBarVisible(int Bar) const;
    QScrollBar* ScrollBar(int Bar) const;
    // Window timers by id, delivered to WMTimer.
    void SetTimer(int Id, int Interval);
    void KillTimer(int Id);
    void KillScrollTimer() { KillTimer(GridScrollTimerId); }

    // -- In-place editor (the editor itself arrives with the input half) --
    bool EditorMode() const { return FEditorMode; }
    void SetEditorMode(bool Value);
    void ShowEditor();       // editor mode on, UpdateEdit
    void HideEditor();       // editor mode off, HideEdit
    void InvalidateEditor(); // forget the loaded cell, UpdateEdit (reload, no write-back)
    TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }

    // The row (column) moves to the end and the count drops by one; its data stays stored beyond
    // the count. No size or current-cell adjustment.
    void DeleteRow(int ARow);
    void DeleteColumn(int ACol);

  protected:
    // -- Notifications, all synchronous --
    // After ColCount/RowCount changed (before the scroll bars are updated).
    virtual void SizeChanged(int OldColCount, int OldRowCount);
    // After a column width (row height) changed, also from DefaultColWidth (DefaultRowHeight).
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    // After LeftCol/TopRow changed, whatever moved them (writes, bars, ClampInView, counts).
    virtual void TopLeftChanged();
    // From MoveColumn/MoveRow with the indexes given there; the string grid moves its cells here.
    virtual void ColumnMoved(int FromIndex, int ToIndex);
    virtual void RowMoved(int FromIndex, int ToIndex);
    // Asked before every move of the current cell; false leaves everything as it was.
    virtual bool CanSelectCell(int ACol, int ARow);
    // Paints one cell; ARect is CellRect(ACol, ARow).
    virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState);
    // Sizing hit test for a client point: gsColSizing near a column's right border inside the
    // fixed rows (goColSizing), gsRowSizing near a row's bottom border inside the fixed columns
    // (goRowSizing), else gsNormal. Index = the column (row), SizingPos = its border, SizingOfs =
    // the point's distance from the border.
    virtual void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs);

    // Paint protocol: the cells of the fixed/fixed, fixed-row, fixed-column and scrolled regions
    // (each visible cell once, the current cell skipped under an open editor), then the area right
    // of the last column and below the last row in Color. Subclasses draw overlays after it.
    void Paint() override;
    // The frame and the bar corner, on Canvas bound to the whole widget (non-client painting).
    virtual void WMNCPaint();
    // Size change protocol: Resize() (the size-change entry) calls WMSize, whose base lays out the
    // viewport and the bars, updates the scroll ranges (the top-left is pulled back into them, with
    // TopLeftChanged) and then runs the toolkit's Resize (child alignment, OnResize).
    void Resize() override;
    virtual void WMSize();
    // Scroll bar actions: code SB_..., pos = the thumb position (bar value = TopRow - FixedRows, or
    // LeftCol - FixedCols). Base: move TopRow (LeftCol); thumb tracking only with goThumbTracking,
    // else on release.
    virtual void WMHScroll(int Code, int Pos);
    virtual void WMVScroll(int Code, int Pos);
    // Timer ids started with SetTimer; base handles the auto-scroll timer.
    virtual void WMTimer(int Id);
    // Every event of the viewport; base paints and hands mouse events to the control's mouse
    // protocol (coordinates are client coordinates). Mouse events on the frame are not client
    // events and go nowhere.
    virtual bool ViewportEvent(QEvent* Event);
    void WidgetMouse(QMouseEvent* event, TControlWidgetLink& link) override;

    void HandleSetFocus() override;
    void HandleKillFocus() override;
    void HandleColorChanged() override;
    void HandleFontChanged() override;
    void HandleEnabledChanged() override;
    QWidget* ChildHost() const override;
    void PaintWidget(QPaintEvent* event, TControlWidgetLink& link) override;

    // -- Moves --
    // Moves the current cell; out of range raises EInvalidGridOperation. Protocol: CanSelectCell
    // first (false: nothing changes, returns false); current := cell; the editor is hidden (its
    // text written back) unless goAlwaysShowEditor; the anchor follows when MoveAnchor or without
    // goRangeSelect (row select: anchor at the last column, current at the first scrolled one);
    // with Show the cell is scrolled into view; old and new selection repainted.
    bool MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show);
    // MoveCurrent(..., Show = true), then UpdateEdit and Click when it moved.
    void FocusCell(int ACol, int ARow, bool MoveAnchor);
    // Without goRangeSelect: MoveCurrent(cell, true, true). With it: only the anchor moves (row
    // select: to the last column), scrolled into view; no CanSelectCell.
    void MoveAnchor(const TGridCoord& NewAnchor);
    // Scrolls so that the cell is wholly visible (fixed parts never scroll).
    void ClampInView(const TGridCoord& Coord);
    // Moves LeftCol and TopRow together: one TopLeftChanged.
    void MoveTopLeft(int ALeft, int ATop);
    // Calls ColumnMoved/RowMoved; nothing else moves (sizes, current cell).
    void MoveColumn(int FromIndex, int ToIndex);
    void MoveRow(int FromIndex, int ToIndex);
    // Auto-scroll while selecting or moving with the pointer outside the scrolled area: one column
    // and/or row per tick toward the pointer; while selecting the anchor follows.
    void StartScrollTimer() { SetTimer(GridScrollTimerId, GridScrollTimerInterval); }
    void AutoScrollStep(TPoint ClientPos);
    // Largest TopRow (LeftCol) of the scroll bar: the last row (column) wholly visible.
    int MaxTopRow() const;
    int MaxLeftCol() const;
    // Whether the grid or a widget inside it (its editors) has the focus.
    bool GridFocused() const;

    // -- In-place editor seams --
    // Shows or reloads the editor for the current cell when it may show; the editor half fills it in.
    void UpdateEdit();
    // Writes the shown editor's text back to the cell it was loaded from and hides it.
    void HideEdit();

    TGridState FGridState = gsNormal;
    bool FEditorMode = false;
    int FInplaceCol = -1; // cell the editor is loaded from; -1 = none (then it is hidden)
    int FInplaceRow = -1;
    TInplaceEdit* FInplaceEdit = nullptr;

  private:
    friend class TGridViewport;
    friend class TGridScrollBar;
    void ViewportPaint(QPaintEvent* Event);
    void ScrollBarReleased(int Bar, bool Dragging);
    void ChangeSize(int NewColCount, int NewRowCount);
    void CheckCoord(int ACol, int ARow) const;
    // Bars shown and their ranges for the current size; clamp keeps the top-left within range.
    void UpdateScrollArea(bool ClampTopLeft);
    void UpdateScrollPos();
    void ScrollBarAction(int Bar, int Action);
    void ScrollTo(bool Horizontal, int Code, int Pos);
    void SelectionMoved(const TGridRect& OldSel);
    int BorderWidth() const;
    int BarExtent() const;

    TGridAxis FCols;
    TGridAxis FRows;
    TGridCoord FCurrent{1, 1};
    TGridCoord FAnchor{1, 1};
    TGridOptions FOptions = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
    TColor FFixedColor = clBtnFace;
    TScrollStyle FScrollBars = ssBoth;
    TBorderStyle FBorderStyle = bsSingle;
    bool FBarKeptShown[2] = {false, false};
    bool FBarShown[2] = {false, false};
    TGridViewport* FViewport = nullptr;
    QScrollBar* FBars[2] = {nullptr, nullptr};
    std::map<int, QTimer*> FTimers;
    TRect FPaintRect; // area being painted (client coordinates)
};

// ---- TCustomDrawGrid / TDrawGrid -------------------------------------------------------------------

// The grid with events: each notification of TCustomGrid fires its event here.
class TCustomDrawGrid : public TCustomGrid
{
  public:
    explicit TCustomDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

    TSelectCellEvent OnSelectCell;
    TDrawCellEvent OnDrawCell;
    TNotifyEvent OnTopLeftChanged;
    TMovedEvent OnColumnMoved;
    TMovedEvent OnRowMoved;

  protected:
    bool CanSelectCell(int ACol, int ARow) override;
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    void TopLeftChanged() override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
};

class TDrawGrid : public TCustomDrawGrid
{
  public:
    explicit TDrawGrid(TComponent* AOwner) : TCustomDrawGrid(AOwner) {}
};
