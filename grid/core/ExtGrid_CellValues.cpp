// TExtStringGrid: typed views of cell text (integers, floats, dates, times, form-control values), the
// column and row header lists and the recorded column order.
#include "grid/base/CellText.h"
#include "grid/base/HtmlText.h"
#include "grid/base/NumberText.h"
#include "grid/core/ExtGrid.h"
#include "platform/core/DateText.h"

namespace
{
int ParseIntText(const QString& Text)
{
    const QString t = Text.trimmed();
    if (t.isEmpty() || t == "-")
        return 0;
    bool ok = false;
    const int v = t.toInt(&ok);
    if (!ok)
        throw EExtGridError("Cell does not contain integer value");
    return v;
}

double ParseFloatText(const QString& Text)
{
    const QString t = NumberTextToFloatText(Text.trimmed()).trimmed();
    if (t.isEmpty() || t == "-")
        return 0;
    bool ok = false;
    const double v = t.toDouble(&ok); // "." is the separator after the reduction
    if (!ok)
        throw EExtGridError("Cell does not contain a float value");
    return v;
}

QString Stripped(const QString& Text)
{
    return Text.contains('<') ? HTMLStripTags(Text) : Text;
}
} // namespace

// ---- Typed values --------------------------------------------------------------------------------------

int TExtStringGrid::Ints(int ACol, int ARow)
{
    return ParseIntText(Stripped(Cells(ACol, ARow)));
}

void TExtStringGrid::SetInts(int ACol, int ARow, int Value)
{
    SetCells(ACol, ARow, QString::number(Value));
    if (NumHiddenColumns() > 0)
        RepaintCell(DisplColIndex(ACol), ARow);
}

int TExtStringGrid::AllInts(int ACol, int ARow)
{
    return ParseIntText(AllCells(ACol, ARow));
}

void TExtStringGrid::SetAllInts(int ACol, int ARow, int Value)
{
    SetAllCells(ACol, ARow, QString::number(Value));
}

double TExtStringGrid::Floats(int ACol, int ARow)
{
    return ParseFloatText(Stripped(Cells(ACol, ARow)));
}

void TExtStringGrid::SetFloats(int ACol, int ARow, double Value)
{
    SetCells(ACol, ARow, Format(GetFloatFormat(ACol), {Value}));
}

double TExtStringGrid::AllFloats(int ACol, int ARow)
{
    return ParseFloatText(AllCells(ACol, ARow));
}

void TExtStringGrid::SetAllFloats(int ACol, int ARow, double Value)
{
    SetAllCells(ACol, ARow, Format(FloatFormat, {Value}));
}

TDateTime TExtStringGrid::Dates(int ACol, int ARow)
{
    const QString text = Cells(ACol, ARow);
    TDateTime value = 0;
    if (!TryStrToDate(text, value))
        throw EConvertError(QStringLiteral("'%1' is not a valid date").arg(text));
    return value;
}

void TExtStringGrid::SetDates(int ACol, int ARow, TDateTime Value)
{
    SetCells(ACol, ARow, Value > 0 || ShowNullDates ? DateToStr(Value) : QString());
}

TDateTime TExtStringGrid::Times(int ACol, int ARow)
{
    const QString text = Cells(ACol, ARow);
    TDateTime value = 0;
    if (!TryStrToTime(text, value))
        throw EConvertError(QStringLiteral("'%1' is not a valid time").arg(text));
    return value;
}

void TExtStringGrid::SetTimes(int ACol, int ARow, TDateTime Value)
{
    SetCells(ACol, ARow, TimeToStr(Value));
}

QString TExtStringGrid::ControlValues(int ACol, int ARow, const QString& ID)
{
    QString value;
    HTMLGetControlValue(Cells(ACol, ARow), ID, value);
    return value;
}

void TExtStringGrid::SetControlValues(int ACol, int ARow, const QString& ID, const QString& Value)
{
    QString html = Cells(ACol, ARow);
    if (HTMLSetControlValue(html, ID, Value))
        SetCells(ACol, ARow, html);
}

// ---- Header lists ----------------------------------------------------------------------------------------

void TExtStringGrid::SetColumnHeaders(const TStrings* Value)
{
    {
        // One change notice for the whole copy; the captions are rewritten below.
        FColumnHeaders->BeginUpdate();
        const auto restore = FColumnHeaders->OnChange;
        FColumnHeaders->OnChange = nullptr;
        FColumnHeaders->Assign(Value);
        FColumnHeaders->EndUpdate();
        FColumnHeaders->OnChange = restore;
    }
    if (FixedRows() > 0)
        ClearColumnHeaders();
    ColumnHeadersChanged();
    ShowColumnHeaders();
}

void TExtStringGrid::SetRowHeaders(const TStrings* Value)
{
    const auto restore = FRowHeaders->OnChange;
    FRowHeaders->OnChange = nullptr;
    FRowHeaders->Assign(Value);
    FRowHeaders->OnChange = restore;
    if (IsDesignTime() && FixedCols() > 0)
        ClearRowHeaders();
    ShowRowHeaders();
}

void TExtStringGrid::ShowColumnHeaders()
{
    if (FixedRows() <= 0)
        return;
    const int n = std::min(FColumnHeaders->Count(), ColCount() + NumHiddenColumns());
    for (int i = 0; i < n; ++i)
        SetCells(i, 0, UnescapeLineBreaks(FColumnHeaders->Strings(i)));
}

void TExtStringGrid::ClearColumnHeaders()
{
    for (int c = 0; c < ColCount(); ++c)
        SetCells(c, 0, QString());
}

void TExtStringGrid::ShowRowHeaders()
{
    if (FixedCols() <= 0)
        return;
    const int n = std::min(FRowHeaders->Count(), RowCount());
    for (int i = 0; i < n; ++i)
        SetCells(0, i, UnescapeLineBreaks(FRowHeaders->Strings(i)));
}

void TExtStringGrid::ClearRowHeaders()
{
    for (int r = 0; r < RowCount(); ++r)
        SetCells(0, r, QString());
}

// ---- Column order ----------------------------------------------------------------------------------------

void TExtStringGrid::SetColumnOrder()
{
    FColumnOrder->Clear();
    for (int c = 0; c < ColCount(); ++c)
        FColumnOrder->Add(c);
}

void TExtStringGrid::ResetColumnOrder()
{
    UnHideColumnsAll();
    if (FColumnOrder->Count() == 0) {
        SetColumnOrder();
        return;
    }
    // Each pass moves columns left to where the record puts them; a record that is no permutation
    // of the columns would never settle, so the passes are bounded.
    for (int pass = 0; pass <= ColCount(); ++pass) {
        bool moved = false;
        for (int i = 0; i < std::min(ColCount(), FColumnOrder->Count()); ++i) {
            const int target = FColumnOrder->Items(i);
            if (target < i && target >= 0) {
                MoveColumn(i, target);
                moved = true;
            }
        }
        if (!moved)
            break;
    }
}

int TExtStringGrid::ColumnAtPosition(int APos)
{
    if (FColumnOrder->Count() == 0)
        SetColumnOrder();
    if (FColumnOrder->Count() == 0)
        return APos;
    int c = FColumnOrder->Items(APos);
    if (FGroupColumn != -1 && FGroupColumn <= c)
        ++c;
    return c;
}

int TExtStringGrid::ColumnByHeader(const QString& AValue)
{
    for (int c = 0; c < ColCount() + NumHiddenColumns(); ++c)
        if (AllCells(c, 0) == AValue)
            return c;
    return -1;
}
