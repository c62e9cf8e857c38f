// TExtStringGrid: mouse presses - the left press (cell objects first, then the toolkit's press,
// OnClickCell and direct editing), the grid's mouse-down, the double click and the right button.
#include "grid/base/CellText.h"
#include "grid/base/HtmlRender.h"
#include "grid/base/HtmlText.h"
#include "grid/core/ExtGrid.h"
#include "platform/controls/Messages.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>

namespace
{

// A press this close to a column border belongs to the sizing, not to the cell.
constexpr int BorderZone = 4;
// Width of the fixed-cell drop-down button and of the filter glyph at a cell's right edge.
constexpr int DropDownButtonWidth = 16;
// Half a rating star per this many pixels.
constexpr int RatingStepPixels = 9;
// The selection-resize handle at the bottom-right corner of the selection.
constexpr int ResizeHandleSize = 6;

bool InRect(const TRect& R, int X, int Y)
{
    return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom;
}

} // namespace

// ---- Left press ---------------------------------------------------------------------------------------

void TExtStringGrid::HandleWMLButtonDown(TWMMouse& Message)
{
    const int X = Message.XPos;
    const int Y = Message.YPos;
    FDoOnClick = FMouseDownMove = FMouseKeepDown = true;
    FSpinUpClick = FSpinDnClick = false;
    int ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    const TGridRect oldSel = Selection();
    FPressSelection = oldSel;
    FPressSelectionValid = true;
    const TShiftState shift = MouseMessageShiftState(Message);

    auto startResizeDrag = [&](bool RunPress) {
        FGridState = gsSelecting;
        FDropSelection = Selection();
        CopySelectionToClipboard();
        FMouseResize = true;
        if (RunPress) {
            const TGridRect sel = Selection();
            TBaseGrid::HandleWMLButtonDown(Message);
            SetSelection(sel);
        }
        HandleMouseMove(TShiftState(), X, Y);
    };

    if (SelectionResizer() && SelectionRectangle()) {
        const TGridRect sel = Selection();
        const TRect r = CellRect(sel.Right, sel.Bottom);
        const TRect handle =
            UseRightToLeftAlignment()
                ? TRect(r.Left, r.Bottom - ResizeHandleSize, r.Left + ResizeHandleSize, r.Bottom)
                : TRect(r.Right - ResizeHandleSize, r.Bottom - ResizeHandleSize, r.Right, r.Bottom);
        if (InRect(handle, X, Y)) {
            startResizeDrag(!Options().Contains(goEditing) && !FMouseActions->RangeSelectAndEdit);
            Message.Result = 1;
            return;
        }
    }

    // Half-open on purpose: a one-cell selection never holds the press.
    if (Options().Contains(goEditing) && FMouseActions->RangeSelectAndEdit &&
        !(oldSel.Left <= ACol && ACol < oldSel.Right && oldSel.Top <= ARow && ARow < oldSel.Bottom))
        SetOptions(Options() - goEditing);

    bool allow = true;
    if (OnCanClickCell)
        OnCanClickCell(this, ARow, ACol, allow);
    if (!allow)
        return;

    if (CellSelectorMode) {
        CellSelectorClick(ACol, ARow);
        return;
    }
    if (FMouseSelectMode == msResize) {
        startResizeDrag(!Options().Contains(goEditing));
        return;
    }

    // One modifier only, Alt first.
    const TShiftState modifier = (shift & ssAlt)     ? TShiftState(ssAlt)
                                 : (shift & ssShift) ? TShiftState(ssShift)
                                 : (shift & ssCtrl)  ? TShiftState(ssCtrl)
                                                     : TShiftState();
    const bool validCell = ACol >= 0 && ARow >= 0;
    if (FMouseActions->DisjunctCellSelect() && !(modifier & ssCtrl) && validCell && !IsFixed(ACol, ARow)) {
        ClearSelectedCells();
        InvalidateGrid();
    }

    SearchInc.clear();
    FMoveColInd = FMoveRowInd = -1;
    FSelectionClick = false;
    FPushedCellButton = TPoint(-1, -1);
    const int savedLeftCol = LeftCol();
    const int savedTopRow = TopRow();
    FOldKeepLeftCol = LeftCol();

    if (ARow == 0)
        MouseToCell(X - 5, Y, Colclicked, Rowclicked);
    else if (ACol == 0)
        MouseToCell(X, Y - 4, Colclicked, Rowclicked);
    else
        MouseToCell(X - 5, Y - 4, Colclicked, Rowclicked);
    if (Colclicked >= 0 && Rowclicked >= 0) {
        Colclickedsize = ColWidths(Colclicked);
        Rowclickedsize = RowHeights(Rowclicked);
    }
    Clickposx = X;
    Clickposy = Y;

    const bool fixedArea = validCell && (ARow < FixedRows() || ACol < FixedCols());

    if (!validCell) {
        HideInplaceEdit();
        if (!FFixedRowAlways)
            TBaseGrid::HandleWMLButtonDown(Message);
        return;
    }

    const int origCol = ACol, origRow = ARow;
    {
        const TPoint b = BaseCell(ACol, ARow);
        ACol = b.X;
        ARow = b.Y;
    }
    TRect CR = CellRect(ACol, ARow);
    if (FMouseActions->CaretPositioning)
        LButFlg = true;

    if (FSizeFixed) {
        FSizingFixed = true;
        FSizeFixedX = X;
        DrawColSizingLine(X);
        int edge = 0;
        for (int i = 0; i < FixedCols(); ++i) {
            const int right = edge + ColWidths(i);
            if (std::abs(right - X) < 3)
                FSizingFixedCol = i;
            edge += ColWidths(i) + 1;
        }
        return;
    }
    if (FSizeFixedR) {
        FSizingFixedR = true;
        FSizeFixedY = Y;
        DrawRowSizingLine(Y);
        int edge = 0;
        for (int i = 0; i < FixedRows(); ++i) {
            const int bottom = edge + RowHeights(i);
            if (std::abs(bottom - Y) < 3)
                FSizingFixedRow = i;
            edge += RowHeights(i) + 1;
        }
        return;
    }

    if (fixedArea || IsFixed(ACol, ARow))
        HideInplaceEdit();
    const bool normalFixed = IsFixed(ACol, ARow) && !fixedArea;
    bool nodeRow = IsNode(ARow);

    if ((fixedArea || normalFixed) && FixedAsButtons && Options().Contains(goFixedVertLine) &&
        Options().Contains(goFixedHorzLine) && Ctl3D() && !(nodeRow && IsOnNodeGlyph(ARow, X))) {
        // Drawn sunken by the painter until the release.
        FPushedFixedCell = CR;
        FPushedCellButton = TPoint(ACol, ARow);
        FFixedCellPushed = true;
        InvalidateClientRect(CR);
        nodeRow = false;
    }

    const int realCol = RealColIndex(ACol);

    if (!IsDesignTime()) {
        if (FControlLook->SpinButtonsAlwaysVisible() && HasSpinEdit(realCol, ARow) && X > CR.Right - 18) {
            if (Y > CR.Top + (CR.Bottom - CR.Top) / 2)
                FSpinDnClick = true;
            else
                FSpinUpClick = true;
        }
        if (ARow < FixedRows() && ACol == 0 && nodeRow && IsOnNodeGlyph(ARow, X) &&
            FMouseActions->NodeAllExpandContract) {
            if (TCellGraphic* g = GetCellGraphic(0, ARow)) {
                if (g->CellBoolean())
                    ExpandAll();
                else
                    ContractAll();
                g->SetCellBoolean(!g->CellBoolean());
            }
        }
        if (ARow >= FixedRows() && ACol == 0 && nodeRow && IsOnNodeGlyph(ARow, X)) {
            if (OnMouseDown)
                OnMouseDown(this, mbLeft, modifier, X, Y);
            if (OnClickCell)
                OnClickCell(this, ARow, ACol);
            const int realRow = DisplToRealRow(ARow);
            bool allowNode = true;
            if (!GetNodeState(ARow)) {
                if (OnBeforeContractNode)
                    OnBeforeContractNode(this, ARow, realRow, allowNode);
                if (allowNode) {
                    ContractNode(realRow);
                    if (OnContractNode)
                        OnContractNode(this, ARow, realRow);
                }
            } else {
                if (OnBeforeExpandNode)
                    OnBeforeExpandNode(this, ARow, realRow, allowNode);
                if (allowNode) {
                    ExpandNode(realRow);
                    if (OnExpandNode)
                        OnExpandNode(this, ARow, realRow);
                }
            }
            if (FMouseActions->MoveRowOnNodeClick)
                SetRow(ARow);
            return;
        }
        if (IsRadio(realCol, ARow) && (IsEditable(realCol, ARow) || FControlLook->RadioAlwaysActive)) {
            HideInplaceEdit();
            ClickRadioCell(realCol, ARow, X - CR.Left, Y - CR.Top);
            if (CanFocus())
                SetFocus();
            return;
        }
        if (ACol == 0 && ARow >= FixedRows() && HasNodes() && !FMouseActions->RowSelect &&
            !Options().Contains(goRowSizing)) {
            if (OnMouseDown)
                OnMouseDown(this, mbLeft, modifier, X, Y);
            if (OnClickCell)
                OnClickCell(this, ARow, ACol);
            return;
        }
        if (PressOleDragSource(ACol, ARow, realCol, CR, X, Y, modifier))
            return;
    }

    if (HasRating(realCol, ARow) && IsEditable(realCol, ARow)) {
        HideInplaceEdit();
        double rate = int((X - CR.Left) / RatingStepPixels) / 2.0;
        if (DoRatingChange(realCol, ARow, rate)) {
            SetFloats(realCol, ARow, rate);
            RepaintCell(ACol, ARow);
        }
        return;
    }

    auto pressButton = [&](bool Expand) {
        HideInplaceEdit();
        if (!IsFixed(ACol, ARow)) {
            FForceSel = true;
            if (CanSelectCell(ACol, ARow))
                MoveColRow(ACol, ARow, true, true);
            FForceSel = false;
        }
        const TRect br = Expand ? GetExpandButtonRect(ACol, ARow) : GetCellButtonRect(ACol, ARow);
        if (!InRect(br, X, Y))
            return false;
        if (!Expand)
            PushButton(ACol, ARow, true);
        FPushedCellButton = TPoint(ACol, ARow);
        SetMouseCapture(true);
        if (OnClickCell)
            OnClickCell(this, ARow, ACol);
        return true;
    };
    if (HasButton(realCol, ARow) && pressButton(false))
        return;
    if (HasExpand(realCol, ARow) && pressButton(true))
        return;

    if (IsMergedCell(ACol, ARow) && !IsFixed(ACol, ARow) && !OnMouseDown) {
        // The toolkit sees the press in the base cell.
        Message.XPos = CR.Left + 2;
        Message.YPos = CR.Top + 2;
        if (UseRightToLeftAlignment())
            for (int c = ACol; c < origCol; ++c)
                Message.XPos += ColWidths(c);
    }

    if (ACol >= ColCount() || ARow >= RowCount()) {
        TBaseGrid::HandleWMLButtonDown(Message);
        return;
    }

    {
        TRect r2;
        if (Colclicked >= 0 && Rowclicked >= 0)
            r2 = CellRect(Colclicked, Rowclicked);
        Clickposdx = Clickposx - r2.Right;
        Clickposdy = Clickposy - r2.Bottom;
    }

    if (FMouseActions->DisjunctRowSelect() && ARow >= FixedRows() &&
        !(ACol == 0 && FMouseActions->HotmailRowSelect())) {
        const int selRow = FMouseActions->RowSelectPersistent ? DisplToRealRow(ARow) : ARow;
        if (shift & ssShift) {
            TBaseGrid::HandleWMLButtonDown(Message);
            SetSelection(TGridRect{ACol, ARow, oldSel.Left, oldSel.Top});
            return;
        }
        if ((shift & ssCtrl) || FMouseActions->DisjunctRowSelectNoCtrl) {
            if (RowSelect(selRow))
                FDeselectState = true;
        } else {
            FMouseDown = true;
            if (!(shift & ssAlt))
                ClearRowSelect();
        }
    }
    if (FMouseActions->DisjunctColSelect() && ACol >= FixedCols()) {
        if ((shift & ssCtrl) && ColSelect(ACol)) {
            FDeselectState = true;
        } else if (!(shift & ssCtrl)) {
            FMouseDown = true;
            ClearColSelect();
        }
    }

    if (URLShow() || CellTextKind(GetCellEx(realCol, ARow), EnableHTML) == ctkHTML) {
        if (PressAnchor(ACol, ARow, origCol, origRow, realCol, CR, X, Y))
            return;
    }

    Movecell = -1;

    if (ACol < FixedCols() && ARow < FixedRows() && FMouseActions->AllSelect &&
        Options().Contains(goRangeSelect) && FMouseSelectMode == msAll) {
        if (CanFocus())
            SetFocus();
        HideSelection();
        TGridRect rect{FixedCols(), FixedRows(), ColCount() - 1, RowCount() - 1};
        BeforeSelectAll(rect);
        SetSelection(rect);
        FSelHidden = false;
        DoExit();
    }
    if (ACol < FixedCols() && ARow >= FixedRows() && FMouseActions->RowSelect && FMouseSelectMode == msRow) {
        if (EditMode && CanFocus())
            SetFocus();
        HideSelection();
        if (FMouseActions->DisjunctCellSelect())
            ClearSelectedCells();
        if (shift & ssShift)
            SetSelection(TGridRect{FixedCols(), ARow, ColCount() - 1, oldSel.Top});
        else
            SetSelection(TGridRect{FixedCols(), ARow, ColCount() - 1, ARow});
        FSelHidden = false;
        DoExit();
        FMouseSelectStart = ARow;
        if (RowIndicator()->Empty())
            RepaintCol(0);
    }
    if (ACol >= FixedCols() && ARow < FixedRows() && FMouseActions->ColSelect &&
        Options().Contains(goRangeSelect) && FMouseSelectMode == msColumn) {
        if (CanFocus())
            SetFocus();
        HideSelection();
        if (FMouseActions->DisjunctCellSelect())
            ClearSelectedCells();
        if (shift & ssShift) {
            if (ACol < oldSel.Left)
                SetSelection(TGridRect{ACol, FixedRows(), oldSel.Right, RowCount() - 1});
            else
                SetSelection(TGridRect{oldSel.Left, FixedRows(), ACol, RowCount() - 1});
        } else {
            SetSelection(TGridRect{ACol, FixedRows(), ACol, RowCount() - 1});
        }
        FSelHidden = false;
        DoExit();
        FMouseSelectStart = ACol;
    }

    if (ACol >= FixedCols() && ARow < FixedRows())
        Movecell = ACol;
    if (ACol < FixedCols() && ARow >= FixedRows())
        Movecell = ARow;
    MoveOfsX = X - CR.Left;
    MoveOfsY = Y - CR.Top;

    bool allowed = Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit;
    CanEditCell(realCol, ARow, allowed);
    if (PressCheckBox(ACol, ARow, realCol, X, Y, allowed))
        return;

    const bool comboBtn = ACol >= FixedCols() && ARow >= FixedRows() &&
                          FControlLook->DropDownAlwaysVisible() && HasComboBox(realCol, ARow);
    const bool editOnDbl = FMouseActions->EditOnDblClickOnly();
    const bool directKind = FMouseActions->DirectEdit || (FControlLook->DropDownAlwaysVisible() && comboBtn);
    if (ACol >= FixedCols() && ARow >= FixedRows() && (allowed || (editOnDbl && comboBtn)) && directKind) {
        HideInplaceEdit();
        if (CanFocus())
            SetFocus();
    }

    const TGridRect selNow = Selection();
    const bool inSel = InRect(CR, X, Y) && selNow.Left == ACol && selNow.Right == ACol &&
                       selNow.Top == ARow && selNow.Bottom == ARow;
    bool editingRemoved = false;
    if (!inSel && FMouseActions->RangeSelectAndEdit && !IsFixed(ACol, ARow) && !allowed) {
        editingRemoved = true;
        SetOptions(Options() - goEditing);
    }

    if (normalFixed) {
        const bool footerRow = FFloatingFooter && FFloatingFooter->Visible() &&
                               FFloatingFooter->FooterStyle() == fsFixedLastRow && ARow == RowCount() - 1;
        if (!footerRow && OnClickCell)
            OnClickCell(this, ARow, ACol);
        return;
    }

    const bool partial = ARow == TopRow() + VisibleRowCount() || ACol == LeftCol() + VisibleColCount() ||
                         (ACol == LeftCol() && LeftCol() > FixedCols());
    const bool keepHoriz = Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll;
    if (keepHoriz)
        BeginUpdate();
    try {
        if (!FSelHidden) {
            const bool alwaysEdit = FNavigation->AlwaysEdit;
            FNavigation->AlwaysEdit = false;
            try {
                TBaseGrid::HandleWMLButtonDown(Message);
            } catch (...) {
                FNavigation->AlwaysEdit = alwaysEdit;
                throw;
            }
            FNavigation->AlwaysEdit = alwaysEdit;
        }
        if (FGridState == gsSelecting && partial && FMouseActions->NoAutoRangeScroll)
            FGridState = gsNormal;
        if (TopRow() != savedTopRow && FMouseActions->NoScrollOnPartialRow) {
            SetTopRow(savedTopRow);
            Perform(WM_LBUTTONUP, 0, 0);
        }
    } catch (...) {
        if (keepHoriz) {
            SetLeftCol(savedLeftCol);
            EndUpdate();
        }
        throw;
    }
    if (keepHoriz) {
        SetLeftCol(savedLeftCol);
        EndUpdate();
    }

    const bool nearBorder = std::abs(X - CR.Left) < BorderZone || std::abs(X - CR.Right) < BorderZone;
    if (!(nearBorder && Options().Contains(goColSizing) && ARow < FixedRows()) && OnClickCell)
        OnClickCell(this, ARow, ACol);

    if (OnCellValidate)
        StoreOldCell(Col(), Row());

    if (IsMergedCell(ACol, ARow) && !IsFixed(ACol, ARow) && (inSel || FMouseActions->DirectEdit) && allowed)
        ShowInplaceEdit();

    if (!nearBorder && ACol >= FixedCols() && ARow >= FixedRows() && (allowed || (editOnDbl && comboBtn)) &&
        directKind && !IsControlCell(realCol, ARow)) {
        if (editOnDbl && comboBtn && !Options().Contains(goEditing)) {
            SetOptions(Options() | goEditing);
            if (CanFocus())
                SetFocus();
        }
        bool allowMove = true;
        if (Row() != ARow && OnRowChanging)
            OnRowChanging(this, Row(), ARow, allowMove);
        if (Col() != ACol && OnColChanging)
            OnColChanging(this, Col(), ACol, allowMove);
        if ((Col() != ACol || Row() != ARow) && OnCellChanging)
            OnCellChanging(this, Row(), Col(), ARow, ACol, allowMove);
        if (allowMove && allowed) {
            if (IsBaseCell(origCol, origRow)) {
                SetSelection(TGridRect{origCol, origRow, origCol, origRow});
                StoreOldCell(origCol, origRow);
            } else {
                SetSelection(TGridRect{ACol, ARow, ACol, ARow});
                StoreOldCell(ACol, ARow);
            }
            ShowEditor();
        }
    }

    if (editingRemoved)
        FGridState = gsSelecting;
}

bool TExtStringGrid::PressCheckBox(int ACol, int ARow, int RealCol, int X, int Y, bool Allowed)
{
    const bool radioBtn = HasRadioButton(RealCol, ARow);
    const bool hotmail = ACol == 0 && FMouseActions->HotmailRowSelect();
    if (!(Allowed || FControlLook->CheckAlwaysActive || hotmail))
        return false;
    if (!(HasCheckBox(RealCol, ARow) || radioBtn) || !IsInCheckBox(ACol, ARow, X, Y))
        return false;
    HideInplaceEdit();
    if (CanFocus())
        SetFocus();
    const int realRow = RealRowIndex(ARow);
    if (radioBtn) {
        ClickRadioButton(RealCol, ARow, true);
        if (OnRadioButtonClick)
            OnRadioButtonClick(this, RealCol, ARow);
    } else {
        ToggleCheckBoxCell(RealCol, ARow, true);
    }
    if (FShowModified->Enabled) {
        SetRowModified(ARow, true);
        RepaintCell(0, ARow);
    }
    if (hotmail) {
        SetSelection(TGridRect{FixedCols(), ARow, ColCount() - 1, ARow});
        SetRowSelect(realRow, !RowSelect(realRow));
        if (realRow != ARow)
            RepaintCell(0, ARow);
        if (Row() == ARow && !RowSelect(realRow)) {
            HideSelection();
            FSelHidden = false;
        }
    }
    bool state = false;
    GetCheckBoxState(RealCol, realRow, state);
    if (!FNavigation->AlwaysEdit && ARow >= FixedRows() && ACol >= FixedCols())
        MoveColRow(ACol, ARow, true, true);
    DoCheckBoxClick(ACol, ARow, state);
    if (HideFocusRect)
        RepaintCell(ACol, ARow);
    if (ARow < FixedRows() && FMouseActions->CheckAllCheck) {
        for (int r = FixedRows(); r < RowCount(); ++r) {
            if (FMouseActions->HotmailRowSelect())
                SetRowSelect(DisplToRealRow(r), state);
            else
                SetCheckBoxState(RealColIndex(ACol), DisplToRealRow(r), state);
        }
        InvalidateGrid();
    }
    if (OnMouseDown)
        OnMouseDown(this, mbLeft, KeyboardModifiersToShiftState(QGuiApplication::keyboardModifiers()), X, Y);
    Click();
    return true;
}

bool TExtStringGrid::PressAnchor(int ACol, int ARow, int OrigCol, int OrigRow, int RealCol, const TRect& CR,
                                 int X, int Y)
{
    QString text = GetCellEx(RealCol, ARow);
    const bool html = CellTextKind(text, true) == ctkHTML;
    QString anchor, ctrlId, ctrlValue, ctrlType;
    TRect ctrlRect;
    if (!html) {
        if (ContainsURL(text))
            anchor = text;
    } else {
        TRect r(CR.Left + 1 + XYOffset.X, CR.Top + 1 + XYOffset.Y, CR.Right - XYOffset.X, CR.Bottom);
        if (HasCheckBox(RealCol, ARow))
            r.Left += FControlLook->CheckSize();
        TGridDrawState state = 0;
        TBrush brush;
        TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
        TAlignment ha = taLeftJustify;
        TVAlignment va = vtaTop;
        bool ww = false;
        TCellGradientDirection gd = GradientVertical;
        GetVisualProperties(ACol, ARow, state, false, false, true, &brush, colorTo, mirror, mirrorTo,
                            Canvas->Font, ha, va, ww, gd);
        QString plain, focus, title;
        int w = 0, h = 0, anchors = 0, hit = -1;
        TRect anchorRect;
        // A measuring pass: the control under the point answers without drawing.
        RenderHTML(Canvas, text, r, nullptr, X, Y, -1, -1, 1, true, false, false, false, false, false, ww,
                   false, 1.0, URLColor, clNone, clNone, clGray, anchor, plain, focus, title, w, h, anchors,
                   hit, anchorRect, ctrlRect, ctrlId, ctrlValue, ctrlType, nullptr, nullptr, Handle(), 0);
    }
    if (!anchor.isEmpty() || !ctrlId.isEmpty()) {
        bool autoHandle = true;
        bool canEdit =
            (Options().Contains(goEditing) || FEditDisable) && !ReadOnly(RealColIndex(OrigCol), OrigRow);
        if (!ctrlId.isEmpty())
            DoCanEditCell(RealColIndex(OrigCol), OrigRow, canEdit);
        if (!ctrlId.isEmpty() && canEdit) {
            const QString type = ctrlType.toUpper();
            if (type == QLatin1String("BUTTON")) {
                FCtrlXY = TPoint(RealCol, ARow);
                FCtrlDown = true;
                RepaintCell(ACol, ARow);
            } else if (type == QLatin1String("CHECK")) {
                const QString flipped = ctrlValue.toUpper() == QLatin1String("TRUE") ? QStringLiteral("FALSE")
                                                                                     : QStringLiteral("TRUE");
                if (HTMLSetControlValue(text, ctrlId, flipped))
                    SetCells(RealCol, ARow, text);
            } else if (type == QLatin1String("RADIO")) {
                QString cleared;
                HTMLClearRadios(text, cleared);
                HTMLSetControlValue(cleared, ctrlId, QStringLiteral("TRUE"));
                SetCells(RealCol, ARow, cleared);
            }
            if (OnControlClick)
                OnControlClick(this, ARow, ACol, ctrlId, ctrlType, ctrlValue);
            ShowCellControlEditor(text, type, ARow, RealCol, ACol, ctrlRect, ctrlValue, ctrlId);
            autoHandle = false;
        } else if (ctrlId.isEmpty()) {
            if (OnAnchorClick)
                OnAnchorClick(this, ARow, ACol, anchor, autoHandle);
        } else {
            autoHandle = false;
        }
        if (autoHandle) {
            if (anchor.toUpper().contains(QLatin1String("CELL://"))) {
                TGridCoord cell;
                if (ParseRowColRef(anchor.mid(7), cell) && cell.X >= 0 && cell.X < ColCount() &&
                    cell.Y >= 0 && cell.Y < RowCount()) {
                    SetRow(cell.Y);
                    SetCol(cell.X);
                    ScrollInView(cell.X, cell.Y);
                }
            } else {
                QDesktopServices::openUrl(QUrl::fromUserInput(anchor));
            }
        }
        return true;
    }
    if (html && text.toUpper().contains(QLatin1String("<CONTROL"))) {
        if (OnClickCell)
            OnClickCell(this, OrigRow, OrigCol);
        HideInplaceEdit();
        SetSelection(TGridRect{ACol, ARow, ACol, ARow});
        return true;
    }
    return false;
}

void TExtStringGrid::SimulateClick(int X, int Y)
{
    HandleMouseDown(mbLeft, TShiftState(), X, Y);
    HandleMouseUp(mbLeft, TShiftState(), X, Y);
}

// ---- The grid's mouse-down ----------------------------------------------------------------------------

void TExtStringGrid::HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Shift & ssDouble) {
        TBaseGrid::HandleMouseDown(Button, Shift, X, Y);
        return;
    }
    int ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    const bool valid = ACol >= 0 && ARow >= 0;
    if (FMouseActions->RangeSelectAndEdit && Button == mbLeft && !FMouseActions->EditOnDblClickOnly()) {
        if (ACol == Col() && ARow == Row() && !Options().Contains(goEditing) &&
            IsEditable(RealColIndex(ACol), ARow)) {
            SetOptions(Options() | goEditing);
            TBaseGrid::HandleMouseDown(Button, Shift, X, Y);
            ShowInplaceEdit();
            return;
        }
        if ((ACol != Col() || ARow != Row()) && Options().Contains(goEditing) && (Shift & ssShift)) {
            SetOptions(Options() - goEditing);
            TBaseGrid::HandleMouseDown(Button, Shift, X, Y);
            return;
        }
    }
    TRect CR;
    if (valid) {
        CR = CellRect(ACol, ARow);
        const bool hover =
            (ACol < FixedCols() && (HoverFixedCells == hfAll || HoverFixedCells == hfFixedColumns)) ||
            (ARow < FixedRows() && (HoverFixedCells == hfAll || HoverFixedCells == hfFixedRows));
        const int right = Options().Contains(goColSizing) ? CR.Right - 2 : CR.Right;
        if (hover && FControlLook->FixedDropDownButton && X > CR.Right - DropDownButtonWidth && X < right &&
            OnFixedDropDownClick) {
            FDropDownDown = true;
            bool keep = false;
            FNoMouseLeave = true;
            OnFixedDropDownClick(this, ACol, ARow, nullptr, keep);
            FNoMouseLeave = keep;
            return;
        }
        if (hover && FControlLook->FixedGradientDownTo() != clNone && ARow == FixedRows() - 1)
            RepaintCell(ACol, ARow);
    }
    FEditStart = true;
    try {
        TBaseGrid::HandleMouseDown(Button, Shift, X, Y);
    } catch (...) {
        FEditStart = false;
        throw;
    }
    FEditStart = false;
    if ((Shift & ssShift) && SelectionRectangle())
        InvalidateGrid();

    if (valid && (ARow < FixedRows() || ACol < FixedCols())) {
        // A right press edits with fceRightClick, a left press with fceLeftClick.
        const TGridFixedCellEdit wanted = Button == mbRight ? fceRightClick : fceLeftClick;
        const TRect inner(CR.Left + BorderZone, CR.Top + BorderZone, CR.Right - BorderZone,
                          CR.Bottom - BorderZone);
        if ((Button == mbLeft || Button == mbRight) && FMouseActions->FixedRowsEdit == wanted &&
            ARow < FixedRows()) {
            if (!Options().Contains(goColSizing) || InRect(inner, X, Y))
                StartFixedCellEdit(ACol, ARow);
            return;
        }
        if ((Button == mbLeft || Button == mbRight) && FMouseActions->FixedColsEdit == wanted &&
            ACol < FixedCols()) {
            if (!Options().Contains(goRowSizing) || InRect(inner, X, Y))
                StartFixedCellEdit(ACol, ARow);
            return;
        }
    }
    if (TExtStringGrid* other = FSyncGrid->Grid()) {
        if (FSyncGrid->SelectionColumn && Col() < other->ColCount())
            other->SetCol(Col());
        if (FSyncGrid->SelectionRow && Row() < other->RowCount())
            other->SetRow(Row());
    }
}

// ---- Double click -------------------------------------------------------------------------------------

void TExtStringGrid::HandleWMLButtonDblClk(TWMMouse& Message)
{
    const int X = Message.XPos;
    const int Y = Message.YPos;
    int ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    if (FMouseActions->RangeSelectAndEdit && !IsControlCell(RealColIndex(ACol), ARow))
        FForceSel = true;
    if (ACol == -1) {
        if (FFixedRowAlways) {
            TBaseGrid::HandleWMLButtonDblClk(Message);
            return;
        }
        ACol = ColCount() - 1;
        ARow = 0;
    }
    // Only a header row sizes (a double click below the last row has row -1).
    if (ARow >= 0 && ARow < FixedRows() && Options().Contains(goColSizing) &&
        FMouseActions->AutoSizeColOnDblClick) {
        const TRect CR = CellRect(ACol, ARow);
        auto autoSize = [&](int C) {
            FDblClk = true;
            bool allow = true;
            if (OnColumnSize)
                OnColumnSize(this, C, allow);
            if (allow) {
                AutoSizeCol(C);
                if (OnEndColumnSize)
                    OnEndColumnSize(this, C);
            }
            FForceSel = false;
            TBaseGrid::HandleWMLButtonDblClk(Message);
        };
        if (std::abs(X - CR.Left) <= 3 && ACol - 1 >= FixedCols()) {
            autoSize(ACol - 1);
            return;
        }
        if (std::abs(X - CR.Right) <= 3 && ACol >= FixedCols()) {
            autoSize(ACol);
            return;
        }
    }
    const int realCol = RealColIndex(ACol);
    if (ACol >= 0 && ARow >= 0) {
        if ((HasButton(realCol, ARow) && InRect(GetCellButtonRect(ACol, ARow), X, Y)) ||
            (HasExpand(realCol, ARow) && InRect(GetExpandButtonRect(ACol, ARow), X, Y)))
            return;
        if (IsControlCell(realCol, ARow)) {
            TBaseGrid::HandleWMLButtonDblClk(Message);
            return;
        }
    }
    TBaseGrid::HandleWMLButtonDblClk(Message);
    {
        int c = -1, r = -1;
        MouseToCell(X, Y, c, r);
        if (OnDblClickCell)
            OnDblClickCell(this, r, c);
    }
    if (FMouseActions->EditOnDblClickOnly()) {
        const bool saved = FMouseActions->RangeSelectAndEdit;
        FMouseActions->RangeSelectAndEdit = true;
        const bool editable = ACol >= 0 && ARow >= 0 && IsEditable(ACol, ARow);
        FMouseActions->RangeSelectAndEdit = saved;
        if (editable) {
            SetOptions(Options() | goEditing);
            FOldCol = ACol;
            FOldRow = ARow;
            ShowInplaceEdit();
        }
    }
    if (ACol >= 0 && ARow >= 0 && FMouseActions->RangeSelectAndEdit && IsEditable(realCol, ARow) &&
        !FMouseActions->EditOnDblClickOnly()) {
        SetOptions(Options() | goEditing);
        const TPoint b = BaseCell(ACol, ARow);
        const TRect r = CellRect(b.X, b.Y);
        HandleMouseDown(mbLeft, TShiftState(), r.Left + 4, r.Top + 4);
    }
    FForceSel = false;
    if (ACol >= 0 && ARow >= 0 &&
        ((ARow < FixedRows() && FMouseActions->FixedRowsEdit == fceDblClick) ||
         (ACol < FixedCols() && FMouseActions->FixedColsEdit == fceDblClick)))
        StartFixedCellEdit(ACol, ARow);
}

// ---- Right button -------------------------------------------------------------------------------------

void TExtStringGrid::HandleWMRButtonDown(TWMMouse& Message)
{
    TBaseGrid::HandleWMRButtonDown(Message);
    const int X = Message.XPos;
    const int Y = Message.YPos;
    int ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    const bool valid = ACol >= 0 && ARow >= 0;
    if (FMouseActions->SelectOnRightClick && valid && !IsFixed(ACol, ARow) &&
        !(FMouseActions->DisjunctCellSelect() && SelectedCells(ACol, ARow))) {
        if (!IsControlCell(RealColIndex(ACol), ARow)) {
            if (OnRightClickCell)
                FocusCell(ACol, ARow);
            else
                SimulateClick(X, Y);
        }
        if (IsSelected(ACol, ARow)) {
            bool canSelect = true;
            if (OnSelectCell)
                OnSelectCell(this, ACol, ARow, canSelect);
        } else {
            const TPoint b = BaseCell(ACol, ARow);
            const int left = LeftCol();
            const bool keep = FNavigation->KeepHorizScroll;
            if (keep)
                BeginUpdate();
            try {
                MoveColRow(b.X, b.Y, true, true);
            } catch (...) {
                if (keep) {
                    SetLeftCol(left);
                    EndUpdate();
                }
                throw;
            }
            if (keep) {
                SetLeftCol(left);
                EndUpdate();
            }
        }
        if (FMouseActions->DisjunctRowSelect()) {
            const TShiftState shift = MouseMessageShiftState(Message);
            if ((shift & ssCtrl) || FMouseActions->DisjunctRowSelectNoCtrl) {
                SetRowSelect(ARow, !RowSelect(ARow));
            } else if (RowSelectCount() > 1 && PopupMenu()) {
                if (!RowSelect(ARow)) {
                    ClearRowSelect();
                    SetRowSelect(ARow, true);
                }
            } else {
                ClearRowSelect();
                SetRowSelect(ARow, true);
            }
        }
    }
    if (OnRightClickCell)
        OnRightClickCell(this, ARow, ACol);
    if (valid && URLShow() && URLEdit && ContainsURL(GetCellEx(RealColIndex(ACol), ARow))) {
        MoveColRow(ACol, ARow, true, true);
        ShowEditor();
    }
}

void TExtStringGrid::HandleWMRButtonUp(TWMMouse& Message)
{
    const TCursor cursor = Screen ? Screen->Cursor() : crDefault;
    if (EnhRowColMove && (FGridState == gsRowMoving || FGridState == gsColMoving) &&
        (cursor == crDrag || cursor == crNoDrop)) {
        Message.Result = 0;
        return;
    }
    TBaseGrid::HandleWMRButtonUp(Message);
}

// ---- Cell actions -------------------------------------------------------------------------------------

void TExtStringGrid::ClickRadioCell(int ACol, int ARow, int X, int Y)
{
    TGridDrawState state = 0;
    GetCellColor(ACol, ARow, state, Canvas->Brush, Canvas->Font);
    const TPoint b = BaseCell(ACol, ARow);
    ACol = b.X;
    ARow = b.Y;
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType() != ctRadio || !g->CellStrings())
        return;
    const int dcol = RealToDisplCol(ACol);
    if (!IsFixed(dcol, ARow)) {
        SetCol(dcol);
        SetRow(ARow);
    }
    const int ctlStyle = int(FControlLook->ControlStyle());
    const int spacing = ctlStyle >= int(csWinXP) ? 16 : FControlLook->RadioSize();
    TStrings* items = g->CellStrings();
    const bool horizontal = g->CellBoolean();
    const int offset = horizontal ? X : Y;
    int sum = 0;
    for (int i = 0; i < items->Count(); ++i) {
        const int prev = sum;
        if (horizontal)
            sum += Canvas->TextWidth(items->Strings(i)) + spacing;
        else
            sum += std::max(spacing, Canvas->TextHeight(QStringLiteral("gh")));
        // Strictly inside the item's span: a press on a boundary chooses nothing.
        if (prev < offset && offset < sum) {
            if (g->CellIndex() != -1)
                g->SetCellIndex(i);
            else
                SetGridCell(ACol, ARow, items->Strings(i));
            SetCells(ACol, ARow, Cells(ACol, ARow));
            SetRadioIdx(ACol, ARow, i);
            if (OnRadioClick)
                OnRadioClick(this, dcol, ARow, i);
            return;
        }
    }
}

void TExtStringGrid::ControlComboSelect(int ItemIndex, const QString& ItemText)
{
    if (OnControlComboSelect)
        OnControlComboSelect(this, FCtrlXY.Y, FCtrlXY.X, ItemIndex, FCtrlID, ItemText);
}
