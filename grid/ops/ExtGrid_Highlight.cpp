// TExtStringGrid: highlighting ("hi") and marking ("e") every occurrence of a text inside cell texts,
// and taking the tags out again.
//
// Block ranges (store indexes, no mapping). They differ on purpose and callers rely on them:
//   HilightInGrid's normal range reaches the hidden columns, MarkInGrid's does not;
//   HilightInRow/MarkInRow stop at ColCount, their Un... counterparts reach the hidden columns.
#include "grid/base/HtmlRender.h"
#include "grid/base/HtmlText.h"
#include "grid/core/ExtGrid.h"

namespace
{

const QString HiTag = QStringLiteral("hi");
const QString MarkTag = QStringLiteral("e");

bool IsAscii(const QString& S)
{
    for (const QChar ch : S)
        if (ch.unicode() >= 0x80)
            return false;
    return true;
}

// True when marking would give the text back as it is: nothing in it needs an entity and the search
// text does not occur. Without case, only ASCII texts are decided here (their folding is plain);
// anything else is left to the full marking.
bool NothingToMark(const QString& Text, const QString& Sub, bool DoCase)
{
    for (const QChar ch : Text) {
        const char16_t u = ch.unicode();
        if (u == '&' || u == '"' || u == '<' || u == '>' || (!DoCase && u >= 0x80))
            return false;
    }
    return !Text.contains(Sub, DoCase ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

} // namespace

// ---- Text functions ------------------------------------------------------------------------------------

QString TExtStringGrid::HilightText(bool DoCase, const QString& S, const QString& Text)
{
    QString result;
    HTMLMarkText(S, Text, HiTag, DoCase, result);
    return result;
}

QString TExtStringGrid::UnHilightText(const QString& S)
{
    QString result;
    HTMLUnmarkText(S, HiTag, result);
    return result;
}

QString TExtStringGrid::MarkText(bool DoCase, const QString& S, const QString& Text)
{
    QString result;
    HTMLMarkText(S, Text, MarkTag, DoCase, result);
    return result;
}

QString TExtStringGrid::UnMarkText(const QString& S)
{
    QString result;
    HTMLUnmarkText(S, MarkTag, result);
    return result;
}

// ---- Blocks ------------------------------------------------------------------------------------------

void TExtStringGrid::MarkBlock(int C1, int R1, int C2, int R2, bool DoCase, const QString& HiText,
                               const QString& Tag)
{
    if (R2 < R1 || C2 < C1)
        return;
    const QString sub = HTMLEncodeEntities(HiText, false);
    const bool displText = static_cast<bool>(OnGetDisplText);
    // Most cells of a column hold no occurrence: those are decided by one scan.
    const bool quickTest = !sub.isEmpty() && (DoCase || IsAscii(sub));
    for (int r = R1; r <= R2; ++r) {
        for (int c = C1; c <= C2; ++c) {
            if (!IsBaseCell(c, r))
                continue;
            const QString cell = displText ? Cells(c, r) : GetGridCell(c, r);
            if (quickTest && NothingToMark(cell, sub, DoCase)) {
                SetCells(c, r, cell);
                continue;
            }
            // Markup already in the cell shows as literal text while the marks are in place.
            const QString text = HTMLEncodeEntities(cell, false);
            QString marked;
            HTMLMarkText(text, sub, Tag, DoCase, marked);
            SetCells(c, r, marked);
        }
    }
}

void TExtStringGrid::UnmarkBlock(int C1, int R1, int C2, int R2, const QString& Tag)
{
    if (R2 < R1 || C2 < C1)
        return;
    const bool displText = static_cast<bool>(OnGetDisplText);
    for (int r = R1; r <= R2; ++r) {
        for (int c = C1; c <= C2; ++c) {
            if (!IsBaseCell(c, r))
                continue;
            const QString text = HTMLDecodeEntities(displText ? Cells(c, r) : GetGridCell(c, r), false);
            QString plain;
            HTMLUnmarkText(text, Tag, plain);
            SetCells(c, r, plain);
        }
    }
}

void TExtStringGrid::HilightInCell(bool DoCase, int Col, int Row, const QString& HiText)
{
    MarkBlock(Col, Row, Col, Row, DoCase, HiText, HiTag);
}

void TExtStringGrid::MarkInCell(bool DoCase, int Col, int Row, const QString& HiText)
{
    MarkBlock(Col, Row, Col, Row, DoCase, HiText, MarkTag);
}

void TExtStringGrid::UnHilightInCell(int Col, int Row)
{
    UnmarkBlock(Col, Row, Col, Row, HiTag);
}

void TExtStringGrid::UnMarkInCell(int Col, int Row)
{
    UnmarkBlock(Col, Row, Col, Row, MarkTag);
}

namespace
{

// The rows of a column operation, the columns of a row operation (Hidden: the hidden columns too).
struct TSpan {
    int First, Last;
};

TSpan RowSpan(TExtStringGrid* g, bool DoFixed)
{
    return DoFixed ? TSpan{0, g->RowCount() - 1} : TSpan{g->FixedRows(), g->RowCount() - g->FixedFooters - 1};
}

TSpan ColSpan(TExtStringGrid* g, bool DoFixed, bool Hidden)
{
    const int extra = Hidden ? g->NumHiddenColumns() : 0;
    return DoFixed ? TSpan{0, g->ColCount() + extra - 1}
                   : TSpan{g->FixedCols(), g->ColCount() + extra - g->FixedRightCols - 1};
}

} // namespace

void TExtStringGrid::HilightInCol(bool DoFixed, bool DoCase, int Col, const QString& HiText)
{
    const TSpan rows = RowSpan(this, DoFixed);
    MarkBlock(Col, rows.First, Col, rows.Last, DoCase, HiText, HiTag);
}

void TExtStringGrid::MarkInCol(bool DoFixed, bool DoCase, int Col, const QString& HiText)
{
    const TSpan rows = RowSpan(this, DoFixed);
    MarkBlock(Col, rows.First, Col, rows.Last, DoCase, HiText, MarkTag);
}

void TExtStringGrid::UnHilightInCol(bool DoFixed, int Col)
{
    const TSpan rows = RowSpan(this, DoFixed);
    UnmarkBlock(Col, rows.First, Col, rows.Last, HiTag);
}

void TExtStringGrid::UnMarkInCol(bool DoFixed, int Col)
{
    const TSpan rows = RowSpan(this, DoFixed);
    UnmarkBlock(Col, rows.First, Col, rows.Last, MarkTag);
}

void TExtStringGrid::HilightInRow(bool DoFixed, bool DoCase, int Row, const QString& HiText)
{
    const TSpan cols = ColSpan(this, DoFixed, false);
    MarkBlock(cols.First, Row, cols.Last, Row, DoCase, HiText, HiTag);
}

void TExtStringGrid::MarkInRow(bool DoFixed, bool DoCase, int Row, const QString& HiText)
{
    const TSpan cols = ColSpan(this, DoFixed, false);
    MarkBlock(cols.First, Row, cols.Last, Row, DoCase, HiText, MarkTag);
}

void TExtStringGrid::UnHilightInRow(bool DoFixed, int Row)
{
    const TSpan cols = ColSpan(this, DoFixed, true);
    UnmarkBlock(cols.First, Row, cols.Last, Row, HiTag);
}

void TExtStringGrid::UnMarkInRow(bool DoFixed, int Row)
{
    const TSpan cols = ColSpan(this, DoFixed, true);
    UnmarkBlock(cols.First, Row, cols.Last, Row, MarkTag);
}

void TExtStringGrid::HilightInGrid(bool DoFixed, bool DoCase, const QString& HiText)
{
    const TSpan rows = RowSpan(this, DoFixed);
    // DoFixed stops at ColCount; the normal range takes the hidden columns in.
    const TSpan cols = DoFixed ? ColSpan(this, true, false) : ColSpan(this, false, true);
    MarkBlock(cols.First, rows.First, cols.Last, rows.Last, DoCase, HiText, HiTag);
}

void TExtStringGrid::MarkInGrid(bool DoFixed, bool DoCase, const QString& HiText)
{
    const TSpan rows = RowSpan(this, DoFixed);
    const TSpan cols = ColSpan(this, DoFixed, false);
    MarkBlock(cols.First, rows.First, cols.Last, rows.Last, DoCase, HiText, MarkTag);
}

void TExtStringGrid::UnHilightInGrid(bool DoFixed)
{
    const TSpan rows = RowSpan(this, DoFixed);
    const TSpan cols = ColSpan(this, DoFixed, true);
    UnmarkBlock(cols.First, rows.First, cols.Last, rows.Last, HiTag);
}

void TExtStringGrid::UnMarkInGrid(bool DoFixed)
{
    const TSpan rows = RowSpan(this, DoFixed);
    const TSpan cols = ColSpan(this, DoFixed, true);
    UnmarkBlock(cols.First, rows.First, cols.Last, rows.Last, MarkTag);
}

// ---- Highlight colours ---------------------------------------------------------------------------------

void TExtStringGrid::SetHighlightColor(TColor Value)
{
    if (FHighlightColor == Value)
        return;
    FHighlightColor = Value;
    SetHTMLHighlightColors(FHighlightColor, FHighlightTextColor);
    InvalidateGrid();
}

void TExtStringGrid::SetHighlightTextColor(TColor Value)
{
    if (FHighlightTextColor == Value)
        return;
    FHighlightTextColor = Value;
    SetHTMLHighlightColors(FHighlightColor, FHighlightTextColor);
    InvalidateGrid();
}
