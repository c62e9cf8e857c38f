// TSortSettings: the string grid's sort settings (the grid's SortSettings), owned by the grid.
//
// The header click of the grid core reads Show, Row, Column, Direction, IndexShow, IndexSortKey,
// InitSortDirection, FixedCols and UndoSort; the sort itself reads the comparison settings (AutoFormat,
// IgnoreCase, Full, SingleColumn, IgnoreBlanks, BlankPos, SortOnVirtualCells, NormalCellsOnly).
// The sort state survives as text: "u3" / "d2" for one column, "i;u1;d4" for the sort index list.
#pragma once

#include "grid/core/ExtGrid_Scroll.h"
#include "platform/core/Classes.h"
#include "platform/graphics/Bitmaps.h"

#include <memory>

class TExtStringGrid;

// The key that, held at a header click, adds the column to the sort index list.
enum TIndexSortKey { ikShift, ikCtrl };
// Where empty texts go with IgnoreBlanks.
enum TSortBlankPosition { blFirst, blLast };

constexpr TColor SortIndexDefaultColor = 0x00FFFF;

class TSortSettings : public TPersistent
{
  public:
    explicit TSortSettings(TExtStringGrid* AOwner);
    ~TSortSettings() override;

    // From another TSortSettings only; IgnoreCase and SortOnVirtualCells keep their values.
    void Assign(const TPersistent* Source) override;
    // "i;" + the index list with IndexShow, else "u" / "d" + Column.
    QString SaveToString() const;
    // "" does nothing; otherwise Show := True, then one character raises "Invalid sort settings
    // specifier". "i;..." loads the index list and sorts on it; "uN" / "dN" sorts on column N (a
    // number that does not convert leaves Column and sorts nothing).
    void LoadFromString(const QString& Value);
    // No sort column, the index list emptied, the header row repainted.
    void Remove();
    void ToggleDirection();

    bool AutoSortForGrouping = true;
    bool AutoColumnMerge = false;
    int Column = -1;
    // A change repaints the grid.
    bool Show() const { return FShow; }
    void SetShow(bool Value);
    bool IndexShow = false;
    TColor IndexColor = SortIndexDefaultColor;
    TIndexSortKey IndexSortKey = ikShift;
    bool Full = true;
    bool SingleColumn = false;
    bool IgnoreBlanks = false;
    TSortBlankPosition BlankPos = blFirst;
    bool AutoFormat = true;
    TSortDirection Direction = sdAscending;
    bool IgnoreCase = false;
    TSortDirection InitSortDirection = sdAscending;
    bool FixedCols = false;
    bool NormalCellsOnly = false;
    // Only values below the grid's FixedRows are stored ("Sort row should be smaller than number of
    // fixed rows").
    int Row() const { return FRow; }
    void SetRow(int Value);
    bool UndoSort = false;
    bool SortOnVirtualCells = true;

    // The glyphs are copied on write.
    TBitmap* UpGlyph() const { return FUpGlyph.get(); }
    void SetUpGlyph(const TBitmap* Value) { FUpGlyph->Assign(Value); }
    TBitmap* DownGlyph() const { return FDownGlyph.get(); }
    void SetDownGlyph(const TBitmap* Value) { FDownGlyph->Assign(Value); }
    TBitmap* IndexUpGlyph() const { return FIndexUpGlyph.get(); }
    void SetIndexUpGlyph(const TBitmap* Value) { FIndexUpGlyph->Assign(Value); }
    TBitmap* IndexDownGlyph() const { return FIndexDownGlyph.get(); }
    void SetIndexDownGlyph(const TBitmap* Value) { FIndexDownGlyph->Assign(Value); }

    // The gradient of the sorted column's header cell, kept by the grid for its painter; a write
    // repaints the last fixed row.
    TColor HeaderColor() const { return HeaderColorAt(0); }
    void SetHeaderColor(TColor Value) { SetHeaderColorAt(0, Value); }
    TColor HeaderColorTo() const { return HeaderColorAt(1); }
    void SetHeaderColorTo(TColor Value) { SetHeaderColorAt(1, Value); }
    TColor HeaderMirrorColor() const { return HeaderColorAt(2); }
    void SetHeaderMirrorColor(TColor Value) { SetHeaderColorAt(2, Value); }
    TColor HeaderMirrorColorTo() const { return HeaderColorAt(3); }
    void SetHeaderMirrorColorTo(TColor Value) { SetHeaderColorAt(3, Value); }

  private:
    TColor HeaderColorAt(int Index) const;
    void SetHeaderColorAt(int Index, TColor Value);
    void RepaintHeaderRow();

    TExtStringGrid* FOwner;
    bool FShow = false;
    int FRow = 0;
    std::unique_ptr<TBitmap> FUpGlyph = std::make_unique<TBitmap>();
    std::unique_ptr<TBitmap> FDownGlyph = std::make_unique<TBitmap>();
    std::unique_ptr<TBitmap> FIndexUpGlyph = std::make_unique<TBitmap>();
    std::unique_ptr<TBitmap> FIndexDownGlyph = std::make_unique<TBitmap>();
};
