// TExtStringGrid: the cell painter. The steps run in a fixed order because later steps paint over
// earlier ones and the events receive the rectangle as the steps before them left it.
#include "grid/base/DrawHelpers.h"
#include "grid/core/ExtGrid.h"
#include "grid/core/ExtGrid_PaintInternal.h"
#include "platform/graphics/ClassicDraw.h"

#include <algorithm>

bool TExtStringGrid::GetRowModified(int)
{
    return false;
}

bool TExtStringGrid::CanShowFixedDropDown(int ACol)
{
    bool canShow = true;
    if (OnCanShowFixedDropDown)
        OnCanShowFixedDropDown(this, ACol, canShow);
    return canShow;
}

bool TExtStringGrid::HasColumnFilter(int C)
{
    // Building the filter list scans every row; without a handler its outcome is known beforehand.
    if (OnGetColumnFilter)
        return GetColumnFilter(C);
    if (!FilterDropDownAuto || C < FixedCols())
        return false;
    const bool rows = RowCount() - FixedFooters - TBaseGrid::FixedRows() > 0 ||
                      (!FilterIncremental && NumHiddenRows() > 0);
    return !FilterDropDownClear.isEmpty() || rows;
}

void TExtStringGrid::DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    // 1.
    FCtl3D = !FFlat;
    TCellPaint P;
    P.DC = ACol;
    P.C = RealColIndex(ACol);
    P.Row = ARow;
    P.R = ARect;
    const int C = P.C, DC = ACol;
    TRect& R = P.R;

    // 2. The filter button flag.
    if (ARow == FFilterDropDownRow)
        P.FilterButton = HasColumnFilter(C);

    // 4. The look again, without the selection decision.
    TColor colorTo = clNone, mirrorColor = clNone, mirrorColorTo = clNone;
    TCellGradientDirection gd = GradientVertical;
    P.WW = WordWrap();
    GetVisualProperties(DC, ARow, AState, false, false, true, ACanvas->Brush, colorTo, mirrorColor, mirrorColorTo,
                        ACanvas->Font, P.HA, P.VA, P.WW, gd);
    P.State = AState;

    // 5. The cell object and its place; a node's glyph width follows its level.
    P.Graphic = GetCellGraphicInfo(C, ARow, P.GW, P.GH, P.TextAlso, P.GHA, P.GVA);
    if (C == 0 && P.Graphic && P.Graphic->CellType() == ctNode)
        P.GW = std::max(0, RowLevel(ARow)) * 12 + 4;

    // 6. and 7.
    if ((AState & gdSelected) && !(AState & gdFocused) && SelectionColor == clNone)
        ACanvas->Brush->Color = clHighlight;
    if (ZoomFactor() != 0)
        ACanvas->Font->Size = ACanvas->Font->Size + ZoomFactor();
    P.SavedBrush = ACanvas->Brush->Color;
    P.SavedFont = ACanvas->Font->Color;

    // 8.
    bool fixed = IsFixed(DC, ARow) || DC < FixedCols() || ARow < FixedRows();
    if (ARow == FHoverRowIdx && FHoverRowCells.Contains(hcFixed))
        fixed = false;
    P.Fixed = fixed;

    // 10. The fixed cell's look.
    if (fixed && !FFlat &&
        (Look == glQel || Look == glXP || Look == glVista || Look == glWin7 || Look == glOffice2007))
        DrawFixedLook(ACanvas, DC, C, ARow, R, colorTo, mirrorColor, mirrorColorTo);
    const int rightBeforeButtons = R.Right;

    // 11. Row indicator.
    int indicatorWidth = 0;
    if (DC == 0 && ARow == Row() && FixedCols() > 0 && !FRowIndicator->Empty() &&
        !(RowCount() <= FixedRows() && FFixedRowAlways)) {
        const int h = FRowIndicator->Height();
        int y = R.Top;
        if (FVAlignment == vtaCenter)
            y = R.Top + (R.Height() - h) / 2;
        else if (FVAlignment == vtaBottom)
            y = R.Bottom - h;
        FRowIndicator->SetTransparent(true);
        ACanvas->Draw(R.Left + 2, y, FRowIndicator.get());
        indicatorWidth = FRowIndicator->Width() + 2;
        R.Left += indicatorWidth;
    }

    // 12. ListView headers, classic branch (no themes here).
    if (Look == glListView && fixed && !FFlat) {
        ACanvas->Brush->Color = clBtnFace;
        ACanvas->Pen->Color = clWhite;
        ACanvas->Rectangle(R);
        ACanvas->Brush->Color = P.SavedBrush;
    }

    // 13. Modified-row mark.
    if (DC == 0 && FShowModified->Enabled && GetRowModified(ARow)) {
        const TColor keep = ACanvas->Brush->Color;
        ACanvas->Brush->Color = FShowModified->Color();
        ACanvas->FillRect(TRect{R.Right - 4, R.Top, R.Right, R.Bottom});
        ACanvas->Brush->Color = keep;
    }

    // 14.
    if (OnCustomCellBkgDraw)
        OnCustomCellBkgDraw(this, ACanvas, DC, ARow, AState, R, false);

    // 15. Always-visible editor buttons.
    if (!fixed && (FControlLook->DropDownAlwaysVisible() || FControlLook->SpinButtonsAlwaysVisible())) {
        int style = FControlLook->FlatButton() ? PartLookFlat : (FIsComCtl6 ? PartLookThemed : PartLookClassic);
        if (FFlat && FTones.Background.BrushColor != clNone)
            style = PartLookColored;
        bool canEdit = true;
        CanEditCell(C, ARow, canEdit);
        const int state = canEdit ? PartStateNormal : PartStateDisabled;
        if (FControlLook->DropDownAlwaysVisible() && HasComboBox(C, ARow)) {
            DrawComboButton(ACanvas, Handle(), TRect{R.Left - 2, R.Top - 1, R.Right + 1, R.Bottom}, style, state,
                            FTones);
            R.Right -= 16;
        }
        if (FControlLook->SpinButtonsAlwaysVisible() && HasSpinEdit(C, ARow)) {
            DrawSpinButtons(ACanvas, Handle(), R, style, state, FTones);
            R.Right -= 16;
        }
    }

    // 16. Text, after an interfaced object that paints behind it.
    const bool hasGraphic = P.Graphic != nullptr;
    const bool interfaced = hasGraphic && P.Graphic->CellType() == ctInterface;
    const auto* drawObject = interfaced ? dynamic_cast<const ICellGraphic*>(P.Graphic->CellObject()) : nullptr;
    if (drawObject && drawObject->IsBackground()) {
        TRect br = R;
        InflateRect(br, 1, 1);
        DrawInterfaceCell(ACanvas, P, br);
    }
    if (!(hasGraphic && NoImageAndText) && !((OnDrawCell || OnCustomCellDraw) && NoDefaultDraw))
        P.TextWidth = DrawCellText(ACanvas, P);

    // 17. Borders.
    R.Right = rightBeforeButtons;
    ACanvas->Brush->Color = P.SavedBrush;
    ACanvas->Font->Color = P.SavedFont;
    InflateRect(R, 1, 1);
    DrawCellBorders(ACanvas, C, ARow, R);
    R.Left -= indicatorWidth;

    // 18. and 19. Fixed edges.
    if (fixed && !FFlat)
        DrawFixedEdges(ACanvas, C, R);
    if (FixedRightCols > 0 && C >= ColCount() + NumHiddenColumns() - FixedRightCols && Look != glClassic &&
        !Ctl3D()) {
        ACanvas->Pen->Color = FFlat ? TColor(0x00808080) : clBlack;
        ACanvas->Pen->Width = 1;
        const TGridOptions opts = Options();
        if (opts.Contains(goFixedHorzLine)) {
            ACanvas->MoveTo(R.Left - 1, R.Top - 1);
            ACanvas->LineTo(R.Right + 1, R.Top - 1);
            ACanvas->MoveTo(R.Left - 1, R.Bottom + 1);
            ACanvas->LineTo(R.Right + 1, R.Bottom + 1);
        }
        if (opts.Contains(goFixedVertLine)) {
            ACanvas->MoveTo(R.Left - 1, R.Top - 1);
            ACanvas->LineTo(R.Left - 1, R.Bottom + 1);
            ACanvas->MoveTo(R.Right + 1, R.Top - 1);
            ACanvas->LineTo(R.Right + 1, R.Bottom + 1);
        }
    }

    // 20. Tree lines are drawn with the nodes.
    DrawTreeLines(ACanvas, C, ARow, R);

    // 21. The cell graphic.
    if (interfaced) {
        if (drawObject && !drawObject->IsBackground())
            DrawInterfaceCell(ACanvas, P, R);
    } else if (hasGraphic) {
        TRect gr = R;
        if (fixed)
            ++gr.Top;
        DrawCellGraphic(ACanvas, P, gr);
        R = gr;
    }

    // 22. and 23.
    if (OnDrawCell) {
        TRect r2{R.Left + 1, R.Top + 1, R.Right - GridLineWidth(), R.Bottom - GridLineWidth()};
        OnDrawCell(this, DC, ARow, r2, AState);
    }
    if (OnCustomCellDraw)
        OnCustomCellDraw(this, ACanvas, DC, ARow, AState, R, false);

    // 24. Focus rectangle.
    int baseCol = DC, baseRow = ARow;
    FindBaseCell(DC, ARow, baseCol, baseRow);
    if (!HideFocusRect && baseCol == Col() && baseRow == Row() && GridFocused() &&
        !Options().Contains(goRowSelect) && Row() >= FixedRows() && Col() >= FixedCols()) {
        TRect fr = R;
        InflateRect(fr, GridLineWidth() - 1, GridLineWidth() - 1);
        --fr.Right;
        --fr.Bottom;
        ACanvas->DrawFocusRect(fr);
    }

    // 25. Column numbers at design time.
    if (IsDesignTime() && FShowColNrs && ARow == 0) {
        ACanvas->Brush->Style = bsClear;
        ACanvas->Font->Size = 8;
        ACanvas->Font->Style = 0;
        ACanvas->Font->Color = 0x00808080;
        TRect nr = R;
        nr.Right -= 2;
        DrawText(ACanvas->Handle(), QString::number(C), -1, nr, DT_SINGLELINE | DT_BOTTOM | DT_RIGHT);
        ACanvas->Brush->Style = bsSolid;
    }
}

void TExtStringGrid::DrawFixedLook(TCanvas* ACanvas, int DC, int C, int ARow, TRect R, TColor ColorTo,
                                   TColor MirrorColor, TColor MirrorColorTo)
{
    const bool movingColumn = FGridState == gsColMoving;
    const bool allowed = HoverFixedCells == hfAll || (HoverFixedCells == hfFixedRows && ARow < FixedRows()) ||
                         (HoverFixedCells == hfFixedColumns && DC < FixedCols());
    const bool hot = allowed && !IsDesignTime() &&
                     ((DC == FHoverFixedX && ARow == FHoverFixedY && !movingColumn) ||
                      (movingColumn && DC == FMoveIndex));
    if (hot) {
        R.Bottom += 1;
        struct TFace {
            TColor From, To, MirrorFrom, MirrorTo, Border;
        };
        const TFace hover{QelGradientHoverFrom, QelGradientHoverTo, QelGradientHoverMirrorFrom,
                          QelGradientHoverMirrorTo, QelGradientHoverBorder};
        const TFace down{QelGradientDownFrom, QelGradientDownTo, QelGradientDownMirrorFrom, QelGradientDownMirrorTo,
                         QelGradientDownBorder};
        auto face = [&](const TRect& r, const TFace& f) {
            DrawMirrorGradient(ACanvas, r, f.From, f.To, f.MirrorFrom, f.MirrorTo, true, f.Border, false, true);
        };
        const bool pressed = FMouseDownMove || (movingColumn && FMoveIndex >= 0);
        const bool dropDown = FControlLook->FixedDropDownButton && CanShowFixedDropDown(C);
        if (!pressed) {
            face(R, hover);
        } else if (dropDown) {
            const TRect button{R.Right - 16, R.Top, R.Right, R.Bottom};
            const TRect rest{R.Left, R.Top, R.Right - 16, R.Bottom};
            face(rest, FDropDownDown ? hover : down);
            face(button, FDropDownDown ? down : hover);
        } else {
            face(R, down);
        }
        if (dropDown) {
            ACanvas->Pen->Color = pressed ? QelGradientDownBorder : QelGradientHoverBorder;
            ACanvas->MoveTo(R.Right - 16, R.Top);
            ACanvas->LineTo(R.Right - 16, R.Bottom);
            DrawDropTriangle(ACanvas, R.Right - 8, R.Top + 8, clBlack);
        }
        return;
    }
    if (ActiveCellShow && ((ARow == Row() && DC == FixedCols() - 1 && FixedCols() > 0) ||
                           (DC == Col() && ARow == FixedRows() - 1 && FixedRows() > 0))) {
        DrawGradient(ACanvas, ActiveCellColor, ActiveCellColorTo, 128, R, false);
        return;
    }
    const TSortPaintState sort = SortPaintState();
    if (sort.Column != -1 && FSortHeaderColors[0] != clNone && C == sort.Column && ARow == FixedRows() - 1 &&
        (DC >= FixedCols() || sort.FixedCols)) {
        DrawMirrorGradient(ACanvas, R, FSortHeaderColors[0], FSortHeaderColors[1], FSortHeaderColors[2],
                           FSortHeaderColors[3], true, clNone, false, true);
        return;
    }
    DrawMirrorGradient(ACanvas, R, ACanvas->Brush->Color, ColorTo, MirrorColor, MirrorColorTo, true,
                       Look == glVista ? clWhite : clNone, Look == glVista, true);
}

void TExtStringGrid::DrawFixedEdges(TCanvas* ACanvas, int, TRect R)
{
    const TGridOptions opts = Options();
    switch (Look) {
    case glClassic: {
        ++R.Top;
        ++R.Bottom;
        ++R.Left;
        TRect e = R;
        DrawEdge(ACanvas->Handle(), e, BDR_RAISEDINNER, BF_LEFT);
        DrawEdge(ACanvas->Handle(), e, BDR_RAISEDINNER, BF_TOP);
        DrawEdge(ACanvas->Handle(), e, EDGE_RAISED, BF_RIGHT | BF_BOTTOM);
        ACanvas->Pen->Color = clBlack;
        ACanvas->MoveTo(R.Right - 1, R.Top);
        ACanvas->LineTo(R.Right - 1, R.Bottom - 1);
        ACanvas->LineTo(R.Left - 1, R.Bottom - 1);
        break;
    }
    case glQel:
    case glXP:
        ++R.Bottom;
        if (opts.Contains(goFixedHorzLine)) {
            ACanvas->Pen->Color = HalveColor(ColorToRGB(FixedColor()));
            ACanvas->MoveTo(R.Left, R.Bottom - 1);
            ACanvas->LineTo(R.Right - 1, R.Bottom - 1);
            ACanvas->Pen->Color = clWhite;
            ACanvas->MoveTo(R.Right - 2, R.Top + 1);
            ACanvas->LineTo(R.Left + 1, R.Top + 1);
            ACanvas->LineTo(R.Left + 1, R.Bottom - 1);
        }
        break;
    case glSoft:
        if (Ctl3D()) {
            ++R.Right;
            ++R.Bottom;
            const TColor half = HalveColor(ColorToRGB(FixedColor()));
            if (opts.Contains(goFixedHorzLine)) {
                ACanvas->Pen->Color = half;
                ACanvas->MoveTo(R.Left, R.Bottom - 1);
                ACanvas->LineTo(R.Right - 1, R.Bottom - 1);
                ACanvas->Pen->Color = clWhite;
                ACanvas->MoveTo(R.Right, R.Top + 1);
                ACanvas->LineTo(R.Left + 1, R.Top + 1);
                ACanvas->LineTo(R.Left + 1, R.Bottom - 1);
            }
            if (opts.Contains(goFixedVertLine)) {
                ACanvas->Pen->Color = half;
                ACanvas->MoveTo(R.Right - 2, R.Top);
                ACanvas->LineTo(R.Right - 2, R.Bottom - 1);
                ACanvas->Pen->Color = clWhite;
                ACanvas->MoveTo(R.Right - 1, R.Top);
                ACanvas->LineTo(R.Right - 1, R.Bottom - 1);
            }
        } else {
            ACanvas->Pen->Color = clBlack;
            ACanvas->Pen->Width = 1;
            if (opts.Contains(goFixedHorzLine)) {
                ACanvas->MoveTo(R.Left - 1, R.Top - 1);
                ACanvas->LineTo(R.Right + 1, R.Top - 1);
                ACanvas->MoveTo(R.Left - 1, R.Bottom + 1);
                ACanvas->LineTo(R.Right + 1, R.Bottom + 1);
            }
            if (opts.Contains(goFixedVertLine)) {
                ACanvas->MoveTo(R.Left - 1, R.Top - 1);
                ACanvas->LineTo(R.Left - 1, R.Bottom + 1);
                ACanvas->MoveTo(R.Right + 1, R.Top - 1);
                ACanvas->LineTo(R.Right + 1, R.Bottom + 1);
            }
        }
        break;
    default:
        break;
    }
}

void TExtStringGrid::DrawCellBorders(TCanvas* ACanvas, int ACol, int ARow, TRect R)
{
    // Nothing to draw and nobody to ask: skip the pens (this runs for every visible cell).
    if (!OnGetCellBorder && !OnGetCellBorderProp && !HasCellBorderHook())
        return;
    TPen* pen = ACanvas->Pen;
    if (!FBorderPens[0])
        for (auto& p : FBorderPens)
            p = std::make_unique<TPen>();
    TPen& saved = *FBorderPens[4];
    saved.Assign(*pen);
    TCellBorders borders;
    GetCellBorder(ACol, ARow, pen, borders);
    TPen& left = *FBorderPens[0];
    TPen& top = *FBorderPens[1];
    TPen& right = *FBorderPens[2];
    TPen& bottom = *FBorderPens[3];
    left.Assign(*pen);
    top.Assign(*pen);
    right.Assign(*pen);
    bottom.Assign(*pen);
    if (OnGetCellBorderProp)
        OnGetCellBorderProp(this, ARow, ACol, &left, &top, &right, &bottom);
    const int h = (pen->Width + 1) / 2;
    const TGridOptions opts = Options();
    if (opts.Contains(goVertLine)) {
        R.Left += h;
        R.Right -= h;
    }
    if (opts.Contains(goHorzLine))
        R.Bottom -= h;
    if (borders.Contains(cbLeft)) {
        pen->Assign(left);
        ACanvas->MoveTo(std::max(0, R.Left), R.Top);
        ACanvas->LineTo(std::max(0, R.Left), R.Bottom);
    }
    if (borders.Contains(cbRight)) {
        pen->Assign(right);
        ACanvas->MoveTo(R.Right - 1, R.Top);
        ACanvas->LineTo(R.Right - 1, R.Bottom);
    }
    if (borders.Contains(cbTop)) {
        pen->Assign(top);
        R.Top += h;
        const int y = GridLineWidth() > 0 ? std::max(0, R.Top - GridLineWidth()) : R.Top + 1;
        ACanvas->MoveTo(R.Left, y);
        ACanvas->LineTo(R.Right, y);
    }
    if (borders.Contains(cbBottom)) {
        pen->Assign(bottom);
        ACanvas->MoveTo(R.Left - GridLineWidth() - 1, R.Bottom - 1);
        ACanvas->LineTo(R.Right, R.Bottom - 1);
    }
    pen->Assign(saved);
}
