// The toolkit grid: TCustomGrid < TCustomDrawGrid / TDrawGrid < TStringGrid (platform/StringGrid.h).
//
// The grid family of the program (base grid, string grid, column grid) derives from these classes and
// overrides their virtuals, calling "the toolkit's handling" in the middle of its own; so the order in
// which the virtuals run is part of the interface and is written down at each declaration.
//
// The control is a scroll area built by hand: Widget() holds the frame, a viewport child that is the
// client area (ClientRect, CellRect, MouseToCell and painting are in viewport coordinates) and two
// scroll bars outside the viewport. All indexes are display indexes; sizes are in pixels. A grid
// line of GridLineWidth follows every column and row (the grid family sets it to 0 and draws its
// lines itself).
#pragma once

#include "platform/controls/Controls.h"
#include "platform/controls/Hints.h"
#include "platform/controls/Messages.h"
#include "platform/controls/StdCtrls.h" // TScrollStyle
#include "platform/grid/GridModel.h"

#include <map>

class QHelpEvent;
class QScrollBar;
class QTimer;
class QWheelEvent;
class TGridViewport;
class TInplaceEdit; // the in-place editor (platform/InplaceEdit.h)

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

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

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
// Grid lines between fixed cells and between scrolled ones.
constexpr TColor GridFixedLineColor = clBlack;
constexpr TColor GridLineColor = clSilver;

using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TDrawCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const TRect& Rect, TGridDrawState State)>;
using TMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, const QString& Value)>;
// MousePos in client coordinates; Handled = true stops the default (moving the current row).
using TMouseWheelUpDownEvent =
    std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;

// ---- TCustomGrid -----------------------------------------------------------------------------------

// Rows and columns of cells with fixed rows and columns, a current cell with a selection anchor, and
// scrolling. Holds no cell data (TStringGrid does) and draws nothing itself: every visible cell goes
// through DrawCell. Keys, mouse, focus and hints arrive as messages through WindowProcedure and the
// Handle... stages below; one in-place editor (TInplaceEdit) edits the current cell.
class TCustomGrid : public TCustomControl
{
    friend class TInplaceEdit;

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
    // The widths of columns From .. To - 1 move Delta places, as SetColWidths one column at a time
    // would move them, with one scroll-area update and one ColWidthsChanged.
    void MoveColWidths(int From, int To, int Delta);
    int RowHeights(int Index) const;
    void SetRowHeights(int Index, int Value);

    // Changing goRowSelect drops goAlwaysShowEditor; outside editor mode the editor follows
    // goAlwaysShowEditor; newly set goRowSelect re-selects the current row (asks CanSelectCell).
    // Cheap and silent otherwise: the grid family flips goEditing on nearly every move.
    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions Value);
    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor Value);
    // Pixels of the line after every column while goFixedVertLine or goVertLine is set, and after
    // every row while goFixedHorzLine or goHorzLine is; cell rectangles leave it out. It is drawn
    // in the fixed cells by the goFixed... options (GridFixedLineColor) and in the scrolled cells by
    // goVertLine/goHorzLine (GridLineColor); without its option the line shows the cells'
    // background. Default 1; negative writes are 0.
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int Value);
    // On: every cell is prepared before DrawCell - its background filled (FixedColor for fixed
    // cells, clHighlight for selected ones, else Color) and the canvas font coloured to match
    // (clHighlightText when selected) - the string grid draws the cell's text, and the focused
    // cell gets a focus rectangle after DrawCell (not with goRowSelect or goDrawFocusSelected).
    // Off: DrawCell paints everything. Default on.
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool Value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    // Reading direction. The grid itself lays out left to right whatever is set; the grid family
    // mirrors its own drawing details when UseRightToLeftAlignment answers true.
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode Value) { FBiDiMode = Value; }
    bool UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }

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
    // Pixels of the fixed columns (rows), their grid lines included.
    int FixedColsWidth() const;
    int FixedRowsHeight() const;
    // Pixels of the columns (rows) From .. To - 1 with their lines, shown or not; indexes at or beyond
    // the count add nothing.
    int ColWidthsSum(int From, int To) const;
    int RowHeightsSum(int From, int To) const;
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
    // A rectangle of client pixels.
    void InvalidateClientRect(const TRect& ARect);
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

    // -- In-place editor --
    // One editor per grid, made by CreateInplaceEditor on the first UpdateEdit that may show it,
    // a child of the client area, freed with the grid. Protocol:
    //   UpdateEdit: nothing unless CanShowEditor (asked every time). Editor missing: create it.
    //     Loaded for another cell (or for none): HideEdit, then load - FInplaceCol/Row := Col/Row,
    //     UpdateContents (mask, text by ReadEditText, limit), select all. Then place it over
    //     CellRect(Col, Row), show it, and focus it when the grid (or the editor) has the focus.
    //   While loaded it follows its cell: every top-left, size, count and client change places it
    //     again, or hides it (text and edit state kept) while no part of the cell shows. A count
    //     change that removes its cell unloads it without a write-back and ends editor mode.
    //   HideEdit: a loaded editor writes its text back with WriteEditText to the cell it was loaded
    //     from (not the current cell), is unloaded and hidden; the focus goes to the grid first.
    //   Every text change of the editor (typing or code) reaches WindowProcedure as WM_COMMAND
    //     EN_CHANGE; the toolkit itself writes nothing on a change.
    //   A Cells write of the current cell reloads a loaded editor, except inside WriteEditText.
    bool EditorMode() const { return FEditorMode; }
    void SetEditorMode(bool Value);
    void ShowEditor();       // editor mode on, the current cell scrolled into view, UpdateEdit
    void HideEditor();       // editor mode off, HideEdit
    void InvalidateEditor(); // forget the loaded cell, UpdateEdit (reload, no write-back)
    // ShowEditor, then the character is posted to the shown editor as WM_CHAR; it replaces the
    // selected text there (all of it after a load).
    void ShowEditorChar(char16_t Ch);
    // Writes the editor's text to the cell it was loaded from (WriteEditText).
    void UpdateText();
    TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }

    // The cursor the client area shows now (crHSplit/crVSplit over sizing borders, else Cursor()).
    TCursor CurrentCursor() const { return FCurrentCursor; }

    // Wheel handling after the grid's WindowProcedure: a notch towards the user fires
    // OnMouseWheelDown, away OnMouseWheelUp; unless handled the current row moves by one.
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;

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
    // (each visible cell once - prepared first with DefaultDrawing - the edited cell skipped while
    // its editor shows), the grid lines of each region, then the area right of the last column and
    // below the last row in Color. Subclasses draw overlays after it.
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
    // Every event of the viewport; base paints, turns mouse, wheel and tooltip events into the
    // grid's messages (coordinates are client coordinates). Mouse events on the frame are not
    // client events and go nowhere (unless the grid holds the mouse capture).
    virtual bool ViewportEvent(QEvent* Event);
    void WidgetMouse(QMouseEvent* event, TControlWidgetLink& link) override;
    bool WidgetEvent(QEvent* event, TControlWidgetLink& link) override;
    // The keys the grid takes before the window's shortcuts while it has the focus: navigation with
    // Shift or Ctrl, Tab when WantsKey, F2, Enter and Esc without Ctrl, and with goEditing the keys
    // that type a character opening the editor. Never with Alt.
    bool ClaimsKey(const QKeyEvent* Event) const;

    // -- Messages --
    // Every message of the grid: Qt's input (keys, mouse, wheel), WM_COMMAND from its children,
    // registered and posted ones. Base: keys and mouse to the Handle... stages below; WM_COMMAND
    // reflected to the child that sent it (CN_COMMAND: its own change handling); others unanswered.
    virtual void WindowProcedure(TMessage& Message);

  public:
    // Perform, SendMessage and PostMessage arrive here. A WM_KEYDOWN runs what a key press runs:
    // the dialog-key check, the key-down stage and the character stage; the rest goes to
    // WindowProcedure.
    void WndProc(TMessage& Message) override;

  protected:
    // -- Key stages --
    // One key press: (1) a shortcut check accepts the keys the grid uses (ClaimsKey; no shortcut steals
    // them); (2) Tab, Enter, Esc and arrows that WantsKey refuses are offered to the form (Tab
    // moves the focus, Enter/Esc the default and cancel buttons); taken: the key ends there;
    // (3) WM_KEYDOWN -> HandleWMKeyDown; (4) when the key types a character - also when (3) zeroed
    // the key, hid the grid or moved the focus - WM_CHAR -> HandleWMChar on this grid (Alt+letter
    // is an accelerator instead); (5) the release: WM_KEYUP -> HandleWMKeyUp.
    // Characters: Backspace #8, Tab #9, Enter #13, Esc #27, Ctrl+A..Z #1..#26, else the text.
    // HandleWMKeyDown base: the form's OnKeyDown when KeyPreview (Key 0 ends it), then HandleKeyDown.
    virtual void HandleWMKeyDown(TWMKey& Message);
    // HandleWMChar base: with goEditing a character that OpensEditor opens the editor with it
    // (ShowEditorChar) and goes nowhere else; any other goes to the form's OnKeyPress when
    // KeyPreview, then HandleKeyPress.
    virtual void HandleWMChar(TWMKey& Message);
    // HandleWMKeyUp base: the form's OnKeyUp when KeyPreview, then HandleKeyUp.
    virtual void HandleWMKeyUp(TWMKey& Message);

  public:
    // OnKeyDown; unless Key is then 0 (and without Alt): Up/Down a row; Left/Right a column (row
    // select: a row); PgUp/PgDn a page of rows, the top row too; Home/End the first/last column
    // (row select: row); Ctrl+Home/Ctrl+End the first/last cell; Ctrl+PgUp/Ctrl+PgDn the first/last
    // wholly visible row; Ctrl+Up/Ctrl+Down scroll a row, the current cell stays; Ctrl+Left/Right a
    // page of columns; Tab/Shift+Tab the next/previous cell, wrapping (goTabs only); F2 ShowEditor.
    // Targets stay in the scrolled cells; a move is FocusCell (Shift keeps the anchor).
    void HandleKeyDown(WORD& Key, TShiftState Shift) override;
    // OnKeyPress; then Enter toggles the editor (without goAlwaysShowEditor) and becomes #0.
    void HandleKeyPress(char16_t& Key) override;
    // Arrows always; Tab with goTabs; Enter with goEditing (it opens and closes the editor).
    bool WantsKey(WORD Key, TShiftState Shift) const override;
    // Backspace and every printable character (32 and up, not 127): typed into a closed editing grid
    // they open the editor with them.
    static bool OpensEditor(char16_t Ch);

  protected:
    // -- Mouse stages --
    // Qt's mouse events on the client area become these messages; double clicks arrive as
    // WM_LBUTTONDBLCLK, never as a second press. Bases: the toolkit's press processing (mouse
    // capture from press to release) calling HandleMouseDown/HandleMouseUp/HandleMouseMove;
    // HandleWMLButtonDblClk calls HandleDblClick (HandleMouseDown with ssDouble).
    virtual void HandleWMLButtonDown(TWMMouse& Message);
    virtual void HandleWMLButtonUp(TWMMouse& Message);
    virtual void HandleWMLButtonDblClk(TWMMouse& Message);
    virtual void HandleWMRButtonDown(TWMMouse& Message);
    virtual void HandleWMRButtonUp(TWMMouse& Message);
    virtual void HandleWMMButtonDown(TWMMouse& Message);
    virtual void HandleWMMButtonUp(TWMMouse& Message);
    virtual void HandleWMMouseMove(TWMMouse& Message);
    // Whole notches only (touchpad steps are added up to 120), one at a time: DoMouseWheel
    // (OnMouseWheel) first; unless handled, HandleWheelDown for a notch towards the user,
    // HandleWheelUp for one away from the user.
    virtual void HandleWMMouseWheel(TWMMouseWheel& Message);
    // OnMouseWheelDown (OnMouseWheelUp) first; unless handled Row moves one down (up). True when
    // the wheel was used.
    virtual bool HandleWheelDown(TShiftState Shift, TPoint MousePos);
    virtual bool HandleWheelUp(TShiftState Shift, TPoint MousePos);
    // The cursor for the client point, before each mouse move is handled. Base: crHSplit/crVSplit
    // over a sizing border (and while sizing), else the control's Cursor.
    virtual void WMSetCursor(int X, int Y);
    // Shows Cursor over the client area (CurrentCursor reads it back).
    void SetCurrentCursor(TCursor Value);

  public:
    // Left press (not double): HideEdit (text written back, editor mode kept); the grid takes the
    // focus (if that fails the press ends); OnMouseDown; then a double click fires DblClick and
    // ends; else: a sizing border (CalcSizingState) starts gsColSizing/gsRowSizing; a fixed-row
    // header of a scrolled column with goColMoving starts gsColMoving (fixed column, goRowMoving:
    // gsRowMoving); a scrolled cell: with goEditing the current cell opens the editor (ShowEditor),
    // another becomes current (MoveColRow), then Click; without goEditing Shift moves the anchor,
    // else the current cell moves, and gsSelecting with the auto-scroll timer follows the mouse.
    void HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // gsSelecting: the anchor follows the cell under the pointer; sizing and moving: the line and
    // the drop place follow. Then OnMouseMove.
    void HandleMouseMove(TShiftState Shift, int X, int Y) override;
    // Left release by state: gsSelecting ends with Click; gsColSizing sets the width to X minus the
    // column's left edge and the press offset (at least 1); gsRowSizing likewise; gsColMoving/
    // gsRowMoving call MoveColumn/MoveRow when the place changed. A state already put back to
    // gsNormal (by the grid family, to cancel) does nothing. Then gsNormal and OnMouseUp.
    void HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleMouseLeave() override;

  protected:
    // -- Focus --
    // Widget focus, mapped from HandleSetFocus/HandleKillFocus. WMSetFocus base: the control's
    // focus handling (it runs DoEnter when the focus comes from outside the grid and its editor),
    // repaint of the selection, and UpdateEdit unless the focus came from the editor
    // (FFocusFromEditor). WMKillFocus base: the control's handling and the repaint; the editor
    // stays as it is. DoEnter/DoExit (OnEnter/OnExit) are not fired when the focus moves between
    // the grid and its editor.
    virtual void WMSetFocus();
    virtual void WMKillFocus();
    // True while WMSetFocus runs for a focus that came from the grid's own editor.
    bool FFocusFromEditor = false;

  public:
    void HandleSetFocus() override;
    void HandleKillFocus() override;

  protected:
    // -- Hints --
    // Asked when the mouse rests on the client area: HintInfo->HintStr holds the short Hint; the
    // handler may change the text, place, colour, width and window class; an empty text (or
    // Result != 0) shows nothing.
    virtual void CMHintShow(TCMHintShow& Message);

    // -- In-place editor questions --
    // goEditing, not goRowSelect, editor mode, not designing, and goAlwaysShowEditor or the focus
    // in the grid or its editor.
    virtual bool CanShowEditor();
    // The editor, made once; base: a TInplaceEdit owned by the grid.
    virtual TInplaceEdit* CreateInplaceEditor();
    virtual QString ReadEditText(int ACol, int ARow);
    virtual void WriteEditText(int ACol, int ARow, const QString& Value);
    virtual int ReadEditLimit(); // 0 = none
    virtual QString ReadEditMask(int ACol, int ARow);
    // A typed character the editor may take; refused ones beep.
    virtual bool CanEditAcceptKey(char16_t Key);
    // Whether typing may change the text (characters, Backspace, cut and paste).
    virtual bool CanEditModify();

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
    // The width (height) of one column (row) moves to another place, the ones between shift by one;
    // one ColWidthsChanged (RowHeightsChanged) when a size changed. Indexes out of range: EListError.
    void MoveColWidth(int FromIndex, int ToIndex);
    void MoveRowHeight(int FromIndex, int ToIndex);
    // Block changes of row heights by the grid family: sizes are moved or written through RowAxis()
    // without notifications (the count stays with SetRowCount), then RowSizesChanged once
    // (scroll range, repaint, RowHeightsChanged).
    TGridAxis& RowAxis() { return FRows; }
    void RowSizesChanged();
    // Auto-scroll while selecting or moving with the pointer outside the scrolled area: one column
    // and/or row per tick toward the pointer; while selecting the anchor follows.
    void StartScrollTimer() { SetTimer(GridScrollTimerId, GridScrollTimerInterval); }
    void AutoScrollStep(TPoint ClientPos);
    // Largest TopRow (LeftCol) of the scroll bar: the last row (column) wholly visible.
    int MaxTopRow() const;
    int MaxLeftCol() const;
    // Whether the grid or a widget inside it (its editors) has the focus.
    bool GridFocused() const;

    // -- In-place editor --
    // See the protocol at ShowEditor.
    void UpdateEdit();
    void HideEdit();
    // A loaded editor over CellRect of its cell, or hidden (still loaded) while no part of the cell
    // shows; after every change of the top-left, a size, a count and the client area.
    void PlaceEditor();
    // Unloads and hides the editor without writing its text back (its cell is gone).
    void DropEdit();

    // -- Mouse state --
    TGridState FGridState = gsNormal;
    // Sizing: the column (row), its left (top) edge and the offset of the press from its border.
    int FSizingIndex = -1;
    int FSizingStart = 0;
    int FSizingOfs = 0;
    int FSizingPos = 0; // where the sizing line is now (client x or y)
    // Moving: the column (row) pressed and the place it would go to now.
    int FMoveIndex = -1;
    int FMovePos = -1;
    bool FEditorMode = false;
    int FInplaceCol = -1; // cell the editor is loaded from; -1 = none (then it is hidden)
    int FInplaceRow = -1;
    TInplaceEdit* FInplaceEdit = nullptr;

  private:
    friend class TGridViewport;
    friend class TGridScrollBar;
    void ViewportPaint(QPaintEvent* Event);
    // Sizing line and drop mark of a mouse drag, drawn after Paint.
    void PaintDragFeedback();
    void DispatchMouse(QMouseEvent* Event, QPoint ClientPos);
    void DispatchWheel(QWheelEvent* Event);
    void ShowCellHint(QHelpEvent* Event);
    void ScrollBarReleased(int Bar, bool Dragging);
    void ChangeSize(int NewColCount, int NewRowCount);
    // SetFixedCols/SetFixedRows on one axis; Coord is the matching member of the current cell.
    void SetFixedCount(TGridAxis& Axis, int TGridCoord::*Coord, int Value, const char* TooMany);
    void CheckCoord(int ACol, int ARow) const;
    // Bars shown and their ranges for the current size; clamp keeps the top-left within range.
    void UpdateScrollArea(bool ClampTopLeft);
    // UpdateScrollArea(true), then TopLeftChanged when the clamp moved the top-left.
    void UpdateScrollAreaClamped();
    void UpdateScrollPos();
    void ScrollBarAction(int Bar, int Action);
    void ScrollTo(bool Horizontal, int Code, int Pos);
    void SelectionMoved(const TGridRect& OldSel);
    // The axes' line room from GridLineWidth and the line options; true when it changed.
    bool UpdateLineRoom();
    int BorderWidth() const;
    int BarExtent() const;

    TGridAxis FCols;
    TGridAxis FRows;
    TGridCoord FCurrent{1, 1};
    TGridCoord FAnchor{1, 1};
    TGridOptions FOptions = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
    TColor FFixedColor = clBtnFace;
    int FGridLineWidth = 1;
    bool FDefaultDrawing = true;
    TScrollStyle FScrollBars = ssBoth;
    TBorderStyle FBorderStyle = bsSingle;
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FBarKeptShown[2] = {false, false};
    bool FBarShown[2] = {false, false};
    TGridViewport* FViewport = nullptr;
    QScrollBar* FBars[2] = {nullptr, nullptr};
    std::map<int, QTimer*> FTimers;
    TRect FPaintRect; // area being painted (client coordinates)
    TCursor FCurrentCursor = crDefault;
    int FWheelDelta = 0; // touchpad steps not yet making a notch
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
    // Value starts as what the grid has: "" here, the cell text in the string grid.
    TGetEditEvent OnGetEditMask;
    TGetEditEvent OnGetEditText;
    // After the editor's text went back (the string grid stores it first).
    TSetEditEvent OnSetEditText;

  protected:
    QString ReadEditMask(int ACol, int ARow) override;
    QString ReadEditText(int ACol, int ARow) override;
    void WriteEditText(int ACol, int ARow, const QString& Value) override;
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

// ---- Shared by the grid and its editor -------------------------------------------------------------

namespace gridinput
{
using TProcedure = std::function<void(TMessage&)>;
// One Qt key event through the key stages documented at TCustomGrid::HandleWMKeyDown, with
// Procedure as the control's WindowProcedure.
void RunKeyEvent(TWinControl* Control, QKeyEvent* Event, const TProcedure& Procedure);
// A message given by Perform, SendMessage or PostMessage: a WM_KEYDOWN runs the dialog-key check,
// the key-down stage and the character stage of that key; any other goes straight to Procedure.
void RunMessage(TWinControl* Control, TMessage& Message, const TProcedure& Procedure);
// A key message (WM_KEYDOWN, WM_KEYUP, WM_CHAR) to the control's stage for it; what the stage
// leaves of the key, and its result, go back into Message.
template <class C>
void RunKeyStage(C* Control, TMessage& Message, void (C::*KeyDown)(TWMKey&), void (C::*Char)(TWMKey&),
                 void (C::*KeyUp)(TWMKey&))
{
    TWMKey key = TWMKey::From(Message);
    const auto stage = Message.Msg == WM_KEYDOWN ? KeyDown : Message.Msg == WM_KEYUP ? KeyUp : Char;
    (Control->*stage)(key);
    Message.WParam = key.CharCode;
    Message.Result = key.Result;
}
// The key stages of the toolkit with the form's KeyPreview first.
void DoKeyDown(TWinControl* Control, WORD& Key, TShiftState Shift);
void DoKeyPress(TWinControl* Control, char16_t& Key);
void DoKeyUp(TWinControl* Control, WORD& Key, TShiftState Shift);
} // namespace gridinput
