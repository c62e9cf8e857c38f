// The page header and footer (time, date, page number and title in six slotTexts), the page frame and
// the page turn of the print engine.
#include "grid/base/HtmlRender.h"
#include "grid/ops/PrintLayout.h"
#include "platform/core/RtlDateText.h"

#include <array>
#include <cmath>

namespace
{

constexpr int TopRightGap = 20; // the right slotTexts end this far inside the right margin

bool LeftSlot(TPrintPosition P)
{
    return P == ppTopLeft || P == ppBottomLeft;
}

} // namespace

QString TPrintLayout::PageNumberText()
{
    QString text;
    if (MultiStrip) {
        text = QString::number(PageInStrip + 1) + u'-' + QString::number(StripNr);
        if (G.OnPrintGetPageNum)
            G.OnPrintGetPageNum(&G, PageInStrip + 1, StripNr, text);
        return text;
    }
    text = QString::number(int64_t(PageIndex) + S.PageNumberOffset + 1);
    if (!S.PageNumSep.isEmpty() && TotalPages > 1)
        text += S.PageNumSep + QString::number(int64_t(TotalPages) + S.MaxPagesOffset);
    if (G.OnPrintGetPageNum)
        G.OnPrintGetPageNum(&G, PageIndex + 1, StripNr, text);
    return text;
}

// The HTML title: its height in layout units; drawn when Draw.
int TPrintLayout::HtmlTitleHeight(bool Draw, bool Top)
{
    if (!Drawing() || !PageOutput() || !S.TitleText.isEmpty() || S.TitleLines()->Count() == 0)
        return 0;
    QString html;
    for (int i = 0; i < S.TitleLines()->Count(); ++i)
        html += S.TitleLines()->Strings(i);
    if (CellTextKind(html, G.EnableHTML) != ctkHTML)
        return 0;
    SetCanvasFont(Top ? S.HeaderFont() : S.FooterFont(), (Top ? S.HeaderFont() : S.FooterFont())->Size);
    const int fontSize = C->Font->Size;
    TRect area = Top ? TRect(S.LeftSize, -S.HeaderSize, Width, Height)
                     : TRect(S.LeftSize, Height + S.FooterSize, Width, Height);
    LPtoDP(C, area);
    const int mode = SetMapMode(C, MM_TEXT);
    DPtoLP(C, area);
    if (area.Top > area.Bottom)
        std::swap(area.Top, area.Bottom);
    C->Font->Size = fontSize;
    QString anchor, plain, focus, title, id, value, type;
    int w = 0, h = 0, anchors = 0, hit = -1;
    TRect ar, cr;
    RenderHTML(C, html, area, G.GridImages, 0, 0, -1, -1, 1, false, !Draw, true, false, false, false, true,
               false, Resolution, G.URLColor, clNone, clNone, clGray, anchor, plain, focus, title, w, h,
               anchors, hit, ar, cr, id, value, type, G.ImageCache(), G.PictureContainer, 0, 0);
    SetMapMode(C, mode);
    const int dpiY = GetDeviceCaps(C, LOGPIXELSY);
    // In layout units, so that the rows start below it.
    return int(std::lround(double(h) * 254.0 / std::max(1, dpiY)));
}

int TPrintLayout::HeaderFooter(int DrawFlag)
{
    if (!Drawing() || !PageOutput())
        return 0;
    // 1. The six slotTexts, indexed by TPrintPosition.
    std::array<QString, 7> slotTexts;
    auto add = [&](TPrintPosition P, const QString& Item) {
        if (P == ppNone)
            return;
        QString& slot = slotTexts[size_t(P)];
        slot = LeftSlot(P) ? Item + u' ' + slot : slot + u' ' + Item;
    };
    const TDateTime stamp = Now();
    add(S.Time, FormatDateTimeRtl(QStringLiteral("hh:nn"), stamp));
    add(S.Date, FormatDateTimeRtl(S.DateFormat, stamp));
    add(S.PageNr, S.PagePrefix + u' ' + PageNumberText() + u' ' + S.PageSuffix);
    TStringList* lines = S.TitleLines();
    bool htmlTitle = false;
    if (!S.TitleText.isEmpty()) {
        add(S.Title, S.TitleText);
    } else if (lines->Count() > 0) {
        QString joined;
        for (int i = 0; i < lines->Count(); ++i)
            joined += lines->Strings(i);
        if (CellTextKind(joined, G.EnableHTML) == ctkHTML) {
            htmlTitle = true;
        } else if (S.Title != ppNone) {
            QString& slot = slotTexts[size_t(S.Title)];
            const QString first = lines->Strings(0);
            const QString gap = slot.isEmpty() || first.isEmpty() ? QString() : QStringLiteral(" ");
            slot = LeftSlot(S.Title) ? first + gap + slot : slot + gap + first;
        }
    }
    // 2.
    KeptFont->Assign(C->Font);
    KeptBrush->Assign(C->Brush);
    SetCanvasFont(S.HeaderFont(), S.HeaderFont()->Size);
    C->Brush->Style = bsClear;
    auto slotX = [&](TPrintPosition P, const QString& Text) {
        const int tw = C->TextWidth(Text);
        if (P == ppTopLeft || P == ppBottomLeft)
            return S.LeftSize;
        if (P == ppTopRight || P == ppBottomRight)
            return Width - tw - S.RightSize - TopRightGap;
        return (Width - tw) / 2;
    };
    auto drawSlots = [&](TPrintPosition From, TPrintPosition To, int Yt) {
        for (int p = From; p <= To; ++p)
            if (!slotTexts[size_t(p)].isEmpty())
                C->TextOut(slotX(TPrintPosition(p), slotTexts[size_t(p)]), Yt, slotTexts[size_t(p)]);
    };
    auto extraTitleLines = [&](int Yt) {
        if (htmlTitle || !S.TitleText.isEmpty() || lines->Count() < 2)
            return;
        const int lh = C->TextHeight("gh");
        for (int k = 2; k <= lines->Count(); ++k) {
            const QString line = lines->Strings(k - 1);
            C->TextOut(slotX(S.Title, line), Yt - (k - 1) * lh, line);
        }
    };
    // 3. to 5. The top.
    const int topY = -S.HeaderSize;
    drawSlots(ppTopLeft, ppTopCenter, topY);
    if (IsTopPosition(S.Title))
        extraTitleLines(topY);
    int result = 0;
    if (htmlTitle && IsTopPosition(S.Title))
        result = HtmlTitleHeight(DrawFlag == 0, true);
    // 6. and 7. The bottom.
    SetCanvasFont(S.FooterFont(), S.FooterFont()->Size);
    C->Brush->Style = bsClear;
    const int bottomY = Height + FooterHeight + LineGap + S.FooterSize;
    drawSlots(ppBottomLeft, ppBottomCenter, bottomY);
    if (IsBottomPosition(S.Title))
        extraTitleLines(bottomY);
    if (htmlTitle && IsBottomPosition(S.Title))
        result = HtmlTitleHeight(true, false);
    C->Font->Assign(KeptFont.get());
    C->Brush->Assign(KeptBrush.get());
    return result;
}

void TPrintLayout::PageFrame(int First, int Last, int Yb)
{
    if (!Drawing() || !PageOutput())
        return;
    const auto& ind = G.Indents;
    const int x0 = RepeatCols ? ind[0] : ind[size_t(First)];
    const int x1 = ind[size_t(Last) + 1];
    const int top = -HeaderSpace - S.TitleSpacing;
    const int bottom = Yb + LineGap / 2;
    const TPrintBorders b = S.Borders;
    if (b == pbAround || b == pbAroundVertical || b == pbAroundHorizontal)
        C->Polyline(
            {TPoint(x0, top), TPoint(x1, top), TPoint(x1, bottom), TPoint(x0, bottom), TPoint(x0, top)});
    if (b == pbDouble || b == pbHorizontal || b == pbAroundHorizontal) {
        C->MoveTo(x0, bottom);
        C->LineTo(x1, bottom);
    }
    if ((b == pbDouble || b == pbVertical || b == pbAroundVertical) && RepeatCols)
        for (int i = 0; i < G.FixedCols(); ++i) {
            C->MoveTo(ind[size_t(i)], top);
            C->LineTo(ind[size_t(i)], bottom);
        }
}

void TPrintLayout::PageTurn()
{
    const int next = PageIndex + 2;
    if (next < G.FPrintPageFrom || next > G.FPrintPageTo)
        return;
    if (Mode == TExtStringGrid::pmPrintDraw && FPrinter && PageIndex + 1 >= G.FPrintPageFrom)
        FPrinter->NewPage();
    SetMapMode(C, MM_LOMETRIC);
    if (Drawing() && G.OnPrintPage)
        G.OnPrintPage(&G, C, next, Width, Height);
}
