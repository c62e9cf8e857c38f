// TExtStringGrid: the graphic step of the cell painter. Where a cell object sits in its cell (by its
// own alignments and the width of the text drawn before it) and how each kind draws: pictures, image
// lists, check boxes, radio groups, buttons, progress bars, nodes, comments, shapes and ratings. Also
// the radio glyph painter and the tree lines of node grids.
#include "grid/base/CellPainters.h"
#include "grid/base/DrawHelpers.h"
#include "grid/core/ExtGrid.h"
#include "grid/core/ExtGrid_PaintInternal.h"
#include "platform/graphics/ClassicDraw.h"
#include "platform/graphics/ImgList.h"

#include <algorithm>
#include <cmath>

namespace
{

bool IsCheckOrRadio(TCellType T)
{
    return TCellGraphic::IsCheckBoxType(T) || T == ctRadioButton;
}

// Kinds that keep their state in the cell text and place themselves at the cell's edge.
bool IsDataCheck(TCellType T)
{
    return T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRowCheckBox;
}

// Radio pictures by state, as the check-box pictures: checked enabled 1, checked disabled 3,
// unchecked enabled 2, unchecked disabled 4.
constexpr int RadioGlyphNumber[2][2] = {{4, 2}, {3, 1}}; // [checked][enabled]

int RoundHalfEven(double V)
{
    return int(std::nearbyint(V));
}

} // namespace

// A number read for drawing: a cell whose text is not a number draws as 0 instead of raising out of
// the paint event.
static double PaintFloat(TExtStringGrid* Grid, int C, int R)
{
    try {
        return Grid->Floats(C, R);
    } catch (const EExtGridError&) {
        return 0;
    }
}

static int PaintInt(TExtStringGrid* Grid, int C, int R)
{
    try {
        return Grid->Ints(C, R);
    } catch (const EExtGridError&) {
        return 0;
    }
}

bool TExtStringGrid::IsControlCellObject(int C, int ARow)
{
    switch (GetCellType(C, ARow)) {
    case ctCheckBox:
    case ctDataCheckBox:
    case ctRadio:
    case ctButton:
    case ctRadioButton:
        return true;
    default:
        return false;
    }
}

bool TExtStringGrid::CellGraphicHidesText(int C, int ARow)
{
    int gw = 0, gh = 0;
    bool textAlso = true;
    TCellHAlign gha;
    TCellVAlign gva;
    return GetCellGraphicInfo(C, ARow, gw, gh, textAlso, gha, gva) && !textAlso;
}

TCellGraphic* TExtStringGrid::GetCellGraphicInfo(int ACol, int ARow, int& GW, int& GH, bool& TextAlso,
                                                 TCellHAlign& GHA, TCellVAlign& GVA)
{
    GW = 0;
    GH = 0;
    TextAlso = true;
    GHA = haLeft;
    GVA = vaTop;
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return nullptr;
    GHA = g->CellHAlign();
    GVA = g->CellVAlign();
    const int check = FControlLook->CheckSize();
    switch (g->CellType()) {
    case ctBitmap:
        if (const TBitmap* b = g->CellBitmap()) {
            GW = b->Width();
            GH = b->Height();
        }
        break;
    case ctIcon:
        if (const TIcon* i = g->CellIcon()) {
            GW = i->Width();
            GH = i->Height();
        }
        break;
    case ctImageList:
    case ctDataImage:
        if (const TImageList* list = GetGridImageList()) {
            GW = list->Width();
            GH = list->Height();
        }
        TextAlso = g->CellType() == ctImageList;
        break;
    case ctCheckBox:
    case ctTriStateCheckBox:
        GW = GH = check;
        break;
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
        GW = GH = check;
        TextAlso = false;
        break;
    case ctRotated:
    case ctRadio:
    case ctProgress:
    case ctRangeIndicator:
    case ctXPProgress:
        TextAlso = false;
        break;
    case ctImages: {
        const TImageList* list = GetGridImageList();
        const TIntList* images = g->CellImages();
        if (list && images) {
            const int n = images->Count();
            GW = g->CellBoolean() ? n * list->Width() : list->Width();
            GH = g->CellBoolean() ? list->Height() : n * list->Height();
        }
        break;
    }
    case ctPicture:
    case ctFilePicture:
        g->GetPictureSize(ColWidths(RealToDisplCol(ACol)), RowHeights(ARow), GW, GH);
        break;
    case ctButton:
    case ctBitButton:
        GW = int(uint32_t(g->CellIndex()) & 0xFFFF);
        GH = int(uint32_t(g->CellIndex()) >> 16);
        break;
    case ctProgressPie:
        GW = GH = 20;
        break;
    case ctInterface:
        if (const auto* i = dynamic_cast<const ICellGraphic*>(g->CellObject())) {
            GW = i->GetWidth();
            GH = i->GetHeight();
        }
        break;
    case ctRadioButton:
        GW = GH = FControlLook->RadioSize() + 4;
        break;
    case ctShape:
        GW = GH = RowHeights(ARow) - 2 * XYOffset.Y;
        break;
    case ctRating:
        GW = g->CellAngle() * 18;
        GH = 16;
        TextAlso = false;
        break;
    default:
        break;
    }
    return g;
}

void TExtStringGrid::DrawInterfaceCell(TCanvas* ACanvas, const TCellPaint& P, const TRect& R)
{
    if (auto* i = dynamic_cast<ICellGraphic*>(P.Graphic->CellObject()))
        i->Draw(ACanvas, R, P.C, P.Row, (P.State & gdSelected) != 0, this);
}

void TExtStringGrid::DrawCellGraphic(TCanvas* ACanvas, TCellPaint& P, TRect& R)
{
    TCellGraphic* g = P.Graphic;
    const TCellType type = g->CellType();
    const int C = P.C, ARow = P.Row;

    // Placement.
    if (type != ctNode && type != ctProgress && type != ctRangeIndicator && type != ctXPProgress)
        InflateRect(R, 1 - XYOffset.X, 1 - XYOffset.Y);
    const int TW = P.TextWidth > 0 ? P.TextWidth + 2 : 0;
    const int GW = P.GW, GH = P.GH;
    TRect G{};
    switch (P.GHA) {
    case haLeft:
        G.Left = R.Left + 1;
        G.Right = G.Left + GW;
        break;
    case haRight:
        G.Right = R.Right - 1;
        G.Left = G.Right - GW;
        break;
    case haCenter:
        G.Left = R.Width() > GW ? R.Left + (R.Width() - GW) / 2 : R.Left + 1;
        G.Right = G.Left + GW;
        break;
    case haBeforeText:
        G.Left = P.HA == taLeftJustify    ? R.Left + 1
                 : P.HA == taRightJustify ? R.Right - TW - GW
                                          : R.Left + (R.Width() - TW - GW) / 2;
        G.Right = G.Left + GW;
        if (G.Left < R.Left)
            G.Left = R.Left + 1;
        break;
    case haAfterText:
        if (P.HA == taRightJustify) {
            G.Right = R.Right - 1;
            G.Left = G.Right - GW;
        } else {
            G.Left = P.HA == taLeftJustify ? R.Left + TW : R.Left + TW + (R.Width() - TW - GW) / 2;
            G.Right = G.Left + GW;
            if (P.HA == taCenter && G.Left < R.Left)
                G.Left = R.Left + 1;
        }
        break;
    case haFull:
        G.Left = R.Left;
        G.Right = R.Right;
        break;
    }
    TCellVAlign gva = P.GVA;
    // A check box follows the cell's own vertical alignment when it differs from the grid's.
    if (IsCheckOrRadio(type) && P.VA != FVAlignment)
        gva = P.VA == vtaTop ? vaTop : P.VA == vtaCenter ? vaCenter : vaBottom;
    switch (gva) {
    case vaTop:
    case vaAboveText:
        G.Top = R.Top + 1;
        G.Bottom = G.Top + GH;
        break;
    case vaBottom:
        G.Bottom = R.Bottom - 1;
        G.Top = G.Bottom - GH;
        break;
    case vaCenter:
        G.Top = R.Height() > GH ? R.Top + (R.Height() - GH) / 2 : R.Top + 1;
        G.Bottom = G.Top + GH;
        break;
    case vaUnderText:
        G.Top = R.Bottom - GH;
        G.Bottom = R.Bottom;
        break;
    case vaFull:
        G.Top = R.Top;
        G.Bottom = R.Bottom;
        break;
    }

    const TControlLook& look = *FControlLook;
    switch (type) {
    case ctBitmap:
        if (TBitmap* b = g->CellBitmap(); b && !b->Empty()) {
            b->SetTransparent(g->CellTransparent());
            ACanvas->Draw(g->CellTransparent() && UseRightToLeftAlignment() ? G.Right : G.Left, G.Top, b);
        }
        break;
    case ctIcon:
        if (const TIcon* i = g->CellIcon(); i && !i->Empty())
            ACanvas->Draw(G.Left, G.Top, i);
        break;
    case ctImageList:
        if (const TImageList* list = GetGridImageList();
            list && g->CellIndex() >= 0 && g->CellIndex() < list->Count())
            list->Draw(ACanvas, G.Left, G.Top, g->CellIndex(), true);
        break;
    case ctDataImage:
        if (const TImageList* list = GetGridImageList()) {
            const int index = PaintInt(this, C, ARow) + g->CellIndex();
            if (index >= 0 && index < list->Count())
                list->Draw(ACanvas, G.Left, G.Top, index, true);
        }
        break;
    case ctImages:
        if (const TImageList* list = GetGridImageList(); list && g->CellImages()) {
            const TIntList& images = *g->CellImages();
            for (int i = 0; i < images.Count(); ++i) {
                if (images[i] >= 0 && images[i] < list->Count())
                    list->Draw(ACanvas, G.Left, G.Top, images[i], true);
                if (g->CellBoolean())
                    G.Left += list->Width();
                else
                    G.Top += list->Height();
            }
        }
        break;
    case ctPicture:
        if (const TPicture* pic = g->CellPicture(); pic && !pic->Empty()) {
            TRect pr = G;
            if (UseRightToLeftAlignment()) {
                pr.Left = ClientWidth() - G.Right;
                pr.Right = ClientWidth() - G.Left;
            }
            if (g->CellAngle() != 0)
                ACanvas->StretchDraw(pr, pic->Graphic());
            else
                ACanvas->Draw(pr.Left, pr.Top, pic->Graphic());
        }
        break;
    case ctFilePicture:
        if (const TFilePicture* pic = g->CellFilePicture())
            pic->DrawPicture(ACanvas, G);
        break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctTriStateCheckBox:
    case ctRadioButton: {
        const bool data = IsDataCheck(type);
        switch (P.HA) {
        case taLeftJustify:
            G.Left = R.Left + 1;
            break;
        case taRightJustify:
            G.Left = data ? R.Right - GW - 1 : R.Right - TW - GW - 1;
            break;
        case taCenter:
            G.Left = data || TW == 0 ? R.Left + std::max(0, R.Right - GW - R.Left) / 2
                                     : R.Left - GW + std::max(0, R.Right - TW - R.Left) / 2;
            break;
        }
        if (G.Left < R.Left)
            G.Left = R.Left + 1;
        G.Right = G.Left + GW;
        bool enabled = true;
        CanEditCell(C, ARow, enabled);
        if (type == ctCheckBox || type == ctRowCheckBox) {
            DrawCheck(ACanvas, G, g->CellBoolean(), enabled, g->CellAngle() > 0, look.ControlStyle(), false,
                      cbUnchecked);
        } else if (data) {
            QString checkTrue;
            GetCheckTrue(C, ARow, checkTrue);
            DrawCheck(ACanvas, G, GetCellEx(C, ARow) == checkTrue, enabled, false, look.ControlStyle(), false,
                      cbUnchecked);
        } else if (type == ctTriStateCheckBox) {
            DrawCheck(ACanvas, G, false, enabled, g->CellAngle() > 0, look.ControlStyle(), true,
                      g->CellCheckBoxState());
        } else {
            G.Left += XYOffset.X;
            G.Right = G.Left + look.RadioSize();
            G.Bottom = G.Top + look.RadioSize();
            DrawRadioGroup(ACanvas, G, 1, g->CellBoolean() ? 0 : -1, false, !enabled, nullptr, false, C, ARow,
                           look.ControlStyle(), 1.0, false);
        }
        break;
    }
    case ctRadio: {
        bool enabled = true;
        CanEditCell(C, ARow, enabled);
        TStrings* items = g->CellStrings();
        DrawRadioGroup(ACanvas, R, items ? items->Count() : 0, g->CellIndex(), g->CellBoolean(), !enabled,
                       items, (P.State & gdSelected) != 0, C, ARow, look.ControlStyle(), 1.0, false);
        break;
    }
    case ctRotated: {
        G = R;
        const QString text = GetCellEx(C, ARow);
        AlignRotatedText(G, g->CellAngle(), text, P.HA, P.VA);
        const int orientation = ACanvas->Font->Orientation;
        ACanvas->Font->Orientation = g->CellAngle() * 10;
        InflateRect(R, -2, -2);
        const TBrushStyle brush = ACanvas->Brush->Style;
        ACanvas->Brush->Style = bsClear;
        ACanvas->TextRect(R, G.Left, G.Top, text);
        ACanvas->Brush->Style = brush;
        ACanvas->Font->Orientation = orientation;
        const TSortPaintState sort = SortPaintState();
        if (IsSortHeaderCell(C, ARow, sort))
            DrawSortIndicator(ACanvas, C, G.Top + 8, R.Right - 10);
        break;
    }
    case ctNode:
        DrawNodeGlyph(ACanvas, P, R);
        break;
    case ctProgress: {
        const double value = PaintFloat(this, C, ARow);
        const TColor bar = g->CellBitmapColor(), back = g->CellIconColor();
        InflateRect(R, -2, -2);
        const TColor barText =
            g->CellBoolean() ? TColor(g->CellIndex()) : TColor(ColorToRGB(bar) ^ 0x00FFFFFF);
        const TColor backText =
            g->CellBoolean() ? TColor(g->CellAngle()) : TColor(ColorToRGB(back) ^ 0x00FFFFFF);
        DrawProgressBar(ACanvas, R, bar, false, look.ProgressBorderColor, g->CellText(), g->CellErrLen(),
                        g->CellErrFrom(), look.ProgressMarginY(), look.ProgressMarginX(), value, backText,
                        back, barText);
        break;
    }
    case ctProgressPie:
        DrawProgressPie(ACanvas, TRect{G.Left, G.Top, G.Left + 20, G.Top + 20}, g->CellBitmapColor(),
                        g->CellAngle(), false);
        break;
    case ctRangeIndicator:
        InflateRect(R, -look.ProgressMarginX(), -look.ProgressMarginY());
        DrawRangeIndicator(ACanvas, R, PaintInt(this, C, ARow), g->CellIconColor(), g->CellBitmapColor(),
                           g->CellBoolean(), g->CellIndex());
        break;
    case ctXPProgress: {
        const TGridProgressAppearance::TValues& a = FProgressAppearance->Values();
        TXPProgressInfo info;
        info.Level0Color = a.Level0Color;
        info.Level0ColorTo = a.Level0ColorTo;
        info.Level1Color = a.Level1Color;
        info.Level1ColorTo = a.Level1ColorTo;
        info.Level2Color = a.Level2Color;
        info.Level2ColorTo = a.Level2ColorTo;
        info.Level3Color = a.Level3Color;
        info.Level3ColorTo = a.Level3ColorTo;
        info.Level1Perc = a.Level1Perc;
        info.Level2Perc = a.Level2Perc;
        info.ShowBorder = a.ShowBorder;
        info.BorderColor = a.BorderColor;
        info.Stacked = a.Stacked;
        info.ShowPercentage = a.ShowPercentage;
        info.CompletionSmooth = a.CompletionSmooth;
        info.ShowGradient = a.ShowGradient;
        info.Font = Font;
        info.CompleteFontColor = a.CompleteFontColor;
        info.UnCompleteColor = a.UnCompleteColor != clNone ? a.UnCompleteColor : ACanvas->Brush->Color;
        InflateRect(R, -look.ProgressMarginX(), -look.ProgressMarginY());
        --R.Right;
        --R.Bottom;
        // Equal bounds have no percentage: the bar shows 0 % rather than dividing by zero.
        const int range = g->CellErrLen() - g->CellErrFrom();
        const int percent =
            range == 0
                ? 0
                : RoundHalfEven(std::abs(PaintInt(this, C, ARow) - g->CellErrFrom()) / double(range) * 100);
        DrawXPProgress(ACanvas, R, percent, info);
        break;
    }
    case ctComment: {
        if (look.CommentColor() == clNone)
            break;
        const TColor mark = TColor(g->CellAngle()) != clNone ? TColor(g->CellIndex()) : look.CommentColor();
        const int x = XYOffset.X, y = XYOffset.Y;
        ACanvas->Pen->Color = mark;
        ACanvas->Brush->Color = mark;
        ACanvas->Polygon({TPoint{R.Right + x - 8, R.Top - y + 1}, TPoint{R.Right + x - 3, R.Top - y + 1},
                          TPoint{R.Right + x - 3, R.Top - y + 6}});
        ACanvas->Brush->Color = Color();
        break;
    }
    case ctButton:
    case ctBitButton:
    case ctExpand:
        DrawCellButton(ACanvas, P, R, G);
        break;
    case ctInterface:
        DrawInterfaceCell(ACanvas, P, TRect{R.Left - 1, R.Top - 1, R.Right, R.Bottom});
        break;
    case ctShape:
        DrawCellShape(ACanvas, G.Left, G.Top, G.Right - G.Left - 1, G.Bottom - G.Top - 1,
                      static_cast<TCellShape>(g->CellAngle()), TColor(g->CellIndex()), g->CellBitmapColor());
        break;
    case ctRating: {
        // Whole and half stars: the half steps are cut, not rounded.
        const double v = std::trunc(PaintFloat(this, C, ARow) * 2) / 2;
        const TColor star = TColor(g->CellIndex()), empty = g->CellBitmapColor();
        int x = G.Left;
        for (int i = 0; i < g->CellAngle(); ++i) {
            const TColor c = i + 1 > v ? empty : star;
            DrawCellShape(ACanvas, x, G.Top, 16, 16, csStar, c, c);
            if (i < v && v < i + 1)
                DrawCellShape(ACanvas, x, G.Top, 16, 16, csHalfStar, star, star);
            x += 18;
        }
        break;
    }
    default:
        break;
    }
}

void TExtStringGrid::DrawCellButton(TCanvas* ACanvas, const TCellPaint& P, const TRect& R, TRect G)
{
    TCellGraphic* g = P.Graphic;
    const TCellType type = g->CellType();
    const TRect cell = CellRect(P.DC, P.Row);
    // The click handling finds the button by its offset in the cell.
    g->SetCellValue(double(uint32_t(G.Left - cell.Left) & 0xFFFF | (uint32_t(G.Top - cell.Top) << 16)));
    const QString caption = g->CellText();
    const TColor keepBrush = ACanvas->Brush->Color;
    ACanvas->Brush->Color = clBtnFace;
    bool enabled = true;
    if (!FControlLook->NoDisabledButtonLook())
        CanEditCell(P.C, P.Row, enabled);
    int style = FControlLook->FlatButton() ? PartLookFlat : (FIsWinXP ? PartLookThemed : PartLookClassic);
    if (FFlat && FTones.Background.BrushColor != clNone)
        style = PartLookColored;
    int state = g->CellBoolean()                                     ? PartStatePressed
                : (FHoverButton.X == P.C && FHoverButton.Y == P.Row) ? PartStateHot
                                                                     : PartStateNormal;
    if (!enabled && type != ctExpand)
        state = PartStateDisabled;
    if (type == ctExpand)
        G = TRect{R.Right - 13, R.Top, R.Right, R.Top + 13};
    DrawButtonFace(ACanvas, Handle(), G, style, state, FTones);
    if (state == PartStatePressed)
        OffsetRect(G, 1, 1);
    if (type == ctExpand) {
        ACanvas->Pen->Color = clBlack;
        ACanvas->Pen->Width = 1;
        if (!g->CellVar().toBool())
            ACanvas->Polyline({TPoint{R.Right - 10, R.Top + 5}, TPoint{R.Right - 7, R.Top + 8},
                               TPoint{R.Right - 3, R.Top + 4}});
        else
            ACanvas->Polyline({TPoint{R.Right - 10, R.Top + 8}, TPoint{R.Right - 7, R.Top + 5},
                               TPoint{R.Right - 3, R.Top + 9}});
        ACanvas->Brush->Color = keepBrush;
        return;
    }
    if (type == ctBitButton) {
        if (TBitmap* glyph = g->CellBitmap(); glyph && !glyph->Empty()) {
            const int dx = G.Width() - glyph->Width();
            int dy = (G.Height() - glyph->Height()) / 2;
            if (dy < 1)
                dy = 3;
            glyph->SetTransparent(true);
            if (!caption.isEmpty() || dx < 1) {
                ACanvas->Draw(G.Left + 3, G.Top + dy, glyph);
                G.Left += glyph->Width() + 4;
            } else {
                ACanvas->Draw(G.Left + dx / 2, G.Top + dy, glyph);
            }
        }
    }
    ++G.Left;
    if (!caption.isEmpty()) {
        const TColor keepFont = ACanvas->Font->Color;
        if (style == PartLookColored) {
            const TColorTone* tones[] = {&FTones.Background, &FTones.Hover, &FTones.Selected,
                                         &FTones.Disabled};
            if (tones[state]->TextColor != clNone)
                ACanvas->Font->Color = tones[state]->TextColor;
        }
        uint32_t flags = DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS;
        flags |= caption.contains('\r') ? DT_WORDBREAK : DT_SINGLELINE;
        if (UseRightToLeftAlignment())
            flags |= DT_RTLREADING;
        const int mode = SetBkMode(ACanvas->Handle(), TRANSPARENT);
        DrawText(ACanvas->Handle(), caption, -1, G, flags);
        SetBkMode(ACanvas->Handle(), mode);
        ACanvas->Font->Color = keepFont;
    }
    ACanvas->Brush->Color = keepBrush;
}

void TExtStringGrid::DrawNodeGlyph(TCanvas* ACanvas, const TCellPaint& P, TRect R)
{
    const int ARow = P.Row;
    const TCellGraphic* g = P.Graphic;
    const TCellNode& node = *FCellNode;
    const int indent = node.NodeIndent();
    const int rowIndent = GetNodeIndent(ARow);
    const bool collapsed = g->CellBoolean();
    R.Left = rowIndent - indent;
    if (node.ShowTree() && ARow >= FixedRows()) {
        ACanvas->Pen->Color = node.TreeColor();
        ACanvas->Pen->Width = 1;
        const int x = R.Left + indent / 2 + 2;
        const int mid = R.Top + R.Height() / 2;
        if (ARow + 1 < RowCount()) {
            const int next = GetNodeIndent(ARow + 1);
            if (next > 0 && !(GetNodeState(ARow) && next < rowIndent)) {
                ACanvas->MoveTo(x, mid);
                ACanvas->LineTo(x, R.Bottom);
            }
        }
        if (ARow > 0 && GetNodeIndent(ARow - 1) >= rowIndent) {
            ACanvas->MoveTo(x, R.Top);
            ACanvas->LineTo(x, R.Top + 6);
        }
        if (P.DC < FixedCols() && !FFlat &&
            (Look == glSoft || Look == glQel || Look == glXP || Look == glListView))
            ++R.Left;
    }
    R.Left = rowIndent - indent / 2 - 4;
    TColor back = ACanvas->Brush->Color;
    if (back == clNone)
        back = FixedCols() > 0 ? FixedColor() : Color();
    if (FShowSel && ((!FMouseActions->DisjunctRowSelect() && (P.State & gdSelected)) ||
                     (FMouseActions->DisjunctRowSelect() && RowSelect(ARow) &&
                      Options().Contains(goRowSelect) && P.C >= FixedCols())))
        back = SelectionColor;
    const int top = R.Top + std::max(0, R.Height() - 8) / 2;
    const TRect box{R.Left + 4, top, R.Left + 4 + 9, top + 9};
    if (node.NodeType() == cn3D) {
        const TColor keep = ACanvas->Brush->Color;
        ACanvas->Brush->Color = node.Color;
        ACanvas->FillRect(box);
        TRect frame = box;
        Frame3D(ACanvas, frame, clWhite, 0x00808080, 1);
        ACanvas->Brush->Color = keep;
    }
    switch (node.NodeType()) {
    case cnLeaf: {
        TRect r = R;
        OffsetRect(r, 0, (R.Height() - 12) / 2);
        DrawResourceBitmap(ACanvas, back, r, collapsed ? "ESGLEAFCLOSE" : "ESGLEAFOPEN");
        break;
    }
    case cnXP: {
        TRect r = R;
        OffsetRect(r, 4, (R.Height() - 10) / 2);
        DrawResourceBitmap(ACanvas, back, r, collapsed ? "XPNODEC" : "XPNODEO");
        break;
    }
    default:
        if (node.NodeType() == cnGlyph && !node.ContractGlyph()->Empty() && !node.ExpandGlyph()->Empty()) {
            const TBitmap* glyph = collapsed ? node.ContractGlyph() : node.ExpandGlyph();
            const int y = R.Top + (R.Height() - node.ContractGlyph()->Height()) / 2;
            DrawTransparentBitmap(ACanvas, glyph, back,
                                  TRect{R.Left, y, R.Left + glyph->Width(), y + glyph->Height()});
            break;
        }
        const TColor keep = ACanvas->Brush->Color;
        ACanvas->Brush->Color = node.Color;
        if (node.NodeType() == cnFlat) {
            ACanvas->Pen->Color = node.NodeColor;
            ACanvas->Rectangle(box.Left, box.Top, box.Left + 9, box.Top + 9);
            ACanvas->MoveTo(box.Left + 2, box.Top + 4);
            ACanvas->LineTo(box.Left + 7, box.Top + 4);
            if (collapsed) {
                ACanvas->MoveTo(box.Left + 4, box.Top + 2);
                ACanvas->LineTo(box.Left + 4, box.Top + 7);
            }
        } else {
            TRect e{box.Left, box.Top, box.Left + 8, box.Top + 8};
            DrawEdge(ACanvas->Handle(), e, collapsed ? EDGE_RAISED : EDGE_SUNKEN, BF_RECT | BF_SOFT);
        }
        ACanvas->Brush->Color = keep;
        break;
    }
}

void TExtStringGrid::DrawTreeLines(TCanvas* ACanvas, int C, int ARow, const TRect& ARect)
{
    if (C != 0 || !HasNodes() || ARow < FixedRows() || !FCellNode->ShowTree())
        return;
    const int indent = FCellNode->NodeIndent();
    TRect R = ARect;
    R.Left = GetNodeIndent(ARow);
    const int X = R.Left + indent / 2 - indent + 2;
    const int mid = R.Top + R.Height() / 2;
    const int level = RowLevel(ARow);
    ACanvas->Pen->Color = FCellNode->TreeColor();
    ACanvas->Pen->Width = 1;
    ACanvas->Pen->Style = psSolid;
    if (level > 0) {
        ACanvas->MoveTo(X, mid);
        ACanvas->LineTo(FCellNode->ShowTreeFull() ? R.Right : R.Left + 4, mid);
    }
    if (!IsNode(ARow)) {
        const int span = GetNodeSpanType(ARow);
        if (span == 1) {
            ACanvas->MoveTo(X, R.Top);
            ACanvas->LineTo(X, mid);
        } else if (span == 2) {
            ACanvas->MoveTo(X, R.Top);
            ACanvas->LineTo(X, R.Bottom + 4);
        }
    }
    if (SlotProps(0, ARow)) {
        const bool more = ARow < RowCount() - 1 && RowLevel(ARow + 1) != 0;
        for (int i = 1; i <= level; ++i) {
            const int x = X - indent * i;
            ACanvas->MoveTo(x, R.Top);
            if (more) {
                ACanvas->LineTo(x, R.Bottom + 4);
            } else {
                ACanvas->LineTo(x, mid);
                if (i < level)
                    ACanvas->LineTo(X + indent - indent * i, mid);
            }
        }
    }
    ACanvas->Pen->Style = psSolid;
}

// ---- Radio glyphs ----------------------------------------------------------------------------------------

void TExtStringGrid::DrawRadioGroup(TCanvas* ACanvas, TRect R, int Count, int ItemIndex, bool Horizontal,
                                    bool Disabled, TStrings* Items, bool Selected, int ACol, int ARow,
                                    TGridControlStyle Style, double Zoom, bool Upward)
{
    const TControlLook& look = *FControlLook;
    if (look.NoDisabledCheckRadioLook() || look.RadioAlwaysActive)
        Disabled = false;
    // No visual themes here: the themed look is the classic one.
    if (Style == csTheme)
        Style = csClassic;
    const int mode = SetBkMode(ACanvas->Handle(), TRANSPARENT);
    const TBrushStyle brushStyle = ACanvas->Brush->Style;
    if (Count <= 0) {
        SetBkMode(ACanvas->Handle(), mode);
        return;
    }
    const int dir = Upward ? -1 : 1;
    const int S = look.RadioSize();
    const QString cellText = GetCellEx(ACol, ARow);
    if (Items && Selected && FShowSel && FSelectionTextColor != clNone)
        ACanvas->Font->Color = FSelectionTextColor;
    auto text = [&](int x, int y, const QString& t) {
        ACanvas->Brush->Style = bsClear;
        ACanvas->TextOut(x, y, t);
        ACanvas->Brush->Style = brushStyle;
    };
    int P = 0;
    for (int i = 1; i <= Count; ++i) {
        const QString T = Items && Items->Count() >= i ? Items->Strings(i - 1) : QString();
        const bool checked = i == ItemIndex + 1 || (ItemIndex == -1 && T == cellText);
        int left = 0, top = 0;
        if (Style == csClassic || Style == csFlat) {
            const int box = RoundHalfEven(Zoom * (Style == csFlat ? S + 2 : S));
            if (Horizontal) {
                left = R.Left + 2 + (i - 1) * S + P;
                top = R.Top + (R.Height() - S) / 2;
                text(left + RoundHalfEven(Zoom * S), top - 2, T);
                P += ACanvas->TextWidth(T);
            } else {
                const int h = ACanvas->TextHeight("gh");
                top = R.Top + h * (i - 1) * dir + 2;
                if (!T.isEmpty()) {
                    left = R.Left + 2;
                    text(left + RoundHalfEven(Zoom * (S + 4)), top - 2, T);
                } else {
                    left = R.Left + (R.Width() - RoundHalfEven(Zoom * S)) / 2;
                }
            }
            uint32_t flags = DFCS_BUTTONRADIO;
            if (Style == csFlat)
                flags |= DFCS_FLAT;
            if (Disabled)
                flags |= DFCS_INACTIVE;
            if (checked)
                flags |= DFCS_CHECKED;
            DrawFrameControl(ACanvas->Handle(), TRect{left, top, left + box, top + box}, DFC_BUTTON, flags);
            continue;
        }
        // The 16-pixel glyphs.
        const bool bitmaps = Style == csWinXP || Style == csQel || Style == csGlyph;
        if (Horizontal) {
            left = R.Left + P + i * 16 - 14;
            top = R.Top + (R.Height() - 16) / 2;
            text(left + 16, bitmaps ? top + 1 : top - 2, T);
            P += ACanvas->TextWidth(T);
        } else {
            const int h = std::max(16, ACanvas->TextHeight("gh"));
            top = R.Top + h * (i - 1) * dir + 2;
            if (!T.isEmpty()) {
                left = R.Left + 2;
                if (bitmaps)
                    text(R.Left + 18, top + 1, T);
                else
                    text(R.Left + 20, top - 2, T);
            } else {
                left = R.Left + (R.Width() - 16) / 2;
            }
        }
        switch (Style) {
        case csMorvale: {
            const TColor keepBrush = ACanvas->Brush->Color;
            ACanvas->Brush->Color = clBtnFace;
            ACanvas->Pen->Color = clBtnFace;
            ACanvas->Polygon({TPoint{left + 2, top + 8}, TPoint{left + 8, top + 2},
                              TPoint{left + 14, top + 8}, TPoint{left + 8, top + 14}});
            ACanvas->Pen->Color = checked ? TColor(0x00808080) : clWhite;
            ACanvas->MoveTo(left + 8, top + 14);
            ACanvas->LineTo(left + 2, top + 8);
            ACanvas->LineTo(left + 8, top + 2);
            ACanvas->Pen->Color = checked ? clWhite : TColor(0x00808080);
            ACanvas->LineTo(left + 14, top + 8);
            ACanvas->LineTo(left + 8, top + 14);
            if (checked) {
                ACanvas->Brush->Color = look.Color();
                ACanvas->Pen->Color = look.Color();
                ACanvas->Polygon({TPoint{left + 6, top + 8}, TPoint{left + 8, top + 6},
                                  TPoint{left + 10, top + 8}, TPoint{left + 8, top + 10}});
            }
            ACanvas->Brush->Color = keepBrush;
            break;
        }
        case csWinXP:
        case csQel: {
            const int n = RadioGlyphNumber[checked][!Disabled] + (Style == csWinXP ? 4 : 0);
            ACanvas->Draw(left, top, Glyph(QString("ESGRAD%1").arg(n, 2, 10, QChar('0'))));
            break;
        }
        case csGlyph: {
            TBitmap* glyph = checked ? look.RadioOnGlyph() : look.RadioOffGlyph();
            if (!glyph->Empty()) {
                glyph->SetTransparent(true);
                ACanvas->Draw(left, top, glyph);
            }
            break;
        }
        default:
            break;
        }
    }
    SetBkMode(ACanvas->Handle(), mode);
}
