// Column and row calculations: sums, averages, minima, maxima, standard deviation, distinct texts and
// the two event calculations. The floating footer and the grouping summaries call them.
#include "grid/base/HtmlText.h"
#include "grid/base/NumberText.h"
#include "grid/core/ExtGrid.h"

#include <QSet>
#include <algorithm>
#include <cmath>

namespace
{

const char* const NoFloatMessage = "Cell does not contain a float value";

// A cell text as a number: empty and "-" are 0; false for anything that is no number.
// The emptiness is judged before the number is taken out, so a plain word is no number.
bool TextToCalcFloat(const QString& Text, double& Value)
{
    const QString t = Text.trimmed();
    if (t.isEmpty() || t == QLatin1String("-")) {
        Value = 0;
        return true;
    }
    bool ok = false;
    Value = NumberTextToFloatText(t).toDouble(&ok);
    return ok;
}

double CalcFloatOrRaise(const QString& Text)
{
    double value = 0;
    if (!TextToCalcFloat(Text, value))
        throw EExtGridError(NoFloatMessage);
    return value;
}

// Display rows are read without their markup; real rows as stored.
QString CalcText(const QString& Text, bool Strip)
{
    return Strip && Text.contains(QLatin1Char('<')) ? HTMLToText(Text) : Text;
}

} // namespace

// ---- Row walk ------------------------------------------------------------------------------------------

void TExtStringGrid::NormalRowRange(int& FromRow, int& ToRow) const
{
    if (FromRow == -1 || ToRow == -1) {
        FromRow = FixedRows();
        ToRow = RowCount() - FixedFooters - 1;
    }
}

bool TExtStringGrid::CalcRangeIsReal(int ToRow) const
{
    const bool footerShown = FFloatingFooter && FFloatingFooter->Visible();
    return footerShown ? ToRow > RowCount() - 1 : ToRow > RowCount();
}

template <class F>
void TExtStringGrid::ForEachCalcRow(int ACol, int FromRow, int ToRow, bool RealRows, bool Counted, F&& Use)
{
    // A grouped grid's node and summary rows hold its group headers and results: they are left out.
    const bool grouped = Counted && FGroupColumn != -1;
    auto counts = [&](int d) {
        if (!Counted)
            return true;
        if (grouped && (IsNode(d) || IsSummary(d)))
            return false;
        return IsBaseCell(ACol, d);
    };
    if (!RealRows) {
        for (int r = FromRow; r <= ToRow; ++r)
            if (counts(r))
                Use(CalcText(GetCellEx(ACol, r), true), r);
        return;
    }
    // Hidden rows always count, read from their entries; the others at their display rows.
    const std::vector<int>& hidden = FHiddenIndex.Rows();
    auto next = std::lower_bound(hidden.begin(), hidden.end(), FromRow);
    int hiddenBefore = FHiddenIndex.CountBelow(FromRow);
    for (int r = FromRow; r <= ToRow; ++r) {
        if (next != hidden.end() && *next == r) {
            ++next;
            hiddenBefore = FHiddenIndex.CountBelow(r + 1);
            Use(AllCells(ACol, r), r);
            continue;
        }
        const int d = r - hiddenBefore;
        if (counts(d))
            Use(GetCellEx(ACol, d), r);
    }
}

double TExtStringGrid::FooterColumnCalc(TColumnCalcType Kind, int ACol, int FromRow, int ToRow, bool RealRows)
{
    if (Kind == acAVG) {
        // Reported through the sum.
        const int n = ToRow - FromRow + 1;
        return n <= 0 ? 0 : FooterColumnCalc(acSUM, ACol, FromRow, ToRow, RealRows) / n;
    }
    ExportNotification(esExportStart, FromRow);
    // A progress display must come down also when a cell raises.
    struct TDone {
        TExtStringGrid* Grid;
        ~TDone() { Grid->ExportNotification(esExportDone, -1); }
    } done{this};

    switch (Kind) {
    case acSUM: {
        double sum = 0;
        ForEachCalcRow(ACol, FromRow, ToRow, RealRows, true, [&](const QString& text, int r) {
            ExportNotification(esExportNextRow, r);
            double v = 0;
            if (TextToCalcFloat(text, v))
                sum += v;
        });
        return sum;
    }
    case acMIN:
    case acMAX: {
        // The start cell is read unguarded: a text there reaches the caller.
        double result = CalcFloatOrRaise(CalcText(GetCellEx(ACol, FromRow), true));
        ForEachCalcRow(ACol, FromRow, ToRow, RealRows, true, [&](const QString& text, int r) {
            ExportNotification(esExportNextRow, r);
            double v = 0;
            if (TextToCalcFloat(text, v) && (Kind == acMIN ? v < result : v > result))
                result = v;
        });
        return result;
    }
    case acSTDDEV: {
        const int n = ToRow - FromRow + 1;
        if (n <= 0)
            return 0; // an empty range has no spread (and must not divide by zero)
        const double avg = FooterColumnCalc(acAVG, ACol, FromRow, ToRow, RealRows);
        double s = 0;
        ForEachCalcRow(ACol, FromRow, ToRow, RealRows, false, [&](const QString& text, int) {
            const double d = CalcFloatOrRaise(text) - avg;
            s += d * d;
        });
        return std::sqrt(s / n);
    }
    case acDISTINCT: {
        QSet<QString> seen;
        ForEachCalcRow(ACol, FromRow, ToRow, RealRows, false, [&](const QString& text, int r) {
            ExportNotification(esExportNextRow, r);
            seen.insert(text.toCaseFolded());
        });
        return seen.size();
    }
    default:
        return 0;
    }
}

// ---- Column functions ------------------------------------------------------------------------------------

double TExtStringGrid::ColumnSum(int ACol, int FromRow, int ToRow)
{
    NormalRowRange(FromRow, ToRow);
    return FooterColumnCalc(acSUM, ACol, FromRow, ToRow, CalcRangeIsReal(ToRow));
}

double TExtStringGrid::ColumnAvg(int ACol, int FromRow, int ToRow)
{
    NormalRowRange(FromRow, ToRow);
    return FooterColumnCalc(acAVG, ACol, FromRow, ToRow, CalcRangeIsReal(ToRow));
}

double TExtStringGrid::ColumnMin(int ACol, int FromRow, int ToRow)
{
    NormalRowRange(FromRow, ToRow);
    return FooterColumnCalc(acMIN, ACol, FromRow, ToRow, CalcRangeIsReal(ToRow));
}

double TExtStringGrid::ColumnMax(int ACol, int FromRow, int ToRow)
{
    NormalRowRange(FromRow, ToRow);
    return FooterColumnCalc(acMAX, ACol, FromRow, ToRow, CalcRangeIsReal(ToRow));
}

double TExtStringGrid::ColumnStdDev(int ACol, int FromRow, int ToRow)
{
    NormalRowRange(FromRow, ToRow);
    return FooterColumnCalc(acSTDDEV, ACol, FromRow, ToRow, CalcRangeIsReal(ToRow));
}

double TExtStringGrid::ColumnDistinct(int ACol, int FromRow, int ToRow)
{
    NormalRowRange(FromRow, ToRow);
    return FooterColumnCalc(acDISTINCT, ACol, FromRow, ToRow, CalcRangeIsReal(ToRow));
}

double TExtStringGrid::ColumnCustomCalc(int ACol, int FromRow, int ToRow)
{
    double res = 0;
    if (OnColumnCalc)
        OnColumnCalc(this, ACol, FromRow, ToRow, res);
    return res;
}

double TExtStringGrid::FireGroupCalc(int ACol, int FromRow, int ToRow)
{
    double res = 0;
    if (OnGroupCalc)
        OnGroupCalc(this, ACol, FromRow, ToRow, res);
    return res;
}

// ---- Row functions ---------------------------------------------------------------------------------------

double TExtStringGrid::RowSum(int ARow, int fromCol, int toCol)
{
    double sum = 0;
    for (int c = fromCol; c <= toCol; ++c) {
        double v = 0;
        if (IsBaseCell(c, ARow) && TextToCalcFloat(CalcText(GetCellEx(c, ARow), true), v))
            sum += v;
    }
    return sum;
}

double TExtStringGrid::RowAvg(int ARow, int fromCol, int toCol)
{
    const int n = toCol - fromCol + 1;
    return n <= 0 ? 0 : RowSum(ARow, fromCol, toCol) / n;
}

double TExtStringGrid::RowMin(int ARow, int fromCol, int toCol)
{
    double result = CalcFloatOrRaise(CalcText(GetCellEx(fromCol, ARow), true));
    for (int c = fromCol; c <= toCol; ++c) {
        double v = 0;
        if (IsBaseCell(c, ARow) && TextToCalcFloat(CalcText(GetCellEx(c, ARow), true), v) && v < result)
            result = v;
    }
    return result;
}

double TExtStringGrid::RowMax(int ARow, int fromCol, int toCol)
{
    double result = CalcFloatOrRaise(CalcText(GetCellEx(fromCol, ARow), true));
    for (int c = fromCol; c <= toCol; ++c) {
        double v = 0;
        if (IsBaseCell(c, ARow) && TextToCalcFloat(CalcText(GetCellEx(c, ARow), true), v) && v > result)
            result = v;
    }
    return result;
}
