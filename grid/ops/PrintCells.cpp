// Printed cells: which rows and columns a "selected only" job prints, the printed column widths and
// row heights, the size of one cell's content and the printing of a row of cells (background, text,
// the application's hook, border lines), all in layout units (0.1 mm, y upward).
#include "grid/base/DrawHelpers.h"
#include "grid/base/HtmlText.h"
#include "grid/ops/PrintLayout.h"

#include <algorithm>
#include <cmath>

namespace
{

// The visible text of rich text: groups of destinations and control words dropped, paragraphs as
// line breaks.
QString RichToPlain(const QString& Rtf)
{
    QString out;
    int depth = 0, skipDepth = -1;
    for (int i = 0; i < Rtf.size(); ++i) {
        const QChar ch = Rtf[i];
        if (ch == u'{') {
            ++depth;
            if (skipDepth < 0 && i + 2 < Rtf.size() && Rtf[i + 1] == u'\\' && Rtf[i + 2] == u'*')
                skipDepth = depth;
            continue;
        }
        if (ch == u'}') {
            if (depth == skipDepth)
                skipDepth = -1;
            --depth;
            continue;
        }
        if (ch == u'\\') {
            int j = i + 1;
            if (j < Rtf.size() && !Rtf[j].isLetter()) {
                if (skipDepth < 0 && (Rtf[j] == u'\\' || Rtf[j] == u'{' || Rtf[j] == u'}'))
                    out += Rtf[j];
                i = j;
                continue;
            }
            while (j < Rtf.size() && Rtf[j].isLetter())
                ++j;
            const QString word = Rtf.mid(i + 1, j - i - 1);
            while (j < Rtf.size() && (Rtf[j].isDigit() || Rtf[j] == u'-'))
                ++j;
            if (j < Rtf.size() && Rtf[j] == u' ')
                ++j;
            // Header groups (fonts, colours, styles) hold no visible text.
            if (word == QLatin1String("fonttbl") || word == QLatin1String("colortbl") ||
                word == QLatin1String("stylesheet") || word == QLatin1String("info"))
                skipDepth = skipDepth < 0 ? depth : skipDepth;
            if (skipDepth < 0 && (word == QLatin1String("par") || word == QLatin1String("line")))
                out += u'\r';
            i = j - 1;
            continue;
        }
        if (skipDepth < 0 && depth <= 1 && ch != u'\r' && ch != u'\n')
            out += ch;
        else if (skipDepth < 0 && depth > 1 && ch != u'\r' && ch != u'\n')
            out += ch;
    }
    while (out.endsWith(u'\r'))
        out.chop(1);
    return out;
}

QStringList SplitLines(QString Text, bool Multiline)
{
    if (!Multiline)
        return {Text};
    Text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Text.replace(u'\r', u'\n');
    return Text.split(u'\n');
}

} // namespace

// ---- Row and column filters ----------------------------------------------------------------------------

bool TPrintLayout::RowFilter(int Row)
{
    if (!SelectedOnly)
        return true;
    if (Row < G.FixedRows() && S.FixedCellsAlways)
        return true;
    // Without a disjunct row list the selection's rows are the selected ones.
    const TGridRect sel = G.Selection();
    return Row >= std::min(sel.Top, sel.Bottom) && Row <= std::max(sel.Top, sel.Bottom);
}

bool TPrintLayout::ColFilter(int Col)
{
    if (!SelectedOnly)
        return true;
    if (G.MouseActions()->DisjunctRowSelect())
        return true;
    if (Col < G.FixedCols() && S.FixedCellsAlways)
        return true;
    const TGridRect sel = G.Selection();
    return Col >= std::min(sel.Left, sel.Right) && Col <= std::max(sel.Left, sel.Right);
}

// ---- Widths and heights ----------------------------------------------------------------------------------

void TPrintLayout::ColumnWidths()
{
    auto& maxW = G.MaxWidths;
    // Repeated fixed columns left of the range are printed on every strip, so they need widths too
    // (otherwise they would print zero wide, or as wide as a former job left them).
    const int firstCol = S.RepeatFixedCols && G.FixedCols() > 0 ? 0 : R.Left;
    auto measured = [&](int c) { return c >= R.Left || c < G.FixedCols(); };
    for (int c = firstCol; c <= R.Right; ++c)
        maxW[size_t(c)] = 0;
    if (S.NoAutoSize) {
        for (int c = firstCol; c <= R.Right; ++c)
            if (measured(c) && ColFilter(c))
                maxW[size_t(c)] = int(std::lround(G.ColWidths(c) * PixelFactor));
        return;
    }
    const int fixedRows = G.FixedRows();
    for (int row = 0; row < G.RowCount(); ++row) {
        if (row < R.Top && !(S.RepeatFixedRows && row < fixedRows))
            row = R.Top;
        if (row > R.Bottom && !(S.RepeatFixedRows && row <= fixedRows))
            break;
        if (row >= G.RowCount())
            break;
        for (int c = firstCol; c <= R.Right; ++c) {
            if (!measured(c) || !ColFilter(c))
                continue;
            const int rc = G.RealColIndex(c);
            const int w = S.UseFixedWidth ? S.FixedWidth : CellSize(c, row).X;
            // A cell spanning columns says nothing about one column's width.
            if (w > maxW[size_t(c)] && G.CellSpan(rc, row).X <= 0)
                maxW[size_t(c)] = w;
        }
    }
}

int TPrintLayout::RowHeight(int Row)
{
    if (Row == CachedRow)
        return CachedHeight;
    int h = 0;
    if (S.NoAutoSizeRow) {
        h = int(std::lround(G.RowHeights(Row) * PixelFactor)) - 4;
    } else if (S.UseFixedHeight) {
        h = S.FixedHeight;
    } else {
        G.Fontscalefactor = FitScale;
        int most = 0, last = 0;
        for (int c = R.Left; c <= R.Right; ++c) {
            last = CellSize(c, Row).Y;
            if (G.CellSpan(G.RealColIndex(c), Row).Y <= 0)
                most = std::max(most, last);
        }
        if (most == 0)
            most = last;
        h = most + most / 8;
        if (G.OnPrintSetRowHeight)
            G.OnPrintSetRowHeight(&G, Row, h);
    }
    CachedRow = Row;
    CachedHeight = h;
    return h;
}

QString TPrintLayout::CellText(int RCol, int Row)
{
    const TPoint base = G.BaseCell(RCol, Row);
    if (G.IsDataGraphicCell(base.X, base.Y))
        return QString();
    QString text = G.GetFormattedCell(RCol, Row);
    switch (CellTextKind(text, G.EnableHTML)) {
    case ctkHTML:
        // Marked-up cells print as their plain text here.
        text = HTMLStripTags(text);
        break;
    case ctkRichText:
        text = RichToPlain(text);
        break;
    case ctkFormula:
        G.GetCalcCellText(RCol, Row, text);
        break;
    default:
        break;
    }
    return text;
}

TPoint TPrintLayout::CellSize(int Col, int Row)
{
    const int rc = G.RealColIndex(Col);
    const QString text = CellText(rc, Row);
    TGridDrawState state = 0;
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = G.WordWrap();
    TCellGradientDirection gd{};
    CellBrush->Assign(C->Brush);
    CellFont->Assign(C->Font);
    G.GetVisualProperties(Col, Row, state, true, false, true, CellBrush.get(), colorTo, mirror, mirrorTo,
                          CellFont.get(), ha, va, ww, gd);
    if (!S.UseDisplayFont) {
        const TFont* print = Col < G.FixedCols() || Row < G.FixedRows() ? S.FixedFont() : S.Font();
        if (G.FontNames(rc, Row).isEmpty())
            CellFont->Name = print->Name.get();
        if (G.FontSizes(rc, Row) == 0)
            CellFont->Size = print->Size.get();
    }
    KeptFont->Assign(C->Font);
    SetCanvasFont(CellFont.get(), CellFont->Size);
    int width = 0;
    const QStringList lines = SplitLines(text.isEmpty() ? QStringLiteral("gh") : text, G.Multilinecells);
    for (QString line : lines) {
        if (G.URLShow() && !G.URLFull())
            StripURLPrefix(line);
        width = std::max(width, C->TextWidth(line));
    }
    TPoint size(width, C->TextHeight("gh") * int(lines.size()));
    C->Font->Assign(KeptFont.get());
    if (G.OnCustomCellSize)
        G.OnCustomCellSize(&G, C, rc, Row, size, true);
    return size;
}

// ---- A printed row ---------------------------------------------------------------------------------------

int TPrintLayout::PrintRow(int Y, int First, int Last, int Row)
{
    const int rowHeight = RowHeight(Row);
    const int result = rowHeight + 2 * LineGap + S.RowSpacing;
    if (!Drawing() || !PageOutput() || First > Last) {
        G.Fontscalefactor = 1.0;
        return result;
    }
    const int saved = C->Save();
    if (RowClipped)
        C->IntersectClipRect(TRect(0, Y, std::max(Width, G.Indents[size_t(Last) + 1]), Height + FooterSpace));
    KeptBrush->Assign(C->Brush);
    WorkPen->Assign(C->Pen);
    for (int g = First; g <= Last; ++g)
        if (ColFilter(g))
            PrintCell(Y, g, Last, Row, result);
    C->Restore(saved);
    G.Fontscalefactor = 1.0;
    return result;
}

void TPrintLayout::PrintCell(int Y, int Gc, int Last, int Row, int RowPrintHeight)
{
    const int c = G.RealColIndex(Gc);
    const auto& maxW = G.MaxWidths;
    const auto& ind = G.Indents;
    const int rowHeight = RowHeight(Row);
    // 1. The extent of the merged area from this cell.
    const TPoint ext = G.CellExt(c, Row);
    const int spanX = std::max(0, ext.X), spanY = std::max(0, ext.Y);
    int width = 0;
    for (int i = 0; i <= spanX && Gc + i < int(maxW.size()); ++i)
        width += maxW[size_t(Gc + i)] + Spacing;
    int height = S.NoAutoSizeRow ? 0 : RowPrintHeight;
    for (int i = S.NoAutoSizeRow ? 0 : 1; i <= spanY && Row + i < G.RowCount(); ++i) {
        if (S.NoAutoSizeRow && spanY == 0) {
            height = RowPrintHeight;
            break;
        }
        const int h = int(std::lround((G.RowHeights(Row + i) - 4) * PixelFactor));
        height += h + h / 8 + 2 * LineGap + S.RowSpacing;
    }
    const int left = ind[size_t(Gc)];
    TRect cell(left, Y, left + width, Y - height);

    // 2. Border flags and pen.
    TCellBorders borders;
    switch (S.Borders) {
    case pbSingle:
    case pbDouble:
        borders = TCellBorders{cbTop, cbLeft, cbRight, cbBottom};
        break;
    case pbHorizontal:
    case pbAroundHorizontal:
        borders = TCellBorders{cbTop, cbBottom};
        break;
    case pbVertical:
    case pbAroundVertical:
        borders = TCellBorders{cbLeft, cbRight};
        break;
    default:
        break;
    }
    TPen borderPen;
    borderPen.Width = 1;
    borderPen.Color = S.BorderColor;
    G.GetCellPrintBorder(c, Row, &borderPen, borders);

    const bool base = !G.IsMergedNonBaseCell(c, Row);
    if (base) {
        // 3.1 The cell's brush and font.
        CellBrush->Assign(KeptBrush.get());
        CellBrush->Style = bsSolid;
        CellFont->Assign(C->Font);
        CellFont->Size = S.Font()->Size.get();
        TGridDrawState state = 0;
        TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
        TAlignment ha = taLeftJustify;
        TVAlignment va = vtaTop;
        bool ww = G.WordWrap();
        TCellGradientDirection gd{};
        G.GetVisualProperties(Gc, Row, state, true, false, true, CellBrush.get(), colorTo, mirror, mirrorTo,
                              CellFont.get(), ha, va, ww, gd);
        if (!S.UseDisplayFont) {
            const TFont* print = Gc < G.FixedCols() || Row < G.FixedRows() ? S.FixedFont() : S.Font();
            if (G.FontNames(c, Row).isEmpty())
                CellFont->Name = print->Name.get();
            if (G.FontSizes(c, Row) == 0)
                CellFont->Size = print->Size.get();
        }
        C->Brush->Assign(CellBrush.get());
        SetCanvasFont(CellFont.get(), CellFont->Size);
        C->Font->Color = CellFont->Color.get();
        SetTextColor(C, CellFont->Color);
        // 3.2
        const QString text = CellText(c, Row);
        // 3.3 Background, top to bottom as on the screen.
        const TColor brushColor = CellBrush->Color;
        if (brushColor != clNone) {
            C->Pen->Color = brushColor;
            if (colorTo != clNone) {
                TRect device = cell;
                LPtoDP(C, device);
                const int mode = SetMapMode(C, MM_TEXT);
                DPtoLP(C, device);
                DrawGradient(C, brushColor, colorTo, 64, device, false);
                SetMapMode(C, mode);
            } else {
                C->FillRect(cell);
            }
        }
        // 3.4 Alignment and line height.
        G.GetCellAlignment(c, Row, ha, va);
        const int th = C->TextHeight("gh") + S.RowSpacing;
        const int lineHeight = th + th / 8;
        QStringList lines = SplitLines(text, G.Multilinecells);
        if (G.URLShow() && !G.URLFull())
            for (QString& line : lines)
                StripURLPrefix(line);
        // 3.7 Text.
        C->Brush->Style = bsClear;
        const int top = Y - LineGap;
        int right = cell.Right;
        if (right > Width)
            right = std::min(right, ind[size_t(Last) + 1]);
        if (lines.size() <= 1) {
            TRect r(cell.Left, top, right, top - rowHeight - S.RowSpacing);
            if (spanY > 0)
                r.Bottom = cell.Bottom + LineGap;
            uint32_t flags = DT_SINGLELINE | DT_NOPREFIX | DT_EDITCONTROL;
            if (ha == taRightJustify) {
                flags |= DT_RIGHT;
                r.Right -= TextInset;
            } else if (ha == taCenter) {
                flags |= DT_CENTER;
                r.Left += TextInset;
                r.Right -= TextInset;
            } else {
                r.Left += TextInset;
            }
            if (va == vtaCenter)
                flags |= DT_VCENTER;
            else if (va == vtaBottom)
                flags |= DT_BOTTOM;
            const QString line = lines.isEmpty() ? QString() : lines.first();
            if (!line.isEmpty())
                C->DrawText(line, r, flags);
        } else {
            const int step = lineHeight - S.RowSpacing;
            const int block = step * int(lines.size());
            int offset = 0;
            if (spanX == 0 && spanY == 0) {
                if (va == vtaCenter)
                    offset = (rowHeight - block) / 2;
                else if (va == vtaBottom)
                    offset = rowHeight - block;
            }
            const TRect clip(cell.Left, cell.Top, right, cell.Bottom);
            int y = top - offset;
            for (const QString& line : lines) {
                const int w = C->TextWidth(line);
                int x = cell.Left + TextInset;
                if (ha == taRightJustify)
                    x = right - TextInset - w;
                else if (ha == taCenter)
                    x = cell.Left + (right - cell.Left - w) / 2;
                C->TextRect(clip, x, y, line);
                y -= step;
            }
        }
        C->Font->Assign(CellFont.get());
        C->Brush->Assign(KeptBrush.get());
        // 3.9 The application's hook, in pixels.
        if (G.OnCustomCellDraw) {
            TRect device(cell.Left, Y, cell.Right, Y - rowHeight - 2 * LineGap - S.RowSpacing);
            LPtoDP(C, device);
            const int mode = SetMapMode(C, MM_TEXT);
            DPtoLP(C, device);
            const int size = C->Font->Size;
            C->Font->Size = S.Font()->Size.get();
            G.OnCustomCellDraw(&G, C, c, Row, TGridDrawState(0), device, true);
            C->Font->Size = size;
            SetMapMode(C, mode);
        }
    }

    // 4. Border lines: a merged area's outline is drawn by its base cell.
    if (!base || borders.Empty())
        return;
    const int pw =
        Preview() ? std::max(1, int(borderPen.Width)) : int(std::lround(borderPen.Width * PixelFactor));
    C->Pen->Assign(&borderPen);
    C->Pen->Width = pw;
    TRect b = cell;
    if (b.Bottom < Height + S.FooterSize) {
        b.Bottom = Y - rowHeight;
        borders.Exclude(cbBottom);
    }
    if (b.Right > Width)
        b.Right = std::min(b.Right, ind[size_t(Last) + 1]);
    if (borders.Contains(cbLeft)) {
        const int x = Gc != G.FPrintColStart && Gc != 0 ? b.Left - pw : b.Left;
        C->MoveTo(x, b.Top);
        C->LineTo(x, b.Bottom);
    }
    if (borders.Contains(cbRight)) {
        C->MoveTo(b.Right, b.Top);
        C->LineTo(b.Right, b.Bottom);
    }
    if (borders.Contains(cbTop)) {
        C->MoveTo(b.Left, b.Top);
        C->LineTo(b.Right, b.Top);
    }
    if (borders.Contains(cbBottom)) {
        C->MoveTo(b.Left, b.Bottom);
        C->LineTo(b.Right, b.Bottom);
    }
    C->Pen->Assign(WorkPen.get());
}
