// The sort settings' behaviour: the text form of the sort state, Assign and the repainting setters.
#include "grid/ops/SortSettings.h"

#include "grid/core/ExtGrid.h"
#include "platform/core/SysUtils.h"

TSortSettings::TSortSettings(TExtStringGrid* AOwner) : FOwner(AOwner) {}

TSortSettings::~TSortSettings() = default;

void TSortSettings::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TSortSettings*>(Source);
    if (!s)
        return;
    AutoSortForGrouping = s->AutoSortForGrouping;
    AutoColumnMerge = s->AutoColumnMerge;
    Column = s->Column;
    FShow = s->FShow;
    IndexShow = s->IndexShow;
    IndexColor = s->IndexColor;
    Full = s->Full;
    SingleColumn = s->SingleColumn;
    IgnoreBlanks = s->IgnoreBlanks;
    BlankPos = s->BlankPos;
    AutoFormat = s->AutoFormat;
    Direction = s->Direction;
    FUpGlyph->Assign(s->FUpGlyph.get());
    FDownGlyph->Assign(s->FDownGlyph.get());
    FIndexUpGlyph->Assign(s->FIndexUpGlyph.get());
    FIndexDownGlyph->Assign(s->FIndexDownGlyph.get());
    IndexSortKey = s->IndexSortKey;
    InitSortDirection = s->InitSortDirection;
    FixedCols = s->FixedCols;
    NormalCellsOnly = s->NormalCellsOnly;
    FRow = s->FRow;
    UndoSort = s->UndoSort;
    for (int i = 0; i < 4; ++i)
        FOwner->FSortHeaderColors[size_t(i)] = s->FOwner->FSortHeaderColors[size_t(i)];
}

QString TSortSettings::SaveToString() const
{
    if (IndexShow)
        return QStringLiteral("i;") + FOwner->SortIndexes()->SaveToString();
    return (Direction == sdDescending ? QStringLiteral("d") : QStringLiteral("u")) + QString::number(Column);
}

void TSortSettings::LoadFromString(const QString& Value)
{
    if (Value.isEmpty())
        return;
    SetShow(true);
    if (Value.size() < 2)
        throw Exception(QStringLiteral("Invalid sort settings specifier"));
    if (Value.contains(QLatin1String("i;"))) {
        IndexShow = true;
        const QString rest = Value.mid(2);
        if (!rest.isEmpty()) {
            FOwner->SortIndexes()->LoadFromString(rest);
            FOwner->QSortIndexed();
        }
        return;
    }
    IndexShow = false;
    Direction = Value.contains(QLatin1Char('u')) ? sdAscending : sdDescending;
    int32_t column = 0;
    if (TryStrToInt(Value.mid(1), column)) {
        Column = column;
        FOwner->QSort();
    }
}

void TSortSettings::Remove()
{
    Column = -1;
    FOwner->SortIndexes()->Clear();
    RepaintHeaderRow();
}

void TSortSettings::ToggleDirection()
{
    Direction = Direction == sdAscending ? sdDescending : sdAscending;
}

void TSortSettings::SetShow(bool Value)
{
    if (FShow == Value)
        return;
    FShow = Value;
    FOwner->InvalidateGrid();
}

void TSortSettings::SetRow(int Value)
{
    if (Value >= FOwner->FixedRows())
        throw Exception(QStringLiteral("Sort row should be smaller than number of fixed rows"));
    FRow = Value;
}

TColor TSortSettings::HeaderColorAt(int Index) const
{
    return FOwner->FSortHeaderColors[size_t(Index)];
}

void TSortSettings::SetHeaderColorAt(int Index, TColor Value)
{
    FOwner->FSortHeaderColors[size_t(Index)] = Value;
    RepaintHeaderRow();
}

void TSortSettings::RepaintHeaderRow()
{
    const int fixed = FOwner->FixedRows();
    if (fixed > 0 && fixed - 1 < FOwner->RowCount())
        FOwner->InvalidateRow(fixed - 1);
}
