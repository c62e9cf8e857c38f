// TExtStringGrid: finding text cell by cell (Find, FindWide, FindFirst, FindNext) and Replace.
#include "grid/base/FilterMatch.h"
#include "grid/base/HtmlText.h"
#include "grid/core/ExtGrid.h"
#include "platform/core/SysUtils.h"

#include <set>
#include <utility>

namespace
{

// The search text that finds empty cells.
const QString EmptyCellText = QStringLiteral("\"\"");

// The scan's rectangle and where it starts.
struct TFindScope {
    int C1, R1, C2, R2;
    int X, Y;
};

} // namespace

TPoint TExtStringGrid::Find(TPoint StartCell, const QString& s, TFindParams FindParams)
{
    return FindScan(StartCell, s, FindParams, false);
}

TPoint TExtStringGrid::FindWide(TPoint StartCell, const QString& s, TFindParams FindParams)
{
    return FindScan(StartCell, s, FindParams, true);
}

TPoint TExtStringGrid::FindFirst(const QString& s, TFindParams FindParams)
{
    SearchCell = Find(TPoint{-1, -1}, s, FindParams);
    return SearchCell;
}

TPoint TExtStringGrid::FindNext()
{
    SearchCell = Find(SearchCell, SearchCache, FFindParams);
    return SearchCell;
}

TPoint TExtStringGrid::FindScan(TPoint StartCell, const QString& s, TFindParams P, bool Wide)
{
    ExportNotification(esExportStart, -1);
    TPoint result{-1, -1};
    FFindParams = P;
    const bool matchCase = P.Contains(fnMatchCase);
    const QString text = matchCase ? s : AnsiUpperCase(s);
    SearchCache = Wide ? QString() : text;
    SearchCacheWide = Wide ? text : QString();

    if (ColCount() == FixedCols() || ColCount() == 0 || TotalRowCount() == FixedRows() || RowCount() == 0) {
        ExportNotification(esExportDone, -1);
        return result;
    }

    const bool hiddenCols = P.Contains(fnIncludeHiddenColumns);
    const bool hiddenRows = P.Contains(fnIncludeHiddenRows);
    const bool backward = P.Contains(fnBackward);
    const bool leftRight = P.Contains(fnDirectionLeftRight);
    const bool ignoreHTML = P.Contains(fnIgnoreHTMLTags);
    const bool regular = P.Contains(fnMatchRegular);
    const bool matchStart = P.Contains(fnMatchStart);
    const bool matchFull = P.Contains(fnMatchFull);

    TFindScope b{};
    if (P.Contains(fnIncludeFixed)) {
        b = {0, 0, ColCount() - 1, RowCount() - 1, 0, 0};
    } else {
        b = {FixedCols(), FixedRows(), ColCount() - FixedRightCols - 1, RowCount() - FixedFooters - 1, 0, 0};
    }
    if (P.Contains(fnSelectedCells)) {
        const TGridRect sel = Selection();
        b.C1 = sel.Left;
        b.R1 = sel.Top;
        b.C2 = sel.Right;
        b.R2 = sel.Bottom;
    }
    if (hiddenCols)
        b.C2 += NumHiddenColumns();
    if (hiddenRows)
        b.R2 += NumHiddenRows();

    if (StartCell.X == -1 && StartCell.Y == -1) {
        b.X = backward ? b.C2 : b.C1;
        b.Y = backward ? b.R2 : b.R1;
    } else {
        // One step on from the start cell; a step past the edge is left to the scan's bounds.
        int& first = leftRight ? b.X : b.Y;
        int& second = leftRight ? b.Y : b.X;
        const int firstLo = leftRight ? b.C1 : b.R1, firstHi = leftRight ? b.C2 : b.R2;
        const int secondLo = leftRight ? b.R1 : b.C1, secondHi = leftRight ? b.R2 : b.C2;
        b.X = StartCell.X;
        b.Y = StartCell.Y;
        if (!backward) {
            if (first <= firstHi)
                ++first;
            else if (second <= secondHi)
                ++second;
            else
                b.X = b.C1, b.Y = b.R1;
        } else {
            if (first >= firstLo)
                --first;
            else if (second >= secondLo)
                --second;
            else
                b.X = b.C2, b.Y = b.R2;
        }
    }

    // The restrictions replace the stepped coordinate on their axis.
    if (P.Contains(fnFindInCurrentRow))
        b.Y = b.R1 = b.R2 = Row();
    if (P.Contains(fnFindInPresetRow))
        b.Y = b.R1 = b.R2 = FFindRow;
    if (P.Contains(fnFindInCurrentCol))
        b.X = b.C1 = b.C2 = Col();
    if (P.Contains(fnFindInPresetCol))
        b.X = b.C1 = b.C2 = FFindCol;

    const QString& needle = Wide ? SearchCacheWide : SearchCache;
    const bool findsEmpty = needle == EmptyCellText;
    auto matches = [&](int c, int r) {
        const int rc = hiddenCols ? c : DisplToRealCol(c);
        QString cell;
        if (Wide)
            cell = hiddenRows ? AllWideCells(rc, r) : WideCells(rc, r);
        else
            cell = hiddenRows ? AllCells(rc, r) : Cells(rc, r);
        if (!matchCase)
            cell = AnsiUpperCase(cell);
        // The wide text keeps its tags.
        if (ignoreHTML && !Wide)
            cell = HTMLToText(cell);
        if (findsEmpty)
            return cell.isEmpty();
        if (regular)
            return MatchFilterCondition(needle, cell, matchCase);
        const int p = needle.isEmpty() ? -1 : cell.indexOf(needle);
        const bool start = matchStart ? p == 0 : p >= 0;
        return start && (!matchFull || cell == needle);
    };

    const int d = backward ? -1 : 1;
    auto inCols = [&](int c) { return c >= b.C1 && c <= b.C2; };
    auto inRows = [&](int r) { return r >= b.R1 && r <= b.R2; };
    bool found = false;
    if (leftRight) {
        for (int r = b.Y; !found && inRows(r); r += d) {
            for (int c = b.X; inCols(c); c += d) {
                if (IsIgnoredColumn(c))
                    continue;
                ExportNotification(esExportNewRow, r);
                if (matches(c, r)) {
                    result = TPoint{c, r};
                    found = true;
                    break;
                }
            }
            b.X = backward ? b.C2 : b.C1;
        }
    } else {
        for (int c = b.X; !found && inCols(c); c += d) {
            for (int r = b.Y; inRows(r); r += d) {
                ExportNotification(esExportNewRow, r);
                if (matches(c, r)) {
                    result = TPoint{c, r};
                    found = true;
                    break;
                }
            }
            b.Y = backward ? b.R2 : b.R1;
        }
    }

    if (found) {
        SearchCell = result;
        if (P.Contains(fnAutoGoto)) {
            int target = result.Y;
            if (hiddenRows && NumHiddenRows() > 0) {
                if (IsHiddenRow(result.Y) && NumNodes() > 0) {
                    // The contracted node whose rows hold the hit opens.
                    for (int r = FixedRows(); r < RowCount(); ++r) {
                        if (!IsNode(r))
                            continue;
                        const int real = RealRowIndex(r);
                        if (real <= result.Y && result.Y < real + GetNodeSpan(r)) {
                            ExpandNode(real);
                            break;
                        }
                    }
                }
                target = DisplRowIndex(result.Y);
            }
            if (FMouseActions->DisjunctRowSelect()) {
                ClearRowSelect();
                SetRowSelect(target, true);
                SetRow(target);
            } else {
                SetRow(target);
                const int col = hiddenCols ? RealToDisplCol(result.X) : result.X;
                if (col >= 0 && col < ColCount())
                    SetCol(col);
            }
        }
    }
    ExportNotification(found ? esExportFail : esExportDone, -1);

    if (found && !Wide && P.Contains(fnAutoGoto)) {
        // Keep the hit off the last visible rows (and off a shown floating footer).
        const int m = FFloatingFooter && FFloatingFooter->Visible() ? 2 : 0;
        if (TopRow() + VisibleRowCount() - 2 - m < Row() && VisibleRowCount() + FixedRows() + m < RowCount())
            SetTopRow(TopRow() + m + 1);
    }
    return result;
}

int TExtStringGrid::Replace(const QString& OrigStr, const QString& NewStr, TFindParams FindParams)
{
    const bool hiddenCols = FindParams.Contains(fnIncludeHiddenColumns);
    const bool hiddenRows = FindParams.Contains(fnIncludeHiddenRows);
    // Under a row or column restriction a Find from a hit tests that hit again: each cell is
    // rewritten once, and a hit already rewritten ends the run.
    std::set<std::pair<int, int>> rewritten;
    int count = 0;
    TPoint pt{-1, -1};
    for (;;) {
        pt = Find(pt, OrigStr, FindParams);
        if (pt.X == -1 && pt.Y == -1)
            break;
        // The hit's own cell: the display index is turned into the column it was read from.
        const int rc = hiddenCols ? pt.X : DisplToRealCol(pt.X);
        if (!rewritten.insert({rc, pt.Y}).second)
            break;
        QString text = hiddenRows ? AllCells(rc, pt.Y) : Cells(rc, pt.Y);
        text.replace(OrigStr, NewStr, Qt::CaseInsensitive);
        if (hiddenRows)
            SetAllCells(rc, pt.Y, text);
        else
            SetCells(rc, pt.Y, text);
        if (FShowModified->Enabled)
            SetRowModified(hiddenRows ? DisplRowIndex(pt.Y) : pt.Y, true);
        ++count;
    }
    return count;
}
