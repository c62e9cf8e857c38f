// TExtStringGrid: the displayed text of a cell, its alignment, font and size, and the text step of the
// cell painter (background picture or gradient, selection outline, filter button, the text itself).
#include "grid/base/CellText.h"
#include "grid/base/DrawHelpers.h"
#include "grid/base/HtmlRender.h"
#include "grid/base/NumberText.h"
#include "grid/edit/GridCombo.h"
#include "grid/core/ExtGrid.h"
#include "grid/core/ExtGrid_PaintInternal.h"
#include "platform/core/SysUtils.h"

#include <algorithm>
#include <cmath>

namespace
{

constexpr uint32_t HAlignFlags[] = {DT_LEFT, DT_RIGHT, DT_CENTER}; // taLeftJustify, taRightJustify, taCenter
constexpr uint32_t VAlignFlags[] = {DT_TOP, DT_VCENTER, DT_BOTTOM}; // vtaTop, vtaCenter, vtaBottom

bool IsNumber(const QString& Text)
{
    const int kind = NumberTextKind(Text);
    return kind != ntkNoNumber && Text != "-";
}

} // namespace

// ---- Text services -----------------------------------------------------------------------------------

void TExtStringGrid::GetCalcCellText(int ACol, int ARow, QString& Text)
{
    Text = GetCellEx(ACol, ARow);
}

void TExtStringGrid::GetCellAlignment(int ACol, int ARow, TAlignment& HA, TVAlignment& VA)
{
    HA = DefaultAlignment();
    VA = FVAlignment;
    bool formula = false;
    if (AutoNumAlign) {
        QString text = GetCellEx(ACol, ARow);
        if (text.startsWith('=') || (text.length() > 3 && text.startsWith("|\\") && text[3] == '=')) {
            formula = true;
            GetCalcCellText(ACol, ARow, text);
        }
        if (IsNumber(text.trimmed()))
            HA = taRightJustify;
    }
    if (const TCellProperties* p = GridProps(ACol, ARow); p && !formula)
        HA = p->Alignment();
    GetAlignment(ACol, ARow, HA, VA);
}

void TExtStringGrid::GetFontProperties(int ACol, int RCol, int ARow, TGridDrawState& AState, TFont* AFont,
                                       TBrush* ABrush, bool Remap)
{
    const int c = Remap ? RCol : ACol;
    AFont->Assign(IsFixed(ACol, ARow) || ACol < FixedCols() || ARow < FixedRows() ? *FFixedFont : *Font);
    if (const TCellProperties* p = GridProps(c, ARow)) {
        if (p->FontColor() != clNone)
            AFont->Color = p->FontColor();
        if (p->FontStyle() != 0)
            AFont->Style = p->FontStyle();
        if (p->FontSize() != 0)
            AFont->Size = p->FontSize();
        if (!p->FontName().isEmpty())
            AFont->Name = p->FontName();
    }
    GetCellColor(c, ARow, AState, ABrush, AFont);
}

bool TExtStringGrid::IsPasswordCell(int ACol, int ARow)
{
    bool isPassword = false;
    TEditorType editor = DefaultEditor;
    TGridCombo::EditorTypeKeepingList(this, ACol, ARow, editor);
    if (editor == edPassword)
        isPassword = true;
    DoIsPasswordCell(ACol, ARow, isPassword);
    return isPassword;
}

TSize TExtStringGrid::GetCellTextSize(int ACol, int ARow, bool VS, bool SB)
{
    const int DC = RealToDisplCol(ACol);
    QString text = GetFormattedCell(ACol, ARow);
    TCanvas* canvas = Canvas;
    TGridDrawState state = 0;
    GetFontProperties(DC, ACol, ARow, state, canvas->Font, canvas->Brush, true);
    if ((ARow < FixedRows() || DC < FixedCols()) && ActiveCellShow && (FActiveCellFont->Style & fsBold))
        canvas->Font->Style |= fsBold;
    if (ZoomFactor() != 0)
        canvas->Font->Size = canvas->Font->Size + ZoomFactor();
    if (text.startsWith('='))
        GetCalcCellText(ACol, ARow, text);
    const int kind = CellTextKind(text, EnableHTML);

    TRect r = CellRect(DC, ARow);
    r.Left += XYOffset.X;
    r.Top += XYOffset.Y;
    if (!XYOffsetTopLeftOnly) {
        r.Right -= XYOffset.X;
        r.Bottom -= XYOffset.Y;
    }
    if (VS)
        r.Right -= 17;

    TSize size;
    if (kind == 2 && !IsDesignTime())
        return RichCellTextSize(ACol, ARow, r);
    if (kind == 1) {
        if (!SB)
            r.Right = 0xFFFF;
        r.Bottom = 0xFFFF;
        QString anchor, plain, focus, title, id, value, type;
        int w = 0, h = 0, anchors = 0, hit = -1;
        TRect ar, cr;
        RenderHTML(canvas, text, r, nullptr, 0, 0, -1, -1, 1, false, true, false, false, false, false, SB, false,
                   1.0, URLColor, clNone, clNone, clGray, anchor, plain, focus, title, w, h, anchors, hit, ar, cr, id,
                   value, type, nullptr, nullptr, Handle(), 0);
        size.cx = w + 2;
        size.cy = h + 2;
        return size;
    }
    if (SB) {
        InflateRect(r, -2, -2);
        if (EditorMode() && ARow == Row() && DC == Col() && text.endsWith('\n'))
            text += 'w';
        TRect calc = r;
        DrawText(canvas->Handle(), text, -1, calc,
                 DT_CALCRECT | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK);
        size.cx = r.Width();
        size.cy = calc.Height();
        return size;
    }
    const QStringList lines = Multilinecells ? text.split('\r') : QStringList{text.section('\r', 0, 0)};
    int widest = 0;
    for (QString line : lines) {
        line.remove('\n');
        if (FURLShow && !FURLFull && kind == 0)
            StripURLPrefix(line);
        widest = std::max(widest, canvas->TextWidth(line));
    }
    size.cx = widest;
    size.cy = canvas->TextHeight("gh") * int(lines.size());
    return size;
}

// ---- The text step -----------------------------------------------------------------------------------

int TExtStringGrid::DrawCellText(TCanvas* ACanvas, TCellPaint& P)
{
    const int C = P.C, DC = P.DC, ARow = P.Row;
    const TGridDrawState state = P.State;
    TRect R = P.R;
    int textWidth = 0;

    // 1. and 2. Link and selection colours.
    TColor link = URLColor;
    const bool rowSelected = Options().Contains(goRowSelect) && ARow == Row() && C >= FixedCols() &&
                             C < ColCount() - FixedRightCols;
    if (((state & gdSelected) || rowSelected) && !IsFixed(DC, ARow)) {
        if (FShowSel) {
            if (SelectionColor != clNone)
                ACanvas->Brush->Color = SelectionColor;
            if (FSelectionTextColor != clNone && Enabled())
                ACanvas->Font->Color = FSelectionTextColor;
            link = FSelectionTextColor;
        } else if (!GridFocused() || (P.Graphic && TCellGraphic::IsCheckBoxType(P.Graphic->CellType()))) {
            ACanvas->Brush->Color = P.SavedBrush;
            ACanvas->Font->Color = P.SavedFont;
            link = URLColor;
        }
    }

    // 3. The text.
    QString text = GetFormattedCell(C, ARow);
    int kind = CellTextKind(text, EnableHTML);
    if (kind == 3) {
        GetCalcCellText(C, ARow, text);
        kind = CellTextKind(text, EnableHTML);
    }
    const bool marked = P.Graphic && P.Graphic->CellErrLen() > 0 &&
                        (P.Graphic->CellType() == ctEmpty || P.Graphic->CellType() == ctValue);
    if (IsPasswordCell(C, ARow))
        FillChars(text, PasswordChar);

    // 4. Text rectangle.
    TRect tr = R;
    if (IsFixed(C, ARow)) {
        tr.Left += GridLineWidth();
        tr.Top += GridLineWidth();
    }

    // 5. Filter button.
    if (P.FilterButton) {
        const TRect fr{R.Right - 16, tr.Top, R.Right, tr.Top + 16};
        DrawResourceBitmap(ACanvas, FixedColor(), fr, "ESGFILT");
        tr = R;
    }

    // 7. and 8. The grid background behind this cell.
    const TBackGroundCells cells = FBackGround->Cells();
    const bool kindMatches = cells == bcAll || (cells == bcFixed) == ((state & gdFixed) != 0);
    const TCellProperties* props = GridProps(C, ARow);
    const bool ownColour = props && props->BrushColor() != clNone;
    if (!FBackGround->Bitmap()->Empty() && !ownColour && kindMatches && !(FShowSel && (state & gdSelected))) {
        const TRect pr{tr.Left - GridLineWidth() + 1, tr.Top - GridLineWidth() + 1, tr.Right, tr.Bottom};
        if (FBackGround->Display() == bdTile) {
            const TBitmap* bitmap = FBackGround->Bitmap();
            int phaseX = 0, phaseY = 0;
            const int first = cells == bcNormal ? FixedCols() : 0;
            for (int c = first; c < DC; ++c)
                phaseX += ColWidths(c);
            for (int r = cells == bcNormal ? FixedRows() : 0; r < ARow; ++r)
                phaseY += RowHeights(r);
            SelectClipRgn(ACanvas->Handle(), nullptr);
            const QRegion clip(pr.Left, pr.Top, pr.Width(), pr.Height());
            SelectClipRgn(ACanvas->Handle(), &clip);
            TileBackgroundBitmap(ACanvas, pr,
                                 TPoint{pr.Left - phaseX % bitmap->Width() + 1, pr.Top - phaseY % bitmap->Height() + 1});
            SelectClipRgn(ACanvas->Handle(), nullptr);
        } else {
            PaintBackgroundBitmap(ACanvas, pr);
        }
    }
    const TBackGroundDisplay display = FBackGround->Display();
    const bool focusedSelected = (state & gdFocused) && Options().Contains(goDrawFocusSelected);
    if ((display == bdGradientHorz || display == bdGradientVert) &&
        (!ownColour || IsControlCellObject(C, ARow)) && kindMatches &&
        !(FShowSel && (((state & gdSelected) && !(state & gdFocused)) || focusedSelected))) {
        const TRect gr{tr.Left - 1, tr.Top - GridLineWidth(), tr.Right, tr.Bottom + GridLineWidth() - 1};
        const bool horz = display == bdGradientHorz;
        const TColor from = InterpolateColor(FBackGround->Color(), FBackGround->ColorTo(), 0,
                                             horz ? Width() : Height(), horz ? gr.Left : gr.Top);
        const TColor to = InterpolateColor(FBackGround->Color(), FBackGround->ColorTo(), 0, horz ? Width() : Height(),
                                           horz ? gr.Right : gr.Bottom);
        const TColor keep = ACanvas->Brush->Color;
        ACanvas->Brush->Color = to;
        ACanvas->Pen->Color = to;
        DrawGradientBands(ACanvas, from, to, horz, gr, 128);
        ACanvas->Brush->Color = keep;
    }

    // 9. Selection outline.
    if (FSelectionRectangle && !IsFixed(DC, ARow)) {
        const TGridRect sel = Selection();
        if (DC >= sel.Left && DC <= sel.Right && ARow >= sel.Top && ARow <= sel.Bottom) {
            const int glw = GridLineWidth();
            ACanvas->Pen->Color = SelectionRectangleColor;
            ACanvas->Pen->Width = 2;
            const bool rightEdge = sel.Right == DC;
            if (sel.Left == DC) {
                ACanvas->MoveTo(tr.Left - glw + 1, tr.Bottom);
                ACanvas->LineTo(tr.Left - glw + 1, tr.Top - glw);
            }
            if (rightEdge) {
                ACanvas->MoveTo(tr.Right - 1, tr.Bottom);
                ACanvas->LineTo(tr.Right - 1, tr.Top - glw);
            }
            if (sel.Top == ARow) {
                ACanvas->MoveTo(tr.Left - glw, tr.Top - glw + 1);
                ACanvas->LineTo(rightEdge ? tr.Right - 1 : tr.Right, tr.Top - glw + 1);
            }
            if (sel.Bottom == ARow) {
                ACanvas->MoveTo(tr.Left - glw, tr.Bottom);
                ACanvas->LineTo(rightEdge ? tr.Right - 1 : tr.Right, tr.Bottom);
            }
            if (FSelectionResizer && rightEdge && sel.Bottom == ARow) {
                const TRect cr = CellRect(DC, ARow);
                const TColor keep = ACanvas->Brush->Color;
                ACanvas->Brush->Color = SelectionRectangleColor;
                ACanvas->FillRect(TRect{tr.Right - 4, tr.Bottom - 4, cr.Right, cr.Bottom});
                ACanvas->Brush->Color = keep;
            }
            ACanvas->Pen->Width = 1;
        }
    }

    // 10.
    if (P.Graphic && !P.TextAlso)
        return 0;

    // 11. Insets, and room for a graphic beside the text.
    if (!XYOffsetTopLeftOnly)
        tr.Right -= XYOffset.X;
    tr.Left += XYOffset.X;
    tr.Top += XYOffset.Y;
    int indent = 0;
    if (P.Graphic) {
        if (P.GHA == haBeforeText)
            tr.Left += P.GW;
        else if (P.GHA == haAfterText)
            tr.Right -= P.GW;
        if (P.GVA == vaAboveText)
            tr.Top += P.GH;
        else if (P.GVA == vaUnderText)
            tr.Bottom -= P.GH;
        if (P.GHA == haLeft || (P.GHA == haBeforeText && P.HA == taLeftJustify))
            indent = P.GW;
    }
    if (C == 0 && HasNodes())
        tr.Left += GetNodeIndent(ARow);
    const TSortPaintState sort = SortPaintState();
    const bool sortHeader = IsSortHeaderCell(C, ARow, sort);
    auto indicatorY = [&](const TRect& r) {
        return P.VA == vtaTop ? r.Top + 8 : P.VA == vtaCenter ? r.Top + (r.Bottom - r.Top) / 2 : r.Bottom - 8;
    };

    if (kind == 1) {
        // 12. Mini-HTML.
        if (P.FilterButton)
            tr.Right -= 18;
        tr.Left -= 1;
        if (sortHeader)
            tr.Right -= 10;
        QString anchor, plain, focus, title, id, value, type;
        int w = 0, h = 0, anchors = 0, hit = -1;
        TRect ar, cr;
        RenderHTML(ACanvas, text, tr, nullptr, 0, 0, -1, -1, 1, false, false, false,
                   (state & gdSelected) != 0, true, false, P.WW, false, 1.0, link, clNone, clNone, clGray, anchor,
                   plain, focus, title, w, h, anchors, hit, ar, cr, id, value, type, nullptr, nullptr, Handle(), 0);
        if (sortHeader)
            DrawSortIndicator(ACanvas, C, indicatorY(tr), tr.Right + 2);
        return w + 2;
    }

    if (kind == 2) {
        // 13. Rich text, drawn by the hidden rich edit over the filled text rectangle.
        ACanvas->Pen->Color = ACanvas->Brush->Color;
        if (!((state & gdSelected) && !(state & gdFocused) && SelectionColor == clNone))
            ACanvas->Rectangle(tr);
        PaintRichCell(C, ARow, tr, ACanvas);
        ACanvas->Font->Color = clBlack;
        return 0;
    }

    // 14. Plain text.
    if (P.HA == taCenter && sort.Show && sort.Column == C && ARow == sort.Row)
        tr.Left += 10;
    const bool url = FURLShow && ContainsURL(GetCellEx(C, ARow));
    const TFontStyles style = ACanvas->Font->Style;
    if (url) {
        if (!FURLFull)
            StripURLPrefix(text);
        ACanvas->Font->Style = TFontStyles(style | fsUnderline);
        ACanvas->Font->Color = link;
    }
    uint32_t flags = DT_EDITCONTROL;
    if (CountTextLines(text, Multilinecells) == 1 && !P.WW) {
        text = text.section('\r', 0, 0);
        flags = DT_SINGLELINE;
        if (EnhTextSize)
            flags |= DT_END_ELLIPSIS;
    }
    if (P.WW && !Multilinecells && EnhTextSize)
        flags |= DT_END_ELLIPSIS;
    FVAlign = VAlignFlags[P.VA];
    flags |= DT_EXPANDTABS | DT_NOPREFIX | HAlignFlags[P.HA] | FVAlign;
    flags |= P.WW || Multilinecells ? DT_WORDBREAK | DT_EDITCONTROL : DT_SINGLELINE;
    if (UseRightToLeftAlignment())
        flags |= DT_RTLREADING;
    SetBkMode(ACanvas->Handle(), TRANSPARENT);
    if (P.FilterButton)
        tr.Right -= 16;
    if (P.Graphic && !text.isEmpty()) {
        TRect calc = tr;
        DrawText(ACanvas->Handle(), text, -1, calc, flags | DT_CALCRECT);
        textWidth = calc.Right - tr.Left + 2;
    }
    DrawText(ACanvas->Handle(), text, -1, tr, flags);
    if (marked)
        DrawErrorUnderline(this, ACanvas, text, P.Graphic->CellErrLen(), P.Graphic->CellErrFrom(),
                           ACanvas->TextHeight("hg"), tr);
    if (sortHeader) {
        TRect sr = R;
        if (P.FilterButton)
            sr.Right -= 16;
        const int w = std::max(0, std::min(sr.Right - sr.Left - 16, ACanvas->TextWidth(text)));
        const int x = P.HA == taLeftJustify    ? sr.Left + w + indent + 10
                      : P.HA == taRightJustify ? sr.Right - w - 10
                                               : sr.Left + 8;
        DrawSortIndicator(ACanvas, C, indicatorY(sr), x);
    }
    if (url)
        ACanvas->Font->Style = style;
    return textWidth;
}
