// TExtStringGrid: row filtering - the row test, filter passes as stacked levels of hidden rows, and
// the incremental narrow-down.
#include "grid/base/CellText.h"
#include "grid/base/FilterMatch.h"
#include "grid/core/ExtGrid.h"
#include "grid/ops/ScopeGuards.h"

#include <cmath>

namespace
{

int16_t Percent(int Done, int Total)
{
    return int16_t(std::lround(double(Done) / double(Total) * 100.0));
}

} // namespace

// ---- The row test --------------------------------------------------------------------------------------

QString TExtStringGrid::FilterCellText(const TFilterData* Item, int ARow)
{
    QString text;
    if (Item->Data == fcRow) {
        for (int c = 0; c < ColCount(); ++c) {
            if (c > 0)
                text += "\r\n";
            text += GetGridCell(c, ARow);
        }
        return text;
    }
    const int col = Item->Column;
    // A column beyond the grid tests the empty text.
    if (col < 0 || col >= TotalColCount())
        return text;
    switch (Item->Data) {
    case fcVirtual:
        text = GetCellEx(col, ARow);
        break;
    case fcNormal:
        text = GetGridCell(col, ARow);
        break;
    case fcStripHTML:
        text = GetStrippedCell(col, ARow);
        break;
    case fcCalculated:
        text = GetGridCell(col, ARow);
        GetCalcCellText(col, ARow, text);
        break;
    case fcRow:
        break;
    }
    return text;
}

bool TExtStringGrid::RowMatchesFilter(int ARow)
{
    bool result = true;
    for (int i = 0; i < FFilter->Count(); ++i) {
        const TFilterData* item = FFilter->Items(i);
        QString text = FilterCellText(item, ARow).trimmed();
        if (text.contains(QStringLiteral("|\\")))
            text = DecodeWideText(text);
        bool match = false;
        if (item->Data == fcRow) {
            match = text.toUpper().contains(item->Condition.toUpper());
        } else {
            if (!item->Prefix.isEmpty() && text.startsWith(item->Prefix))
                text.remove(0, item->Prefix.size());
            if (!item->Suffix.isEmpty()) {
                const qsizetype at = text.indexOf(item->Suffix);
                if (at >= 0 && at + item->Suffix.size() == text.size())
                    text.truncate(at);
            }
            if (item->Condition.isEmpty()) {
                match = true;
            } else if (item->Method == fmLiteral) {
                match = item->Condition == text;
            } else {
                // A condition the matcher cannot evaluate is no match for this item.
                try {
                    match = MatchFilterCondition(item->Condition, text, item->CaseSensitive);
                } catch (const Exception&) {
                    match = false;
                }
            }
        }
        bool stop = false;
        switch (item->Operation) {
        case foSHORT:
            result = match;
            stop = !match;
            break;
        case foNONE:
            result = match;
            break;
        case foAND:
            result = result && match;
            break;
        case foXOR:
            result = result != match;
            break;
        case foOR:
            result = result || match;
            break;
        }
        if (stop)
            break;
    }
    if (OnCustomFilter)
        OnCustomFilter(this, ARow, result);
    return result;
}

// ---- Filter passes -------------------------------------------------------------------------------------

void TExtStringGrid::ApplyFilter()
{
    FFilterFixedRows = FixedRows();
    const int first = FixedRows();
    const int last = RowCount() - FixedFooters - 1;
    const int total = last - first + 1;
    TIntList rows(0, 0);
    int done = 0;
    for (int r = first; r <= last; ++r) {
        if (FilterNormalCellsOnly && (IsNode(r) || IsSummary(r)))
            continue;
        if (!RowMatchesFilter(r))
            rows.Insert(rows.Count(), r);
        ++done;
        if (OnFilterProgress && total > 0)
            OnFilterProgress(this, Percent(done, total));
    }
    HideRowList(&rows);
    if (OnFilterProgress && total > 0)
        OnFilterProgress(this, Percent(done, total));
}

void TExtStringGrid::FilterRow(int ARow)
{
    if (!RowMatchesFilter(ARow))
        HideRow(DisplToRealRow(ARow));
}

void TExtStringGrid::SetFilterActive(bool Value)
{
    if (Value != FFilterActive) {
        FFilterActive = Value;
        if (Value) {
            if (Row() >= RowCount() || Col() >= ColCount())
                FocusCell(FixedCols(), FixedRows());
            {
                BeginUpdate();
                TFinally endUpdate([this] { EndUpdate(); });
                ApplyFilter();
            }
            FSelHidden = false;
            SetTopRow(FixedRows());
        } else {
            // One level off, as one came on.
            UnHideRowList();
            if (FFilterLevel > 0)
                --FFilterLevel;
            SetFixedRows(FFilterFixedRows);
            if (FSelHidden)
                UnHideSelection();
            SetTopRow(FixedRows());
        }
    }
    CalcFooter(-1);
}

bool TExtStringGrid::RemoveLastFilter()
{
    if (FFilterLevel <= 0)
        return false;
    UnHideRowList();
    SetFixedRows(FFilterFixedRows);
    if (FSelHidden)
        UnHideSelection();
    CalcFooter(-1);
    --FFilterLevel;
    return FFilterLevel > 1;
}

void TExtStringGrid::RemoveAllFilters()
{
    if (FFilterLevel == 0) {
        FFilter->Clear();
        return;
    }
    while (FFilterLevel >= 1)
        RemoveLastFilter();
}

void TExtStringGrid::NarrowDown(const QString& ACondition, int AColumn)
{
    SetFixedRowAlways(true);
    const auto setCondition = [&] {
        FFilter->Clear();
        TFilterData* item = FFilter->Add();
        if (AColumn == -1) {
            item->Data = fcRow;
            item->Condition = ACondition;
        } else {
            item->Data = fcNormal;
            QString condition = "*" + ACondition + "*";
            if (condition.contains(' '))
                condition = "\"" + condition + "\"";
            item->Condition = condition;
        }
        item->CaseSensitive = false;
        item->Column = int16_t(AColumn);
    };
    const qsizetype len = ACondition.size();
    const qsizetype lastLen = FLastFilter.size();
    if (len == lastLen + 1 && ACondition.startsWith(FLastFilter)) {
        setCondition();
        ApplyFilter();
    } else if (lastLen == len + 1 && !ACondition.isEmpty() && FLastFilter.startsWith(ACondition)) {
        RemoveLastFilter();
    } else {
        RemoveAllFilters();
        if (!ACondition.isEmpty()) {
            setCondition();
            ApplyFilter();
        }
    }
    // The filter levels are shown again by now; rows hidden otherwise keep their entries.
    FLastFilter = ACondition;
}
