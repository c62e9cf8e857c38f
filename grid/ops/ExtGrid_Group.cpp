// TExtStringGrid: grouping - the rows sorted on a column and split into node groups with header and
// summary rows, a second level inside the groups, the per-group calculations, and the group count
// shown in the header rows.
#include "grid/core/ExtGrid.h"

#include <set>

namespace
{

// Runs F when the scope ends, also when an exception leaves it.
template <class F> class TFinally
{
  public:
    explicit TFinally(F f) : FAction(std::move(f)) {}
    ~TFinally() { FAction(); }
    TFinally(const TFinally&) = delete;
    TFinally& operator=(const TFinally&) = delete;

  private:
    F FAction;
};

// A text no cell holds: the scans start a group at their first row.
const QString GroupSentinel = QString(QChar(0x00FF)) + QChar(0x00FE);

} // namespace

// ---- Header and summary looks --------------------------------------------------------------------------

void TExtStringGrid::ColorGroupRow(int ARow, bool Header)
{
    const TColor color = Header ? FGrouping->HeaderColor : FGrouping->SummaryColor;
    const TColor colorTo = Header ? FGrouping->HeaderColorTo : FGrouping->SummaryColorTo;
    const TColor text = Header ? FGrouping->HeaderTextColor : FGrouping->SummaryTextColor;
    if (color != clNone)
        SetRowColor(ARow, color);
    if (colorTo != clNone)
        SetRowColorTo(ARow, colorTo);
    if (text != clNone)
        SetRowFontColor(ARow, text);
}

void TExtStringGrid::MergeGroupRow(int ARow, bool Header, int FromCol)
{
    if (FromCol >= ColCount())
        return;
    MergeCells(FromCol, ARow, ColCount() - FromCol, 1);
    const TColor color = Header ? FGrouping->HeaderColor : FGrouping->SummaryColor;
    const TColor colorTo = Header ? FGrouping->HeaderColorTo : FGrouping->SummaryColorTo;
    const TColor text = Header ? FGrouping->HeaderTextColor : FGrouping->SummaryTextColor;
    if (color != clNone)
        SetColors(FromCol, ARow, color);
    if (colorTo != clNone)
        SetColorsTo(FromCol, ARow, colorTo);
    if (text != clNone)
        SetFontColors(FromCol, ARow, text);
}

void TExtStringGrid::ResetGroupRowColors(int ARow, bool Header)
{
    const TColor color = Header ? FGrouping->HeaderColor : FGrouping->SummaryColor;
    const TColor colorTo = Header ? FGrouping->HeaderColorTo : FGrouping->SummaryColorTo;
    const TColor text = Header ? FGrouping->HeaderTextColor : FGrouping->SummaryTextColor;
    if (color != clNone)
        SetRowColor(ARow, clNone);
    if (colorTo != clNone)
        SetRowColorTo(ARow, clNone);
    if (text != clNone)
        SetRowFontColor(ARow, clNone);
}

// ---- Group and UnGroup ---------------------------------------------------------------------------------

void TExtStringGrid::SetGroupColumn(int Value)
{
    if (Value == -1)
        UnGroup();
    else if (Value > 0)
        Group(Value);
}

void TExtStringGrid::Group(int Colindex)
{
    // Column 0 could never be ungrouped again (UnGroup leaves GroupColumn <= 0 alone).
    if (Colindex < FixedCols() || Colindex <= 0 || Colindex >= ColCount())
        return;
    if (FGroupColumn != -1)
        UnGroup();
    if (RowCount() - FixedFooters <= FixedRows())
        return;

    BeginUpdate();
    FIsGrouping = true;
    TFinally done([this] {
        FIsGrouping = false;
        EndUpdate();
    });
    FGroupColumn = Colindex;
    FGroupWidth = AllColWidths(Colindex);
    FGroupCaption = FixedRows() > 0 ? GetGridCell(Colindex, 0) : QString();
    FGroupFooter = FixedFooters > 0 ? GetGridCell(Colindex, RowCount() - 1) : QString();
    if (FSortSettings->AutoSortForGrouping) {
        FSortSettings->Column = Colindex;
        QSort();
    }

    const bool summary = FGrouping->Summary;
    const int textCol = Colindex == 1 ? 2 : 1;
    const int fixedRows = FixedRows();
    // A summary row closes the group before it.
    const auto insertSummary = [&](int At) {
        InsertRows(At, 1);
        MarkSummaryRow(At);
        if (!FGrouping->MergeSummary)
            ColorGroupRow(At, false);
    };
    QString prev = GroupSentinel;
    int header = -1;
    int r = fixedRows;
    while (r <= RowCount() - FixedFooters - 1) {
        const QString cur = GetGridCell(Colindex, r);
        if (cur != prev) {
            if (header != -1) {
                if (header > fixedRows && summary) {
                    insertSummary(header);
                    AddNode(header + 1, r - header);
                    ++r;
                } else {
                    AddNode(header, r - header);
                }
            }
            InsertRows(r, 1);
            SetGridCell(textCol, r, cur);
            if (!FGrouping->MergeHeader)
                ColorGroupRow(r, true);
            header = r;
            ++r;
        }
        if (r < RowCount() - 1)
            prev = GetGridCell(Colindex, r);
        ++r;
    }
    // r may have run past the data by one: the last group ends with the data rows.
    r = std::min(r, RowCount() - FixedFooters);
    if (header == -1) {
        AddNode(fixedRows, r - 1);
    } else {
        if (header > fixedRows && summary) {
            insertSummary(header);
            ++header;
            ++r;
        }
        AddNode(header, r - header);
    }
    if (summary)
        insertSummary(r);

    RemoveCols(Colindex, 1);

    if (FGrouping->MergeHeader || (FGrouping->MergeSummary && summary)) {
        const int last = RowCount() - 1;
        for (int b = fixedRows; b <= last; ++b) {
            if (FGrouping->MergeHeader && IsNode(b))
                MergeGroupRow(b, true, 1);
            else if (FGrouping->MergeSummary && summary && (b == last || IsNode(b + 1)))
                MergeGroupRow(b, false, 1);
        }
    }
    if (FCellNode->ExpandOne) {
        for (int b = fixedRows; b < RowCount(); ++b)
            if (IsNode(b)) {
                ExpandNode(DisplToRealRow(b));
                break;
            }
    }
    if (Col() >= ColCount() || Row() >= RowCount())
        FocusCell(FixedCols(), FixedRows());
    SetRow(FixedRows());
}

void TExtStringGrid::UnGroup()
{
    if (FGroupColumn <= 0)
        return;
    // The second levels first: their headers would otherwise count as groups of the first.
    ExpandAll();
    std::set<int> subColumns;
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (IsNode(r)) {
            const QVariant& v = GetCellGraphic(0, r)->CellVar();
            if (v.isValid() && v.toInt() >= 0)
                subColumns.insert(v.toInt());
        }
    for (auto it = subColumns.rbegin(); it != subColumns.rend(); ++it)
        SubUnGroup(*it);

    const bool expandOne = FCellNode->ExpandOne;
    FCellNode->ExpandOne = false;
    BeginUpdate();
    TFinally done([&] {
        FIsGrouping = false;
        FCellNode->ExpandOne = expandOne;
        EndUpdate();
    });
    ExpandAll();
    const int column = FGroupColumn;
    InsertCols(column, 1);
    SetAllColWidths(column, FGroupWidth);
    if (FixedRows() > 0)
        SetCells(column, 0, FGroupCaption);
    if (FixedFooters > 0)
        SetCells(column, RowCount() - 1, FGroupFooter);

    FIsGrouping = true;
    const int textCol = column == 1 ? 2 : 1;
    const bool summary = FGrouping->Summary;
    QString group;
    int r = FixedRows();
    while (r <= RowCount() - FixedFooters - 1) {
        if (!IsNode(r)) {
            SetCells(column, r, group);
            ++r;
            continue;
        }
        const int span = GetNodeSpan(r);
        if (summary && r + span < RowCount() - FixedFooters && IsSummary(r + span)) {
            const int s = r + span;
            if (FGrouping->MergeSummary)
                SplitCells(textCol, s);
            else
                ResetGroupRowColors(s, false);
            ClearRows(s, 1);
            RemoveRows(s, 1);
        }
        group = GetGridCell(textCol, r);
        RemoveNode(DisplToRealRow(r));
        if (FGrouping->MergeHeader)
            SplitCells(textCol, r);
        else
            ResetGroupRowColors(r, true);
        ClearRows(r, 1);
        RemoveRows(r, 1);
    }
    FIsGrouping = false;
    FGroupColumn = -1;
    Invalidate();
}

// ---- Second level --------------------------------------------------------------------------------------

void TExtStringGrid::SubGroup(int Colindex)
{
    if (Colindex < FixedCols() || FGroupColumn == -1 || Colindex + 1 >= ColCount())
        return;
    // The first grouping's column, width, caption and footer stay: UnGroup rebuilds that column.
    BeginUpdate();
    TFinally done([this] { EndUpdate(); });
    const auto fresh = [this](int ARow) { return ARow >= 0 && !IsNode(ARow) && !IsSummary(ARow); };
    const auto makeNode = [&](int ARow, int Span) {
        AddNode(DisplToRealRow(ARow), Span);
        if (TCellGraphic* node = NodeObject(ARow))
            node->SetCellVar(Colindex);
    };
    QString prev = GroupSentinel;
    int sub = -1;
    int r = FixedRows() + 1;
    while (r < RowCount() - FixedFooters) {
        const QString cur = GetCellEx(Colindex, r);
        if (cur != prev || IsNode(r) || IsSummary(r)) {
            if (fresh(sub))
                makeNode(sub, r - sub);
            if (fresh(r)) {
                InsertChildRow(DisplToRealRow(r), 0);
                SetCells(Colindex + 1, r, cur);
                if (FGrouping->MergeHeader)
                    MergeGroupRow(r, true, Colindex + 1);
                else
                    ColorGroupRow(r, true);
            }
            sub = r;
            ++r;
        }
        if (r < RowCount() && fresh(r - 1)) {
            prev = GetCellEx(Colindex, r);
            SetCells(Colindex, r, QString());
            ++r;
        } else {
            prev = GroupSentinel;
        }
    }
    if (fresh(sub))
        makeNode(sub, std::min(r, RowCount() - FixedFooters) - sub);
    SetRow(FixedRows());
}

void TExtStringGrid::SubUnGroup(int Colindex)
{
    BeginUpdate();
    TFinally done([this] { EndUpdate(); });
    ExpandAll();
    QString text;
    int r = FixedRows();
    while (r <= RowCount() - FixedFooters - 1) {
        if (IsNode(r)) {
            const QVariant& v = GetCellGraphic(0, r)->CellVar();
            if (v.isValid() && v.toInt() == Colindex) {
                text = GetCellEx(Colindex + 1, r);
                RemoveNode(DisplToRealRow(r));
                if (!FGrouping->MergeHeader)
                    ResetGroupRowColors(r, true);
                RemoveChildRow(DisplToRealRow(r));
            } else {
                ++r;
            }
            continue;
        }
        SetCells(Colindex, r, text);
        ++r;
    }
}

// ---- Calculations --------------------------------------------------------------------------------------

void TExtStringGrid::GroupCalc(int ACol, int Method)
{
    const bool summary = FGrouping->Summary;
    int r = FixedRows();
    while (r < RowCount()) {
        if (!IsNode(r) || GetNodeState(r)) {
            ++r;
            continue;
        }
        const int span = GetNodeSpan(r);
        const int target = summary ? r + span : r;
        const int from = r + 1;
        const int to = r + span - 1;
        if (target < RowCount()) {
            double value = 0;
            switch (Method) {
            case 1: value = ColumnSum(ACol, from, to); break;
            case 2: value = ColumnAvg(ACol, from, to); break;
            case 3: value = ColumnMin(ACol, from, to); break;
            case 4: value = ColumnMax(ACol, from, to); break;
            case 6: value = FireGroupCalc(ACol, from, to); break;
            case 7: value = ColumnDistinct(ACol, from, to); break;
            case 8: value = ColumnStdDev(ACol, from, to); break;
            default: break;
            }
            if (Method == 5)
                SetInts(ACol, target, span - 1);
            else
                SetFloats(ACol, target, value);
        }
        r += std::max(span, 1);
    }
}

namespace
{

void FooterCalc(TFloatingFooter* Footer, int ACol, TColumnCalcType Kind)
{
    if (Footer && Footer->Visible())
        Footer->SetColumnCalc(ACol, Kind);
}

} // namespace

void TExtStringGrid::GroupSum(int ACol)
{
    FooterCalc(FFloatingFooter.get(), ACol, acSUM);
    GroupCalc(ACol, 1);
}

void TExtStringGrid::GroupAvg(int ACol)
{
    FooterCalc(FFloatingFooter.get(), ACol, acAVG);
    GroupCalc(ACol, 2);
}

void TExtStringGrid::GroupMin(int ACol)
{
    FooterCalc(FFloatingFooter.get(), ACol, acMIN);
    GroupCalc(ACol, 3);
}

void TExtStringGrid::GroupMax(int ACol)
{
    FooterCalc(FFloatingFooter.get(), ACol, acMAX);
    GroupCalc(ACol, 4);
}

void TExtStringGrid::GroupCount(int ACol)
{
    FooterCalc(FFloatingFooter.get(), ACol, acCOUNT);
    GroupCalc(ACol, 5);
}

// ---- The group count in the header rows ----------------------------------------------------------------

void TExtStringGrid::GetDisplText(int ACol, int ARow, QString& Value)
{
    if (ACol == 1 && FNumNodes > 0 && FGrouping->ShowGroupCount && ARow < RowCount() && IsNode(ARow)) {
        const int count = GetNodeSpan(ARow) - GetSubNodeCount(ARow) - 1;
        const QString& format = FGrouping->GroupCountFormat;
        Value += format.isEmpty() ? QString(" (%1)").arg(count) : Format(format, {count});
    }
    TBaseGrid::GetDisplText(ACol, ARow, Value);
}
