// TExtStringGrid: tree nodes - node rows, their levels, expanding and contracting through the hidden
// rows, parents and child rows.
#include "grid/core/ExtGrid.h"

#include <QApplication>
#include <QStyle>
#include <algorithm>

namespace
{

// Runs F when the scope ends, also when an exception leaves it.
template <class F> class TOnExit
{
  public:
    explicit TOnExit(F f) : FAction(std::move(f)) {}
    ~TOnExit() { FAction(); }
    TOnExit(const TOnExit&) = delete;
    TOnExit& operator=(const TOnExit&) = delete;

  private:
    F FAction;
};

// Node levels climb at most this far: levels are small, a longer walk means levels that disagree.
constexpr int NodeLevelMark = 0xFFFF;

} // namespace

// ---- Node rows -----------------------------------------------------------------------------------------

TCellGraphic* TExtStringGrid::NodeObject(int ARow)
{
    if (ARow < 0 || ARow >= RowCount() || GetCellType(0, ARow) != ctNode)
        return nullptr;
    return GetCellGraphic(0, ARow);
}

int TExtStringGrid::RowLevel(int ARow) const
{
    const TCellProperties* props = ARow >= 0 ? SlotProps(0, ARow) : nullptr;
    return props ? props->NodeLevel() : 0;
}

int TExtStringGrid::NextNodeRow(int ARow)
{
    for (int r = ARow + 1; r < RowCount(); ++r)
        if (IsNode(r))
            return r;
    return RowCount();
}

bool TExtStringGrid::IsNode(int ARow)
{
    return ARow >= 0 && GetCellType(0, ARow) == ctNode;
}

bool TExtStringGrid::IsSummary(int ARow)
{
    return ARow >= 0 && GetCellType(0, ARow) == ctSummary;
}

void TExtStringGrid::MarkSummaryRow(int ARow)
{
    const int d = RealToDisplRow(ARow);
    if (ARow < 0 || d >= RowCount())
        return;
    CreateCellGraphic(0, d)->SetCellType(ctSummary);
}

void TExtStringGrid::AddNode(int ARow, int Span)
{
    if (ARow < 0 || ARow >= AllRowCount() || Span < 0)
        return;
    const int d = RealToDisplRow(ARow);
    if (d >= RowCount())
        return;
    TCellGraphic* node = CreateCellGraphic(0, d);
    node->SetCellType(ctNode);
    node->SetCellAngle(d);
    node->SetCellBoolean(false);
    node->SetCellIndex(Span);
    node->SetCellHAlign(haBeforeText);
    node->SetCellVAlign(vaCenter);
    node->SetCellErrFrom(0);
    node->SetCellVar(-1);
    for (int r = d; r < std::min(d + Span, RowCount()); ++r) {
        TCellProperties* props = GetCellProperties(0, r);
        props->SetNodeLevel(props->NodeLevel() + 1);
    }
    if (FNumNodes == 0)
        InvalidateCol(0); // the tree column is drawn from now on
    ++FNumNodes;
    if (Col() == 0 && ColCount() > 1)
        SetCol(1);
}

void TExtStringGrid::RemoveNode(int ARow)
{
    const int d = RealToDisplRow(ARow);
    TCellGraphic* node = NodeObject(d);
    if (ARow < 0 || !node)
        return;
    ExpandNodeRows(ARow);
    const int span = std::max(node->CellIndex(), 1);
    for (int r = d; r < std::min(d + span, RowCount()); ++r)
        if (TCellProperties* props = SlotProps(0, r))
            props->SetNodeLevel(std::max(props->NodeLevel() - 1, 0));
    RemoveCellGraphic(0, d);
    FNumNodes = std::max(FNumNodes - 1, 0);
}

void TExtStringGrid::RemoveAllNodes()
{
    for (int r = 0; r < RowCount(); ++r)
        if (IsNode(r))
            RemoveNode(DisplToRealRow(r));
    InvalidateGrid();
}

int TExtStringGrid::GetNodeIndent(int ARow)
{
    if (!HasNodes() || ARow < 0)
        return 0;
    const TCellProperties* props = SlotProps(0, ARow);
    return props ? props->NodeLevel() * FCellNode->NodeIndent() : 0;
}

// ---- Node fields ---------------------------------------------------------------------------------------

bool TExtStringGrid::GetNodeState(int ARow)
{
    const TCellGraphic* node = NodeObject(ARow);
    return node && node->CellBoolean();
}

void TExtStringGrid::SetNodeState(int ARow, bool Value)
{
    const TCellGraphic* node = NodeObject(ARow);
    if (!node || node->CellBoolean() == Value)
        return;
    if (Value)
        ContractNode(DisplToRealRow(ARow));
    else
        ExpandNode(DisplToRealRow(ARow));
}

int TExtStringGrid::GetNodeLevel(int ARow)
{
    return NodeObject(ARow) ? RowLevel(ARow) : -1;
}

int TExtStringGrid::GetNodeSpan(int ARow)
{
    const TCellGraphic* node = NodeObject(ARow);
    return node ? node->CellIndex() : -1;
}

void TExtStringGrid::SetNodeSpan(int ARow, int Span)
{
    if (TCellGraphic* node = NodeObject(ARow))
        node->SetCellIndex(Span);
}

void TExtStringGrid::UpdateNodeSpan(int ARow, int Delta)
{
    if (TCellGraphic* node = NodeObject(ARow))
        node->SetCellIndex(node->CellIndex() + Delta);
}

int TExtStringGrid::GetSubNodeCount(int ARow)
{
    const TCellGraphic* node = NodeObject(ARow);
    return node ? node->CellErrFrom() : 0;
}

void TExtStringGrid::UpdateSubNodeCount(int ARow, int Delta)
{
    if (TCellGraphic* node = NodeObject(ARow))
        node->SetCellErrFrom(node->CellErrFrom() + Delta);
}

// ---- Expanding and contracting -------------------------------------------------------------------------

void TExtStringGrid::ExpandNode(int ARow)
{
    if (FCellNode->ExpandOne) {
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (IsNode(r) && !GetNodeState(r) && DisplToRealRow(r) != ARow)
                ContractNode(DisplToRealRow(r));
    }
    ExpandNodeRows(ARow);
}

void TExtStringGrid::ExpandNodeRows(int ARow)
{
    if (ARow < 0 || IsHiddenRow(ARow))
        return;
    const int d = RealToDisplRow(ARow);
    TCellGraphic* node = NodeObject(d);
    if (!node || !node->CellBoolean())
        return;
    node->SetCellBoolean(false);
    // The span's rows are hidden: the next display row is the first row after them.
    const int e = node->CellIndex() != 0 ? d + 1 : NextNodeRow(d);
    const int top = TopRow();
    const int row = Row();
    const bool disjunct = FMouseActions->DisjunctRowSelectDirect();
    FMouseActions->SetDisjunctRowSelectDirect(false);
    const bool rowSelect = Options().Contains(goRowSelect);
    if (rowSelect)
        SetOptions(Options() - goRowSelect);
    const bool locked = FNumCellControls == 0;
    if (locked)
        BeginUpdate();
    TOnExit restore([&] {
        FMouseActions->SetDisjunctRowSelectDirect(disjunct);
        if (locked)
            EndUpdate();
    });
    UnHideRows(DisplToRealRow(d) + 1, DisplToRealRow(e) - 1);
    if (rowSelect) {
        SetOptions(Options() | goRowSelect);
        SetRow(std::min(row, RowCount() - 1));
        SetTopRow(top);
    }
}

void TExtStringGrid::ContractNode(int ARow)
{
    HideEditor();
    if (ARow < 0 || IsHiddenRow(ARow))
        return;
    const int d = RealToDisplRow(ARow);
    TCellGraphic* node = NodeObject(d);
    if (!node || node->CellBoolean())
        return;
    node->SetCellBoolean(true);
    const int b = d + 1;
    const int span = node->CellIndex();
    int e = std::min(span > 0 ? d + span : NextNodeRow(d), RowCount());
    for (int r = b; r < e;) {
        TCellGraphic* inner = NodeObject(r);
        if (!inner || !inner->CellBoolean()) {
            ++r;
            continue;
        }
        // A contracted inner node goes with its children: marked expanded, so that expanding this
        // node later shows the whole span at once.
        inner->SetCellBoolean(false);
        if (TControl* control = r + 1 < RowCount() ? CellControls(1, r + 1) : nullptr)
            control->SetVisible(false);
        const int innerSpan = inner->CellIndex();
        HideRows(DisplToRealRow(b), DisplToRealRow(r));
        e = e + b - innerSpan - r;
        r = b;
    }
    if (e > b)
        HideRows(DisplToRealRow(b), DisplToRealRow(e - 1));
}

void TExtStringGrid::ExpandAll()
{
    BeginUpdate();
    TOnExit endUpdate([this] { EndUpdate(); });
    // Node by node from the top, each expansion shows the hidden run after its node; done as one
    // restore per pass (a pass more only when a shown node was itself still contracted).
    for (bool again = true; again;) {
        again = false;
        std::vector<TGridItem*> items;
        for (int r = FixedRows(); r < RowCount(); ++r) {
            TCellGraphic* node = NodeObject(r);
            if (!node || !node->CellBoolean())
                continue;
            node->SetCellBoolean(false);
            const auto& hidden = FHiddenIndex.Rows();
            auto it = std::lower_bound(hidden.begin(), hidden.end(), DisplToRealRow(r) + 1);
            for (int next = DisplToRealRow(r) + 1; it != hidden.end() && *it == next; ++it, ++next)
                items.push_back(HiddenRowItem(next));
        }
        for (const TGridItem* item : items) {
            const auto* props = item->Items()->Count() > 0
                                    ? dynamic_cast<const TCellProperties*>(item->Items()->Objects(0))
                                    : nullptr;
            const auto* node = props ? dynamic_cast<const TCellGraphic*>(GraphicObjectOf(props)) : nullptr;
            if (node && node->CellType() == ctNode && node->CellBoolean())
                again = true;
        }
        RestoreHiddenRows(std::move(items));
    }
}

void TExtStringGrid::ContractAll()
{
    BeginUpdate();
    TOnExit endUpdate([this] { EndUpdate(); });
    ExpandAll();
    auto rows = std::make_unique<TIntList>(0, 0);
    for (int r = FixedRows(); r < RowCount();) {
        TCellGraphic* node = NodeObject(r);
        if (!node) {
            ++r;
            continue;
        }
        node->SetCellBoolean(true);
        // A node of span 0 reaches to the next node row, as ContractNode takes it.
        const int end = node->CellIndex() > 0 ? std::min(r + node->CellIndex(), RowCount()) : NextNodeRow(r);
        for (int child = r + 1; child < end; ++child)
            rows->Add(child);
        r = std::max(end, r + 1);
    }
    HideRowList(rows.get());
}

// ---- Parents and child rows ----------------------------------------------------------------------------

int TExtStringGrid::GetParentRow(int ARow)
{
    if (FNumNodes == 0 || ARow < 0 || ARow >= RowCount())
        return -1;
    int result = -1;
    int reference = NodeLevelMark;
    if (IsNode(ARow)) {
        reference = RowLevel(ARow);
        result = ARow;
    }
    int hidden = 0;
    for (int r = ARow; r >= FixedRows(); --r) {
        TCellGraphic* node = NodeObject(r);
        if (!node || RowLevel(r) >= reference)
            continue;
        const int span = node->CellIndex();
        if (node->CellBoolean())
            hidden += span - 1;
        if (ARow < r + span - hidden)
            return r;
    }
    return result;
}

void TExtStringGrid::InsertChildRow(int ARow, int Offset)
{
    int d = DisplRowIndex(ARow);
    const int p = GetParentRow(d);
    int level = 1;
    if (p != -1) {
        UpdateNodeSpan(p, 1);
        UpdateSubNodeCount(p, 1);
        ExpandNode(RealRowIndex(p));
        level = RowLevel(p);
    }
    // Up the ancestors; the walk ends at the top, at a row that is its own parent or at one whose
    // level is not lower, however the levels were set.
    for (int a = p, current = level; current > 1 && a >= FixedRows();) {
        const int up = GetParentRow(a);
        if (up == -1 || up == a || RowLevel(up) >= current)
            break;
        UpdateNodeSpan(up, 1);
        UpdateSubNodeCount(up, 1);
        ExpandNode(RealRowIndex(up));
        current = RowLevel(up);
        a = up;
    }
    d = DisplRowIndex(ARow);
    // The hidden rows after the new row move down with the rows below it.
    const int before = DisplToRealRow(d + (IsNode(d) && Offset == 0 ? 1 : Offset) - 1);
    int target = d + Offset;
    if (IsNode(d) && Offset == 0) {
        target = d + 1;
        InsertRows(target, 1, true);
        for (int c = 0; c < TotalColCount(); ++c) {
            SetGridCell(c, target, GetGridCell(c, d));
            SetGridCell(c, d, QString());
        }
        // The cell objects go along from column 1 on; column 0 keeps the node.
        for (int c = 1; c < TotalColCount(); ++c) {
            SetGridObject(c, target, GetGridObject(c, d));
            SetGridObject(c, d, nullptr);
        }
    } else {
        InsertRows(target, 1, true);
    }
    if (p != -1 && target < RowCount())
        GetCellProperties(0, target)->SetNodeLevel(level);
    FHiddenIndex.Shift(before, 1);
}

void TExtStringGrid::RemoveChildRow(int ARow)
{
    const int d = DisplRowIndex(ARow);
    if (ARow < 0 || d >= RowCount())
        return;
    int p = GetParentRow(d);
    if (p != -1) {
        const int level = RowLevel(p);
        if (GetNodeSpan(p) > 1) {
            UpdateNodeSpan(p, -1);
            UpdateSubNodeCount(p, -1);
        }
        for (;;) {
            ExpandNode(RealRowIndex(p));
            if (RowLevel(p) <= 1)
                break;
            const int up = GetParentRow(p);
            if (up == -1 || up == p || RowLevel(up) >= level)
                break;
            p = up;
            if (GetNodeSpan(p) > 1) {
                UpdateNodeSpan(p, -1);
                UpdateSubNodeCount(p, -1);
            }
        }
    }
    DeleteRowRange(DisplRowIndex(ARow), 1);
    FMaxRowCount = std::max(FMaxRowCount - 1, RowCount());
}

void TExtStringGrid::InsertNormalRow(int ARow)
{
    const int d = DisplRowIndex(ARow);
    InsertRows(d, 1);
    FHiddenIndex.Shift(ARow, 1);
}

void TExtStringGrid::RemoveNormalRow(int ARow)
{
    RemoveRows(ARow, 1);
    FMaxRowCount = std::max(FMaxRowCount - 1, RowCount());
}

// ---- Tree lines and the glyph --------------------------------------------------------------------------

int TExtStringGrid::GetNodeSpanType(int ARow)
{
    if (IsNode(ARow))
        return 0;
    const int next = ARow + 1;
    if (ARow < RowCount() - FixedFooters - 1 && SlotProps(0, next) && RowLevel(next) >= RowLevel(ARow))
        return 2;
    return 1;
}

bool TExtStringGrid::IsOnNodeGlyph(int ARow, int X)
{
    if (!FMouseActions->PreciseNodeClick)
        return true;
    const int level = GetNodeLevel(ARow);
    const int indent = FCellNode->NodeIndent();
    int w = 4;
    int c = 4;
    switch (FCellNode->NodeType()) {
    case cnFlat:
    case cnXP:
        break;
    case cn3D:
        w = 6;
        c = 0;
        break;
    case cnGlyph: {
        const bool empty = FCellNode->ExpandGlyph()->Empty();
        w = empty ? 0 : FCellNode->ExpandGlyph()->Width() / 2;
        c = empty ? 0 : 2;
        break;
    }
    case cnLeaf:
        w = 8;
        c = 2;
        break;
    }
    if (BiDiMode() == bdRightToLeft) {
        const int bar = VisibleRowCount() < RowCount() - FixedRows()
                            ? QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent)
                            : 0;
        return Width() - level * indent - w - 2 <= X + bar && X + bar < Width() - (level - 1) * indent;
    }
    return c + (level - 1) * indent < X && X < w + level * indent;
}
