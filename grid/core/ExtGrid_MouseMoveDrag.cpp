// TExtStringGrid: what mouse movement does while something is dragged - the OLE drag of the
// selection (its start, its outcome for the dragged cells) and the feedback of the enhanced column
// and row move (drag picture, header button, drop arrows, drag cursors, scrolling while moving), with
// the press and release steps that begin and end them.
#include "grid/core/ExtGrid.h"
#include "grid/core/FloatingWindows.h"
#include "platform/controls/Forms.h"

#include <cstdlib>

namespace
{

// A press on a selected cell starts a drag only once the mouse went further than this.
constexpr int DragThreshold = 3;
// A press this close to a column border belongs to the sizing.
constexpr int BorderZone = 4;
// Copy or move.
constexpr DWORD DragEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE;
// The drop arrows sit this far before the border they point at.
constexpr int ArrowOffset = 5;
constexpr int ArrowHeight = 8;
constexpr int ArrowWidth = 10;

// Holds one reference of a drop source for the drag.
class TDropSourceRef
{
  public:
    explicit TDropSourceRef(TGridDropSource* Source) : FSource(Source) { FSource->AddRef(); }
    ~TDropSourceRef() { FSource->Release(); }
    TDropSourceRef(const TDropSourceRef&) = delete;
    TDropSourceRef& operator=(const TDropSourceRef&) = delete;
    TGridDropSource* Get() const { return FSource; }

  private:
    TGridDropSource* FSource;
};

} // namespace

HRESULT TExtStringGrid::DoBeginTextDragDrop(TESGDropSource* Source, const QString& Text, const QString& RTF,
                                            TMemoryStream* Stream, DWORD OkEffects, DWORD& Effect)
{
    return BeginTextDragDrop(Source, Text, RTF, Stream, OkEffects, Effect);
}

HRESULT TExtStringGrid::DoBeginColumnDragDrop(TESGDropSource* Source, int Column, DWORD OkEffects,
                                              DWORD& Effect)
{
    return BeginColumnDragDrop(Source, Column, OkEffects, Effect);
}

// ---- Floating pictures --------------------------------------------------------------------------------

TArrowWindow* TExtStringGrid::MoveArrow(TArrowDirection Direction)
{
    TArrowWindow*& arrow = FArrows.at(Direction);
    if (!arrow)
        arrow = TArrowWindow::Init(this, Direction);
    return arrow;
}

void TExtStringGrid::HideMoveArrows()
{
    for (TArrowWindow* arrow : FArrows)
        if (arrow)
            arrow->Hide();
}

THeaderDragButton* TExtStringGrid::NeedMoveButton()
{
    if (!FMoveButton) {
        FMoveButton = new THeaderDragButton(this);
        FMoveButton->SetGrid(this);
        FMoveButton->Font->Assign(*FFixedFont);
    }
    return FMoveButton;
}

void TExtStringGrid::ShowMoveForm(const TGridRect& Cells)
{
    FMoveForm = SelectionToForm(Cells);
    FMoveForm->Show(); // on top, never activated
}

void TExtStringGrid::PlaceMoveForm(TPoint P)
{
    if (!FMoveForm)
        return;
    const int left = UseRightToLeftAlignment() ? ColWidths(0) + P.X - FMoveForm->Width() : P.X;
    FMoveForm->SetBounds(left, P.Y, FMoveForm->Width(), FMoveForm->Height());
}

void TExtStringGrid::FreeMoveForm()
{
    delete FMoveForm;
    FMoveForm = nullptr;
}

// ---- Step 14: the OLE drag of the selection ------------------------------------------------------------

void TExtStringGrid::OleDragStep(TShiftState Shift, int ACol, int ARow, int X, int Y, bool InHandle)
{
    if (!FSelectionClick || ACol < 0 || ARow < 0 || !(Shift & ssLeft))
        return;
    if (std::abs(Clickposx - X) <= DragThreshold && std::abs(Clickposy - Y) <= DragThreshold)
        return;
    if (!FDragDropSettings->OleDropSource || FGridState == gsColSizing || InHandle)
        return;
    // One press starts at most one drag.
    FSelectionClick = false;
    bool allow = true;
    const int RCol = RealColIndex(ACol);
    if (FDragDropSettings->OleColumnsOnly && ARow >= FixedRows())
        allow = false;
    else if (OnOleDrag)
        OnOleDrag(this, ARow, RCol, Cells(RCol, ARow), allow);
    if (!allow) {
        // The movement goes on as a range selection.
        if (FGridState == gsNormal)
            FGridState = gsSelecting;
        return;
    }

    const TDropSourceRef source(new TGridDropSource(this));
    if (OnOleDragStart)
        OnOleDragStart(this, ARow, RCol);
    const TPoint P = ClientToScreen(TPoint(X, Y));
    const TDragDropSettings& dd = *FDragDropSettings;
    if (dd.ShowCells) {
        if (!FMoveForm) {
            SetShowSelection(false);
            const TGridRect sel = Selection();
            // The pictured cells are display cells.
            const TGridRect cells =
                dd.OleColumnDragDrop ? TGridRect{ACol, 0, ACol, VisibleRowCount()}
                                     : TGridRect{std::max(LeftCol(), sel.Left), std::max(TopRow(), sel.Top),
                                                 std::min(sel.Right, LeftCol() + VisibleColCount() - 1),
                                                 std::min(sel.Bottom, TopRow() + VisibleRowCount() - 1)};
            ShowMoveForm(cells);
            SetShowSelection(true);
        }
        PlaceMoveForm(P);
    }

    DWORD effect = DROPEFFECT_NONE;
    if (ARow < FixedRows() && RCol >= 0 && dd.OleColumnDragDrop) {
        if (!dd.ShowCells) {
            THeaderDragButton* button = NeedMoveButton();
            button->SetCaption(Cells(RCol, ARow));
            button->SetBounds(P.X, P.Y, ColWidths(ACol), RowHeights(0));
            button->Show();
        }
        const HRESULT result = DoBeginColumnDragDrop(source.Get(), RCol, DragEffects, effect);
        if (result != DRAGDROP_S_CANCEL && OnOleDragStop)
            OnOleDragStop(this, int(effect));
        if (FMoveButton)
            FMoveButton->Hide();
        MoveArrow(arrDown)->Hide();
        MoveArrow(arrUp)->Hide();
    } else {
        FDropSelection = Selection();
        // With AllowFmtClipboard the grid's own cell stream travels with the text.
        std::unique_ptr<TMemoryStream> cells;
        if (FNavigation->AllowFmtClipboard) {
            cells = std::make_unique<TMemoryStream>();
            const TGridRect d = FDropSelection;
            SaveRectToBinStream(TRect(d.Left, d.Top, d.Right, d.Bottom), cells.get());
        }
        const HRESULT result = DoBeginTextDragDrop(source.Get(), SelectedText(), Cells(RCol, ARow), cells.get(),
                                                   DragEffects, effect);
        if (result != DRAGDROP_S_CANCEL) {
            if (!dd.OleCopyAlways && effect == DROPEFFECT_MOVE) {
                const TGridRect d = FDropSelection;
                if (dd.OleRemoveRows && Options().Contains(goRowSelect)) {
                    if (FMouseActions->DisjunctRowSelect())
                        RemoveSelectedRows();
                    else
                        DeleteRowRange(d.Top, d.Bottom - d.Top + 1);
                } else if (FMouseActions->DisjunctRowSelect()) {
                    ClearSelection();
                } else {
                    ClearRect(d.Left, d.Top, d.Right, d.Bottom);
                }
            }
            if (OnOleDragStop)
                OnOleDragStop(this, int(effect));
        }
    }
    // The drag's end frees the picture; a drag that never looped leaves it here.
    FreeMoveForm();
}

// ---- Step 15.3: the enhanced column and row move --------------------------------------------------------

void TExtStringGrid::EnhancedMoveFeedback(int ACol, int ARow, int X, int Y)
{
    const bool colMoving = FGridState == gsColMoving;
    const bool rowMoving = FGridState == gsRowMoving;
    if (!(colMoving || rowMoving) || RowCount() <= 1 || (X == Clickposx && Y == Clickposy) ||
        !EnhRowColMove || FSizingFixed || FSizingFixedR)
        return;
    bool allow = true;
    const bool showCells = FDragDropSettings->ShowCells;
    THeaderDragButton* button = NeedMoveButton();
    int bw = button->Width(), bh = button->Height();
    if (colMoving && Movecell >= FixedCols() && ARow >= 0) {
        if (!FMoveForm && showCells)
            ShowMoveForm(TGridRect{Movecell, 0, Movecell, TopRow() + VisibleRowCount() - FixedRows()});
        button->SetCaption(Cells(RealColIndex(Movecell), 0));
        bw = ColWidths(Movecell);
        bh = RowHeights(ARow);
        button->Invalidate();
    } else if (rowMoving && Movecell >= FixedRows() && ACol >= 0) {
        if (!FMoveForm && showCells)
            ShowMoveForm(TGridRect{0, Movecell, LeftCol() + VisibleColCount() - FixedCols(), Movecell});
        button->SetCaption(Cells(0, Movecell));
        bh = RowHeights(Movecell);
        bw = ColWidths(ACol);
        button->Invalidate();
    }
    const TPoint P = ClientToScreen(TPoint(X - MoveOfsX, Y - MoveOfsY));
    if (showCells)
        PlaceMoveForm(P);
    button->SetBounds(showCells ? button->Left() : P.X, showCells ? button->Top() : P.Y, bw, bh);

    if (colMoving) {
        const int t = FMoveColInd; // the column under the pointer at the previous movement
        if (t >= FixedCols() && t >= 0 && ACol >= 0) {
            const TRect cell = CellRect(t, 0);
            const TPoint tl = ClientToScreen(TPoint(cell.Left, cell.Top));
            const TPoint br = ClientToScreen(TPoint(cell.Right, cell.Bottom));
            const int x = t < Movecell ? tl.X - ArrowOffset : tl.X + ColWidths(t) - ArrowOffset;
            MoveArrow(arrUp)->SetBounds(x, br.Y, ArrowWidth, ArrowWidth);
            MoveArrow(arrDown)->SetBounds(x, tl.Y - ArrowHeight, ArrowWidth, ArrowWidth);
        }
        const bool shown = t >= FixedCols() && t - LeftCol() < VisibleColCount();
        MoveArrow(arrUp)->SetVisible(shown);
        MoveArrow(arrDown)->SetVisible(shown);
        FMoveColInd = ACol;
        FMoveRowInd = 0;
        if (OnColumnMoving)
            OnColumnMoving(this, ACol, allow);
    } else {
        const int t = FMoveRowInd;
        const bool footerRow = FFloatingFooter && FFloatingFooter->Visible() &&
                               FFloatingFooter->FooterStyle() == fsFixedLastRow && t == RowCount() - 1;
        if (!footerRow && t >= FixedRows() && t - TopRow() < VisibleRowCount() && ARow >= 0) {
            const TRect cell = CellRect(0, t);
            const TPoint tl = ClientToScreen(TPoint(cell.Left, cell.Top));
            const TPoint br = ClientToScreen(TPoint(cell.Right, cell.Bottom));
            const int y = t < Movecell ? tl.Y - ArrowOffset : tl.Y + RowHeights(t) - ArrowOffset;
            MoveArrow(arrLeft)->SetBounds(tl.X - ArrowWidth, y, ArrowWidth, ArrowWidth);
            MoveArrow(arrRight)->SetBounds(br.X, y, ArrowWidth, ArrowWidth);
        }
        if (!footerRow) {
            const bool shown = t >= FixedRows() && t - TopRow() < VisibleRowCount();
            MoveArrow(arrLeft)->SetVisible(shown);
            MoveArrow(arrRight)->SetVisible(shown);
        }
        FMoveColInd = 0;
        FMoveRowInd = ARow;
        if (OnRowMoving)
            OnRowMoving(this, ARow, allow);
    }

    // Scrolling while moving.
    if (colMoving && VisibleColCount() < ColCount()) {
        int fw = 0;
        for (int i = 0; i < FixedCols(); ++i)
            fw += ColWidths(i);
        if (X < fw && LeftCol() > FixedCols()) {
            SetLeftCol(LeftCol() - 1);
            InvalidateGrid();
        } else if (X > Width() && LeftCol() + VisibleColCount() < ColCount()) {
            SetLeftCol(LeftCol() + 1);
            InvalidateGrid();
        }
    } else if (rowMoving && VisibleRowCount() < RowCount()) {
        int fh = 0;
        for (int i = 0; i < FixedRows(); ++i)
            fh += RowHeights(i);
        if (Y < fh && TopRow() > FixedRows()) {
            SetTopRow(TopRow() - 1);
            InvalidateGrid();
        } else if (Y > Height() && TopRow() + VisibleRowCount() < RowCount()) {
            SetTopRow(TopRow() + 1);
            InvalidateGrid();
        }
    }

    // The button is shown without activation: the grid's form keeps the focus.
    if (!button->Visible() && !showCells)
        button->Show();
    if (!button->Enabled())
        button->SetEnabled(true);
    if (Screen)
        Screen->SetCursor(allow ? crDrag : crNoDrop);
}

// ---- Press and release ------------------------------------------------------------------------------------

bool TExtStringGrid::PressOleDragSource(int ACol, int ARow, int RealCol, const TRect& CR, int X, int Y,
                                        TShiftState Modifier)
{
    const bool headerPress = ARow < FixedRows();
    const bool nearBorder = Options().Contains(goColSizing) &&
                            (std::abs(X - CR.Left) < BorderZone || std::abs(X - CR.Right) < BorderZone);
    const bool candidate = (IsSelected(ACol, ARow) || (headerPress && !EnhRowColMove)) &&
                           !Options().Contains(goEditing) && !HasButton(RealCol, ARow) &&
                           !HasCheckBox(RealCol, ARow) && FDragDropSettings->OleDropSource &&
                           !(headerPress && (FMouseActions->ColSelect || FMouseActions->AllSelect)) &&
                           ACol >= FixedCols() && !nearBorder;
    if (!candidate)
        return false;
    if (CanFocus())
        SetFocus();
    if (OnMouseDown)
        OnMouseDown(this, mbLeft, Modifier, X, Y);
    // The toolkit's press does not run: the selection stays for the drag.
    FSelectionClick = true;
    if (OnClickCell)
        OnClickCell(this, ARow, ACol);
    return true;
}

bool TExtStringGrid::EndEnhancedMove(int ACol, int ARow)
{
    const TCursor cursor = Screen ? Screen->Cursor() : crDefault;
    const bool colMoving = FGridState == gsColMoving;
    const bool rowMoving = FGridState == gsRowMoving;
    if (!((cursor == crDrag || cursor == crNoDrop) && (colMoving || rowMoving) && EnhRowColMove))
        return false;
    if (FMoveButton) {
        FMoveButton->SetEnabled(false);
        FMoveButton->Hide();
    }
    FreeMoveForm();
    Screen->SetCursor(crDefault);
    // The toolkit's release must not move it again.
    FGridState = gsNormal;
    KillScrollTimer();
    if (cursor == crNoDrop) {
        if (colMoving)
            RepaintRow(0);
        else
            RepaintCol(0);
        return true;
    }
    if (colMoving && Movecell >= 0 && ACol >= FixedCols() && ACol != Movecell)
        MoveColumn(Movecell, ACol);
    if (rowMoving && Movecell >= 0 && ARow >= FixedRows() && ARow != Movecell)
        MoveRow(Movecell, ARow);
    return true;
}
